#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/update/ProgramStamp.h"

namespace kiro {

// Finds the version of a Windows program in its file as it streams past: the fixed part of its
// version resource, which lies in the resource section, far beyond the first bytes. It starts
// with the signature 0xFEEF04BD and the structure version 1.0 on a 4-byte boundary of the
// file, followed by the high and the low 32-bit word of the file version. The first such record
// counts.
class VersionResourceScanner {
  public:
    void Feed(std::span<const uint8_t> piece);
    std::optional<ProgramVersion> Found() const { return found_; }

  private:
    // Bytes not yet looked at whole, from a 4-byte boundary of the file on.
    std::vector<uint8_t> pending_;
    std::optional<ProgramVersion> found_;
};

}  // namespace kiro
