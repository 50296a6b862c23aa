// The program stamp by both rules: a Windows program's header and our own ELF notes, each read
// from this very test program where it is built for that system.
#include "core/update/ProgramStamp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/update/ProgramVersion.h"
#include "platform/NativePlatform.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

// A Windows program's first bytes; the stamp goes as far as the image reaches.
std::vector<uint8_t> PeImage(size_t size, size_t signatureAt, uint32_t stamp) {
    std::vector<uint8_t> bytes(size, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[signatureAt] = 'P';
    bytes[signatureAt + 1] = 'E';
    for (size_t i = 0; i < 4 && signatureAt + 8 + i < size; ++i)
        bytes[signatureAt + 8 + i] = static_cast<uint8_t>(stamp >> (8 * i));
    return bytes;
}

std::vector<uint8_t> OwnProgram() {
    std::ifstream in(NativeProcessInfo().OwnProgramPath(), std::ios::binary);
    std::vector<uint8_t> bytes(kStampSearchBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

TEST(ProgramStampTest, AWindowsProgramByItsHeader) {
    EXPECT_EQ(FindProgramStamp(PeImage(1024, 0x80, 0x53A1B2C3)), 0x53A1B2C3u);
    EXPECT_EQ(FindProgramStamp(PeImage(1024, 0x1FC, 7)), std::nullopt)
        << "a signature in the last word of 512 bytes has its stamp beyond them: no stamp";
    EXPECT_EQ(FindProgramStamp(PeImage(1024, 0x1F4, 7)), 7u);
    EXPECT_EQ(FindProgramStamp(PeImage(1024, 0x202, 7)), std::nullopt) << "beyond the first 512 bytes";
    EXPECT_EQ(FindProgramStamp(PeImage(1024, 0x81, 7)), std::nullopt) << "only whole words count";
    EXPECT_EQ(FindProgramStamp(std::vector<uint8_t>(1024, 0)), std::nullopt);
    EXPECT_EQ(FindProgramStamp(PeImage(0x80 + 10, 0x80, 7)), std::nullopt) << "the stamp itself is cut off";
}

#if defined(_WIN32)
TEST(ProgramStampTest, OurOwnWindowsProgramByTheLinkersStamp) {
    const std::optional<uint32_t> stamp = FindProgramStamp(OwnProgram());
    ASSERT_TRUE(stamp.has_value());
    EXPECT_GT(*stamp, 1'700'000'000u) << "the link time, written by the linker";
    EXPECT_NE(*stamp, kNoStamp);
}
#else
TEST(ProgramStampTest, OurOwnProgramByItsNotes) {
    std::vector<uint8_t> image = OwnProgram();
    // This program was never stamped after its link.
    EXPECT_EQ(FindProgramStamp(image), kNoStamp);
    const auto version = FindProgramVersion(image);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->high, uint32_t{KIRO_VERSION_MAJOR} << 16 | KIRO_VERSION_MINOR);
    EXPECT_EQ(version->low, uint32_t{KIRO_VERSION_PATCH} << 16 | KIRO_VERSION_BUILD);

    ASSERT_TRUE(WriteProgramStamp(image, 0x6A000001));
    EXPECT_EQ(FindProgramStamp(image), 0x6A000001u);
    EXPECT_TRUE(FindProgramVersion(image).has_value()) << "the version note is untouched";
}

TEST(ProgramStampTest, DamagedElfHeadersFindNothing) {
    const std::vector<uint8_t> image = OwnProgram();
    const struct {
        const char* what;
        size_t at;
        uint8_t value;
    } damages[] = {{"32-bit class", 4, 1}, {"big-endian", 5, 2}, {"not ELF", 1, 'X'}};
    for (const auto& damage : damages) {
        std::vector<uint8_t> bytes = image;
        bytes[damage.at] = damage.value;
        EXPECT_FALSE(FindProgramVersion(bytes).has_value()) << damage.what;
    }
    // A program header table pointing far beyond the bytes, and one entry count of 65535.
    std::vector<uint8_t> far = image;
    far[0x27] = 0x40;
    EXPECT_FALSE(FindProgramVersion(far).has_value());
    std::vector<uint8_t> many = image;
    many[0x38] = many[0x39] = 0xFF;
    EXPECT_NO_FATAL_FAILURE(FindProgramVersion(many));
    // Cut anywhere, the reader never reads past the end: each cut is a buffer of its own, so that
    // the sanitizers see a read beyond it. A 64-bit header cut within its last 12 bytes (a server's
    // answer of 57 bytes) once had its entry count read from beyond the end.
    for (size_t size = 0; size < 1200; size += size < 128 ? 1 : 7) {
        const std::vector<uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
        const std::optional<uint32_t> stamp = FindProgramStamp(cut);
        if (size < 64) {
            EXPECT_EQ(stamp, std::nullopt) << "a header without its program headers, " << size;
        }
        static_cast<void>(FindProgramVersion(cut));
    }
}
#endif

TEST(ProgramStampTest, ReadingAFile) {
    test::TempFolder folder;
    NativeFileSystem files;
    const std::vector<uint8_t> pe = PeImage(600, 0x80, 0x5000000A);
    folder.Write("new.exe", std::string(pe.begin(), pe.end()));
    folder.Write("short.exe", std::string(pe.begin(), pe.begin() + 511));
    folder.Write("plain.bin", std::string(2048, 'x'));

    ProgramStampRead read = ReadProgramStamp(files, folder.File("new.exe"));
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.stamp, 0x5000000Au);
    read = ReadProgramStamp(files, folder.File("short.exe"));
    EXPECT_TRUE(read.opened);
    EXPECT_TRUE(read.tooShort) << "a file under 512 bytes is no program";
    EXPECT_EQ(read.stamp, kNoStamp);
    read = ReadProgramStamp(files, folder.File("plain.bin"));
    EXPECT_FALSE(read.tooShort);
    EXPECT_EQ(read.stamp, kNoStamp);
    EXPECT_FALSE(ReadProgramStamp(files, folder.File("missing.exe")).opened);
    EXPECT_FALSE(ReadProgramStamp(files, "").opened);
}

}  // namespace
}  // namespace kiro
