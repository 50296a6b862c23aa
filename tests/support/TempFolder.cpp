#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace kiro::test {

// A fresh folder of a random name, made by this call alone: create_directory tells a name that
// was there already, so two tests in parallel never share one.
TempFolder::TempFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = base / ("kiro-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            // Forward slashes throughout, as the program builds its paths.
            path_ = candidate.generic_string();
            return;
        }
        if (error)
            throw std::runtime_error("cannot make a folder in " + base.string() + ": " + error.message());
    }
    throw std::runtime_error("no free folder name in " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 error);
    std::filesystem::remove_all(path_, error);
}

void TempFolder::Write(const std::string& name, const std::string& content) const {
    const std::filesystem::path file = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempFolder::Read(const std::string& name) const {
    return ReadFile(path_ + "/" + name);
}

std::string TempFolder::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace kiro::test
