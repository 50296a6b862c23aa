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

// The system's tables give a byte that belongs to no character of the Chinese code pages (0xFF
// in 936) a place in the private use area; it is no character of the text, so it shows as the
// replacement mark, as any other stray byte does.
void MarkStrayBytes(std::wstring& wide) {
    for (wchar_t& c : wide)
        if (c >= 0xE000 && c <= 0xF8FF) c = 0xFFFD;
}

// A character beyond the first 65 536 comes as a pair of UTF-16 units, which a code page would
// turn into two marks: it becomes one unit the code pages lack, so that it gives one.
void OneUnitPerCharacter(std::wstring& wide) {
    std::wstring out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() &&
                          wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
        out += pair ? wchar_t{0xFFFD} : wide[i];
        i += pair ? 1 : 0;
    }
    wide = std::move(out);
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
    if (!codePage) return std::string(text);
    std::wstring wide = Widen(codePage, text);
    MarkStrayBytes(wide);
    return Narrow(CP_UTF8, wide);
}

std::string CodePageTextCodec::FromUtf8(std::string_view text, int language) const {
    const UINT codePage = CodePageOf(language);
    if (!codePage) return std::string(text);
    std::wstring wide = Widen(CP_UTF8, text);
    OneUnitPerCharacter(wide);
    return Narrow(codePage, wide);
}

}  // namespace kiro::win32_platform
