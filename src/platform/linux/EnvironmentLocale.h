#pragma once
#include <functional>
#include <string>

#include "core/system/Locale.h"

namespace kiro::linux_platform {

// The locale as the environment names it: LC_ALL, then LC_MESSAGES, then LANG, the first
// that is set and not empty.
class EnvironmentLocale final : public Locale {
  public:
    using Lookup = std::function<const char*(const char*)>;
    EnvironmentLocale();
    explicit EnvironmentLocale(Lookup lookup) : lookup_(std::move(lookup)) {}

    std::string PosixLocaleName() const;
    std::string AbbreviatedLanguageName() const override;

  private:
    Lookup lookup_;
};

}  // namespace kiro::linux_platform
