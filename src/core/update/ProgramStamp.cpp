#include "core/update/ProgramStamp.h"

#include <algorithm>

#include "core/update/ProgramLayout.h"

namespace kiro {
namespace {

constexpr uint32_t kPeSignature = 0x00004550;
constexpr size_t kPeSearchBytes = 512;
constexpr uint32_t kStampNote = 1;
constexpr uint32_t kVersionNote = 2;

// Where the Windows rule finds the stamp.
std::optional<size_t> FindPeStampAt(std::span<const uint8_t> bytes) {
    // Signature and stamp both lie within the first 512 bytes: a signature in the last words
    // has no stamp rather than one read from beyond them.
    const std::span<const uint8_t> header = bytes.first(std::min(bytes.size(), kPeSearchBytes));
    const size_t searched = header.size() / 4 * 4;
    for (size_t at = 0; at < searched; at += 4)
        if (ReadLittle(header, at, 4) == kPeSignature) {
            if (!Fits(header, at + 8, 4)) return std::nullopt;
            return at + 8;
        }
    return std::nullopt;
}

std::optional<size_t> FindElfStampAt(std::span<const uint8_t> bytes) {
    const auto note = FindElfNote(bytes, kStampNote);
    if (!note || note->size != 4) return std::nullopt;
    return static_cast<size_t>(note->at);
}

std::optional<size_t> FindStampAt(std::span<const uint8_t> bytes, ProgramFormat format) {
    return format == ProgramFormat::Pe ? FindPeStampAt(bytes) : FindElfStampAt(bytes);
}

}  // namespace

std::optional<uint32_t> FindProgramStamp(std::span<const uint8_t> bytes, ProgramFormat format) {
    const std::optional<size_t> at = FindStampAt(bytes, format);
    if (!at) return std::nullopt;
    return static_cast<uint32_t>(ReadLittle(bytes, *at, 4));
}

std::optional<uint32_t> FindProgramStamp(std::span<const uint8_t> bytes) {
    if (const auto stamp = FindProgramStamp(bytes, ProgramFormat::Pe)) return stamp;
    return FindProgramStamp(bytes, ProgramFormat::Elf);
}

std::optional<ProgramVersion> FindProgramVersion(std::span<const uint8_t> bytes) {
    const auto note = FindElfNote(bytes, kVersionNote);
    if (!note || note->size != 8) return std::nullopt;
    const auto part = [&](size_t i) { return static_cast<uint32_t>(ReadLittle(bytes, note->at + 2 * i, 2)); };
    return ProgramVersion{part(0) << 16 | part(1), part(2) << 16 | part(3)};
}

bool WriteProgramStamp(std::span<uint8_t> bytes, uint32_t stamp) {
    const std::optional<ProgramKind> kind = FindProgramKind(bytes);
    const std::optional<size_t> at = kind ? FindStampAt(bytes, kind->format) : std::nullopt;
    if (!at) return false;
    WriteLittle(bytes, *at, 4, stamp);
    return true;
}

ProgramStampRead ReadProgramStamp(FileSystem& files, const std::string& path) {
    ProgramStampRead read;
    if (path.empty()) return read;
    const FileContent content = files.ReadFile(path, kStampSearchBytes, OverLimit::ReadStart);
    if (content.error) return read;
    read.opened = true;
    if (content.bytes.size() < 512) {
        read.tooShort = true;
        return read;
    }
    const std::span<const uint8_t> head(reinterpret_cast<const uint8_t*>(content.bytes.data()),
                                        content.bytes.size());
    read.kind = FindProgramKind(head);
    const std::optional<uint32_t> stamp =
        read.kind ? FindProgramStamp(head, read.kind->format) : FindProgramStamp(head);
    read.stamp = stamp.value_or(kNoStamp);
    return read;
}

}  // namespace kiro
