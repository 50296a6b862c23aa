#include "core/analysis/ChartAxes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace kiro {
namespace {
// Far beyond any screen, yet a sum of two of them cannot overflow an int.
constexpr double kCoordinateLimit = 1 << 28;
}  // namespace

std::int64_t WholeUnits(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<std::int64_t>(std::clamp(value, double{INT_MIN}, double{INT_MAX}));
}

int TruncToCoordinate(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

int LabelWidthChars(double lower, double upper, int decimals) {
    auto exponentDigits = [](double bound) -> int {
        if (bound == 0) return 0;
        // An infinite bound would otherwise make the width overflow; no finite double has more
        // than 308 exponent digits.
        return static_cast<int>(
            std::min<std::int64_t>(std::llabs(WholeUnits(std::log10(std::fabs(bound)))), 400));
    };
    return std::max(exponentDigits(upper), exponentDigits(lower)) + decimals + 4;
}

}  // namespace kiro
