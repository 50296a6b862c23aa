#include "core/base/NumberText.h"

#include <charconv>

#include "core/base/Format.h"

namespace kiro {

void AppendInt(std::string& out, long long value) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<size_t>(end - digits));
}

void AppendZeroPadded(std::string& out, int value, int width) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const bool negative = value < 0;
    const char* first = digits + (negative ? 1 : 0);
    if (negative) out += '-';
    const long shown = (end - first) + (negative ? 1 : 0);
    if (shown < width) out.append(static_cast<size_t>(width - shown), '0');
    out.append(first, static_cast<size_t>(end - first));
}

void AppendFixed(std::string& out, double value, int decimals) {
    // The largest double in fixed notation: 309 digits, the point and the decimals asked for.
    char digits[400];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    // More decimals than the buffer holds: printf itself, however slow.
    if (written.ec != std::errc{}) {
        out += Format("%.*f", decimals, value);
        return;
    }
    out.append(digits, static_cast<size_t>(written.ptr - digits));
}

}  // namespace kiro
