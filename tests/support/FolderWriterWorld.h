#pragma once
// A program folder with the writer over it: the real file system behind a faulty one that does
// nothing wrong until told, and a clock whose waits cost no time.
#include "core/store/ProgramFolderWriter.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kiro::test {

struct FolderWriterWorld {
    TempFolder folder;
    NativeFileSystem realFiles;
    FaultyFileSystem files{realFiles};
    sim::FakeClock clock;
    ProgramPaths paths{folder.Path()};
    ProgramFolderWriter writer{files, clock, paths};
};

}  // namespace kiro::test
