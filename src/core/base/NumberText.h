#pragma once
#include <string>

namespace kiro {

// Numbers written as printf writes them in the C locale, without parsing a format each time:
// the report lists hold thousands of them, and building a week's rows was mostly printf.
// "%d"
void AppendInt(std::string& out, long long value);
// "%0*d" (a negative number as printf pads it, the sign inside the width)
void AppendZeroPadded(std::string& out, int value, int width);
// "%.*f"
void AppendFixed(std::string& out, double value, int decimals);

}  // namespace kiro
