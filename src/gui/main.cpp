// KiroMeter_X5: the desktop program. main only reads the arguments and hands over to CWatchApp.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <string_view>

#include "gui/app/CWatchApp.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--stamp") return kiro::gui::PrintOwnStamp();
    QApplication application(argc, argv);
    // Qt adopts the user's locale; the settings file and every printf-style number text of the
    // program use the C locale's decimal point. "C" always exists: there is no failure to check.
    (void)std::setlocale(LC_NUMERIC, "C");  // NOLINT(concurrency-mt-unsafe): no thread of ours runs yet

    kiro::gui::StartOptions options;
    options.demoDataFolder = KIRO_DEMO_DATA_DIR;
    std::string error;
    if (!kiro::gui::ParseStartOptions(argc, argv, options, error)) {
        (void)std::fprintf(
            stderr,
            "KiroMeter_X5: %s\nusage: KiroMeter_X5 [--demo[=device-c|device-e|file]] "
            "[--unattended] [--page N] [--window=simulation|battery|factory] [--screenshot=FILE] "
            "[--stamp]\n",
            error.c_str());
        return 2;
    }
    return kiro::gui::CWatchApp().Run(options);
}
