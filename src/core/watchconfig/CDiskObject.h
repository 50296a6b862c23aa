#pragma once
#include <string>
#include <system_error>
#include <vector>

#include "core/system/FileSystem.h"

namespace kiro {

// How the list operations write their entries: relative to the folder listed (for the files of
// one folder, their bare names; for sub-folders without the trailing '/'), or as full paths (a
// sub-folder with its trailing '/').
enum class ListForm { Relative, Full };

// Folder operations on the PC's file system, used to copy a folder the user chose onto a watch
// disk. Each operation answers true or false and leaves the reason of a failure in ErrorText():
// the system's text for the error, then a blank and the path concerned, or kInternalError for
// a path that cannot be used at all.
//
// A '\' in a path is taken as '/'; a relative path is taken from the current directory, which
// is never changed. Where paths have drive letters, "C:/..." is absolute, a bare "C:" is the
// drive's root, and a drive-relative "C:name" cannot be used. Symbolic links met inside a folder are neither
// listed nor copied nor entered, so that a copy never reaches beyond the folders it was given.
class CDiskObject {
  public:
    static constexpr const char* kInternalError = "CDiskObject internal error - check call parameters";

    explicit CDiskObject(FileSystem& files) : files_(files) {}

    // Makes a folder path absolute with a trailing '/'.
    bool MakeFolderAbsolute(std::string& folder);
    // Makes a path absolute: leading "../" steps go up from the current directory (never above
    // its root), anything else relative is put below it. An empty path and one with '*' or '?'
    // are refused.
    bool MakePathAbsolute(std::string& path);
    bool FolderExists(const std::string& folder);
    // Creates the folder and every missing level above it.
    bool CreateFolderTree(const std::string& folder);
    // Appends the regular files of one folder, each inserted before the first entry that is
    // greater byte by byte (so a list that starts empty ends sorted). A folder that does not
    // exist adds nothing and is no failure.
    bool ListFolderFiles(const std::string& folder, std::vector<std::string>& list, ListForm form);
    // The same for the names that match a filter of '*' (any run of characters) and '?' (any one
    // character), ignoring ASCII letter case; a filter ending in ".*" also takes names without
    // a dot, so "*.*" takes every file.
    bool ListFolderFilesMatching(const std::string& filter, const std::string& folder,
                                 std::vector<std::string>& list, ListForm form);
    // Appends every sub-folder of the tree, each followed at once by its own (depth first), in
    // the order the file system gives them. Nothing is appended when any folder cannot be read.
    bool ListSubfolders(const std::string& folder, std::vector<std::string>& list, ListForm form);
    // Copies the files (not the sub-folders) of one folder into another, made when missing,
    // overwriting files of the same name; stops at the first file that fails. A source folder
    // that does not exist copies nothing and is no failure.
    bool CopyFolderFiles(const std::string& sourceFolder, const std::string& targetFolder);
    // Copies a whole tree, empty folders included; stops at the first failure, leaving what was
    // copied so far.
    bool CopyFolderTree(const std::string& sourceFolder, const std::string& targetFolder);

    // The reason of the last failure; empty after an operation that worked.
    const std::string& ErrorText() const { return errorText_; }

  private:
    bool Fail(const std::error_code& error, const std::string& context);
    bool FailInternal();
    bool CollectSubfolders(const std::string& folder, std::vector<std::string>& found);
    bool CopyFiles(const std::string& source, const std::string& target);

    FileSystem& files_;
    std::string errorText_;
};

}  // namespace kiro
