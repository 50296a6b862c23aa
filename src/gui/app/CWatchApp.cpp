#include "gui/app/CWatchApp.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

#include "core/app/App.h"
#include "core/base/Format.h"
#include "core/base/ProgramFolder.h"
#include "core/update/ProgramStamp.h"
#include "core/update/UpdateKey.h"
#include "core/update/UpdaterHandOver.h"
#include "gui/UiText.h"
#include "gui/app/DesktopKeyboard.h"
#include "gui/app/StartupProbe.h"
#include "gui/app/UpdaterImage.h"
#include "gui/demo/DemoCycles.h"
#include "gui/mainwindow/CMainDlg.h"
#include "gui/mainwindow/CPageTab.h"
#include "gui/mainwindow/FirstPaintProbe.h"
#include "gui/pages/CPersonalGraphicPage.h"
#include "gui/pages/CReportPage.h"
#include "gui/pages/CSetupPage.h"
#include "platform/NativePlatform.h"
#include "platform/sim/OfflineHttpClient.h"

#if defined(_WIN32)
#include "gui/win32/DeviceMessageFilter.h"
#endif

namespace kiro::gui {
namespace {

// The demo plugs its watch in 1.5 s after start, as a person would after opening the program.
constexpr int kDemoPlugInDelayMs = 1500;
// A window opened for a picture is pictured after it has had time to show something.
constexpr int kWindowSettleMs = 7000;
// An unattended run without the demo ends once its update check has, at the latest after a minute.
constexpr int kUnattendedLimitS = 60;
constexpr int kUnattendedPollMs = 200;

// The demo's line of blank watches hands over the next one every few seconds.
constexpr int kLinePeriodMs = 3000;

CPersonalGraphicPage& PersonalGraphicPage(CMainDlg& window) {
    return static_cast<CPersonalGraphicPage&>(*window.Pages().Page(kPersonalGraphicPage));
}

// Saves a picture of the window that opened over the main window, or of the main window, and
// ends the program once that window has closed.
void SaveScreenshotAndEnd(CMainDlg& window, const StartOptions& options) {
    QWidget* shown = QApplication::activeModalWidget();
    QWidget* pictured = shown != nullptr && shown != &window ? shown : &window;
    pictured->grab().save(QString::fromStdString(options.screenshotPath));
    if (pictured != &window) {
        QObject::connect(pictured, &QObject::destroyed, &window, [&window] { window.done(0); });
        pictured->close();
        return;
    }
    window.done(0);
}

// Opens the window the picture is to show: one of the main window's pages, or a window opened
// from one. The factory window is pictured with new watches going through it.
void OpenPicturedWindow(CMainDlg& window, const StartOptions& options, QAction& runLine) {
    if (options.page >= 0) window.Pages().SwitchTo(options.page);
    if (options.window == DemoWindow::None) return;
    CPersonalGraphicPage& graphics = PersonalGraphicPage(window);
    auto& setup = static_cast<CSetupPage&>(*window.Pages().Page(kSetupPage));
    switch (options.window) {
        case DemoWindow::Simulation:
            window.Pages().SwitchTo(kPersonalGraphicPage);
            graphics.SimulationButton()->click();
            break;
        case DemoWindow::BatteryCurve:
            window.Pages().SwitchTo(kSetupPage);
            setup.BatteryButton()->click();
            break;
        case DemoWindow::Factory:
            window.Pages().SwitchTo(kPersonalGraphicPage);
            runLine.trigger();
            break;
        case DemoWindow::Sleep:
            // Today's night has not ended yet: the picture shows the night before last, picked
            // on the calendar as a user would.
            window.Calendar()->setSelectedDate(window.Calendar()->selectedDate().addDays(-2));
            window.Pages().SwitchTo(kReportPage);
            static_cast<CReportPage&>(*window.Pages().Page(kReportPage)).SleepButton()->click();
            break;
        case DemoWindow::None:
            break;
    }
}

void WireDemo(CMainDlg& window, DemoSession& demo, DemoWatchStream& line, const StartOptions& options,
              App& app, const ProcessInfo& process) {
    const auto deliver = [&window, &demo] { demo.Machine().events.Dispatch(window.DeviceSink()); };
    QMenu* menu = window.AddDemoMenu("&Demo");
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
    menu->addSeparator();
    // Save with the right Shift and right Alt keys held opens it too.
    menu->addAction("Open the &factory window", [&window] { PersonalGraphicPage(window).OpenFactory(); });
    auto* lineTimer = new QTimer(&window);
    QObject::connect(lineTimer, &QTimer::timeout, &window, [&line, deliver] {
        line.Next();
        deliver();
    });
    // The line's watches are meant for the factory window: it runs while that window is open and
    // stops when it closes, so that no stream of watches reaches the main window's questions.
    QAction* runLine = menu->addAction("Run a &line of new watches", [&window, lineTimer, &line, deliver] {
        lineTimer->start(kLinePeriodMs);
        PersonalGraphicPage(window).OpenFactory();
        lineTimer->stop();
        line.Stop();
        deliver();
    });

    QTimer::singleShot(
        kDemoPlugInDelayMs, &window, [&window, &demo, deliver, runLine, options, &app, &process] {
            demo.PlugIn();
            deliver();
            if (options.demoCycles > 0) {
                auto* cycles = new DemoCycles(
                    window, demo, app, process, options.demoCycles, deliver, [](const std::string& text) {
                        std::printf("%s\n", text.c_str());
                        (void)std::fflush(stdout);  // a closed pipe has no one to tell
                    });
                cycles->Start();
                return;
            }
            if (options.screenshotPath.empty()) return;
            // The picture is taken from inside the window it shows, which may run its own loop.
            QTimer::singleShot(500, &window, [&window, runLine, options] {
                QTimer::singleShot(options.window == DemoWindow::None ? 0 : kWindowSettleMs, &window,
                                   [&window, options] { SaveScreenshotAndEnd(window, options); });
                OpenPicturedWindow(window, options, *runLine);
            });
        });
}

// Without a person at the screen and without the demo, the program runs its start (the update
// check included) and ends through the usual exit once the check and any download are over.
void EndWhenUpdateCheckEnds(CMainDlg& window) {
    auto* poll = new QTimer(&window);
    const auto started = std::chrono::steady_clock::now();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, started] {
        const bool timeUp =
            std::chrono::steady_clock::now() - started > std::chrono::seconds(kUnattendedLimitS);
        if (window.UpdateCheckOver() || timeUp) window.done(0);
    });
    poll->start(kUnattendedPollMs);
}

}  // namespace

