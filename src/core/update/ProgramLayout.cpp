#include "core/update/ProgramLayout.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/update/ProgramStamp.h"

namespace kiro {
namespace {

constexpr uint32_t kPtNote = 4;
constexpr char kNoteName[] = "KiroMeter";  // with its zero: 10 bytes

std::optional<FileRange> FindNoteIn(std::span<const uint8_t> bytes, uint64_t at, uint64_t size,
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
            return FileRange{desc, descSize};
        at = desc + aligned(descSize);
    }
    return std::nullopt;
}

}  // namespace

uint64_t ReadLittle(std::span<const uint8_t> bytes, size_t at, size_t width) {
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= uint64_t{bytes[at + i]} << (8 * i);
    return value;
}

void WriteLittle(std::span<uint8_t> bytes, size_t at, size_t width, uint64_t value) {
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

bool Fits(std::span<const uint8_t> bytes, uint64_t at, uint64_t size) {
    return at <= bytes.size() && size <= bytes.size() - at;
}

std::optional<FileRange> FindElfNote(std::span<const uint8_t> head, uint32_t type) {
    const std::span<const uint8_t> bytes = head.first(std::min(head.size(), kStampSearchBytes));
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

std::optional<size_t> FindPeHeader(std::span<const uint8_t> head) {
    const std::span<const uint8_t> bytes = head.first(std::min(head.size(), kStampSearchBytes));
    if (bytes.size() < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return {};
    const uint64_t at = ReadLittle(bytes, 0x3C, 4);
    // The signature and the COFF file header that follows it (20 bytes).
    if (!Fits(bytes, at, 24) || std::memcmp(bytes.data() + at, "PE\0\0", 4) != 0) return {};
    return static_cast<size_t>(at);
}

std::optional<FileRange> FindPeSection(std::span<const uint8_t> head, std::string_view name) {
    const std::span<const uint8_t> bytes = head.first(std::min(head.size(), kStampSearchBytes));
    const std::optional<size_t> pe = FindPeHeader(bytes);
    if (!pe || name.size() > 8) return {};
    constexpr uint64_t kEntryBytes = 40;
    const uint64_t sections = ReadLittle(bytes, *pe + 6, 2);
    const uint64_t tableAt = *pe + 24 + ReadLittle(bytes, *pe + 20, 2);
    for (uint64_t i = 0; i < sections; ++i) {
        const uint64_t entry = tableAt + i * kEntryBytes;
        if (!Fits(bytes, entry, kEntryBytes)) return {};
        char entryName[8] = {};
        std::memcpy(entryName, bytes.data() + entry, sizeof entryName);
        const char* nameEnd = std::find(std::begin(entryName), std::end(entryName), '\0');
        if (std::string_view(entryName, static_cast<size_t>(nameEnd - entryName)) != name) continue;
        return FileRange{ReadLittle(bytes, entry + 20, 4), ReadLittle(bytes, entry + 16, 4)};
    }
    return {};
}

}  // namespace kiro
