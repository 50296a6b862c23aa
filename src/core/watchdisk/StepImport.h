#pragma once
#include <cstdint>
#include <string>
#include <system_error>

#include "core/watchdisk/StepFile.h"

namespace kiro {

class App;
class Host;

// What an import stores, or would store.
struct ImportFigures {
    int days = 0;             // days that gain steps
    int64_t minutes = 0;      // minutes that gain steps
    int64_t steps = 0;        // the steps they gain
    int64_t minutesHeld = 0;  // minutes of the file left out: the folder holds steps for them already
};

enum class ImportResult {
    Stored,          // stored (or, in a preview, would be stored) as the figures say
    ImportedBefore,  // the journal has this file of this person already: nothing is stored
    FolderBusy,      // another program kept the program folder past the wait
    FolderFailed,    // the folder could not be read or written (`error`); nothing was stored
};

struct ImportOutcome {
    ImportResult result = ImportResult::Stored;
    std::error_code error;
    ImportFigures figures;
};

// Steps from another tracker are stored only in minutes for which the folder holds no steps:
// a minute a watch recorded is never added to, and neither is one imported before, so a file
// imported twice, or two files that overlap, count each minute once. The journal also keeps
// every file imported, by content and person, and the same file again stores nothing.
//
// The import goes into the program folder as a collection does: months, totals, running
// missions and journal in one commit, under the folder's lock. `file` must have no problem.
ImportOutcome ImportStepFile(App& app, StepFileContent&& file);
// The same figures without changing anything, read under the folder's shared lock.
ImportOutcome PreviewStepFile(App& app, const StepFileContent& file);

// The window's import of a file dropped on it: a file of several people asks person by person
// whose steps to take, then the question says what would be stored, and only a Yes stores it.
// Problems are shown in a message box, what was stored in the status line. `name` is the file's
// name as the texts show it (8-bit, in the current language). Returns whether anything changed.
bool ImportStepFileAsking(App& app, Host& host, const std::string& path, const std::string& name);

// The reason the file `fileName` cannot be imported, as a text of the current language (8-bit).
std::string DescribeStepFileProblem(const App& app, const StepFileContent& file, const std::string& fileName);
// What an import stored or would store, as a text of the current language (8-bit).
std::string DescribeImportFigures(const App& app, const ImportFigures& figures);

}  // namespace kiro
