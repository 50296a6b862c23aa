#pragma once
// What every fuzz target shares: stopping on a broken invariant, and a scratch folder.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <string_view>

#include "support/TempFolder.h"

namespace kiro::fuzz {

// Ends the run when an invariant does not hold; libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "\nINVARIANT BROKEN: %s\n", what);
    std::abort();
}

inline std::string_view TextOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Whether `count` values from `values` on are all zero. Compared with memcmp, which the
// sanitizers do not trace value by value: a month has 44640 slots, and tracing each comparison
// would cost more than the code under test.
template <typename T>
bool AllZero(const T* values, size_t count) {
    static constexpr T kZeros[4096] = {};
    for (size_t at = 0; at < count; at += std::size(kZeros)) {
        const size_t n = std::min(std::size(kZeros), count - at);
        if (std::memcmp(values + at, kZeros, n * sizeof(T)) != 0) return false;
    }
    return true;
}

// One temporary folder for the whole run, emptied before every input so that no input sees the
// files of another. It lies under TMPDIR (scripts/fuzz points that at a memory file system).
class ScratchFolder {
  public:
    const std::string& Path() const { return folder_.Path(); }
    std::string File(const std::string& name) const { return folder_.File(name); }
    const test::TempFolder& Folder() const { return folder_; }

    void Empty() const {
        std::error_code error;
        std::filesystem::permissions(Path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        for (const auto& entry : std::filesystem::directory_iterator(Path(), error))
            std::filesystem::remove_all(entry.path(), error);
    }

  private:
    test::TempFolder folder_;
};

}  // namespace kiro::fuzz
