#pragma once
#include <memory>
#include <string>

#include "core/app/App.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/IconvTextCodec.h"
#include "platform/linux/LinuxClock.h"

namespace kiro::cli {

// What every command shares: the program folder option and, once asked for, the App over it
// with its settings loaded, exactly as the desktop program loads them at start.
class CliContext {
public:
    std::string folderOption;

    App& LoadedApp();
    const TextCodec& Codec() const { return codec_; }

private:
    linux_platform::LinuxClock clock_;
    linux_platform::EnvironmentLocale locale_;
    linux_platform::IconvTextCodec codec_;
    std::unique_ptr<App> app_;
};

}  // namespace kiro::cli
