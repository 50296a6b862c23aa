#pragma once
#include <string>
#include <string_view>

namespace kiro {

// A display text without the blanks that pad it for its list cell or field, for exporting it.
inline std::string WithoutPadding(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace kiro
