#pragma once
#include <map>
#include <set>
#include <string>

namespace kiro::test {

// What of a folder tree would survive a power cut, as a file system that keeps only what was
// flushed: a file's content once the file was flushed (an unflushed write leaves it empty), and a
// name (a new file, a rename, a removal, a new folder) once the folder that holds it was flushed.
// Told of every change made under its root, it can put the real tree back to that state.
class DurableFolderModel {
  public:
    // Takes the tree as it is now as flushed.
    explicit DurableFolderModel(std::string root);

    // Whether a path is the root or lies below it.
    bool Covers(const std::string& path) const;
    // The path relative to the root ("." for the root itself), or the path itself outside it.
    std::string NameOf(const std::string& path) const;

    void Wrote(const std::string& path, const std::string& content, bool flushed);
    void Renamed(const std::string& from, const std::string& to);
    void Removed(const std::string& path);
    void MadeFolder(const std::string& path);
    void SyncedFolder(const std::string& path);

    // Makes the real tree what had been flushed: everything else under the root goes, every file
    // takes its flushed content. The folder's lock file is left alone.
    void CutPower() const;

  private:
    std::string Relative(const std::string& path) const;
    static std::string ParentOf(const std::string& relative);

    std::string root_;
    // Files as inodes, so that a rename carries the flushed content along.
    std::map<int, std::string> flushedContent_;
    int nextInode_ = 1;
    std::map<std::string, int> names_;         // as the program sees the tree
    std::map<std::string, int> flushedNames_;  // as a power cut would leave it
    std::set<std::string> folders_;
    std::set<std::string> flushedFolders_;
};

}  // namespace kiro::test
