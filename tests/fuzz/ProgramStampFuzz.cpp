// The stamp and version of a program file (a Windows program's header, our ELF notes), as the
// update check reads them from its own file and from the first bytes a server sends. A stamp
// written into a file's note is the stamp read from it afterwards. Input: the file's first bytes.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "core/update/ProgramStamp.h"

using namespace kiro;

namespace {

// Whether the Windows rule finds a signature: it comes before the ELF note.
bool HasPeSignature(std::span<const uint8_t> bytes) {
    for (size_t at = 0; at + 4 <= std::min<size_t>(bytes.size(), 512); at += 4)
        if (bytes[at] == 'P' && bytes[at + 1] == 'E' && bytes[at + 2] == 0 && bytes[at + 3] == 0) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the end of the bytes given is caught.
    std::vector<uint8_t> bytes(data, data + size);
    const std::optional<uint32_t> stamp = FindProgramStamp(bytes);
    static_cast<void>(FindProgramVersion(bytes));
    if (size > kStampSearchBytes) {
        const std::span<const uint8_t> head(bytes.data(), kStampSearchBytes);
        fuzz::Require(FindProgramStamp(head) == stamp, "only the first 4096 bytes count");
    }

    const uint32_t written = stamp.value_or(0x5A5A5A5A) ^ 0x01010101;
    if (WriteProgramStamp(bytes, written)) {
        if (!HasPeSignature(bytes))
            fuzz::Require(FindProgramStamp(bytes) == written, "a written stamp reads back");
    } else {
        fuzz::Require(bytes == std::vector<uint8_t>(data, data + size),
                      "a file without a note is left alone");
    }
    return 0;
}
