#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/system/Locale.h"

namespace kiro::linux_platform {

// The locale as the environment names it: LC_ALL, then LC_MESSAGES, then LANG, the first
// that is set and not empty. The machine's own default is the LANG of its locale file
// (/etc/default/locale on Debian, /etc/locale.conf elsewhere).
class EnvironmentLocale final : public Locale {
  public:
    using Lookup = std::function<const char*(const char*)>;
    EnvironmentLocale();
    EnvironmentLocale(Lookup lookup, std::vector<std::string> systemFiles)
        : lookup_(std::move(lookup)), systemFiles_(std::move(systemFiles)) {}

    std::string PosixLocaleName() const;
    std::string AbbreviatedLanguageName() const override;
    std::string SystemLanguageName() const override;

  private:
    Lookup lookup_;
    std::vector<std::string> systemFiles_;
};

}  // namespace kiro::linux_platform
