#pragma once
#include <cstdint>

namespace kiro {

// The classic C library generator, shared by the whole process and never reseeded, so that
// the sleep curve's jitter and the display animations repeat from one run to the next.
class Random {
  public:
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

  private:
    uint32_t state_ = 1;
};

}  // namespace kiro
