#pragma once
#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BoundedRun.h"
#include "support/TempFolder.h"

namespace kiro::test {

// The world of one bad-input row, in a fresh temporary folder:
//   prog/     the program folder, holding two month files stored before the row
//   watch/    where a row puts a file-mode watch disk
//   outside/  files the program must never touch (the targets of planted links)
//   cwd/      the working directory of every kiro run
//   home/     HOME and TMPDIR of every kiro run
// A row arranges its bad input, seals the sandbox, acts, and then checks what every row checks:
// the months stored before are byte for byte as they were, and nothing but the program folder
// and the watch disk changed.
class Sandbox {
  public:
    Sandbox();

    const std::string& Root() const { return root_.Path(); }
    std::string Prog(const std::string& name = "") const { return Under("prog", name); }
    std::string Watch(const std::string& name = "") const { return Under("watch", name); }
    std::string Outside(const std::string& name = "") const { return Under("outside", name); }

    // Writes a file of the sandbox (path relative to the root), making its folders.
    void Write(const std::string& relativePath, const std::string& content) const {
        root_.Write(relativePath, content);
    }

    // The whole content of a file (path relative to the root), read in one piece: rows compare
    // files of 50 MiB and more.
    std::string Read(const std::string& relativePath) const;

    // "{prog}", "{watch}", "{outside}" and "{root}" in a text replaced by those folders.
    std::string Expand(std::string text) const;

    // Records the state every row must keep; call once the row's bad input is in place.
    void Seal();
    // What every row checks: the sealed month files unchanged, and nothing outside prog/ and
    // watch/ changed, nor at the root of the file system. Each difference is a test failure that
    // names `row`.
    void ExpectNothingLostOrLeaked(const std::string& row) const;

    // Runs the built kiro with arguments (placeholders expanded) in cwd/, at most `limit`.
    BoundedResult Kiro(const std::vector<std::string>& arguments, std::chrono::milliseconds limit) const;
    // The same under another program that then starts kiro (`prefix` ends where kiro's path goes).
    BoundedResult KiroUnder(const std::vector<std::string>& prefix, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds limit) const;

    // The two months stored before every row, and their bytes.
    static constexpr const char* kStoredMonths[2] = {"Data/Kiro202403.BIN", "Data/Kiro202404.BIN"};
    static std::string StoredMonthBytes(int which);

  private:
    std::string Under(const std::string& folder, const std::string& name) const;
    // Every entry under the root except prog/, watch/ and the captured output, described by
    // kind, size and content (links by their target, never followed).
    std::map<std::string, std::string> OutsideState() const;

    TempFolder root_;
    std::map<std::string, std::string> sealedMonths_;
    std::map<std::string, std::string> sealedOutside_;
    // The names at the root of the file system, where a path built from an empty folder name lands.
    std::set<std::string> sealedSystemRoot_;
};

}  // namespace kiro::test
