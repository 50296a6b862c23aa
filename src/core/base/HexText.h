#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kiro {

// Bytes as pairs of upper-case hexadecimal digits ("%02X" each), as pictures travel in the
// watch's settings file and the program's own settings.
std::string ToHexPairs(const uint8_t* bytes, size_t count);

// Decodes pairs of hexadecimal digits (either case) from the start of the text into at most
// `capacity` bytes, stopping at the first pair that is not two digits. Returns the bytes decoded.
size_t DecodeHexPairs(std::string_view text, uint8_t* bytes, size_t capacity);

}  // namespace kiro
