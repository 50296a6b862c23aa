#pragma once
#include <string>

namespace kiro::gui {

// The program folder of a start from the desktop (--user-folder): KiroMeter2 in the person's
// data folder, $XDG_DATA_HOME, or ~/.local/share when that is unset, empty or relative (the base
// directory rules ignore relative paths there). Empty, with the reason in `error`, when HOME
// does not name an absolute folder either.
std::string UserFolderPath(const char* xdgDataHome, const char* home, std::string& error);

// Creates `folder` and any missing parents (the folder itself for its owner alone: it holds a
// person's health data), keeps one that exists as it is, and checks that this process can
// write in it. False, with a message naming the folder, otherwise.
bool PrepareUserFolder(const std::string& folder, std::string& error);

// Finds the user folder from this process's environment, prepares it and makes it the working
// directory, which is the program folder. On Windows the folder is KiroMeter2 in the roaming
// application data folder (%APPDATA%). False, with a message, when any step fails.
bool EnterUserFolder(std::string& error);

}  // namespace kiro::gui
