#include "core/base/HexText.h"

#include "core/base/Format.h"

namespace kiro {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string ToHexPairs(const uint8_t* bytes, size_t count) {
    std::string hex;
    for (size_t i = 0; i < count; ++i) hex += Format("%02X", bytes[i]);
    return hex;
}

size_t DecodeHexPairs(std::string_view text, uint8_t* bytes, size_t capacity) {
    size_t decoded = 0;
    while (decoded < capacity && 2 * decoded + 1 < text.size()) {
        const int high = HexDigit(text[2 * decoded]);
        const int low = HexDigit(text[2 * decoded + 1]);
        if (high < 0 || low < 0) break;
        bytes[decoded++] = static_cast<uint8_t>(high * 16 + low);
    }
    return decoded;
}

}  // namespace kiro
