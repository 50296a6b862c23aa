// The version of a Windows program found in its file as a download hands it over in pieces.
#include "core/update/VersionResourceScanner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/update/ProgramVersion.h"
#include "platform/NativePlatform.h"

namespace kiro {
namespace {

void PutLittle32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Filler that holds no signature, with fixed version records where asked.
std::vector<uint8_t> Image(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    return bytes;
}

void PutRecord(std::vector<uint8_t>& bytes, size_t at, uint32_t structureVersion, uint32_t high,
               uint32_t low) {
    PutLittle32(bytes, at, 0xFEEF04BD);
    PutLittle32(bytes, at + 4, structureVersion);
    PutLittle32(bytes, at + 8, high);
    PutLittle32(bytes, at + 12, low);
}

std::optional<ProgramVersion> ScanInPieces(const std::vector<uint8_t>& bytes, size_t pieceSize) {
    VersionResourceScanner scanner;
    for (size_t at = 0; at < bytes.size(); at += pieceSize)
        scanner.Feed(std::span(bytes).subspan(at, std::min(pieceSize, bytes.size() - at)));
    return scanner.Found();
}

TEST(VersionResourceScannerTest, FindsTheRecordHoweverTheFileIsCut) {
    std::vector<uint8_t> bytes = Image(20000);
    PutRecord(bytes, 13'004, 0x00010000, 0x0002002A, 0x00030004);
    for (const size_t pieceSize : {1, 3, 5, 7, 16, 512, 4099, 20000}) {
        const auto version = ScanInPieces(bytes, pieceSize);
        ASSERT_TRUE(version.has_value()) << pieceSize;
        EXPECT_EQ(version->high, 0x0002002Au) << pieceSize;
        EXPECT_EQ(version->low, 0x00030004u) << pieceSize;
    }
}

TEST(VersionResourceScannerTest, OnlyAWholeRecordOnABoundaryCounts) {
    std::vector<uint8_t> unaligned = Image(4096);
    PutRecord(unaligned, 2002, 0x00010000, 1, 2);
    EXPECT_FALSE(ScanInPieces(unaligned, 100).has_value()) << "not on a 4-byte boundary of the file";

    std::vector<uint8_t> otherStructure = Image(4096);
    PutRecord(otherStructure, 1000, 0x00020000, 1, 2);
    PutRecord(otherStructure, 3000, 0x00010000, 5, 6);
    const auto version = ScanInPieces(otherStructure, 333);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->high, 5u) << "a signature with another structure version is passed over";

    std::vector<uint8_t> twice = Image(4096);
    PutRecord(twice, 1000, 0x00010000, 7, 8);
    PutRecord(twice, 2000, 0x00010000, 9, 10);
    EXPECT_EQ(ScanInPieces(twice, 64)->high, 7u) << "the first record counts";

    std::vector<uint8_t> cut = Image(4096);
    PutRecord(cut, 4080, 0x00010000, 1, 2);
    cut.resize(4092);
    EXPECT_FALSE(ScanInPieces(cut, 10).has_value()) << "a record cut off by the end of the file";
    EXPECT_FALSE(ScanInPieces({}, 10).has_value());
}

#if defined(_WIN32)
// This test program carries the program's version resource, as every Windows program built here.
TEST(VersionResourceScannerTest, FindsTheVersionOfThisVeryProgram) {
    std::ifstream in(NativeProcessInfo().OwnProgramPath(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto version = ScanInPieces(bytes, 512);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->high, uint32_t{KIRO_VERSION_MAJOR} << 16 | KIRO_VERSION_MINOR);
    EXPECT_EQ(version->low, uint32_t{KIRO_VERSION_PATCH} << 16 | KIRO_VERSION_BUILD);
}
#endif

}  // namespace
}  // namespace kiro
