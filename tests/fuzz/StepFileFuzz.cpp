// A steps file of another tracker, of any content: its first byte chooses the person asked for
// (0: none, else the Id "1" or "2"), the rest is the file. Whatever it holds, a file with a
// problem keeps nothing to store and names a line only where one is to blame, a good file keeps
// no more months than an import takes, and the content is taken whole.
#include <algorithm>
#include <cstdint>

#include "FuzzCheck.h"
#include "core/watchdisk/StepFile.h"
#include "platform/NativePlatform.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::ScratchFolder folder;
    static NativeFileSystem files;
    if (size == 0) return 0;
    const std::string person = data[0] % 3 == 0 ? "" : data[0] % 3 == 1 ? "1" : "2";
    const std::string_view content = fuzz::TextOf(data + 1, size - 1);
    folder.Folder().Write("steps.csv", std::string(content));
    const StepFileContent file = ReadStepFile(files, folder.File("steps.csv"), person);

    const int64_t lines = std::count(content.begin(), content.end(), '\n') + 1;
    fuzz::Require(file.line >= 0 && file.line <= lines, "a line named is a line of the file");
    fuzz::Require(file.months.Months().size() <= kMaxImportMonths, "no more months than an import takes");
    fuzz::Require(file.people.size() <= kMaxListedPeople, "the Ids kept are few");
    if (file.problem != StepFileProblem::None) {
        fuzz::Require(file.months.Empty(), "a file with a problem stores nothing");
        return 0;
    }
    fuzz::Require(file.identity.size == content.size(), "a good file is read to its end");
    fuzz::Require(file.person == person || person.empty(), "the person asked for is the person taken");
    return 0;
}
