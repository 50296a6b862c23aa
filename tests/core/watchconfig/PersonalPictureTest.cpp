#include "core/watchconfig/PersonalPicture.h"

#include <gtest/gtest.h>

#include "core/base/HexText.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"

namespace kiro {
namespace {

PictureLines OnlyLine(int line, uint8_t dots) {
    PictureLines lines{};
    lines[line] = dots;
    return lines;
}

TEST(PersonalPictureTest, DotsAreTheLineBitsFromTheLeft) {
    PictureLines lines{};
    ToggleDot(lines, 3, 0);
    ToggleDot(lines, 3, 6);
    EXPECT_EQ(lines[3], 0x41);
    EXPECT_TRUE(DotOn(lines, 3, 0));
    ToggleDot(lines, 3, 0);
    EXPECT_EQ(lines[3], 0x01);
    ToggleDot(lines, 39, 0);
    ToggleDot(lines, 0, 7);
    EXPECT_EQ(UsedPictureLines(lines).size(), 4u) << "dots outside the editor change nothing";
}

TEST(PersonalPictureTest, SlotsHoldTheUsedLinesAndReadBack) {
    EXPECT_EQ(PictureSlotValue(OnlyLine(5, 0x7F)), "00000000007F") << "five empty lines, then line 5";
    EXPECT_EQ(PictureSlotValue(PictureLines{}), "") << "a blank picture is an empty slot";
    EXPECT_EQ(PictureFromSlot("00000000007F"), OnlyLine(5, 0x7F));
    EXPECT_EQ(PictureFromSlot("0A1G"), OnlyLine(0, 0x0A))
        << "reading stops at a pair that is not hexadecimal";
    EXPECT_EQ(PictureFromSlot(std::string(200, 'F')), PictureLines{}) << "0xFF ends the picture at once";
    const uint8_t stored[] = {0x01, 0xFF, 0x02};
    EXPECT_EQ(PictureFromBytes(stored, 3), OnlyLine(0, 0x01));
}

TEST(PersonalPictureTest, PresetsFollowTheLanguage) {
    EXPECT_EQ(UsedPictureLines(PresetPictureLines(PresetPicture::GoodFeeling, 0)),
              (std::vector<uint8_t>{0x00, 0x36, 0x49, 0x41, 0x41, 0x22, 0x14, 0x08}));
    EXPECT_EQ(UsedPictureLines(PresetPictureLines(PresetPicture::Go, 0)).size(), 10u);
    EXPECT_EQ(UsedPictureLines(PresetPictureLines(PresetPicture::GoodFeeling, 1)).size(), 34u);
    EXPECT_EQ(PresetPictureLines(PresetPicture::Go, 2), PresetPictureLines(PresetPicture::Go, 1));
}

TEST(PersonalPictureTest, EachWayOfSavingMarksTheEndItsOwnWay) {
    WatchSettings settings;
    settings.uPic.fill(0x33);
    TakePictureForFile(settings, OnlyLine(5, 0x7F));
    EXPECT_EQ(settings.uPic[5], 0x7F);
    EXPECT_EQ(settings.uPic[6], 0xFF) << "the byte after the used lines ends the picture";
    EXPECT_EQ(ToHexPairs(settings.uPic.data(), 6), "00000000007F");

    WatchSettings blank;
    TakePictureForBlock(blank, PictureLines{});
    const ConfigBlock block = BuildConfigBlock(blank, 'C', LocalTime{2014, 5, 5, 9, 8, 7, 1}, false);
    for (int i = 112; i < 152; ++i)
        EXPECT_EQ(block[i], 0xFF) << "a blank picture is 40 bytes of 0xFF in the block";
    EXPECT_EQ(
        BuildClockFilePersonal("", UsedPictureLines(PictureLines{}), blank, false).find("UStr=\r\nUPic=\r\n"),
        0u)
        << "and an empty UPic in the file";

    WatchSettings device;
    TakePictureForBlock(device, OnlyLine(20, 0x01));
    EXPECT_EQ(device.uPic[19], 0x00) << "an empty line before the last used one stays";
    EXPECT_EQ(device.uPic[21], 0xFF);
    EXPECT_EQ(device.uPic[38], 0xFF);

    WatchSettings factory;
    factory.uPic[39] = 0x00;
    TakePictureForFactory(factory, OnlyLine(20, 0x01));
    EXPECT_EQ(factory.uPic[21], 0xFF);
    EXPECT_EQ(factory.uPic[39], 0xFF) << "the trailing byte too";
}

}  // namespace
}  // namespace kiro
