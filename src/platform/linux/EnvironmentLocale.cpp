#include "platform/linux/EnvironmentLocale.h"

#include <cstdlib>

#include "core/app/Language.h"

namespace kiro::linux_platform {

EnvironmentLocale::EnvironmentLocale() : lookup_([](const char* name) { return std::getenv(name); }) {}

std::string EnvironmentLocale::PosixLocaleName() const {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = lookup_(name);
        if (value && *value) return value;
    }
    return {};
}

std::string EnvironmentLocale::AbbreviatedLanguageName() const {
    return AbbreviatedNameForPosixLocale(PosixLocaleName());
}

}  // namespace kiro::linux_platform
