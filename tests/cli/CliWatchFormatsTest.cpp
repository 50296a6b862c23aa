// kiro clockfile, kiro block and kiro clockdiff as a black box.
#include <gtest/gtest.h>

#include <filesystem>

#include "KiroCommand.h"
#include "core/base/HexText.h"
#include "support/RunCommand.h"
#include "support/SymbolicLinks.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

using test::Kiro;
using test::ShellQuote;

std::string NowIs(const std::string& time) {
    return "--now " + ShellQuote(time);
}
const std::string kNow = NowIs("2014-05-05 09:08:07");

// Settings with every field the writers use away from its reset value.
const std::string kSettings =
    "HMod=1\nSped=2\nTAdj=-5\nDisp=1,2,3,4,5,6,7,8,9,10\nUPic=0A00410000" + std::string(70, 'F') +
    "\nUStr=Hi\\x01 there\\n\nLedPower=1\nLedFromHour=7\nLedToHour=20\nAlarmEnabled=1\nAlarmEveryDay=1\n"
    "AlarmHour=6\nAlarmMinute=30\nStepRecorder24h=1\n";

std::vector<uint8_t> BytesOf(const std::string& hex) {
    std::vector<uint8_t> bytes(hex.size() / 2);
    bytes.resize(DecodeHexPairs(hex, bytes.data(), bytes.size()));
    return bytes;
}

class CliWatchFormatsTest : public ::testing::Test {
  protected:
    void SetUp() override { folder.Write("settings.txt", kSettings); }
    std::string Quoted(const std::string& name) const { return ShellQuote(folder.File(name)); }
    std::string Settings() const { return "--settings " + Quoted("settings.txt"); }

    test::TempFolder folder;
};

TEST_F(CliWatchFormatsTest, ClockFileWritesTheChosenShape) {
    folder.Write("old.txt", "REM : x\r\nUStr=Hello\r\nTAdj=3\r\n");
    const std::string tail = "\r\nDate=20140505\r\nTime=090807\r\nTAdj=-5\r\nHMod=1";
    const struct {
        std::string arguments;
        std::string written;
    } cases[] = {
        {"full",
         "UStr=Hi there\r\nUPic=0A00410000\r\nDisp=BCDEFGHIJ\r\nSped=2\r\nTAdj=-5\r\nDate=20140505\r\n"
         "Time=090807\r\nHMod=1\r\n"},
        // The picture ends at its last line with a dot, not at the end mark.
        {"personal", "UStr=Hi there\r\nUPic=0A0041\r\nDisp=BCDEFGHIJ\r\nSped=2\r\nTAdj=-5\r\n"},
        {"personal --demo",
         "UStr=Hi there\r\nUPic=0A0041\r\nDisp=BCDEFGHIJ\r\nSped=2\r\nTAdj=-5\r\nDemo=1\r\n"},
        {"timeset --old " + Quoted("old.txt"), "UStr=Hello\r\n" + tail},
        {"timeset --old " + Quoted("none.txt"), tail},
        {"timeset", tail},
    };
    for (const auto& c : cases) {
        const auto result = test::RunCommand(Kiro("clockfile " + c.arguments + " " + Settings() + " " + kNow +
                                                  " --out " + Quoted("CLOCK.TXT")));
        ASSERT_EQ(result.exitCode, 0) << c.arguments << ": " << result.output;
        EXPECT_EQ(folder.Read("CLOCK.TXT"), c.written) << c.arguments;
    }
}

TEST_F(CliWatchFormatsTest, WhatWatchSettingsPrintsIsASettingsFile) {
    folder.Write("disk/CLOCK.TXT",
                 "UStr=Morning\r\nUPic=0A41\r\nDisp=KAAAAAAAC\r\nSped=6\r\nTAdj=-3\r\nHMod=1\r\n");
    const auto first = test::RunCommand(Kiro("watch-settings " + Quoted("disk")));
    ASSERT_EQ(first.exitCode, 0) << first.output;
    folder.Write("read.txt", first.output);
    std::filesystem::create_directories(folder.File("copy"));
    ASSERT_EQ(test::RunCommand(Kiro("clockfile full --settings " + Quoted("read.txt") + " " + kNow +
                                    " --out " + Quoted("copy/CLOCK.TXT")))
                  .exitCode,
              0);
    const auto second = test::RunCommand(Kiro("watch-settings " + Quoted("copy")));
    EXPECT_EQ(second.output, first.output) << "the settings travel through the file unchanged";
}

