#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace kiro {

enum class ProgramFormat { Elf, Pe };

// What a program file is built for. A build for another system, another processor or another
// word size cannot start in place of the running program, whatever its stamp says.
struct ProgramKind {
    ProgramFormat format = ProgramFormat::Elf;
    // ELF only: the class (1: 32-bit, 2: 64-bit) and the byte order (1: little-endian).
    uint8_t elfClass = 0;
    uint8_t elfData = 0;
    // ELF's e_machine, or the COFF header's Machine field of a Windows program.
    uint16_t machine = 0;

    bool operator==(const ProgramKind&) const = default;
};

// The kind of a program file from its first bytes: an ELF file by its identification and
// e_machine, a Windows program by the "PE\0\0" its DOS header points to and the Machine field
// after it. Nothing for anything else.
std::optional<ProgramKind> FindProgramKind(std::span<const uint8_t> head);

}  // namespace kiro
