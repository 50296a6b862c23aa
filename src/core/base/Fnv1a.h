#pragma once
#include <cstdint>
#include <string_view>

namespace kiro {

inline constexpr uint64_t kFnv1aStart = 1469598103934665603ull;

// 64-bit FNV-1a: small, stable across runs and machines, and enough to tell the program's own
// records apart and to notice a record cut short. A content read in pieces hashes piece by piece:
// each piece goes on from the hash of those before it.
inline uint64_t Fnv1a(std::string_view bytes, uint64_t hash = kFnv1aStart) {
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace kiro
