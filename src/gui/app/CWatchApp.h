#pragma once
#include <string>

#include "gui/demo/DemoSession.h"
#include "gui/demo/DemoWatchStream.h"

namespace kiro::gui {

// A window of the demo that a screenshot shows instead of the main window.
enum class DemoWindow { None, Simulation, BatteryCurve, Factory, Sleep };
// Parses "simulation", "battery", "factory" or "sleep".
bool ParseDemoWindow(const std::string& text, DemoWindow& window);

// How the program was asked to start.
struct StartOptions {
    bool demo = false;
    DemoKind demoKind = DemoKind::DeviceC;
    // No person at the screen: questions are answered Yes, message boxes are not shown, and
    // status texts are printed.
    bool unattended = false;
    // The program folder is KiroMeter2 in the person's data folder (made when missing) instead of
    // the working directory: the start from the desktop's menu.
    bool userFolder = false;
    // Saves a picture of the window there after the demo's collection, then ends the program.
    std::string screenshotPath;
    // The page shown in that picture (0..6); none: the page the window opened on.
    int page = -1;
    // The window opened from a page that the picture shows (the factory window with a line of
    // new watches running through it).
    DemoWindow window = DemoWindow::None;
    std::string demoDataFolder;
    // The demo's endurance run: this many passes of plugging the watch out and in with a new day
    // each time, then the program ends (0 when every check held).
    int demoCycles = 0;
    // Prints the time from process start to the end of the main window's first paint, and the
    // resident memory then, and ends the program.
    bool measureStartup = false;
};

// The program: settles the program folder and settings, chooses the real devices or the
// simulated watch of the demo, runs the main window until it is closed, and ends with 0 (the
// endurance run of the demo: with its result).
class CWatchApp {
  public:
    int Run(const StartOptions& options);
};

// Reads the program's own arguments; false with a message for an argument it does not know.
bool ParseStartOptions(int argc, char** argv, StartOptions& options, std::string& error);

// Prints the running program's stamp ("0x%08X", 0xFFFFFFFF when it has none) for `--stamp`,
// without opening a display.
int PrintOwnStamp();

}  // namespace kiro::gui
