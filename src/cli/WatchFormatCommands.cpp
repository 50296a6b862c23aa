// kiro clockfile, kiro block and kiro clockdiff: the watch's settings formats, written and read
// without a watch, from the settings text that kiro watch-settings prints.
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "cli/Commands.h"
#include "core/analysis/CalendarDay.h"
#include "core/base/CalendarMath.h"
#include "core/base/HexText.h"
#include "core/watch/ClockDifference.h"
#include "core/watch/ClockFile.h"
#include "core/watch/ConfigBlock.h"
#include "core/watch/WatchDiskFiles.h"
#include "core/watch/WatchSettingsText.h"
#include "core/watchconfig/PersonalPicture.h"

namespace kiro::cli {
namespace {

// A settings text is a few hundred bytes; anything far larger is not one.
constexpr size_t kSettingsTextLimit = 64 * 1024;
constexpr const char* kMomentForm = "\"YYYY-MM-DD HH:MM:SS\"";

// Ends a command with its reason on standard error.
[[noreturn]] void Stop(const std::string& command, const std::string& why, int status = kExitFailed) {
    std::cerr << "kiro " << command << ": " << why << "\n";
    throw CLI::RuntimeError(status);
}

bool ReadTwoDigits(std::string_view text, int& value) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return false;
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return true;
}

// "YYYY-MM-DD HH:MM:SS", a moment that exists, in the years a configuration block can carry
// (2000 and the 255 after it).
std::optional<LocalTime> ParseMoment(std::string_view text) {
    if (text.size() != 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':') return std::nullopt;
    const std::optional<CalendarDay> day = ParseCalendarDay(text.substr(0, 10));
    LocalTime moment;
    if (!day || day->year < 2000 || day->year > 2255 || !ReadTwoDigits(text.substr(11, 2), moment.hour) ||
        !ReadTwoDigits(text.substr(14, 2), moment.minute) ||
        !ReadTwoDigits(text.substr(17, 2), moment.second))
        return std::nullopt;
    if (moment.hour > 23 || moment.minute > 59 || moment.second > 59) return std::nullopt;
    moment.year = day->year;
    moment.month = day->month;
    moment.day = day->day;
    moment.weekday = WeekdayOf(day->year, day->month, day->day);
    return moment;
}

LocalTime RequiredMoment(const std::string& command, const std::string& text) {
    if (text.empty()) Stop(command, std::string("--now ") + kMomentForm + " is required");
    const std::optional<LocalTime> moment = ParseMoment(text);
    if (!moment) Stop(command, "--now must be an existing time " + std::string(kMomentForm) + ": " + text);
    return *moment;
}

WatchSettings RequiredSettings(const std::string& command, FileSystem& files, const std::string& path) {
    if (path.empty()) Stop(command, "--settings FILE is required");
    const FileContent content = files.ReadFile(path, kSettingsTextLimit, OverLimit::Refuse);
    if (content.error) Stop(command, "cannot read " + path + ": " + content.error.message());
    ParsedWatchSettings parsed = ParseWatchSettingsText(content.bytes);
    if (!parsed.error.empty()) Stop(command, path + ": " + parsed.error);
    return parsed.settings;
}

// The CLOCK.TXT a Time Set rewrites; one that is not there is empty.
std::string OldClockFile(FileSystem& files, const std::string& path) {
    if (path.empty()) return {};
    const FileContent content = files.ReadFile(path, kWatchFileLimit, OverLimit::Refuse);
    if (IsMissing(content.error)) return {};
    if (content.error) Stop("clockfile", "cannot read " + path + ": " + content.error.message());
    return content.bytes;
}

struct ClockFileArgs {
    std::string kind, settings, now, old, out;
    bool demo = false;
};

void WriteClockFile(FileSystem& files, const ClockFileArgs& args) {
    const std::string command = "clockfile";
    static const std::set<std::string> kKinds = {"full", "personal", "timeset"};
    if (!kKinds.count(args.kind)) Stop(command, "KIND must be full, personal or timeset");
    if (!args.old.empty() && args.kind != "timeset") Stop(command, "--old is only for timeset");
    if (args.demo && args.kind != "personal") Stop(command, "--demo is only for personal");
    if (args.out.empty()) Stop(command, "--out FILE is required");
    WatchSettings settings = RequiredSettings(command, files, args.settings);
    const LocalTime now = RequiredMoment(command, args.now);
    std::string bytes;
    if (args.kind == "full")
        bytes = BuildClockFileFull(settings, now);
    else if (args.kind == "personal")
        bytes = BuildClockFilePersonal(
            settings.uStr, UsedPictureLines(PictureFromBytes(settings.uPic.data(), kPictureLines)), settings,
            args.demo);
    else
        bytes = BuildClockFileTimeSet(OldClockFile(files, args.old), now, settings.tAdj, settings.hMod);
    // Never through a link: the file is meant for a watch disk, where nothing is trusted.
    if (const std::error_code error = files.WriteFile(args.out, bytes, Durability::Flushed))
        Stop(command, "cannot write " + args.out + ": " + error.message());
}

void AddClockFileCommand(CLI::App& cli, FileSystem& files) {
    auto args = std::make_shared<ClockFileArgs>();
    CLI::App* command = cli.add_subcommand("clockfile", "Write a watch's CLOCK.TXT from a settings file");
    command->add_option("KIND", args->kind,
                        "full (factory setup), personal (picture and message) or timeset (clock set)");
    command->add_option("--settings", args->settings, "Settings in the form kiro watch-settings prints");
    command->add_option("--now", args->now, std::string("The watch's new time, ") + kMomentForm);
    command->add_option("--old", args->old, "The CLOCK.TXT that timeset rewrites (none: empty)");
    command->add_flag("--demo", args->demo, "Switch the watch's demo on (personal)");
    command->add_option("--out", args->out, "Where to write the file");
    command->callback([args, &files] { WriteClockFile(files, *args); });
}

struct BlockArgs {
    std::string settings, now, model;
    bool alarm = false;
};

void PrintBlock(FileSystem& files, const BlockArgs& args) {
    const std::string command = "block";
    if (args.model != "C" && args.model != "E") Stop(command, "--model must be C or E");
    const WatchSettings settings = RequiredSettings(command, files, args.settings);
    const LocalTime now = RequiredMoment(command, args.now);
    const ConfigBlock block = BuildConfigBlock(settings, args.model[0], now, args.alarm);
    std::cout << ToHexPairs(block.data(), block.size()) << "\n";
}

void AddBlockCommand(CLI::App& cli, FileSystem& files) {
    auto args = std::make_shared<BlockArgs>();
    CLI::App* command = cli.add_subcommand(
        "block", "Print the 256-byte configuration block of a settings file in hexadecimal");
    command->add_option("--settings", args->settings, "Settings in the form kiro watch-settings prints");
    command->add_option("--now", args->now, std::string("The watch's new time, ") + kMomentForm);
    command->add_option("--model", args->model, "The watch's model letter, C or E");
    command->add_flag("--alarm", args->alarm, "Carry the alarm and step-recorder bytes, as a clock set does");
    command->callback([args, &files] { PrintBlock(files, *args); });
}

struct ClockDiffArgs {
    std::string blockHex, now;
};

void PrintClockDifference(const ClockDiffArgs& args, const Clock& zone) {
    const std::string command = "clockdiff";
    const LocalTime now = RequiredMoment(command, args.now);
    ConfigBlock block{};
    if (args.blockHex.size() != 2 * block.size() ||
        DecodeHexPairs(args.blockHex, block.data(), block.size()) != block.size())
        Stop(command, "BLOCKHEX must be 512 hexadecimal digits", kExitNotAWatch);
    if (!HasConfigSignature(block))
        Stop(command, "the block does not come from a watch: it lacks \"KiroWatch X5\" at its start",
             kExitNotAWatch);
    const ClockDifference difference = ComputeClockDifference(block, now, zone);
    std::cout << "LastUpdate=" << difference.lastUpdateText << "\n"
              << "CurrentTime=" << difference.currentTimeText << "\n"
              << "WatchTime=" << difference.watchTimeText << "\n"
              << "Difference=" << difference.differenceText << "\n"
              << "TAdj=" << difference.newTAdj << "\n";
}

void AddClockDiffCommand(CLI::App& cli, CliPlatform& platform) {
    auto args = std::make_shared<ClockDiffArgs>();
    CLI::App* command = cli.add_subcommand(
        "clockdiff", "Print how far a watch's clock has drifted and the rate correction that follows");
    command->add_option("BLOCKHEX", args->blockHex,
                        "The block the watch handed back, 512 hexadecimal digits");
    command->add_option("--now", args->now, std::string("The PC's time, ") + kMomentForm);
    // The machine's time zone: the times are local times, as on the watch.
    command->callback([args, &platform] { PrintClockDifference(*args, platform.SystemClock()); });
}

}  // namespace

void AddWatchFormatCommands(CLI::App& cli, CliContext& context) {
    AddClockFileCommand(cli, context.Files());
    AddBlockCommand(cli, context.Files());
    AddClockDiffCommand(cli, context.Platform());
}

}  // namespace kiro::cli
