#include "core/watch/ClockFile.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

const LocalTime kNow{2014, 5, 5, 9, 8, 7, 1};

TEST(ClockFileWritersTest, FactorySetupWritesEveryLineWithCrLf) {
    WatchSettings settings;
    settings.uStr = "Hi\x01 there\xB0";
    settings.uPic[0] = 0x0A;
    settings.uPic[1] = 0x7F;
    settings.tAdj = -5;
    EXPECT_EQ(BuildClockFileFull(settings, kNow),
              "UStr=Hi "
              "there\r\nUPic=0A7F\r\nDisp=GAGJKEJAA\r\nSped=4\r\nTAdj=-5\r\nDate=20140505\r\nTime=090807\r\n"
              "HMod=0\r\n");
    EXPECT_EQ(settings.uStr, "Hi there") << "the filtered message is stored back";
}

TEST(ClockFileWritersTest, PersonalSaveWritesNoDateTimeOrHourMode) {
    WatchSettings settings;
    const std::vector<uint8_t> picture = {0, 0, 0, 0, 0, 0x41};
    EXPECT_EQ(BuildClockFilePersonal("Go", picture, settings, false),
              "UStr=Go\r\nUPic=000000000041\r\nDisp=GAGJKEJAA\r\nSped=4\r\nTAdj=0\r\n");
    EXPECT_EQ(BuildClockFilePersonal("", {}, settings, true),
              "UStr=\r\nUPic=\r\nDisp=GAGJKEJAA\r\nSped=4\r\nTAdj=0\r\nDemo=1\r\n");
}

TEST(ClockFileWritersTest, TimeSetKeepsOtherLinesAndAppendsTheTail) {
    const std::string old =
        "REM : note\r\nUStr=Hello\r\nDate=20000101\r\nTime=000000\r\nTAdj=3\r\n\r\nSped=2\r\n";
    const std::string once = BuildClockFileTimeSet(old, kNow, 7, 1);
    EXPECT_EQ(once, "UStr=Hello\r\nSped=2\r\n\r\nDate=20140505\r\nTime=090807\r\nTAdj=7\r\nHMod=1");
    // Run again, the HMod line (written last, without a line break) is dropped and replaced.
    EXPECT_EQ(BuildClockFileTimeSet(once, kNow, 8, 0),
              "UStr=Hello\r\nSped=2\r\n\r\nDate=20140505\r\nTime=090807\r\nTAdj=8\r\nHMod=0");
}

TEST(ClockFileWritersTest, TimeSetKeepsEveryPieceOfALongLine) {
    // Read 199 characters at a time, a line of 450 comes in three pieces, each kept as a line.
    const std::string longLine = "UStr=" + std::string(445, 'x');
    const std::string result = BuildClockFileTimeSet(longLine + "\r\nSped=2\r\nlast", kNow, 0, 0);
    EXPECT_EQ(result.substr(0, result.find("\r\n\r\nDate=")), longLine.substr(0, 199) + "\r\n" +
                                                                  longLine.substr(199, 199) + "\r\n" +
                                                                  longLine.substr(398) + "\r\nSped=2")
        << "only the last line, without its line break, is left out";
}

TEST(ClockFileWritersTest, TimeSetKeepsAtMost2048Characters) {
    std::string old;
    for (int i = 0; i < 40; ++i)
        old += "UStr=" + std::string(95, 'a' + i % 26) + "\r\n";  // 100 per line kept
    const std::string result = BuildClockFileTimeSet(old, kNow, 0, 0);
    const size_t tail = result.find("\r\n\r\nDate=");
    ASSERT_NE(tail, std::string::npos);
    EXPECT_EQ(tail, 20u * 102 - 2) << "twenty lines of 100 characters fit, the twenty-first would pass 2048";
}

TEST(ClockFileReaderTest, KeysAnywhereInALineWithTheirRules) {
    WatchSettings settings;
    ParseClockFile(
        "junk UStr=" + std::string(40, 'x') + "\r\nUPic=0A1\r\nDisp=0K9z\r\nSped=12\r\nTAdj=-150\r\nHMod=1",
        settings);
    EXPECT_EQ(settings.uStr, std::string(36, 'x'));
    EXPECT_EQ(settings.uPic[0], 0x0A);
    EXPECT_EQ(settings.uPic[1], 0xFF);
    EXPECT_EQ(settings.disp[0], 0);
    EXPECT_EQ(settings.disp[1], 9) << "K is 10 and reads back as 9";
    EXPECT_EQ(settings.disp[2], 9);
    EXPECT_EQ(settings.disp[3], 9) << "z is 25, clamped to 9";
    EXPECT_EQ(settings.disp[4], 9) << "a value not given keeps its reset value 10, clamped to 9";
    EXPECT_EQ(settings.sped, 8);
    EXPECT_EQ(settings.tAdj, -99);
    EXPECT_EQ(settings.hMod, 1);
}

TEST(ClockFileReaderTest, MessageKeepsItsLineBreakAndDemoLinesAreIgnored) {
    WatchSettings settings;
    settings.uStr = "old";
    ParseClockFile("Demo=1 UStr=no\r\nUStr=Hello\r\n", settings);
    EXPECT_EQ(settings.uStr, "Hello\n");
}

TEST(ClockFileReaderTest, AMessageHoldingTheDemoKeyReadsBackAsWritten) {
    // Found by the fuzz target: the message "M :od=Demo=" was written and then ignored as a demo line.
    WatchSettings written;
    written.uStr = "M :od=Demo=";
    WatchSettings read;
    ParseClockFile(BuildClockFileFull(written, kNow), read);
    EXPECT_EQ(read.uStr, "M :od=Demo=\n");
    ParseClockFile(BuildClockFilePersonal("Demo=1", {}, written, true), read);
    EXPECT_EQ(read.uStr, "Demo=1\n") << "the demo line after it is still ignored";
}

TEST(ClockFileReaderTest, APictureOfEveryLengthTheProgramWritesReadsBackWhole) {
    // 38 and 39 lines make the longest lines the program writes (81 and 83 characters after
    // "UPic="); read with too short a line buffer they came back as 37 lines.
    for (size_t lines = 0; lines < kPictureBytes; ++lines) {
        WatchSettings drawn;
        for (size_t line = 0; line < lines; ++line) drawn.uPic[line] = static_cast<uint8_t>(0x40 | line);
        drawn.uPic[lines] = kPictureEnd;
        const std::vector<uint8_t> used(drawn.uPic.begin(),
                                        drawn.uPic.begin() + static_cast<std::ptrdiff_t>(lines));
        for (const std::string& file :
             {BuildClockFileFull(drawn, kNow), BuildClockFilePersonal("Go", used, drawn, false)}) {
            WatchSettings read;
            ParseClockFile(file, read);
            EXPECT_EQ(read.uPic, drawn.uPic) << lines << " lines";
        }
    }
}

TEST(ClockFileReaderTest, EmptyFileLeavesTheResetValues) {
    WatchSettings settings;
    settings.sped = 1;
    settings.uPic[0] = 1;
    ParseClockFile("", settings);
    EXPECT_EQ(settings.sped, 4);
    EXPECT_EQ(settings.uPic[0], 0xFF);
}

}  // namespace
}  // namespace kiro
