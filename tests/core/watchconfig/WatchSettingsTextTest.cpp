#include "core/watch/WatchSettingsText.h"

#include <gtest/gtest.h>

namespace kiro {
namespace {

const std::string kBlankPicture(80, 'F');

TEST(WatchSettingsTextTest, PrintsEveryKeyInOrderWithTheWholePicture) {
    WatchSettings settings;
    EXPECT_EQ(PrintWatchSettingsText(settings),
              "HMod=0\nSped=4\nTAdj=0\nDisp=6,0,6,9,10,4,9,0,0,0\nUPic=" + kBlankPicture +
                  "\nUStr=\nLedPower=0\nLedFromHour=8\nLedToHour=18\nAlarmEnabled=0\nAlarmEveryDay=0\n"
                  "AlarmHour=0\nAlarmMinute=0\nStepRecorder24h=0\n");

    settings.uPic[0] = 0x0A;
    settings.uPic[2] = 0x41;  // after the end mark: still printed
    settings.uPic[39] = 0x00;
    const std::string text = PrintWatchSettingsText(settings);
    EXPECT_NE(text.find("\nUPic=0AFF41" + std::string(72, 'F') + "00\n"), std::string::npos) << text;
}

TEST(WatchSettingsTextTest, MessagesAreEscapedAndReadBackByteForByte) {
    const struct {
        std::string message;
        std::string printed;
    } cases[] = {
        {"Morning\n", "Morning\\n"},
        {"a\tb\r", "a\\tb\\r"},
        {"back\\slash", "back\\\\slash"},
        {"\x01\x7F\xB0~ ", "\\x01\\x7F\\xB0~ "},
        {std::string(36, 'x'), std::string(36, 'x')},
    };
    for (const auto& c : cases) {
        WatchSettings settings;
        settings.uStr = c.message;
        const std::string text = PrintWatchSettingsText(settings);
        EXPECT_NE(text.find("\nUStr=" + c.printed + "\n"), std::string::npos) << text;
        const ParsedWatchSettings parsed = ParseWatchSettingsText(text);
        EXPECT_EQ(parsed.error, "") << c.printed;
        EXPECT_EQ(parsed.settings.uStr, c.message) << c.printed;
    }
}

TEST(WatchSettingsTextTest, EveryFieldSurvivesPrintingAndReading) {
    WatchSettings settings;
    settings.hMod = 1;
    settings.sped = 8;
    settings.tAdj = -99;
    settings.disp = {10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < kPictureBytes; ++i) settings.uPic[i] = static_cast<uint8_t>(i * 3);
    settings.uStr = "Go!";
    settings.ledPower = true;
    settings.ledFromHour = 23;
    settings.ledToHour = 0;
    settings.alarmEnabled = true;
    settings.alarmEveryDay = 1;
    settings.alarmHour = 23;
    settings.alarmMinute = 59;
    settings.stepRecorder24h = true;
    const std::string text = PrintWatchSettingsText(settings);
    const ParsedWatchSettings parsed = ParseWatchSettingsText(text);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(PrintWatchSettingsText(parsed.settings), text);
}

TEST(WatchSettingsTextTest, ReadsLooseLineEndsAndLeavesKeysNotGivenAtTheirResetValues) {
    const ParsedWatchSettings parsed = ParseWatchSettingsText(
        "\r\nTAdj=-7\r\n\nUPic=" + std::string(78, 'f') + "0a\nUStr=\\x7e\\xb0\nLedPower=1");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.settings.tAdj, -7);
    EXPECT_EQ(parsed.settings.uPic[39], 0x0A);
    EXPECT_EQ(parsed.settings.uStr, "~\xB0");
    EXPECT_TRUE(parsed.settings.ledPower);
    EXPECT_EQ(parsed.settings.sped, 4);
    EXPECT_EQ(parsed.settings.ledToHour, 18);
}

TEST(WatchSettingsTextTest, RefusesAnythingItCannotTakeAsMeant) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"Colour=3", "line 1: unknown key 'Colour'"},
        {"hmod=1", "line 1: unknown key 'hmod'"},
        {"Sped=1\nno equals sign", "line 2: not a Key=value line"},
        {"HMod=1\nHMod=0", "line 2: HMod is given twice"},
        {"HMod=2", "line 1: HMod must be a whole number from 0 to 1"},
        {"\nTAdj=-100", "line 2: TAdj must be a whole number from -99 to 99"},
        {"TAdj=+5", "line 1: TAdj must be a whole number from -99 to 99"},
        {"TAdj= 5", "line 1: TAdj must be a whole number from -99 to 99"},
        {"TAdj=5x", "line 1: TAdj must be a whole number from -99 to 99"},
        {"TAdj=99999999999999999999", "line 1: TAdj must be a whole number from -99 to 99"},
        {"Sped=", "line 1: Sped must be a whole number from 0 to 8"},
        {"AlarmMinute=60", "line 1: AlarmMinute must be a whole number from 0 to 59"},
        {"LedPower=2", "line 1: LedPower must be 0 or 1"},
        {"Disp=1,2,3", "line 1: Disp must be ten numbers from 0 to 10, separated by commas"},
        {"Disp=1,2,3,4,5,6,7,8,9,10,0", "line 1: Disp must be ten numbers from 0 to 10, separated by commas"},
        {"Disp=1,2,3,4,5,6,7,8,9,11", "line 1: Disp must be ten numbers from 0 to 10, separated by commas"},
        {"Disp=1,2,3,4,5,6,7,8,9,", "line 1: Disp must be ten numbers from 0 to 10, separated by commas"},
        {"UPic=" + std::string(78, 'F'), "line 1: UPic must be 80 hexadecimal digits (all 40 bytes)"},
        {"UPic=" + std::string(82, 'F'), "line 1: UPic must be 80 hexadecimal digits (all 40 bytes)"},
        {"UPic=" + std::string(78, 'F') + "G0", "line 1: UPic must be 80 hexadecimal digits (all 40 bytes)"},
        {"UStr=" + std::string(37, 'x'), "line 1: UStr is longer than 36 characters"},
        {"UStr=" + std::string(36, 'x') + "\\n", "line 1: UStr is longer than 36 characters"},
        {"UStr=bad\\q", "line 1: UStr: a backslash must begin \\n, \\r, \\t, \\\\ or \\xHH (not \\x00)"},
        {"UStr=end\\", "line 1: UStr: a backslash must begin \\n, \\r, \\t, \\\\ or \\xHH (not \\x00)"},
        {"UStr=\\x4", "line 1: UStr: a backslash must begin \\n, \\r, \\t, \\\\ or \\xHH (not \\x00)"},
        {"UStr=a\\x00b", "line 1: UStr: a backslash must begin \\n, \\r, \\t, \\\\ or \\xHH (not \\x00)"},
        {"UStr=tab\there", "line 1: UStr must write a byte outside 0x20..0x7E as \\xHH"},
        {"UStr=caf\xC3\xA9", "line 1: UStr must write a byte outside 0x20..0x7E as \\xHH"},
        {"Bad\x01Key=1", "line 1: unknown key 'Bad\\x01Key'"},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseWatchSettingsText(c.text).error, c.error) << c.text;
}

}  // namespace
}  // namespace kiro
