#include "core/update/TransferLimits.h"

namespace kiro {

TransferLimits::TransferLimits(const Clock& clock)
    : clock_(clock), start_(clock.TickCount()), windowStart_(start_) {}

TransferLimits& TransferLimits::Within(uint32_t milliseconds) {
    totalMs_ = milliseconds;
    return *this;
}

TransferLimits& TransferLimits::AtLeast(uint32_t bytesPerSecond, uint32_t windowMs) {
    bytesPerSecond_ = bytesPerSecond;
    windowMs_ = windowMs;
    return *this;
}

bool TransferLimits::Exceeded() {
    if (exceeded_) return true;
    // Differences of the tick count stay right across its wrap.
    const uint32_t now = clock_.TickCount();
    if (totalMs_ != 0 && now - start_ >= totalMs_) exceeded_ = true;
    const uint32_t windowElapsed = now - windowStart_;
    if (windowMs_ != 0 && windowElapsed >= windowMs_) {
        if (windowBytes_ * 1000 < uint64_t{bytesPerSecond_} * windowElapsed) exceeded_ = true;
        windowStart_ = now;
        windowBytes_ = 0;
    }
    return exceeded_;
}

}  // namespace kiro
