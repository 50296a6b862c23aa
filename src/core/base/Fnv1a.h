#pragma once
#include <cstdint>
#include <string_view>

namespace kiro {

// 64-bit FNV-1a: small, stable across runs and machines, and enough to tell the program's own
// records apart and to notice a record cut short.
inline uint64_t Fnv1a(std::string_view bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace kiro
