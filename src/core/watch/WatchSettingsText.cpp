#include "core/watch/WatchSettingsText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <vector>

#include "core/base/Format.h"
#include "core/base/HexText.h"

namespace kiro {
namespace {

enum class Kind { Number, Flag, Effects, Picture, Message };

struct Key {
    const char* name;
    Kind kind;
    int WatchSettings::*number = nullptr;
    bool WatchSettings::*flag = nullptr;
    int min = 0;
    int max = 0;
};

// The keys in the order they are printed, with the range a value must have to be read.
const Key kKeys[] = {
    {"HMod", Kind::Number, &WatchSettings::hMod, nullptr, 0, 1},
    {"Sped", Kind::Number, &WatchSettings::sped, nullptr, 0, 8},
    {"TAdj", Kind::Number, &WatchSettings::tAdj, nullptr, -99, 99},
    {"Disp", Kind::Effects},
    {"UPic", Kind::Picture},
    {"UStr", Kind::Message},
    {"LedPower", Kind::Flag, nullptr, &WatchSettings::ledPower},
    {"LedFromHour", Kind::Number, &WatchSettings::ledFromHour, nullptr, 0, 23},
    {"LedToHour", Kind::Number, &WatchSettings::ledToHour, nullptr, 0, 23},
    {"AlarmEnabled", Kind::Flag, nullptr, &WatchSettings::alarmEnabled},
    {"AlarmEveryDay", Kind::Number, &WatchSettings::alarmEveryDay, nullptr, 0, 1},
    {"AlarmHour", Kind::Number, &WatchSettings::alarmHour, nullptr, 0, 23},
    {"AlarmMinute", Kind::Number, &WatchSettings::alarmMinute, nullptr, 0, 59},
    {"StepRecorder24h", Kind::Flag, nullptr, &WatchSettings::stepRecorder24h},
};

// Effects may be 0..10 on the way in, though the watch hands back at most 9.
constexpr int kMaxEffect = 10;

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else if (byte < 0x20 || byte > 0x7E)
            out += Format("\\x%02X", byte);
        else
            out += c;
    }
    return out;
}

std::string ValueText(const Key& key, const WatchSettings& settings) {
    switch (key.kind) {
        case Kind::Number:
            return Format("%d", settings.*key.number);
        case Kind::Flag:
            return settings.*key.flag ? "1" : "0";
        case Kind::Effects: {
            std::string text;
            for (size_t i = 0; i < settings.disp.size(); ++i)
                text += Format(i ? ",%d" : "%d", settings.disp[i]);
            return text;
        }
        case Kind::Picture:
            return ToHexPairs(settings.uPic.data(), settings.uPic.size());
        case Kind::Message:
            return Escaped(settings.uStr);
    }
    return {};
}

// A decimal integer in min..max and nothing else: no blanks, no plus sign.
bool ReadNumber(std::string_view text, int min, int max, int& value) {
    int read = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return false;
    if (read < min || read > max) return false;
    value = read;
    return true;
}

std::vector<std::string_view> SplitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t comma = std::min(text.find(',', start), text.size());
        parts.push_back(text.substr(start, comma - start));
        if (comma == text.size()) return parts;
        start = comma + 1;
    }
}

std::string ReadEffects(std::string_view text, WatchSettings& settings) {
    const std::vector<std::string_view> parts = SplitAtCommas(text);
    std::array<int, 10> effects{};
    bool readable = parts.size() == effects.size();
    for (size_t i = 0; readable && i < parts.size(); ++i)
        readable = ReadNumber(parts[i], 0, kMaxEffect, effects[i]);
    if (!readable) return Format("Disp must be ten numbers from 0 to %d, separated by commas", kMaxEffect);
    settings.disp = effects;
    return {};
}

std::string ReadPicture(std::string_view text, WatchSettings& settings) {
    std::array<uint8_t, kPictureBytes> picture{};
    if (text.size() != 2 * picture.size() ||
        DecodeHexPairs(text, picture.data(), picture.size()) != picture.size())
        return Format("UPic must be %d hexadecimal digits (all %d bytes)", 2 * kPictureBytes, kPictureBytes);
    settings.uPic = picture;
    return {};
}

std::string ReadMessage(std::string_view text, WatchSettings& settings) {
    std::string message;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte > 0x7E) return "UStr must write a byte outside 0x20..0x7E as \\xHH";
        if (text[i] != '\\') {
            message += text[i];
            continue;
        }
        const char escape = i + 1 < text.size() ? text[++i] : '\0';
        uint8_t escaped = 0;
        if (escape == 'n')
            message += '\n';
        else if (escape == 'r')
            message += '\r';
        else if (escape == 't')
            message += '\t';
        else if (escape == '\\')
            message += '\\';
        else if (escape == 'x' && DecodeHexPairs(text.substr(i + 1, 2), &escaped, 1) == 1 && escaped != 0) {
            message += static_cast<char>(escaped);
            i += 2;
        } else
            return "UStr: a backslash must begin \\n, \\r, \\t, \\\\ or \\xHH (not \\x00)";
    }
    if (message.size() > kMessageLength) return Format("UStr is longer than %d characters", kMessageLength);
    settings.uStr = message;
    return {};
}

std::string ReadValue(const Key& key, std::string_view value, WatchSettings& settings) {
    int number = 0;
    switch (key.kind) {
        case Kind::Number:
            if (!ReadNumber(value, key.min, key.max, number))
                return Format("%s must be a whole number from %d to %d", key.name, key.min, key.max);
            settings.*key.number = number;
            return {};
        case Kind::Flag:
            if (!ReadNumber(value, 0, 1, number)) return Format("%s must be 0 or 1", key.name);
            settings.*key.flag = number == 1;
            return {};
        case Kind::Effects:
            return ReadEffects(value, settings);
        case Kind::Picture:
            return ReadPicture(value, settings);
        case Kind::Message:
            return ReadMessage(value, settings);
    }
    return {};
}

const Key* FindKey(std::string_view name) {
    const auto found =
        std::find_if(std::begin(kKeys), std::end(kKeys), [name](const Key& key) { return name == key.name; });
    return found == std::end(kKeys) ? nullptr : found;
}

// Why one line cannot be read, or nothing.
std::string ReadLine(std::string_view line, std::set<const Key*>& given, WatchSettings& settings) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return "not a Key=value line";
    const std::string_view name = line.substr(0, equals);
    const Key* key = FindKey(name);
    if (!key) return "unknown key '" + Escaped(name) + "'";
    if (!given.insert(key).second) return Format("%s is given twice", key->name);
    return ReadValue(*key, line.substr(equals + 1), settings);
}

}  // namespace

std::string PrintWatchSettingsText(const WatchSettings& settings) {
    std::string text;
    for (const Key& key : kKeys) text += std::string(key.name) + "=" + ValueText(key, settings) + "\n";
    return text;
}

ParsedWatchSettings ParseWatchSettingsText(std::string_view text) {
    ParsedWatchSettings parsed;
    std::set<const Key*> given;
    int lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        if (const std::string why = ReadLine(line, given, parsed.settings); !why.empty()) {
            parsed.error = Format("line %d: %s", lineNumber, why.c_str());
            return parsed;
        }
    }
    return parsed;
}

}  // namespace kiro
