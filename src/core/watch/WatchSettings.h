#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace kiro {

inline constexpr int kPictureBytes = 40;  // 39 lines of 7 dots, and one more byte for the end mark
inline constexpr int kMessageLength = 36;
inline constexpr uint8_t kPictureEnd = 0xFF;

// The watch's settings as the program holds them: filled from CLOCK.TXT or the configuration
// block when a watch is collected, edited by the configuration pages, and written back.
struct WatchSettings {
    int hMod = 0;  // 0 = 24-hour, 1 = 12-hour
    int sped = 4;  // display speed 0..8
    int tAdj = 0;  // clock rate correction in seconds per day, -99..99
    std::array<int, 10> disp{6, 0, 6, 9, 10, 4, 9, 0, 0, 0};    // transition effect of each display item
    std::array<uint8_t, kPictureBytes> uPic = FilledPicture();  // picture lines; the first 0xFF ends it
    std::string uStr;                                           // personal message, at most 36 characters
    bool ledPower = false;
    int ledFromHour = 8;
    int ledToHour = 18;
    bool alarmEnabled = false;
    int alarmEveryDay = 0;
    int alarmHour = 0;
    int alarmMinute = 0;
    bool stepRecorder24h = false;

    static std::array<uint8_t, kPictureBytes> FilledPicture() {
        std::array<uint8_t, kPictureBytes> picture;
        picture.fill(kPictureEnd);
        return picture;
    }

    // The reset that every reader starts from: hour mode, speed, correction, effects, picture
    // and message.
    void ResetDisplay();
    void ResetAlarm();
    // Everything but the LED fields, which are set once at start and change only by a
    // configuration block read back at collection (and, for the power flag, by Time Set).
    void Reset();
};

}  // namespace kiro
