#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kiro {

using Sha256Digest = std::array<uint8_t, 32>;

// SHA-256 (FIPS 180-4) over bytes given piece by piece: a program file is hashed as it arrives,
// never held whole.
class Sha256 {
  public:
    Sha256();
    void Add(std::span<const uint8_t> bytes);
    // `count` zero bytes, as if they were added.
    void AddZeros(size_t count);
    // The digest of everything added; the object is spent afterwards.
    Sha256Digest Finish();

  private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> state_;
    std::array<uint8_t, 64> block_{};
    size_t filled_ = 0;
    uint64_t length_ = 0;
};

Sha256Digest Sha256Of(std::span<const uint8_t> bytes);

}  // namespace kiro
