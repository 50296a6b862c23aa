#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace kiro::test {

// A program file of `size` bytes (4096 at least) of this test program's own kind: its first
// bytes (with its notes on Linux, its headers and section table on Windows), then filler; with
// the stamp given, and sealed unless told otherwise. On Windows the seal section is moved to
// byte 4096 of the copy, where the filler is, and the version resource's fixed part put at byte
// 8192 when the copy reaches that far.
std::string ProgramImage(size_t size, uint32_t stamp, bool sealed = true);

// The same bytes with one changed at `at`: a build altered after it was sealed.
std::string Altered(std::string image, size_t at);

}  // namespace kiro::test
