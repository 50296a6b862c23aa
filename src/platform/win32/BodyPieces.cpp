#include "platform/win32/BodyPieces.h"

#include <utility>

namespace kiro::win32_platform {

bool BodyPieces::Put(std::vector<uint8_t> piece) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return takerLeft_ || waiting_.size() < mostAhead_; });
    if (takerLeft_) return false;
    waiting_.push_back(std::move(piece));
    changed_.notify_all();
    return true;
}

bool BodyPieces::TakerLeft() const {
    std::lock_guard lock(mutex_);
    return takerLeft_;
}

void BodyPieces::Finish(HttpResult result) {
    std::lock_guard lock(mutex_);
    finished_ = true;
    result_ = std::move(result);
    changed_.notify_all();
}

BodyPieces::Next BodyPieces::Take(std::chrono::milliseconds wait, std::vector<uint8_t>& piece) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, wait, [this] { return finished_ || !waiting_.empty(); });
    // The pieces read before the end come first.
    if (!waiting_.empty()) {
        piece = std::move(waiting_.front());
        waiting_.pop_front();
        changed_.notify_all();
        return Next::Piece;
    }
    return finished_ ? Next::Finished : Next::Nothing;
}

HttpResult BodyPieces::Result() const {
    std::lock_guard lock(mutex_);
    return result_;
}

bool BodyPieces::Finished() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

void BodyPieces::Leave() {
    std::lock_guard lock(mutex_);
    takerLeft_ = true;
    waiting_.clear();
    changed_.notify_all();
}

}  // namespace kiro::win32_platform
