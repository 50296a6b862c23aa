// The personal message and a long personal picture scrolling up through the display.
#include <gtest/gtest.h>

#include "RecordingDisplayObserver.h"
#include "core/watchconfig/DisplaySim.h"

namespace kiro {
namespace {

using test::DisplayWorld;
using test::Frame;

constexpr const char* kBlank = "00000000000000000000000000";

std::vector<std::string> ScrolledFrames(const std::string& message, const DisplayFrame& start = {}) {
    DisplayWorld world;
    world.display.ShowAtOnce(start);
    world.display.ScrollMessage(message);
    EXPECT_EQ(world.display.Current(), DisplayFrame{}) << "the text has left, the run-off lines are empty";
    return world.observer.FrameHexes();
}

std::array<uint8_t, 40> Picture(int lines) {
    std::array<uint8_t, 40> picture;
    picture.fill(0xFF);
    for (int i = 0; i < lines && i < 40; ++i) picture[i] = static_cast<uint8_t>(i + 1);
    return picture;
}

TEST(DisplayScrollTest, ACharacterEntersAtTheBottomAndLeavesAtTheTop) {
    const auto frames = ScrolledFrames("!");
    ASSERT_EQ(frames.size(), 13u + 2) << "13 lines to cross, the glyph's column and the space after it";
    EXPECT_EQ(frames[0], "0000000000000000000000004F");
    EXPECT_EQ(frames[12], "4F000000000000000000000000");
    EXPECT_EQ(frames[13], kBlank);
}

TEST(DisplayScrollTest, CharactersFollowEachOtherWithOneEmptyLine) {
    DisplayWorld world;
    world.display.ScrollMessage("Hi");
    const auto& steps = world.observer.steps;
    ASSERT_EQ(steps.size(), 13u + 6 + 4);
    for (const auto& step : steps) EXPECT_EQ(step.delayMs, 100);
    // Nine steps in: H's five columns, one empty line and the three columns of i.
    EXPECT_EQ(FrameHex(steps[8].frame), "000000007F0808087F00447D40");
}

// The watch takes every byte of the message in a step of the scroll: one without a glyph writes
// nothing, and the text after it follows a line closer.
TEST(DisplayScrollTest, BytesWithoutAGlyphTakeAStepEachButNoRoom) {
    const auto plain = ScrolledFrames("AB");
    const auto withGaps = ScrolledFrames(
        "A\x80"
        "B\x1F\xFF");
    EXPECT_EQ(withGaps.size(), plain.size()) << "the text after a gap follows closer: the end comes as soon";
    // A's five columns and its empty line have entered in six steps; the seventh step is the
    // byte without a glyph: all moves a line up, nothing new below.
    EXPECT_EQ(withGaps[6], plain[5].substr(2) + "00");
    // B is then written from the display's last line on, and the eighth step moves its first
    // column a line above where the plain text shows it.
    EXPECT_EQ(withGaps[7].substr(22, 2), plain[6].substr(24, 2));
    EXPECT_EQ(ScrolledFrames("\x01\x90").size(), 13u) << "nothing to show: the display just scrolls empty";
}

TEST(DisplayScrollTest, APictureOnTheDisplayMovesUpFirst) {
    const auto frames = ScrolledFrames("!", Frame("0102030405060708090A0B0C0D"));
    ASSERT_EQ(frames.size(), 6u + 15);
    EXPECT_EQ(frames[0], "02030405060708090A0B0C0D00");
    EXPECT_EQ(frames[5], "0708090A0B0C0D000000000000");
    EXPECT_EQ(frames[6], "08090A0B0C0D0000000000004F") << "then the message enters behind it";
    EXPECT_EQ(frames[6 + 12].substr(0, 2), "4F");
}

TEST(DisplayScrollTest, ALongMessageStaysInsideTheFrame) {
    // Wide characters one after another fill the run-off lines as far as they go.
    const auto frames = ScrolledFrames(std::string(36, 'W'));
    EXPECT_EQ(frames.size(), 13u + 36 * 6);
}

TEST(DisplayScrollTest, APictureScrollsThroughAndLeavesTheDisplayEmpty) {
    DisplayWorld world;
    world.display.ShowAtOnce(Frame("7F7F7F7F7F7F7F7F7F7F7F7F7F"));
    world.display.ScrollPicture(Picture(13));
    const auto frames = world.observer.FrameHexes();
    ASSERT_EQ(frames.size(), 13u + 13);
    EXPECT_EQ(frames[0], "00000000000000000000000001") << "the old picture is cleared at once";
    EXPECT_EQ(frames[12], "0102030405060708090A0B0C0D");
    EXPECT_EQ(frames[13], "02030405060708090A0B0C0D00");
    EXPECT_EQ(world.display.Current(), DisplayFrame{});
    for (const auto& step : world.observer.steps) EXPECT_EQ(step.delayMs, 100);
}

TEST(DisplayScrollTest, APictureWithoutAnEndMarkScrollsItsFortyLines) {
    DisplayWorld world;
    world.display.ScrollPicture(Picture(40));
    EXPECT_EQ(world.observer.steps.size(), 40u + 13);
    EXPECT_EQ(world.display.Current(), DisplayFrame{});
}

}  // namespace
}  // namespace kiro
