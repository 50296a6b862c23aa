#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/system/FileSystem.h"
#include "core/update/ProgramKind.h"

namespace kiro {

// The link time stamp of a program file, seconds since 1970 as an unsigned 32-bit number, and
// what stands for "no stamp".
inline constexpr uint32_t kNoStamp = 0xFFFFFFFF;
// How much of a file the stamp rules look at.
inline constexpr size_t kStampSearchBytes = 4096;

// The stamp of a program file of a format from its first bytes:
// - a Windows program: the first of the 128 little-endian words of the first 512 bytes that
//   reads 0x00004550 ("PE\0\0"), the stamp two words after it;
// - our Linux programs: the ELF note named "KiroMeter" of type 1 (a 4-byte stamp) in a note
//   segment that lies within the first 4096 bytes.
// Nothing when the format's rule finds none (or the stamp lies beyond the bytes given).
std::optional<uint32_t> FindProgramStamp(std::span<const uint8_t> bytes, ProgramFormat format);
// By whichever rule finds one, the Windows rule first: what `kiro stamp` shows of any file.
std::optional<uint32_t> FindProgramStamp(std::span<const uint8_t> bytes);

// A program's version as the Windows version resource gives it: the high and the low 32-bit
// word, each two 16-bit numbers (2.42.0.0 for version 2.042).
struct ProgramVersion {
    uint32_t high = 0;
    uint32_t low = 0;
};
// From the ELF note "KiroMeter" of type 2 (four little-endian 16-bit numbers); nothing when the
// file has none.
std::optional<ProgramVersion> FindProgramVersion(std::span<const uint8_t> bytes);

// Writes a new stamp into a program image by its own format's rule: our ELF stamp note, or a
// Windows program's header. False when it has no place for one.
bool WriteProgramStamp(std::span<uint8_t> bytes, uint32_t stamp);

// The stamp and kind of a program file. `opened` is false when the file cannot be read (or the
// path is empty), `tooShort` when it has fewer than 512 bytes; the stamp is kNoStamp unless a rule
// found one, by the file's own format where it has a known kind.
struct ProgramStampRead {
    bool opened = false;
    bool tooShort = false;
    uint32_t stamp = kNoStamp;
    std::optional<ProgramKind> kind;
};
ProgramStampRead ReadProgramStamp(FileSystem& files, const std::string& path);

}  // namespace kiro
