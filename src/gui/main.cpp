// KiroMeter_X5: the desktop program. main only reads the arguments and hands over to CWatchApp.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <string_view>

#include "gui/app/CWatchApp.h"
#include "gui/app/UserFolder.h"
#include "gui/demo/DemoDataFolder.h"
#include "platform/NativePlatform.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--stamp") return kiro::gui::PrintOwnStamp();
    QApplication application(argc, argv);
    // Qt adopts the user's locale; the settings file and every printf-style number text of the
    // program use the C locale's decimal point. "C" always exists: there is no failure to check.
    (void)std::setlocale(LC_NUMERIC, "C");  // NOLINT(concurrency-mt-unsafe): no thread of ours runs yet

    kiro::gui::StartOptions options;
    options.demoDataFolder = kiro::gui::DemoDataFolder(kiro::NativeProcessInfo().OwnProgramPath(),
                                                       KIRO_INSTALLED_DEMO_DATA_DIR, KIRO_DEMO_DATA_DIR);
    std::string error;
    if (!kiro::gui::ParseStartOptions(argc, argv, options, error)) {
        (void)std::fprintf(
            stderr,
            "KiroMeter_X5: %s\nusage: KiroMeter_X5 [--user-folder] [--demo[=device-c|device-e|file]] "
            "[--demo-cycles=N] [--unattended] [--page N] [--window=simulation|battery|factory|sleep] "
            "[--screenshot=FILE] [--measure-startup] [--stamp]\n",
            error.c_str());
        return 2;
    }
    // Before anything of the program folder is read: the working directory is the program folder.
    if (options.userFolder && !kiro::gui::EnterUserFolder(error)) {
        (void)std::fprintf(stderr, "KiroMeter_X5: %s\n", error.c_str());
        return 2;
    }
    return kiro::gui::CWatchApp().Run(options);
}