bool ParseDemoWindow(const std::string& text, DemoWindow& window) {
    if (text == "simulation") {
        window = DemoWindow::Simulation;
    } else if (text == "battery") {
        window = DemoWindow::BatteryCurve;
    } else if (text == "factory") {
        window = DemoWindow::Factory;
    } else if (text == "sleep") {
        window = DemoWindow::Sleep;
    } else {
        return false;
    }
    return true;
}

bool ParseStartOptions(int argc, char** argv, StartOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo" || arg.rfind("--demo=", 0) == 0) {
            options.demo = true;
            if (!ParseDemoKind(arg.size() > 7 ? arg.substr(7) : "", options.demoKind)) {
                error = "unknown demo watch '" + arg.substr(7) + "' (device-c, device-e or file)";
                return false;
            }
        } else if (arg == "--stamp") {
            error = "--stamp takes no other argument";
            return false;
        } else if (arg.rfind("--demo-cycles=", 0) == 0) {
            const std::string number = arg.substr(14);
            options.demoCycles = !number.empty() && number.size() <= 6 &&
                                         number.find_first_not_of("0123456789") == std::string::npos
                                     ? std::stoi(number)
                                     : 0;
            if (options.demoCycles < 1) {
                error = "--demo-cycles takes a number of passes from 1 to 999999";
                return false;
            }
        } else if (arg == "--unattended") {
            options.unattended = true;
        } else if (arg == "--user-folder") {
            options.userFolder = true;
        } else if (arg == "--measure-startup") {
            options.measureStartup = true;
        } else if (arg.rfind("--screenshot=", 0) == 0) {
            options.screenshotPath = arg.substr(13);
        } else if (arg.rfind("--window=", 0) == 0) {
            if (!ParseDemoWindow(arg.substr(9), options.window)) {
                error = "unknown window '" + arg.substr(9) + "' (simulation, battery, factory or sleep)";
                return false;
            }
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
    if (options.demoCycles > 0 && !options.demo) {
        error = "--demo-cycles needs --demo";
        return false;
    }
    return true;
}

