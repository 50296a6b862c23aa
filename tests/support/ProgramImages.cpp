#include "support/ProgramImages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <span>
#include <vector>

#include "core/update/ProgramLayout.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"
#include "core/update/ProgramVersion.h"
#include "platform/NativePlatform.h"

namespace kiro::test {
namespace {

#if defined(_WIN32)
// Points the seal section's entry in the section table at `at`.
void MoveSealSection(std::span<uint8_t> image, uint32_t at) {
    const std::optional<size_t> pe = FindPeHeader(image);
    ASSERT_TRUE(pe.has_value());
    const uint64_t sections = ReadLittle(image, *pe + 6, 2);
    const uint64_t table = *pe + 24 + ReadLittle(image, *pe + 20, 2);
    for (uint64_t i = 0; i < sections; ++i) {
        const size_t entry = static_cast<size_t>(table + 40 * i);
        if (std::memcmp(&image[entry], kSealSection, std::strlen(kSealSection)) != 0) continue;
        WriteLittle(image, entry + 20, 4, at);
        return;
    }
    FAIL() << "this test program has no seal section";
}
#endif

}  // namespace

std::string ProgramImage(size_t size, uint32_t stamp, bool sealed) {
    EXPECT_GE(size, kStampSearchBytes);
    std::ifstream in(NativeProcessInfo().OwnProgramPath(), std::ios::binary);
    std::vector<uint8_t> image(kStampSearchBytes);
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    image.resize(size, 0x5A);
    for (size_t i = kStampSearchBytes; i < size; i += 997) image[i] = static_cast<uint8_t>(i * 31);
#if defined(_WIN32)
    MoveSealSection(image, kStampSearchBytes);
    // A Windows program's version is in its version resource, beyond the first bytes: its fixed
    // part as this program's own carries it (found there by VersionResourceScannerTest).
    const uint32_t record[] = {0xFEEF04BD, 0x00010000, KIRO_VERSION_MAJOR << 16 | KIRO_VERSION_MINOR,
                               KIRO_VERSION_PATCH << 16 | KIRO_VERSION_BUILD};
    if (size >= 3 * kStampSearchBytes) std::memcpy(&image[2 * kStampSearchBytes], record, sizeof record);
#endif
    EXPECT_TRUE(sealed ? RestampProgram(image, stamp) : WriteProgramStamp(image, stamp));
    return std::string(image.begin(), image.end());
}

std::string Altered(std::string image, size_t at) {
    image.at(at) = static_cast<char>(image.at(at) ^ 0x01);
    return image;
}

}  // namespace kiro::test
