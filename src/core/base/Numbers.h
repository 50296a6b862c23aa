#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace kiro {

// A 64-bit count brought into the 32-bit range the settings file keeps, stopping at either end
// instead of wrapping round.
inline int SaturatedInt(int64_t value) {
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// Reads a decimal integer at `pos` as scanf's "%d" and strtol do: blanks, an optional sign,
// then at least one digit. A number beyond the int range stops at INT_MAX or INT_MIN, as strtol
// stops at its limits. On success `pos` moves past the number; otherwise nothing changes.
bool ReadDecimal(std::string_view text, size_t& pos, int& value);

// The leading decimal integer of a text, 0 when it has none (atoi, but saturating).
int LeadingInt(std::string_view text);
// The same, or nothing when the text does not begin with a number (after blanks).
std::optional<int> LeadingNumber(std::string_view text);

}  // namespace kiro
