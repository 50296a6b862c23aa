#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kiro {

// The few structures of ELF and PE program files that the update rules read, parsed without
// trusting a single offset or size in them: whatever they say, nothing is read beyond the bytes
// given.

uint64_t ReadLittle(std::span<const uint8_t> bytes, size_t at, size_t width);
void WriteLittle(std::span<uint8_t> bytes, size_t at, size_t width, uint64_t value);
// Whether `size` bytes from `at` lie within the bytes.
bool Fits(std::span<const uint8_t> bytes, uint64_t at, uint64_t size);

// A stretch of a file: where it starts and how long it is.
struct FileRange {
    uint64_t at = 0;
    uint64_t size = 0;
};

// The descriptor of the note named "KiroMeter" of a type, in a little-endian ELF file (32- or
// 64-bit) whose note segments lie within its first 4096 bytes.
std::optional<FileRange> FindElfNote(std::span<const uint8_t> head, uint32_t type);

// Where a Windows program's "PE\0\0" lies, as its DOS header's pointer at 0x3C says.
std::optional<size_t> FindPeHeader(std::span<const uint8_t> head);
// The raw bytes of the section of a Windows program named `name` (8 characters at most), from
// the section table in its first 4096 bytes.
std::optional<FileRange> FindPeSection(std::span<const uint8_t> head, std::string_view name);

}  // namespace kiro
