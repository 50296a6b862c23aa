#include "Sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/base/Fnv1a.h"

namespace kiro::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCaptureFolder = "capture";

std::set<std::string> NamesAt(const std::string& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.insert(entry.path().filename().string());
    return names;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

Sandbox::Sandbox() {
    for (const char* folder : {"prog", "watch", "outside", "cwd", "home", kCaptureFolder})
        fs::create_directories(Under(folder, ""));
    for (int which = 0; which < 2; ++which)
        Write(std::string("prog/") + kStoredMonths[which], StoredMonthBytes(which));
}

std::string Sandbox::StoredMonthBytes(int which) {
    // Every minute of the month holds steps, so a month read back as zeros or shifted shows.
    std::string bytes(89280, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + which * 13 + 1) % 251);
    return bytes;
}

std::string Sandbox::Under(const std::string& folder, const std::string& name) const {
    return root_.Path() + "/" + folder + (name.empty() ? "" : "/" + name);
}

std::string Sandbox::Read(const std::string& relativePath) const {
    std::ifstream in(root_.Path() + "/" + relativePath, std::ios::binary | std::ios::ate);
    if (!in) return {};
    std::string content(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    return content;
}

std::string Sandbox::Expand(std::string text) const {
    ReplaceAll(text, "{prog}", Prog());
    ReplaceAll(text, "{watch}", Watch());
    ReplaceAll(text, "{outside}", Outside());
    ReplaceAll(text, "{root}", Root());
    return text;
}

void Sandbox::Seal() {
    sealedMonths_.clear();
    for (const char* month : kStoredMonths) sealedMonths_[month] = TempFolder::ReadFile(Prog(month));
    sealedOutside_ = OutsideState();
    sealedSystemRoot_ = NamesAt("/");
}

std::map<std::string, std::string> Sandbox::OutsideState() const {
    std::map<std::string, std::string> state;
    std::error_code error;
    auto entry =
        fs::recursive_directory_iterator(root_.Path(), fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        const std::string relative = fs::relative(entry->path(), root_.Path()).string();
        const std::string top = relative.substr(0, relative.find('/'));
        if (top == "prog" || top == "watch" || top == kCaptureFolder) {
            entry.disable_recursion_pending();
            continue;
        }
        const fs::file_status status = entry->symlink_status();
        if (fs::is_symlink(status)) {
            state[relative] = "link to " + fs::read_symlink(entry->path()).string();
        } else if (fs::is_regular_file(status)) {
            const std::string content = TempFolder::ReadFile(entry->path().string());
            state[relative] = "file of " + std::to_string(content.size()) + " bytes, hash " +
                              std::to_string(Fnv1a(content));
        } else {
            state[relative] = fs::is_directory(status) ? "folder" : "other";
        }
    }
    if (error) state["(listing)"] = error.message();
    return state;
}

void Sandbox::ExpectNothingLostOrLeaked(const std::string& row) const {
    for (const auto& [month, bytes] : sealedMonths_)
        EXPECT_TRUE(TempFolder::ReadFile(Prog(month)) == bytes) << row << ": " << month << " changed";
    const std::map<std::string, std::string> now = OutsideState();
    for (const auto& [path, was] : sealedOutside_) {
        const auto found = now.find(path);
        EXPECT_TRUE(found != now.end() && found->second == was)
            << row << ": " << path << " was " << was << ", is "
            << (found == now.end() ? "gone" : found->second);
    }
    for (const auto& [path, is] : now)
        EXPECT_TRUE(sealedOutside_.count(path)) << row << ": " << path << " appeared (" << is << ")";
    for (const std::string& name : NamesAt("/"))
        EXPECT_TRUE(sealedSystemRoot_.count(name)) << row << ": /" << name << " appeared";
}

BoundedResult Sandbox::Kiro(const std::vector<std::string>& arguments,
                            std::chrono::milliseconds limit) const {
    return KiroUnder({}, arguments, limit);
}

BoundedResult Sandbox::KiroUnder(const std::vector<std::string>& prefix,
                                 const std::vector<std::string>& arguments,
                                 std::chrono::milliseconds limit) const {
    std::vector<std::string> argv = prefix;
    argv.push_back(KIRO_CLI_PATH);
    for (const std::string& argument : arguments) argv.push_back(Expand(argument));
    RunPlace place;
    place.workingDirectory = Under("cwd", "");
    place.captureFolder = Under(kCaptureFolder, "");
    place.environment = {"LANG=C", "PATH=/usr/bin:/bin", "HOME=" + Under("home", ""),
                         "TMPDIR=" + Under("home", "")};
    return RunBounded(argv, place, limit);
}

}  // namespace kiro::test
