#pragma once
// Symbolic links for the tests that plant them. Windows makes one only for a user with the
// privilege (or in developer mode), and Wine makes none, whatever it answers: there the test is
// skipped with the reason, while elsewhere a link that cannot be made fails the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kiro::test {

// Makes `link` point at `target`; the reason when it cannot, empty when it worked.
inline std::string MakeSymbolicLink(const std::string& target, const std::string& link) {
#if defined(_WIN32)
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    const DWORD kind = std::filesystem::is_directory(target) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    if (!CreateSymbolicLinkA(link.c_str(), target.c_str(), kind | kUnprivileged) &&
        !CreateSymbolicLinkA(link.c_str(), target.c_str(), kind))
        return "no symbolic link can be made here (Windows error " + std::to_string(GetLastError()) + ")";
    // Wine 8 answers success and makes nothing: only a link that is there counts.
    const DWORD attributes = GetFileAttributesA(link.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return "the system said it made a symbolic link, but there is none";
    return {};
#else
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    return error ? error.message() : std::string();
#endif
}

}  // namespace kiro::test

// Plants a link in a test body, or ends the test: skipped where the system cannot make links,
// failed where it should.
#if defined(_WIN32)
#define KIRO_LINK_OR_SKIP(target, link)                                                         \
    do {                                                                                        \
        if (const std::string why = ::kiro::test::MakeSymbolicLink(target, link); !why.empty()) \
            GTEST_SKIP() << why;                                                                \
    } while (false)
#else
#define KIRO_LINK_OR_SKIP(target, link)                                                         \
    do {                                                                                        \
        if (const std::string why = ::kiro::test::MakeSymbolicLink(target, link); !why.empty()) \
            FAIL() << "cannot make the link " << (link) << ": " << why;                         \
    } while (false)
#endif
