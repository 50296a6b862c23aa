#pragma once
#include "core/system/Locale.h"

namespace kiro::win32_platform {

// The abbreviated language names the system gives for the user's and the machine's default
// locales (GetLocaleInfoA with LOCALE_SABBREVLANGNAME: "ENU", "CHT", "CHS", ...).
class Win32Locale final : public Locale {
  public:
    std::string AbbreviatedLanguageName() const override;
    std::string SystemLanguageName() const override;
};

}  // namespace kiro::win32_platform
