#include "core/update/ProgramKind.h"

#include "core/update/ProgramLayout.h"

namespace kiro {

std::optional<ProgramKind> FindProgramKind(std::span<const uint8_t> head) {
    constexpr size_t kElfMachineAt = 0x12;
    if (head.size() >= kElfMachineAt + 2 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' &&
        head[3] == 'F') {
        ProgramKind kind{ProgramFormat::Elf, head[4], head[5], 0};
        // e_machine in the file's own byte order.
        const uint16_t first = head[kElfMachineAt];
        const uint16_t second = head[kElfMachineAt + 1];
        kind.machine = static_cast<uint16_t>(kind.elfData == 2 ? first << 8 | second : second << 8 | first);
        return kind;
    }
    if (const std::optional<size_t> pe = FindPeHeader(head))
        return ProgramKind{ProgramFormat::Pe, 0, 0, static_cast<uint16_t>(ReadLittle(head, *pe + 4, 2))};
    return std::nullopt;
}

}  // namespace kiro
