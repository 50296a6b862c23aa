#include "core/base/Numbers.h"

namespace kiro {

bool ReadDecimal(std::string_view text, size_t& pos, int& value) {
    size_t at = pos;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const size_t firstDigit = at;
    int64_t magnitude = 0;
    constexpr int64_t kBeyondInt = int64_t{std::numeric_limits<int>::max()} + 2;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        // Past the int range the exact magnitude no longer matters, only that it is past.
        if (magnitude < kBeyondInt) magnitude = magnitude * 10 + (text[at] - '0');
        ++at;
    }
    if (at == firstDigit) return false;
    value = SaturatedInt(negative ? -magnitude : magnitude);
    pos = at;
    return true;
}

std::optional<int> LeadingNumber(std::string_view text) {
    size_t pos = 0;
    int value = 0;
    if (!ReadDecimal(text, pos, value)) return std::nullopt;
    return value;
}

int LeadingInt(std::string_view text) {
    return LeadingNumber(text).value_or(0);
}

}  // namespace kiro
