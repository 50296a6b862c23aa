#include "core/update/ProgramStamp.h"

#include <algorithm>
#include <cstring>

namespace kiro {
namespace {

constexpr uint32_t kPeSignature = 0x00004550;
constexpr size_t kPeSearchBytes = 512;
constexpr uint32_t kPtNote = 4;
constexpr uint32_t kStampNote = 1;
constexpr uint32_t kVersionNote = 2;
constexpr char kNoteName[] = "KiroMeter";  // with its zero: 10 bytes

uint64_t ReadLittle(std::span<const uint8_t> bytes, size_t at, size_t width) {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= uint64_t{bytes[at + i]} << (8 * i);
    return value;
}

bool Fits(std::span<const uint8_t> bytes, uint64_t at, uint64_t size) {
    return at <= bytes.size() && size <= bytes.size() - at;
}

std::optional<uint32_t> FindPeStamp(std::span<const uint8_t> bytes) {
    // Signature and stamp both lie within the first 512 bytes: a signature in the last words
    // has no stamp rather than one read from beyond them.
    const std::span<const uint8_t> header = bytes.first(std::min(bytes.size(), kPeSearchBytes));
    const size_t searched = header.size() / 4 * 4;
    for (size_t at = 0; at < searched; at += 4)
        if (ReadLittle(header, at, 4) == kPeSignature) {
            if (!Fits(header, at + 8, 4)) return std::nullopt;
            return static_cast<uint32_t>(ReadLittle(bytes, at + 8, 4));
        }
    return std::nullopt;
}

// Where the descriptor of the note "KiroMeter" of a type starts, and its size, in a
// little-endian ELF file (32- or 64-bit) whose note segments lie within the bytes given.
struct NoteDescriptor {
    size_t at = 0;
    size_t size = 0;
};

std::optional<NoteDescriptor> FindNoteIn(std::span<const uint8_t> bytes, uint64_t at, uint64_t size,
                                         uint64_t alignment, uint32_t type) {
    const auto aligned = [alignment](uint64_t n) { return (n + alignment - 1) / alignment * alignment; };
    const uint64_t end = at + size;
    while (at + 12 <= end) {
        const uint64_t nameSize = ReadLittle(bytes, at, 4);
        const uint64_t descSize = ReadLittle(bytes, at + 4, 4);
        const uint64_t noteType = ReadLittle(bytes, at + 8, 4);
        const uint64_t name = at + 12;
        const uint64_t desc = name + aligned(nameSize);
        if (desc > end || aligned(descSize) > end - desc) return std::nullopt;
        if (noteType == type && nameSize == sizeof kNoteName &&
            std::memcmp(bytes.data() + name, kNoteName, sizeof kNoteName) == 0)
            return NoteDescriptor{static_cast<size_t>(desc), static_cast<size_t>(descSize)};
        at = desc + aligned(descSize);
    }
    return std::nullopt;
}

std::optional<NoteDescriptor> FindElfNote(std::span<const uint8_t> bytes, uint32_t type) {
    bytes = bytes.first(std::min(bytes.size(), kStampSearchBytes));
    if (bytes.size() < 52 || bytes[0] != 0x7F || bytes[1] != 'E' || bytes[2] != 'L' || bytes[3] != 'F')
        return {};
    const bool wide = bytes[4] == 2;
    if ((bytes[4] != 1 && !wide) || bytes[5] != 1) return {};  // 32 or 64 bits, little-endian only
    // The file header of a 64-bit program is longer: 64 bytes, against 52.
    if (wide && bytes.size() < 64) return {};
    const uint64_t tableAt = wide ? ReadLittle(bytes, 0x20, 8) : ReadLittle(bytes, 0x1C, 4);
    const uint64_t entrySize = ReadLittle(bytes, wide ? 0x36 : 0x2A, 2);
    const uint64_t entries = ReadLittle(bytes, wide ? 0x38 : 0x2C, 2);
    if (entrySize < (wide ? 56u : 32u)) return {};
    for (uint64_t i = 0; i < entries; ++i) {
        const uint64_t entry = tableAt + i * entrySize;
        if (!Fits(bytes, entry, entrySize)) return {};
        if (ReadLittle(bytes, entry, 4) != kPtNote) continue;
        const uint64_t offset = wide ? ReadLittle(bytes, entry + 8, 8) : ReadLittle(bytes, entry + 4, 4);
        const uint64_t size = wide ? ReadLittle(bytes, entry + 32, 8) : ReadLittle(bytes, entry + 16, 4);
        const uint64_t alignment = wide ? ReadLittle(bytes, entry + 48, 8) : ReadLittle(bytes, entry + 28, 4);
        if (!Fits(bytes, offset, size)) continue;
        if (auto note = FindNoteIn(bytes, offset, size, alignment == 8 ? 8 : 4, type)) return note;
    }
    return {};
}

}  // namespace

std::optional<uint32_t> FindProgramStamp(std::span<const uint8_t> bytes) {
    if (const auto stamp = FindPeStamp(bytes)) return stamp;
    const auto note = FindElfNote(bytes, kStampNote);
    if (!note || note->size != 4) return std::nullopt;
    return static_cast<uint32_t>(ReadLittle(bytes, note->at, 4));
}

std::optional<ProgramVersion> FindProgramVersion(std::span<const uint8_t> bytes) {
    const auto note = FindElfNote(bytes, kVersionNote);
    if (!note || note->size != 8) return std::nullopt;
    const auto part = [&](size_t i) { return static_cast<uint32_t>(ReadLittle(bytes, note->at + 2 * i, 2)); };
    return ProgramVersion{part(0) << 16 | part(1), part(2) << 16 | part(3)};
}

bool WriteProgramStamp(std::span<uint8_t> bytes, uint32_t stamp) {
    const auto note = FindElfNote(bytes, kStampNote);
    if (!note || note->size != 4) return false;
    for (size_t i = 0; i < 4; ++i) bytes[note->at + i] = static_cast<uint8_t>(stamp >> (8 * i));
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
    const auto* data = reinterpret_cast<const uint8_t*>(content.bytes.data());
    read.stamp = FindProgramStamp({data, content.bytes.size()}).value_or(kNoStamp);
    return read;
}

}  // namespace kiro
