#include "core/update/ProgramSeal.h"

#include <algorithm>

#include "core/update/ProgramLayout.h"
#include "core/update/ProgramStamp.h"

namespace kiro {
namespace {

constexpr uint32_t kSealNote = 3;

// The part of [at, at + size) that overlaps [from, from + length), relative to `at`.
struct Overlap {
    uint64_t begin = 0;
    uint64_t end = 0;
};
Overlap OverlapOf(uint64_t at, uint64_t size, uint64_t from, uint64_t length) {
    const uint64_t begin = std::clamp(from, at, at + size) - at;
    const uint64_t end = std::clamp(from + length, at, at + size) - at;
    return {begin, end};
}

}  // namespace

std::optional<uint64_t> FindSeal(std::span<const uint8_t> head, ProgramFormat format) {
    if (format == ProgramFormat::Elf) {
        const std::optional<FileRange> note = FindElfNote(head, kSealNote);
        if (!note || note->size != kSealBytes) return std::nullopt;
        return note->at;
    }
    const std::optional<FileRange> section = FindPeSection(head, kSealSection);
    if (!section || section->size < kSealBytes) return std::nullopt;
    return section->at;
}

bool SealProgram(std::span<uint8_t> image) {
    const std::optional<ProgramKind> kind = FindProgramKind(image);
    const std::optional<uint64_t> at = kind ? FindSeal(image, kind->format) : std::nullopt;
    if (!at || !Fits(image, *at, kSealBytes)) return false;
    const auto seal = image.subspan(static_cast<size_t>(*at), kSealBytes);
    WriteLittle(seal, 0, kSealDigestAt, image.size());
    std::fill(seal.begin() + kSealDigestAt, seal.end(), uint8_t{0});
    const Sha256Digest digest = Sha256Of(image);
    std::copy(digest.begin(), digest.end(), seal.begin() + kSealDigestAt);
    return true;
}

bool RestampProgram(std::span<uint8_t> image, uint32_t stamp) {
    return WriteProgramStamp(image, stamp) && SealProgram(image);
}

void SealCheck::Feed(std::span<const uint8_t> piece) {
    if (located_) {
        Take(piece);
        return;
    }
    // Where the seal lies is known only from the first bytes: until they are all here, the
    // pieces wait.
    head_.insert(head_.end(), piece.begin(), piece.end());
    if (head_.size() >= kStampSearchBytes) Locate();
}

void SealCheck::Locate() {
    located_ = true;
    sealAt_ = FindSeal(head_, format_);
    Take(head_);
    head_ = {};
}

void SealCheck::Take(std::span<const uint8_t> piece) {
    plainHash_.Add(piece);
    if (!sealAt_) {
        taken_ += piece.size();
        return;
    }
    const Overlap seal = OverlapOf(taken_, piece.size(), *sealAt_, kSealBytes);
    if (seal.end > seal.begin) {
        std::copy(piece.begin() + static_cast<std::ptrdiff_t>(seal.begin),
                  piece.begin() + static_cast<std::ptrdiff_t>(seal.end),
                  seal_.begin() + static_cast<std::ptrdiff_t>(taken_ + seal.begin - *sealAt_));
        sealSeen_ += seal.end - seal.begin;
    }
    // The digest's own bytes are hashed as zeros.
    const Overlap digest =
        OverlapOf(taken_, piece.size(), *sealAt_ + kSealDigestAt, kSealBytes - kSealDigestAt);
    sealedHash_.Add(piece.first(digest.begin));
    sealedHash_.AddZeros(digest.end - digest.begin);
    sealedHash_.Add(piece.subspan(digest.end));
    taken_ += piece.size();
}

bool SealCheck::Holds() {
    if (!located_) Locate();
    plainDigest_ = plainHash_.Finish();
    if (!sealAt_ || sealSeen_ != kSealBytes) return false;
    if (ReadLittle(seal_, 0, kSealDigestAt) != taken_) return false;
    const Sha256Digest digest = sealedHash_.Finish();
    return std::equal(digest.begin(), digest.end(), seal_.begin() + kSealDigestAt);
}

}  // namespace kiro
