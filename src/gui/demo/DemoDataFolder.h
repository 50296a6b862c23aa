#pragma once
#include <string>

namespace kiro::gui {

// The folder the demo reads its real steps from: the copy installed with the program, found
// from the program's own file (`installedRelative` is relative to the program's folder, so an
// installed tree works under any prefix and in a staging folder), or else `builtFrom`, the source
// tree of a program run where it was built. Without either, the demo makes up its days.
std::string DemoDataFolder(const std::string& ownProgramPath, const std::string& installedRelative,
                           const std::string& builtFrom);

}  // namespace kiro::gui
