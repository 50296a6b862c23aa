#pragma once
// printf-style formatting into a std::string. The program's texts are printf formats
// (they travel in three languages with the same placeholders), so this is the one place
// that turns them into strings, sized to fit instead of a fixed buffer.
#include <cstdarg>
#include <string>

// MinGW's own C99 formatting (the build sets __USE_MINGW_ANSI_STDIO) is checked as the GNU
// printf, not as the older Microsoft one that lacks %zu and %lld.
#if defined(__MINGW32__)
#define KIRO_PRINTF_CHECK gnu_printf
#else
#define KIRO_PRINTF_CHECK printf
#endif

namespace kiro {

std::string Format(const char* format, ...) __attribute__((format(KIRO_PRINTF_CHECK, 1, 2)));
std::string FormatV(const char* format, va_list args);

// Formats a text that is not a literal (a UI text of the table). The caller guarantees the
// placeholders match the arguments, as they do in every language of the table.
template <typename... Args>
std::string FormatText(const char* text, Args... args) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    return Format(text, args...);
#pragma GCC diagnostic pop
}

}  // namespace kiro
