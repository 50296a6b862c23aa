#include "core/base/Format.h"

#include <cstdio>
#include <vector>

namespace kiro {

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) return {};
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    (void)std::vsnprintf(out.data(), out.size(), format, args);  // writes the `needed` bytes measured
    out.resize(static_cast<size_t>(needed));
    return out;
}

std::string Format(const char* format, ...) {  // NOLINT(cert-dcl50-cpp): the texts are printf formats
    va_list args;
    va_start(args, format);
    std::string out = FormatV(format, args);
    va_end(args);
    return out;
}

}  // namespace kiro
