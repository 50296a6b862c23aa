#pragma once
#include <cstddef>
#include <cstdint>

#include "core/system/Clock.h"

namespace kiro {

// Ends a transfer that takes too long, asked whenever the transfer polls (while data flows and
// about once a second while none comes): after a time in all, or once the bytes received fall
// under a rate on average over a window of time. A server that sends a trickle must not hold
// the check, or a download, for as long as it likes.
class TransferLimits {
  public:
    explicit TransferLimits(const Clock& clock);
    // At most `milliseconds` in all.
    TransferLimits& Within(uint32_t milliseconds);
    // At least `bytesPerSecond` on average over each `windowMs`.
    TransferLimits& AtLeast(uint32_t bytesPerSecond, uint32_t windowMs);

    void Received(size_t bytes) { windowBytes_ += bytes; }
    // Whether a limit has been passed; once true, it stays true.
    bool Exceeded();

  private:
    const Clock& clock_;
    const uint32_t start_;
    uint32_t totalMs_ = 0;
    uint32_t bytesPerSecond_ = 0;
    uint32_t windowMs_ = 0;
    uint32_t windowStart_;
    uint64_t windowBytes_ = 0;
    bool exceeded_ = false;
};

}  // namespace kiro
