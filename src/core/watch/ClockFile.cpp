#include "core/watch/ClockFile.h"

#include <algorithm>
#include <optional>

#include "core/base/Format.h"
#include "core/base/HexText.h"
#include "core/base/Numbers.h"
#include "core/base/TextChunks.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watch/WatchSettingsText.h"

namespace kiro {
namespace {

constexpr const char* kLineEnd = "\r\n";
// The reader's line buffer. It holds the longest line the program writes, a picture of 39 lines
// ("UPic=" and 78 digits): with 80, as it once was, the last two lines of a drawing were cut off
// when the file was read back at the next collection.
constexpr size_t kReadBuffer = 128;

std::string DispLetters(const WatchSettings& settings) {
    std::string letters;
    for (int i = 0; i < 9; ++i) letters += static_cast<char>('A' + settings.disp[i]);
    return letters;
}

std::string DateAndTime(const LocalTime& now) {
    return Format("Date=%04d%02d%02d%sTime=%02d%02d%02d", now.year, now.month, now.day, kLineEnd, now.hour,
                  now.minute, now.second);
}

std::string CommonHead(const std::string& message, const std::string& pictureHex,
                       const WatchSettings& settings) {
    std::string out;
    out += "UStr=" + message + kLineEnd;
    out += "UPic=" + pictureHex + kLineEnd;
    out += "Disp=" + DispLetters(settings) + kLineEnd;
    out += Format("Sped=%d%s", settings.sped, kLineEnd);
    out += Format("TAdj=%d%s", settings.tAdj, kLineEnd);
    return out;
}

int DispValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    return -1;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

std::string FilterMessage(const std::string& message) {
    std::string filtered;
    for (char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7F) filtered += c;
    }
    return filtered;
}

std::string BuildClockFileFull(WatchSettings& settings, const LocalTime& now) {
    settings.uStr = FilterMessage(settings.uStr);
    size_t lines = 0;
    while (lines < kPictureBytes - 1 && settings.uPic[lines] != kPictureEnd) ++lines;
    std::string out = CommonHead(settings.uStr, ToHexPairs(settings.uPic.data(), lines), settings);
    out += DateAndTime(now) + kLineEnd;
    out += Format("HMod=%d%s", settings.hMod, kLineEnd);
    return out;
}

std::string BuildClockFilePersonal(const std::string& message, const std::vector<uint8_t>& pictureLines,
                                   const WatchSettings& settings, bool demo) {
    std::string out =
        CommonHead(FilterMessage(message), ToHexPairs(pictureLines.data(), pictureLines.size()), settings);
    if (demo) out += std::string("Demo=1") + kLineEnd;
    return out;
}

std::string BuildClockFileTimeSet(const std::string& oldContent, const LocalTime& now, int tAdj, int hMod) {
    constexpr size_t kKeptLimit = 2048;
    std::string kept;
    for (const TextChunk& chunk : SplitTextChunks(oldContent, 200)) {
        if (chunk.reachedEnd) continue;  // a last line without a line break is not kept
        std::string line = chunk.text;
        const auto cut = std::find_if(line.begin(), line.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte > 0x7F;
        });
        line.erase(cut, line.end());
        if (line.empty() || StartsWith(line, "Date=") || StartsWith(line, "Time=") ||
            StartsWith(line, "TAdj=") || StartsWith(line, "REM :"))
            continue;
        if (kept.size() + line.size() + 1 > kKeptLimit) break;
        kept += line + "\n";
    }
    std::string out;
    for (char c : kept) {
        if (c == '\n')
            out += kLineEnd;
        else
            out += c;
    }
    out += kLineEnd + DateAndTime(now);
    out += Format("%sTAdj=%d%sHMod=%d", kLineEnd, tAdj, kLineEnd, hMod);
    return out;
}

void ParseClockFile(const std::string& content, WatchSettings& settings) {
    settings.ResetDisplay();
    for (const TextChunk& chunk : SplitTextChunks(content, kReadBuffer)) {
        const std::string& line = chunk.text;
        const auto valueOf = [&line](const char* key) -> std::optional<std::string> {
            const size_t at = line.find(key);
            if (at == std::string::npos) return std::nullopt;
            return line.substr(at + 5);
        };
        // A demo line is ignored; a message that holds the text "Demo=" after its key is still the
        // message, or a message typed that way would be lost at the next collection.
        if (line.find("Demo=") < line.find("UStr=")) continue;
        if (const auto value = valueOf("UStr=")) {
            settings.uStr = value->substr(0, kMessageLength);
        } else if (const auto value = valueOf("UPic=")) {
            settings.uPic = WatchSettings::FilledPicture();
            DecodeHexPairs(*value, settings.uPic.data(), kPictureBytes - 1);
        } else if (const auto value = valueOf("Disp=")) {
            for (size_t i = 0; i < settings.disp.size() && i < value->size(); ++i) {
                const int v = DispValue((*value)[i]);
                if (v < 0) break;
                settings.disp[i] = v;
            }
        } else if (const auto value = valueOf("TAdj=")) {
            settings.tAdj = LeadingInt(*value);
        } else if (const auto value = valueOf("Sped=")) {
            settings.sped = LeadingInt(*value);
        } else if (const auto value = valueOf("HMod=")) {
            settings.hMod = LeadingInt(*value);
        }
    }
    for (int& d : settings.disp) d = d < 0 ? 0 : (d >= 10 ? 9 : d);
    settings.tAdj = std::clamp(settings.tAdj, -99, 99);
    settings.sped = std::clamp(settings.sped, 0, 8);
}

std::error_code ReadClockFileAt(FileSystem& files, const std::string& root, WatchSettings& settings) {
    FileContent file;
    if (const auto name = FindRootFile(files, root, "CLOCK.TXT"))
        file = files.ReadFile(root + "/" + *name, kWatchFileLimit, OverLimit::Refuse);
    else
        file.error = files.ListFolder(root).error;  // no such file is no error; no such root is
    ParseClockFile(file.bytes, settings);
    return file.error;
}

std::string DescribeWatchSettings(const WatchSettings& settings) {
    return PrintWatchSettingsText(settings);
}

}  // namespace kiro
