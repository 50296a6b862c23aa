#include "core/update/VersionResourceScanner.h"

namespace kiro {
namespace {

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t kFixedInfoVersion = 0x00010000;
// Signature, structure version, high and low word of the file version.
constexpr size_t kRecordBytes = 16;

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

void VersionResourceScanner::Feed(std::span<const uint8_t> piece) {
    if (found_) return;
    pending_.insert(pending_.end(), piece.begin(), piece.end());
    size_t at = 0;
    for (; at + kRecordBytes <= pending_.size(); at += 4) {
        if (Little32(pending_, at) == kFixedInfoSignature &&
            Little32(pending_, at + 4) == kFixedInfoVersion) {
            found_ = ProgramVersion{Little32(pending_, at + 8), Little32(pending_, at + 12)};
            pending_.clear();
            return;
        }
    }
    // What is left starts on a boundary, as `pending_` did: whole steps of 4 were taken.
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace kiro
