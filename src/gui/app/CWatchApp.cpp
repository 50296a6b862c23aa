#include "gui/app/CWatchApp.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "core/app/App.h"
#include "core/app/Format.h"
#include "core/app/ProgramFolder.h"
#include "core/app/StatusTexts.h"
#include "gui/UiText.h"
#include "gui/app/X11Keyboard.h"
#include "gui/mainwindow/CMainDlg.h"
#include "gui/mainwindow/CPageTab.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/IconvTextCodec.h"
#include "platform/linux/LinuxClock.h"
#include "platform/linux/LinuxMachine.h"
#include "platform/linux/PosixFileSystem.h"

namespace kiro::gui {
namespace {

// The demo plugs its watch in 1.5 s after start, as a person would after opening the program.
constexpr int kDemoPlugInDelayMs = 1500;

void WireDemo(CMainDlg& window, DemoSession& demo, const StartOptions& options) {
    const auto deliver = [&window, &demo] { demo.Machine().events.Dispatch(window.Discovery()); };
    QMenu* menu = window.DemoMenuBar()->addMenu("&Demo");
    QAction* plugIn = menu->addAction("Plug the watch &in", [&demo, deliver] {
        demo.PlugIn();
        deliver();
    });
    plugIn->setShortcut(QKeySequence("Ctrl+I"));
    QAction* plugOut = menu->addAction("Plug the watch &out", [&demo, deliver] {
        demo.PlugOut();
        deliver();
    });
    plugOut->setShortcut(QKeySequence("Ctrl+O"));

    QTimer::singleShot(kDemoPlugInDelayMs, &window, [&window, &demo, deliver, options] {
        demo.PlugIn();
        deliver();
        if (options.screenshotPath.empty()) return;
        QTimer::singleShot(500, &window, [&window, options] {
            if (options.page >= 0) window.Pages().SwitchTo(options.page);
            window.grab().save(QString::fromStdString(options.screenshotPath));
            window.done(0);
        });
    });
}

}  // namespace

bool ParseStartOptions(int argc, char** argv, StartOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo" || arg.rfind("--demo=", 0) == 0) {
            options.demo = true;
            if (!ParseDemoKind(arg.size() > 7 ? arg.substr(7) : "", options.demoKind)) {
                error = "unknown demo watch '" + arg.substr(7) + "' (device-c, device-e or file)";
                return false;
            }
        } else if (arg == "--unattended") {
            options.unattended = true;
        } else if (arg.rfind("--screenshot=", 0) == 0) {
            options.screenshotPath = arg.substr(13);
        } else if (arg == "--page" || arg.rfind("--page=", 0) == 0) {
            const std::string number = arg == "--page" ? (i + 1 < argc ? argv[++i] : "") : arg.substr(7);
            if (number.size() != 1 || number[0] < '0' || number[0] > '6') {
                error = "--page takes a page number from 0 to 6";
                return false;
            }
            options.page = number[0] - '0';
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    return true;
}

int CWatchApp::Run(const StartOptions& options) {
    linux_platform::LinuxClock clock;
    linux_platform::EnvironmentLocale locale;
    linux_platform::IconvTextCodec codec;
    linux_platform::PosixFileSystem files;
    App app(ProgramFolderOfThisProcess(), clock, locale, files);
    app.updateReady = false;
    // Another copy busy in the folder finishes its own commit; any other failure is shown below.
    std::error_code startProblem = app.Start();
    if (startProblem == std::errc::device_or_resource_busy) startProblem.clear();
    UiText texts(app, codec);
    X11Keyboard keyboard;

    std::unique_ptr<linux_platform::LinuxMachine> machine;
    std::unique_ptr<DemoSession> demo;
    std::unique_ptr<CMainDlg> window;
    if (options.demo) {
        demo = std::make_unique<DemoSession>(app, options.demoKind, options.demoDataFolder);
        sim::SimulatedMachine& simulated = demo->Machine();
        window = std::make_unique<CMainDlg>(
            app, texts,
            GuiPorts{simulated.volumes, simulated.devices, simulated.events, simulated.attributes, keyboard});
    } else {
        machine = std::make_unique<linux_platform::LinuxMachine>();
        window = std::make_unique<CMainDlg>(
            app, texts,
            GuiPorts{machine->volumes, machine->devices, machine->events, machine->attributes, keyboard});
    }
    if (options.unattended) {
        window->Host().SetUnattended(true);
        window->Host().echo = [](const std::string& text) {
            std::printf("%s\n", text.c_str());
            std::fflush(stdout);
        };
    }
    if (startProblem)
        window->Host().SetStatusText(
            FormatText(app.GetLangText(kTextFolderNotUpdated), startProblem.message().c_str()));
    if (const std::error_code& error = app.Config().LoadError())
        window->Host().SetStatusText(
            FormatText(app.GetLangText(kTextFolderNotUpdated),
                       (std::string(kSettingsFileName) + ": " + error.message()).c_str()));
    if (demo) WireDemo(*window, *demo, options);
    window->exec();
    return 0;
}

}  // namespace kiro::gui
