// The stamp, version, kind and seal of a program file (a Windows program's header and section
// table, our ELF notes), as the update check reads them from its own file and from what a server
// sends. A stamp written into a file is the stamp read from it afterwards. Input: the file.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the end of the bytes given is caught.
    std::vector<uint8_t> bytes(data, data + size);
    const std::optional<uint32_t> stamp = FindProgramStamp(bytes);
    static_cast<void>(FindProgramVersion(bytes));
    if (size > kStampSearchBytes) {
        const std::span<const uint8_t> head(bytes.data(), kStampSearchBytes);
        fuzz::Require(FindProgramStamp(head) == stamp, "only the first 4096 bytes count");
    }

    // The seal reads the same whether the file comes whole or in two pieces, by either format.
    static_cast<void>(FindProgramKind(bytes));
    for (const ProgramFormat format : {ProgramFormat::Elf, ProgramFormat::Pe}) {
        SealCheck whole(format);
        whole.Feed(bytes);
        SealCheck pieces(format);
        const size_t cut = size == 0 ? 0 : data[0] * size / 256;
        pieces.Feed(std::span<const uint8_t>(bytes).first(cut));
        pieces.Feed(std::span<const uint8_t>(bytes).subspan(cut));
        fuzz::Require(whole.Holds() == pieces.Holds(), "a seal holds however the file arrives");
    }

    const uint32_t written = stamp.value_or(0x5A5A5A5A) ^ 0x01010101;
    if (WriteProgramStamp(bytes, written)) {
        const std::optional<ProgramKind> kind = FindProgramKind(bytes);
        fuzz::Require(kind && FindProgramStamp(bytes, kind->format) == written,
                      "a written stamp reads back by its own format's rule");
    } else {
        fuzz::Require(bytes == std::vector<uint8_t>(data, data + size),
                      "a file without a note is left alone");
    }
    return 0;
}
