#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/update/ProgramKind.h"
#include "core/update/Sha256.h"

namespace kiro {

// A program's seal: the file's exact length (8 bytes, little-endian) and the SHA-256 of the
// whole file read with these 32 digest bytes as zeros. It is what the file says of itself, so a
// copy cut short, grown, or changed anywhere after the build no longer matches it. Our Linux
// programs carry it in the ELF note "KiroMeter" of type 3, Windows programs at the start of
// their section ".kirosum". A build fresh from the linker holds zeros there: unsealed.
inline constexpr size_t kSealBytes = 40;
inline constexpr size_t kSealDigestAt = 8;
inline constexpr const char* kSealSection = ".kirosum";

// Where the seal of a program file of a format lies, from its first bytes.
std::optional<uint64_t> FindSeal(std::span<const uint8_t> head, ProgramFormat format);

// Seals a whole program image in place. False when it has no seal of its own kind.
bool SealProgram(std::span<uint8_t> image);
// Writes a new stamp into a whole program image and seals it again, the stamp first since it
// is among the sealed bytes: what the build does after the link and what `kiro stamp --set` does.
bool RestampProgram(std::span<uint8_t> image, uint32_t stamp);

// Checks a program file of a format against its seal as the file passes piece by piece, so a
// download is checked as it arrives. It also takes the plain SHA-256 of the file, which a
// signature covers.
class SealCheck {
  public:
    explicit SealCheck(ProgramFormat format) : format_(format) {}
    void Feed(std::span<const uint8_t> piece);
    // After the last piece: whether the file had a seal, exactly its length and its digest.
    bool Holds();
    // After Holds: the SHA-256 of the bytes as they are.
    const Sha256Digest& PlainDigest() const { return plainDigest_; }

  private:
    void Locate();
    void Take(std::span<const uint8_t> piece);

    const ProgramFormat format_;
    std::vector<uint8_t> head_;
    bool located_ = false;
    std::optional<uint64_t> sealAt_;
    std::array<uint8_t, kSealBytes> seal_{};
    size_t sealSeen_ = 0;
    uint64_t taken_ = 0;
    Sha256 sealedHash_;
    Sha256 plainHash_;
    Sha256Digest plainDigest_{};
};

}  // namespace kiro
