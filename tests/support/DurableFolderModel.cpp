#include "support/DurableFolderModel.h"

#include <filesystem>
#include <fstream>

#include "core/base/ProgramFolder.h"
#include "support/TempFolder.h"

namespace kiro::test {

namespace fs = std::filesystem;

DurableFolderModel::DurableFolderModel(std::string root)
    : root_(fs::path(root).lexically_normal().generic_string()) {
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
        const std::string relative = fs::relative(entry.path(), root_).generic_string();
        if (entry.is_directory()) {
            folders_.insert(relative);
        } else if (entry.is_regular_file() && entry.path().filename() != kLockFileName) {
            const int inode = nextInode_++;
            flushedContent_[inode] = TempFolder::ReadFile(entry.path().string());
            names_[relative] = inode;
        }
    }
    flushedNames_ = names_;
    flushedFolders_ = folders_;
}

bool DurableFolderModel::Covers(const std::string& path) const {
    const std::string relative = fs::path(path).lexically_normal().lexically_relative(root_).generic_string();
    return !relative.empty() && relative.rfind("..", 0) != 0;
}

std::string DurableFolderModel::NameOf(const std::string& path) const {
    return Covers(path) ? fs::path(path).lexically_normal().lexically_relative(root_).generic_string() : path;
}

std::string DurableFolderModel::Relative(const std::string& path) const {
    return NameOf(path);
}

std::string DurableFolderModel::ParentOf(const std::string& relative) {
    const size_t slash = relative.rfind('/');
    return slash == std::string::npos ? "" : relative.substr(0, slash);
}

void DurableFolderModel::Wrote(const std::string& path, const std::string& content, bool flushed) {
    const std::string name = Relative(path);
    auto [at, added] = names_.try_emplace(name, nextInode_);
    if (added) ++nextInode_;
    // Truncated and written again: without a flush nothing of the new content is certain, and
    // the old content is gone.
    flushedContent_[at->second] = flushed ? content : std::string();
}

void DurableFolderModel::Renamed(const std::string& from, const std::string& to) {
    const auto moved = names_.find(Relative(from));
    if (moved == names_.end()) return;
    const int inode = moved->second;
    names_.erase(moved);
    names_[Relative(to)] = inode;
}

void DurableFolderModel::Removed(const std::string& path) {
    names_.erase(Relative(path));
}

void DurableFolderModel::MadeFolder(const std::string& path) {
    folders_.insert(Relative(path));
}

void DurableFolderModel::SyncedFolder(const std::string& path) {
    const std::string folder = Relative(path) == "." ? "" : Relative(path);
    const auto inFolder = [&folder](const std::string& name) { return ParentOf(name) == folder; };
    std::erase_if(flushedNames_, [&](const auto& entry) { return inFolder(entry.first); });
    for (const auto& [name, inode] : names_)
        if (inFolder(name)) flushedNames_[name] = inode;
    std::erase_if(flushedFolders_, [&](const std::string& name) { return inFolder(name); });
    for (const std::string& name : folders_)
        if (inFolder(name)) flushedFolders_.insert(name);
}

void DurableFolderModel::CutPower() const {
    for (const auto& entry : fs::directory_iterator(root_))
        if (entry.path().filename() != kLockFileName) fs::remove_all(entry.path());
    // A folder or file survives only when every folder above it does.
    const auto reachable = [this](const std::string& name) {
        for (std::string parent = ParentOf(name); !parent.empty(); parent = ParentOf(parent))
            if (!flushedFolders_.count(parent)) return false;
        return true;
    };
    for (const std::string& folder : flushedFolders_)
        if (reachable(folder)) fs::create_directories(root_ + "/" + folder);
    for (const auto& [name, inode] : flushedNames_) {
        if (!reachable(name)) continue;
        std::ofstream out(root_ + "/" + name, std::ios::binary | std::ios::trunc);
        const std::string& content = flushedContent_.at(inode);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
}

}  // namespace kiro::test