int PrintOwnStamp() {
    NativeFileSystem files;
    NativeProcessInfo process;
    std::printf("0x%08X\n", ReadProgramStamp(files, process.OwnProgramPath()).stamp);
    return 0;
}

int CWatchApp::Run(const StartOptions& options) {
    NativeClock clock;
    NativeLocale locale;
    NativeTextCodec codec;
    NativeFileSystem files;
    NativeProcessInfo process;
    NativeLauncher launcher;
    App app(ProgramFolderOfThisProcess(), clock, locale, files);
    app.updateReady = false;
    // Another copy busy in the folder finishes its own commit; any other failure is shown below.
    std::error_code startProblem = app.Start();
    if (startProblem == std::errc::device_or_resource_busy) startProblem.clear();
    UiText texts(app, codec);
    DesktopKeyboard keyboard;

    std::unique_ptr<NativeMachine> machine;
    std::unique_ptr<DemoSession> demo;
    // The demo is a world of its own: its update check finds no network.
    sim::OfflineHttpClient offline;
    NativeHttpClient http;
    std::optional<NativeSignatureVerifier> signatures;
    if (!UpdatePublicKey().empty()) signatures.emplace(UpdatePublicKey());
    std::unique_ptr<CMainDlg> window;
    if (options.demo) {
        demo = std::make_unique<DemoSession>(app, options.demoKind, options.demoDataFolder);
        sim::SimulatedMachine& simulated = demo->Machine();
        window = std::make_unique<CMainDlg>(app, texts,
                                            GuiPorts{simulated.volumes, simulated.devices, simulated.events,
                                                     simulated.attributes, keyboard, offline, process});
    } else {
        machine = std::make_unique<NativeMachine>();
        window = std::make_unique<CMainDlg>(
            app, texts,
            GuiPorts{machine->volumes, machine->devices, machine->events, machine->attributes, keyboard, http,
                     process, signatures ? &*signatures : nullptr});
    }
#if defined(_WIN32)
    // Windows tells of devices in messages to the main window, not through a descriptor.
    std::unique_ptr<DeviceMessageFilter> deviceMessages;
    if (machine) {
        CMainDlg& shown = *window;
        deviceMessages =
            std::make_unique<DeviceMessageFilter>(machine->events, reinterpret_cast<void*>(shown.winId()),
                                                  [&shown] { shown.DeliverDeviceEvents(); });
    }
#endif
    if (options.unattended) {
        window->Host().SetUnattended(true);
        window->Host().echo = [](const std::string& text) {
            std::printf("%s\n", text.c_str());
            (void)std::fflush(stdout);  // a closed pipe has no one to tell
        };
    }
    if (startProblem)
        window->Host().SetStatusText(
            FormatText(app.GetLangText(TextId::FolderNotUpdated), startProblem.message().c_str()));
    if (const std::error_code& error = app.Config().LoadError())
        window->Host().SetStatusText(
            FormatText(app.GetLangText(TextId::FolderNotUpdated),
                       (std::string(kSettingsFileName) + ": " + error.message()).c_str()));
    std::unique_ptr<DemoWatchStream> line;
    if (demo) {
        line = std::make_unique<DemoWatchStream>(demo->Machine(), clock,
                                                 app.Paths().Folder() + "/demo-factory-line");
        WireDemo(*window, *demo, *line, options, app, process);
    } else if (options.unattended) {
        EndWhenUpdateCheckEnds(*window);
    }
    if (options.measureStartup) {
        CMainDlg& shown = *window;
        // Owned by the window, as its child.
        new FirstPaintProbe(shown, [&shown, &process] {
            PrintStartupFigures(process);
            shown.done(0);
        });
    }
    const int result = window->exec();

    // The end of the run: the check stops (a download in the middle is given up), and a new
    // build that is ready goes to the updater, which puts it in place once this program has ended.
    window->StopUpdateCheck();
    HandOverToUpdater(app, launcher, UpdaterImage());
    // The window's own ways of closing end the program normally, whatever code they close with.
    return options.demoCycles > 0 ? result : 0;
}

}  // namespace kiro::gui
