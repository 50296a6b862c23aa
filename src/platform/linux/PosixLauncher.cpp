#include "platform/linux/PosixLauncher.h"

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

namespace kiro::linux_platform {
namespace {

bool Spawn(const std::string& program, const std::vector<std::string>& arguments, bool searchPath) {
    std::vector<std::string> words;
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) return false;
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int result = searchPath
                           ? posix_spawnp(&child, program.c_str(), nullptr, &attributes, argv.data(), environ)
                           : posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0;
}

}  // namespace

bool PosixLauncher::StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    return Spawn(program, arguments, false);
}

bool PosixLauncher::OpenWithAssociatedProgram(const std::string& fileOrAddress) {
    return Spawn("xdg-open", {fileOrAddress}, true);
}

}  // namespace kiro::linux_platform
