#include "platform/win32/Win32Locale.h"

#include <windows.h>

namespace kiro::win32_platform {
namespace {

std::string AbbreviatedNameOf(LCID locale) {
    char name[16] = {};
    const int length = GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, name, sizeof name);
    return length > 1 ? std::string(name, static_cast<size_t>(length - 1)) : std::string();
}

}  // namespace

std::string Win32Locale::AbbreviatedLanguageName() const {
    return AbbreviatedNameOf(LOCALE_USER_DEFAULT);
}

std::string Win32Locale::SystemLanguageName() const {
    return AbbreviatedNameOf(LOCALE_SYSTEM_DEFAULT);
}

}  // namespace kiro::win32_platform