TEST_F(CliWatchFormatsTest, BlockCarriesTheSettingsAndTheAlarmOnlyWhenAsked) {
    for (const bool alarm : {false, true}) {
        const auto result = test::RunCommand(
            Kiro("block " + Settings() + " " + kNow + " --model E" + (alarm ? " --alarm" : "")));
        ASSERT_EQ(result.exitCode, 0) << result.output;
        ASSERT_EQ(result.output.size(), 513u) << result.output;
        EXPECT_EQ(result.output.back(), '\n');
        EXPECT_EQ(result.output.find_first_not_of("0123456789ABCDEF"), 512u) << "upper-case digits only";
        const std::vector<uint8_t> block = BytesOf(result.output.substr(0, 512));
        ASSERT_EQ(block.size(), 256u);
        EXPECT_EQ(std::string(block.begin(), block.begin() + 16), "KiroWatch X5E V1");
        EXPECT_EQ(std::vector<uint8_t>(block.begin() + 16, block.begin() + 22),
                  (std::vector<uint8_t>{14, 5, 5, 9, 8, 7}));
        EXPECT_EQ(block[30], 0x12);
        EXPECT_EQ(block[31], 0xFB);
        EXPECT_EQ(block[45], 0xED);
        EXPECT_EQ(std::string(block.begin() + 48, block.begin() + 58), std::string("Hi\x01 there\n\0", 10));
        EXPECT_EQ(block[112 + 3], 0xFF) << "trailing empty lines become end marks";
        const std::vector<uint8_t> alarmBytes(block.begin() + 160, block.begin() + 164);
        const std::vector<uint8_t> expected =
            alarm ? std::vector<uint8_t>{3, 6, 30, 0xFF} : std::vector<uint8_t>{0, 0, 0, 0};
        EXPECT_EQ(alarmBytes, expected);
    }
}

// A block as a watch hands it back: its clock, the time it was last set and its correction.
std::string WatchBlockHex(const std::vector<uint8_t>& clock, const std::vector<uint8_t>& lastSet,
                          uint8_t tAdj) {
    std::vector<uint8_t> block(256, 0);
    const std::string signature = "KiroWatch X5C V1";
    std::copy(signature.begin(), signature.end(), block.begin());
    std::copy(clock.begin(), clock.end(), block.begin() + 16);
    std::copy(lastSet.begin(), lastSet.end(), block.begin() + 24);
    block[31] = tAdj;
    return ToHexPairs(block.data(), block.size());
}

TEST_F(CliWatchFormatsTest, ClockDiffReportsTheDriftAndTheNewCorrection) {
    // 60 seconds fast over 3 days with a correction of 5: 5 - 60 / 3.
    const std::string hex = WatchBlockHex({14, 5, 5, 9, 9, 7}, {14, 5, 2, 9, 8, 7}, 5);
    auto result = test::RunCommand(Kiro("clockdiff " + hex + " " + kNow));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(
        result.output,
        "LastUpdate=2014-05-02 09:08:07\nCurrentTime=2014-05-05 09:08:07\nWatchTime=2014-05-05 09:09:07\n"
        "Difference=       60 sec /   3 days\nTAdj=-15\n");

    // A watch never set keeps its own correction (lower-case digits are as good).
    std::string neverSet = WatchBlockHex({14, 5, 5, 9, 7, 7}, {0, 0, 0, 0, 0, 0}, 0xFE);
    for (char& c : neverSet) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    result = test::RunCommand(Kiro("clockdiff " + neverSet + " " + kNow));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output,
              "LastUpdate=\nCurrentTime=2014-05-05 09:08:07\nWatchTime=2014-05-05 09:07:07\n"
              "Difference=      -60 sec\nTAdj=-2\n");
}

