#include "core/watchconfig/CDiskObject.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "core/base/PathRoots.h"

namespace kiro {
namespace {

constexpr const char* kEveryFile = "*.*";

std::string WithForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// One level up from an absolute folder; the root ("/", "C:/") is its own parent.
std::string ParentOf(const std::string& folder) {
    const size_t root = PathRootLength(folder);
    const size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos || slash < root) return root == 0 ? "/" : folder.substr(0, root);
    return folder.substr(0, slash);
}

std::string Joined(const std::string& folder, const std::string& rest) {
    return folder.ends_with('/') ? folder + rest : folder + "/" + rest;
}

std::string Trimmed(const std::string& text) {
    constexpr const char* kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' takes any run of characters, '?' any one; on a mismatch the last '*' takes one more.
bool WildcardMatches(std::string_view filter, std::string_view name) {
    size_t f = 0;
    size_t n = 0;
    size_t star = std::string_view::npos;
    size_t starTakesUpTo = 0;
    while (n < name.size()) {
        if (f < filter.size() && filter[f] == '*') {
            star = f++;
            starTakesUpTo = n;
        } else if (f < filter.size() && (filter[f] == '?' || LowerAscii(filter[f]) == LowerAscii(name[n]))) {
            ++f;
            ++n;
        } else if (star != std::string_view::npos) {
            f = star + 1;
            n = ++starTakesUpTo;
        } else {
            return false;
        }
    }
    while (f < filter.size() && filter[f] == '*') ++f;
    return f == filter.size();
}

// A filter "stem.*" also takes a name that has no extension at all, so "*.*" takes every file.
bool FilterTakes(std::string_view filter, std::string_view name) {
    if (WildcardMatches(filter, name)) return true;
    return filter.ends_with(".*") && name.find('.') == std::string_view::npos &&
           WildcardMatches(filter.substr(0, filter.size() - 2), name);
}

void InsertInOrder(std::vector<std::string>& list, std::string entry) {
    const auto greater = std::find_if(list.begin(), list.end(),
                                      [&entry](const std::string& listed) { return entry < listed; });
    list.insert(greater, std::move(entry));
}

}  // namespace

bool CDiskObject::Fail(const std::error_code& error, const std::string& context) {
    errorText_ = Trimmed(error.message());
    if (!context.empty()) errorText_ += " " + context;
    return false;
}

bool CDiskObject::FailInternal() {
    errorText_ = kInternalError;
    return false;
}

bool CDiskObject::MakeFolderAbsolute(std::string& folder) {
    std::string qualified = WithForwardSlashes(folder);
    if (!qualified.empty() && !qualified.ends_with('/')) qualified += '/';
    if (!MakePathAbsolute(qualified)) return false;
    folder = qualified;
    return true;
}

bool CDiskObject::MakePathAbsolute(std::string& path) {
    errorText_.clear();
    std::string rest = WithForwardSlashes(path);
    // An empty path would become the current directory or, as a folder, the root: a copy from
    // it would take far more than anyone meant to give.
    if (rest.empty() || rest.find_first_of("*?") != std::string::npos) return FailInternal();
    // "C:name" lies below a current folder of drive C that this program cannot see: taking it
    // from the drive's root or from the current directory could copy another folder than meant.
    if (IsDriveRelative(rest)) return FailInternal();
    if (const size_t root = PathRootLength(rest); root > 0) {
        // A bare drive "C:" is its root.
        if (root == rest.size() && !rest.ends_with('/')) rest += '/';
        path = rest;
        return true;
    }
    std::error_code error;
    std::string base = std::filesystem::current_path(error).generic_string();
    if (error) return Fail(error, rest);
    while (rest.starts_with("../")) {
        base = ParentOf(base);
        rest.erase(0, 3);
    }
    path = Joined(base, rest);
    return true;
}

bool CDiskObject::FolderExists(const std::string& folder) {
    std::string qualified = folder;
    if (!MakeFolderAbsolute(qualified)) return false;
    return !files_.ListFolder(qualified).error;
}

bool CDiskObject::CreateFolderTree(const std::string& folder) {
    std::string qualified = folder;
    if (!MakeFolderAbsolute(qualified)) return false;
    // A level that cannot be made may exist already, or be made by someone else meanwhile:
    // only whether the whole path is a folder in the end counts.
    const size_t root = PathRootLength(qualified);
    std::string level = qualified.substr(0, root);
    size_t start = root;
    for (size_t slash; (slash = qualified.find('/', start)) != std::string::npos; start = slash + 1) {
        if (slash == start) continue;
        if (!level.empty() && !level.ends_with('/')) level.push_back('/');
        level.append(qualified, start, slash - start);
        files_.MakeFolder(level);
    }
    if (const std::error_code error = files_.ListFolder(qualified).error) return Fail(error, qualified);
    return true;
}

bool CDiskObject::ListFolderFiles(const std::string& folder, std::vector<std::string>& list, ListForm form) {
    return ListFolderFilesMatching(kEveryFile, folder, list, form);
}

bool CDiskObject::ListFolderFilesMatching(const std::string& filter, const std::string& folder,
                                          std::vector<std::string>& list, ListForm form) {
    std::string qualified = folder;
    if (!MakeFolderAbsolute(qualified)) return false;
    const FolderListing listing = files_.ListFolder(qualified);
    if (IsMissing(listing.error)) return true;
    if (listing.error) return Fail(listing.error, qualified + filter);
    for (const FolderEntry& entry : listing.entries) {
        if (entry.kind != EntryKind::Regular || !FilterTakes(filter, entry.name)) continue;
        InsertInOrder(list, form == ListForm::Full ? qualified + entry.name : entry.name);
    }
    return true;
}

bool CDiskObject::ListSubfolders(const std::string& folder, std::vector<std::string>& list, ListForm form) {
    std::string qualified = folder;
    if (!MakeFolderAbsolute(qualified)) return false;
    std::vector<std::string> found;
    if (!CollectSubfolders(qualified, found)) return false;
    for (const std::string& path : found) {
        if (form == ListForm::Full)
            list.push_back(path);
        else
            list.push_back(path.substr(qualified.size(), path.size() - qualified.size() - 1));
    }
    return true;
}

bool CDiskObject::CollectSubfolders(const std::string& folder, std::vector<std::string>& found) {
    const FolderListing listing = files_.ListFolder(folder);
    if (listing.error) return Fail(listing.error, folder);
    for (const FolderEntry& entry : listing.entries) {
        if (entry.kind != EntryKind::Folder) continue;
        const std::string subfolder = folder + entry.name + "/";
        found.push_back(subfolder);
        if (!CollectSubfolders(subfolder, found)) return false;
    }
    return true;
}

bool CDiskObject::CopyFolderFiles(const std::string& sourceFolder, const std::string& targetFolder) {
    std::string source = sourceFolder;
    std::string target = targetFolder;
    if (!MakeFolderAbsolute(source) || !MakeFolderAbsolute(target)) return false;
    return CreateFolderTree(target) && CopyFiles(source, target);
}

bool CDiskObject::CopyFolderTree(const std::string& sourceFolder, const std::string& targetFolder) {
    std::string source = sourceFolder;
    std::string target = targetFolder;
    if (!MakeFolderAbsolute(source) || !MakeFolderAbsolute(target)) return false;
    // Listed before anything is made, so a target inside the source is not copied into itself.
    std::vector<std::string> subfolders;
    if (!ListSubfolders(source, subfolders, ListForm::Relative)) return false;
    if (!CreateFolderTree(target) || !CopyFiles(source, target)) return false;
    for (const std::string& subfolder : subfolders) {
        // Parents come before their children, so each level is made on its own as a real folder:
        // a link standing in the target under that name is refused, never entered.
        const std::string into = target + subfolder;
        if (const std::error_code error = files_.MakeFolder(into)) return Fail(error, into + "/");
        if (!CopyFiles(source + subfolder + "/", into + "/")) return false;
    }
    return true;
}

bool CDiskObject::CopyFiles(const std::string& source, const std::string& target) {
    std::vector<std::string> names;
    if (!ListFolderFiles(source, names, ListForm::Relative)) return false;
    for (const std::string& name : names) {
        const std::string from = source + name;
        const std::string to = target + name;
        if (const std::error_code error = files_.CopyFile(from, to)) return Fail(error, from + " -> " + to);
    }
    return true;
}

}  // namespace kiro
