// How much of the main window a screen shows: all of it where there is room, else as much as
// fits, with the scroll bars the cut directions need.
#include "gui/mainwindow/ScreenFit.h"

#include <gtest/gtest.h>

namespace kiro::gui {
namespace {

constexpr QSize kWindow{997, 520};
constexpr int kBar = 15;

// The room a screen of that many logical pixels leaves the client, with a task bar of 40.
QSize RoomOn(QSize screen) {
    return QSize(screen.width(), screen.height() - 40) - kWindowFrame;
}

TEST(ScreenFitTest, TheScreensOfTodayShowTheWindowOrScrollIt) {
    EXPECT_EQ(ScrolledSize(kWindow, RoomOn({1366, 768}), kBar), kWindow) << "a laptop at 1x: all of it";
    EXPECT_EQ(ScrolledSize(kWindow, RoomOn({1920, 1080}), kBar), kWindow) << "full HD at 1x";
    // Full HD at twice the density is 960 x 540 logical pixels: cut both ways.
    EXPECT_EQ(ScrolledSize(kWindow, RoomOn({960, 540}), kBar), RoomOn({960, 540}));
}

TEST(ScreenFitTest, ACutDirectionTakesRoomForItsScrollBarFromTheOther) {
    // Too narrow by a little, with height to spare: the horizontal bar goes below the content.
    EXPECT_EQ(ScrolledSize(kWindow, {900, 600}, kBar), QSize(900, 520 + kBar));
    // Too narrow, and the bar's height no longer fits: both scroll.
    EXPECT_EQ(ScrolledSize(kWindow, {900, 530}, kBar), QSize(900, 530));
    // Too low, with width to spare: the vertical bar goes beside it.
    EXPECT_EQ(ScrolledSize(kWindow, {1200, 400}, kBar), QSize(997 + kBar, 400));
    EXPECT_EQ(ScrolledSize(kWindow, {1005, 400}, kBar), QSize(1005, 400)) << "no room for the bar: both";
    EXPECT_EQ(ScrolledSize(kWindow, kWindow, kBar), kWindow) << "exactly the room it needs";
}

}  // namespace
}  // namespace kiro::gui