TEST_F(CliWatchFormatsTest, BadInputIsRefusedWithItsReasonAndWritesNothing) {
    folder.Write("unknown.txt", "HMod=1\nColour=3\n");
    folder.Write("long.txt", "UStr=" + std::string(37, 'x') + "\n");
    folder.Write("badhex.txt", "UPic=" + std::string(78, 'F') + "ZZ\n");
    const std::string out = " --out " + Quoted("CLOCK.TXT");
    const std::string blockHex = WatchBlockHex({14, 5, 5, 9, 9, 7}, {14, 5, 2, 9, 8, 7}, 5);
    const struct {
        std::string arguments;
        int status;
        std::string reason;
    } cases[] = {
        {"clockfile full --settings " + Quoted("none.txt") + " " + kNow + out, 1, "cannot read"},
        {"clockfile full --settings " + Quoted("unknown.txt") + " " + kNow + out, 1,
         "unknown.txt: line 2: unknown key 'Colour'"},
        {"clockfile full --settings " + Quoted("long.txt") + " " + kNow + out, 1,
         "longer than 36 characters"},
        {"clockfile full --settings " + Quoted("badhex.txt") + " " + kNow + out, 1, "UPic must be 80"},
        {"clockfile full " + Settings() + out, 1, "--now"},
        {"clockfile full " + Settings() + " " + NowIs("2014-02-30 10:00:00") + out, 1, "--now must be"},
        {"clockfile full " + Settings() + " " + NowIs("2014-05-05T10:00:00") + out, 1, "--now must be"},
        {"clockfile full " + Settings() + " " + NowIs("2014-05-05 24:00:00") + out, 1, "--now must be"},
        {"clockfile full " + Settings() + " " + NowIs("1999-12-31 23:59:59") + out, 1, "--now must be"},
        {"clockfile full " + kNow + out, 1, "--settings FILE is required"},
        {"clockfile sideways " + Settings() + " " + kNow + out, 1, "KIND must be"},
        {"clockfile full --demo " + Settings() + " " + kNow + out, 1, "--demo is only for personal"},
        {"clockfile full " + Settings() + " " + kNow, 1, "--out FILE is required"},
        {"block " + Settings() + " " + kNow + " --model X", 1, "--model must be C or E"},
        {"clockdiff " + blockHex.substr(2) + " " + kNow, 2, "512 hexadecimal digits"},
        {"clockdiff " + blockHex.substr(2) + "ZZ " + kNow, 2, "512 hexadecimal digits"},
        {"clockdiff " + std::string(512, '0') + " " + kNow, 2, "KiroWatch X5"},
        {"clockdiff " + blockHex + " " + NowIs("today"), 1, "--now must be"},
    };
    for (const auto& c : cases) {
        const auto result = test::RunCommand(test::StandardErrorOnly(Kiro(c.arguments)));
        EXPECT_EQ(result.exitCode, c.status) << c.arguments << ": " << result.output;
        EXPECT_NE(result.output.find(c.reason), std::string::npos) << c.arguments << ": " << result.output;
        EXPECT_FALSE(std::filesystem::exists(folder.File("CLOCK.TXT"))) << c.arguments;
    }
}

TEST_F(CliWatchFormatsTest, TheFileIsNeverWrittenThroughALink) {
    folder.Write("elsewhere.txt", "keep");
    KIRO_LINK_OR_SKIP(folder.File("elsewhere.txt"), folder.File("CLOCK.TXT"));
    const auto result =
        test::RunCommand(Kiro("clockfile full " + Settings() + " " + kNow + " --out " + Quoted("CLOCK.TXT")));
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_NE(result.output.find("cannot write"), std::string::npos) << result.output;
    EXPECT_EQ(folder.Read("elsewhere.txt"), "keep");
}

}  // namespace
}  // namespace kiro
