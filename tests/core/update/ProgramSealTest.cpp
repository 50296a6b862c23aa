// The kind and the seal of a program file, on copies of this very test program: what the update
// check and the updater decide a download by.
#include "core/update/ProgramSeal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "core/update/ProgramKind.h"
#include "core/update/ProgramLayout.h"
#include "core/update/ProgramStamp.h"
#include "platform/NativePlatform.h"
#include "support/ProgramImages.h"

namespace kiro {
namespace {

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

ProgramKind OwnKind() {
    std::ifstream in(NativeProcessInfo().OwnProgramPath(), std::ios::binary);
    std::vector<uint8_t> head(kStampSearchBytes);
    in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    return FindProgramKind(head).value();
}

// The seal checked as a download passes, in pieces of `piece` bytes.
bool SealHolds(const std::string& image, size_t piece) {
    SealCheck check(OwnKind().format);
    for (size_t at = 0; at < image.size(); at += piece) check.Feed(Bytes(image.substr(at, piece)));
    return check.Holds();
}

TEST(ProgramKindTest, ThisProgramIsOfTheKindItWasBuiltAs) {
    const ProgramKind kind = OwnKind();
#if defined(_WIN32)
    EXPECT_EQ(kind.format, ProgramFormat::Pe);
    EXPECT_EQ(kind.machine, 0x8664) << "x86-64";
#else
    EXPECT_EQ(kind.format, ProgramFormat::Elf);
    EXPECT_EQ(kind.elfClass, sizeof(void*) == 8 ? 2 : 1);
    EXPECT_EQ(kind.elfData, 1) << "little-endian";
#endif
}

TEST(ProgramKindTest, WindowsProgramsByTheHeaderTheirDosHeaderPointsTo) {
    std::vector<uint8_t> pe(1024, 0);
    pe[0] = 'M';
    pe[1] = 'Z';
    pe[0x3C] = 0xC0;
    std::memcpy(&pe[0xC0], "PE\0\0\x64\x86", 6);
    const std::optional<ProgramKind> kind = FindProgramKind(pe);
    ASSERT_TRUE(kind.has_value());
    EXPECT_EQ(kind->format, ProgramFormat::Pe);
    EXPECT_EQ(kind->machine, 0x8664);
    pe[0x3C] = 0xC4;
    EXPECT_FALSE(FindProgramKind(pe).has_value()) << "the pointer misses the signature";
    pe[0x3C] = 0xFC;
    pe[0x3D] = 0x0F;
    EXPECT_FALSE(FindProgramKind(pe).has_value()) << "the pointer beyond the bytes";
    EXPECT_FALSE(FindProgramKind(std::vector<uint8_t>(1024, 0)).has_value());
}

TEST(ProgramSealTest, ASealedBuildHoldsHoweverItArrives) {
    const std::string image = test::ProgramImage(20000, 0x61000000);
    for (const size_t piece : {1u, 7u, 512u, 4095u, 4096u, 4097u, 20000u})
        EXPECT_TRUE(SealHolds(image, piece)) << "pieces of " << piece;
}

TEST(ProgramSealTest, ABuildCutGrownChangedOrNeverSealedFails) {
    const std::string image = test::ProgramImage(20000, 0x61000000);
    const std::optional<uint64_t> sealAt = FindSeal(Bytes(image), OwnKind().format);
    ASSERT_TRUE(sealAt.has_value());
    std::string restamped = image;
    ASSERT_TRUE(
        WriteProgramStamp({reinterpret_cast<uint8_t*>(restamped.data()), restamped.size()}, 0x61000001));
    const struct {
        const char* what;
        std::string bytes;
    } broken[] = {
        {"cut by a byte", image.substr(0, image.size() - 1)},
        {"cut at 70 %", image.substr(0, image.size() * 7 / 10)},
        {"grown by a byte", image + '\0'},
        {"a byte changed in the filler", test::Altered(image, 15000)},
        {"a byte changed in the header", test::Altered(image, 0x20)},
        {"the stamp changed without sealing again", restamped},
        {"its length changed", test::Altered(image, static_cast<size_t>(*sealAt))},
        {"its digest changed", test::Altered(image, static_cast<size_t>(*sealAt + kSealDigestAt + 31))},
        {"never sealed", test::ProgramImage(20000, 0x61000000, false)},
        {"no program at all", std::string(20000, 'x')},
        {"empty", std::string()},
    };
    for (const auto& b : broken) {
        EXPECT_FALSE(SealHolds(b.bytes, 4096)) << b.what;
        EXPECT_FALSE(SealHolds(b.bytes, 999)) << b.what;
    }
}

TEST(ProgramSealTest, RestampingSealsAgainAndAPlainFileTakesNoSeal) {
    std::string image = test::ProgramImage(20000, 0x61000000);
    std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(image.data()), image.size());
    ASSERT_TRUE(RestampProgram(bytes, 0x62000000));
    EXPECT_EQ(FindProgramStamp(bytes, OwnKind().format), 0x62000000u);
    EXPECT_TRUE(SealHolds(image, 4096));
    std::string plain(20000, 'x');
    EXPECT_FALSE(SealProgram({reinterpret_cast<uint8_t*>(plain.data()), plain.size()}));
    EXPECT_EQ(plain, std::string(20000, 'x')) << "left as it was";
}

}  // namespace
}  // namespace kiro
