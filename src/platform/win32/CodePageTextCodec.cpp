#include "platform/win32/CodePageTextCodec.h"

#include <windows.h>

#include <climits>
#include <string>

#include "core/app/Language.h"

namespace kiro::win32_platform {
namespace {

UINT CodePageOf(int language) {
    if (language == kTraditionalChinese) return 950;
    if (language == kSimplifiedChinese) return 936;
    return 0;
}

std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A character the code page lacks becomes `?`, never a look-alike: the watch shows exactly
// what it is sent.
std::string Narrow(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* mark = codePage == CP_UTF8 ? nullptr : "?";
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, mark, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, flags, wide.data(), size, narrow.data(), length, mark, nullptr);
    return narrow;
}

}  // namespace

// A byte that does not belong to the code page comes out as the system's replacement mark.
std::string CodePageTextCodec::ToUtf8(std::string_view text, int language) const {
    const UINT codePage = CodePageOf(language);
    return codePage ? Narrow(CP_UTF8, Widen(codePage, text)) : std::string(text);
}

std::string CodePageTextCodec::FromUtf8(std::string_view text, int language) const {
    const UINT codePage = CodePageOf(language);
    return codePage ? Narrow(codePage, Widen(CP_UTF8, text)) : std::string(text);
}

}  // namespace kiro::win32_platform
