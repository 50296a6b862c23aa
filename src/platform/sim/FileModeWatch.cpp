#include "platform/sim/FileModeWatch.h"

#include <filesystem>
#include <fstream>

#include "core/base/Format.h"

namespace kiro::sim {

namespace {

constexpr size_t kBinaryDayFileSize = 3072;

bool WriteFile(const std::string& path, const void* bytes, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

FileModeWatch::FileModeWatch(std::string folder) : folder_(std::move(folder)) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
}

std::string DayFileName(const DaySteps& day, DayFileFormat format) {
    return Format("%04d%02d%02d.%s", day.year, day.month, day.day,
                  format == DayFileFormat::Text ? "TXT" : "KRO");
}

std::string TextDayFile(const DaySteps& day) {
    std::string text;
    for (int hour = 0; hour < 24; ++hour) {
        int minute = 0;
        while (minute < 60) {
            if (day.At(hour, minute) == 0) {
                ++minute;
                continue;
            }
            const int start = minute;
            int steps = 0;
            while (minute < 60 && day.At(hour, minute) != 0) steps += day.At(hour, minute++);
            text += Format("%d:%d~%d:%d %d\r\n", hour, start, hour, minute - 1, steps);
        }
    }
    return text;
}

std::vector<uint8_t> BinaryDayFile(const DaySteps& day) {
    std::vector<uint8_t> bytes(kBinaryDayFileSize, 0);
    for (int hour = 0; hour < 24; ++hour) {
        const size_t offset = static_cast<size_t>(hour / 4) * 512 + static_cast<size_t>(hour % 4) * 120;
        for (int minute = 0; minute < 60; ++minute) {
            const uint16_t count = day.At(hour, minute);
            bytes[offset + 2 * minute] = static_cast<uint8_t>(count >> 8);
            bytes[offset + 2 * minute + 1] = static_cast<uint8_t>(count & 0xFF);
        }
    }
    return bytes;
}

bool FileModeWatch::AddDay(const DaySteps& day, DayFileFormat format) const {
    const std::string path = folder_ + "/" + DayFileName(day, format);
    if (format == DayFileFormat::Text) {
        const std::string text = TextDayFile(day);
        return WriteFile(path, text.data(), text.size());
    }
    const std::vector<uint8_t> bytes = BinaryDayFile(day);
    return WriteFile(path, bytes.data(), bytes.size());
}

bool FileModeWatch::WriteClockFile(const LocalTime& setTime, const std::string& message,
                                   const std::string& pictureHex) const {
    // Effects G A G J K E J A A (6, 0, 6, 9, 10, 4, 9, 0, 0), middle speed, no rate correction,
    // 24-hour display.
    const std::string text = Format(
        "UStr=%s\r\nUPic=%s\r\nDisp=GAGJKEJAA\r\nSped=4\r\nTAdj=0\r\nDate=%04d%02d%02d\r\nTime=%02d%02d%"
        "02d\r\nHMod=0\r\n",
        message.c_str(), pictureHex.c_str(), setTime.year, setTime.month, setTime.day, setTime.hour,
        setTime.minute, setTime.second);
    return WriteFile(folder_ + "/CLOCK.TXT", text.data(), text.size());
}

bool FileModeWatch::WriteMarker(FileAttributes& attributes) const {
    const std::string path = folder_ + "/USBWATCH.DAT";
    if (!WriteFile(path, "", 0)) return false;
    // Only a FAT disk has a hidden attribute; elsewhere the marker is simply visible.
    attributes.SetHidden(path);
    return true;
}

}  // namespace kiro::sim
