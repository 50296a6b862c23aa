// KiroMeter_X5: the desktop program. main only wires the platform adapters to the core and
// runs the main window.
#include <QApplication>
#include <clocale>
#include <filesystem>

#include "core/app/App.h"
#include "core/app/ProgramFolder.h"
#include "gui/CMainDlg.h"
#include "gui/UiText.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/IconvTextCodec.h"
#include "platform/linux/LinuxClock.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt adopts the user's locale; the settings file and every printf-style number text of the
    // program use the C locale's decimal point.
    std::setlocale(LC_NUMERIC, "C");

    kiro::linux_platform::LinuxClock clock;
    kiro::linux_platform::EnvironmentLocale locale;
    kiro::linux_platform::IconvTextCodec codec;
    kiro::App app(kiro::DeriveProgramFolder(std::filesystem::current_path().string()), clock, locale);
    app.LoadSettings();

    kiro::gui::UiText texts(app, codec);
    kiro::gui::CMainDlg window(app, texts);
    window.show();
    return application.exec();
}
