#pragma once
#include <string>

#include "core/app/App.h"

namespace kiro {

// What the label over the watch picture says, in the current language: the program's name and
// the drive of the current watch (the name alone for a watch reached by its device path), or
// that no watch was found. Set again whenever the watch or the language changes.
std::string DiskLabelText(const App& app);

}  // namespace kiro
