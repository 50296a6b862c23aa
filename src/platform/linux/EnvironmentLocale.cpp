#include "platform/linux/EnvironmentLocale.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/app/Language.h"

namespace kiro::linux_platform {

EnvironmentLocale::EnvironmentLocale()
    : EnvironmentLocale([](const char* name) { return std::getenv(name); },
                        {"/etc/default/locale", "/etc/locale.conf"}) {}

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

std::string EnvironmentLocale::SystemLanguageName() const {
    // Lines such as LANG=zh_TW.UTF-8 or LANG="en_US.UTF-8".
    for (const std::string& path : systemFiles_) {
        std::ifstream file(path);
        std::string line;
        while (std::getline(file, line)) {
            if (line.rfind("LANG=", 0) != 0) continue;
            std::string value = line.substr(5);
            value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
            if (!value.empty()) return AbbreviatedNameForPosixLocale(value);
        }
    }
    return {};
}

}  // namespace kiro::linux_platform
