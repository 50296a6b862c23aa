#include "core/watch/ConfigBlock.h"

#include <algorithm>
#include <cstring>

namespace kiro {
namespace {
constexpr char kSignature[] = "KiroWatch X5C V1";
}

ConfigBlock BuildConfigBlock(const WatchSettings& settings, char modelLetter, const LocalTime& now,
                             bool withAlarm) {
    ConfigBlock block{};
    std::memcpy(block.data(), kSignature, 16);
    block[12] = static_cast<uint8_t>(modelLetter);
    block[16] = static_cast<uint8_t>(now.year - 2000);
    block[17] = static_cast<uint8_t>(now.month);
    block[18] = static_cast<uint8_t>(now.day);
    block[19] = static_cast<uint8_t>(now.hour);
    block[20] = static_cast<uint8_t>(now.minute);
    block[21] = static_cast<uint8_t>(now.second);
    block[30] = settings.hMod == 1 ? 0x12 : 0x24;
    block[31] = static_cast<uint8_t>(static_cast<int8_t>(settings.tAdj));
    block[32] = static_cast<uint8_t>(settings.sped);
    for (int i = 0; i < 10; ++i) block[33 + i] = static_cast<uint8_t>(settings.disp[i]);
    block[45] = settings.ledPower ? 0xED : 0x00;
    block[46] = static_cast<uint8_t>(settings.ledFromHour);
    block[47] = static_cast<uint8_t>(settings.ledToHour);
    const size_t messageLength = std::min<size_t>(settings.uStr.size(), kMessageLength);
    std::memcpy(block.data() + 48, settings.uStr.data(), messageLength);
    std::copy(settings.uPic.begin(), settings.uPic.end(), block.begin() + 112);
    // Trailing empty or ended lines all become end marks, so the watch stops at the last dot.
    for (int i = 112 + kPictureBytes - 1; i >= 112 && (block[i] == 0x00 || block[i] == 0xFF); --i)
        block[i] = 0xFF;
    if (withAlarm) {
        block[160] = settings.alarmEnabled ? static_cast<uint8_t>(1 | (settings.alarmEveryDay ? 2 : 0)) : 0;
        block[161] = static_cast<uint8_t>(settings.alarmHour);
        block[162] = static_cast<uint8_t>(settings.alarmMinute);
        block[163] = settings.stepRecorder24h ? 0xFF : 0x00;
    }
    return block;
}

bool HasConfigSignature(const ConfigBlock& block) {
    return std::memcmp(block.data(), kSignature, 12) == 0;
}

bool ParseConfigBlock(const ConfigBlock& block, ConfigReadBack readBack, WatchSettings& settings) {
    const bool collection = readBack == ConfigReadBack::Collection;
    settings.ResetDisplay();
    if (collection) settings.ResetAlarm();
    if (!HasConfigSignature(block)) return false;
    settings.hMod = block[30] == 0x12 ? 1 : 0;
    settings.sped = block[32];
    for (int i = 0; i < 10; ++i) settings.disp[i] = std::min<int>(block[33 + i], 9);
    // The message is at most 36 characters and ends at its first zero byte.
    const char* message = reinterpret_cast<const char*>(block.data() + 48);
    settings.uStr.assign(message, strnlen(message, kMessageLength));
    const int pictureBytes = collection ? kPictureBytes : kPictureBytes - 1;
    std::copy(block.begin() + 112, block.begin() + 112 + pictureBytes, settings.uPic.begin());
    if (collection) {
        settings.ledPower = block[45] == 0xED;
        settings.ledFromHour = block[46];
        settings.ledToHour = block[47];
        settings.alarmEnabled = (block[160] & 1) != 0;
        settings.alarmEveryDay = (block[160] & 2) != 0 ? 1 : 0;
        settings.alarmHour = block[161];
        settings.alarmMinute = block[162];
        settings.stepRecorder24h = block[163] != 0;
    }
    return true;
}

}  // namespace kiro
