#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "core/system/HttpClient.h"

namespace kiro::win32_platform {

// The pieces of a body handed from the thread that reads them to the thread that takes them, a
// few pieces ahead at most, and how the transfer ended. The taker may leave at any time; the
// reader then learns it at its next piece and stops.
class BodyPieces {
  public:
    explicit BodyPieces(size_t mostAhead) : mostAhead_(mostAhead) {}

    // For the reader: waits while `mostAhead` pieces are waiting. False when the taker has left.
    bool Put(std::vector<uint8_t> piece);
    bool TakerLeft() const;
    // The last word of the reader.
    void Finish(HttpResult result);

    // For the taker: waits up to `wait` for the next piece or the end.
    enum class Next { Piece, Finished, Nothing };
    Next Take(std::chrono::milliseconds wait, std::vector<uint8_t>& piece);
    // How the transfer ended, once Take said Finished.
    HttpResult Result() const;
    bool Finished() const;
    void Leave();

  private:
    const size_t mostAhead_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<uint8_t>> waiting_;
    bool finished_ = false;
    HttpResult result_;
    bool takerLeft_ = false;
};

}  // namespace kiro::win32_platform
