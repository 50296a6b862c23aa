// The tree `cmake --install --strip` made in the staging folder (KiroInstall.IntoStagingFolder
// runs first), as it goes into the package: every file where a desktop and a package manager look
// for it, the installed programs working from there, and the validators' verdict on the desktop
// entry, the metainfo and the man pages. A validator that is not installed skips its test and
// says so.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/update/ProgramKind.h"
#include "core/update/ProgramSeal.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro::test {
namespace {

namespace fs = std::filesystem;

const fs::path kUsr = fs::path(KIRO_INSTALL_STAGE) / "usr";
const fs::path kBin = kUsr / "bin";
const fs::path kShare = kUsr / "share";
const fs::path kManPages = kShare / "man/man1";
const fs::path kPackageDocs = kShare / "doc/kirometer";

std::string Quoted(const fs::path& path) {
    return ShellQuote(path.string());
}

bool IsExecutableFile(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return fs::is_regular_file(status) && (status.permissions() & fs::perms::owner_exec) != fs::perms::none &&
           (status.permissions() & fs::perms::others_exec) != fs::perms::none;
}

// Skips the calling test when `program` is not on the PATH, naming the package that brings it.
#define SKIP_WITHOUT(program, package)                                   \
    if (RunCommand("command -v " program).exitCode != 0)                 \
    GTEST_SKIP() << program " is not installed (Debian package " package \
                            ", which scripts/setup "                     \
                            "installs): this check did not run"

// A gzip-compressed file as installed (man pages and the changelog are), decompressed; empty when
// it is no such file.
std::string Decompressed(const fs::path& file) {
    const CommandResult text = RunCommand("gzip -dc " + Quoted(file) + " 2>/dev/null");
    return text.exitCode == 0 ? text.output : std::string();
}

// A man page as a reader sees it, without fonts.
std::string RenderedManPage(const fs::path& page) {
    return RunCommand("gzip -dc " + Quoted(page) + " | groff -man -Tutf8 -P -cbou").output;
}

// Whether a rendered man page has a paragraph tagged with `name`: a line at the tag's indent that
// starts with it, followed by its arguments or another name.
bool HasTaggedParagraph(const std::string& rendered, const std::string& name) {
    std::istringstream lines(rendered);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("       " + name, 0) != 0) continue;
        const size_t after = 7 + name.size();
        if (after == line.size() || std::string_view(" ,=[").find(line[after]) != std::string_view::npos)
            return true;
    }
    return false;
}

TEST(InstalledTreeTest, TheCommandLineProgramRunsFromTheBinFolder) {
    ASSERT_TRUE(IsExecutableFile(kBin / "kiro"));
    const CommandResult version = RunCommand(Quoted(kBin / "kiro") + " --version");
    EXPECT_EQ(version.exitCode, 0) << version.output;
    EXPECT_NE(version.output.find(std::string("kiro ") + KIRO_PROJECT_VERSION), std::string::npos)
        << version.output;
}

TEST(InstalledTreeTest, TheUdevRuleIsWhereUdevReadsPackagedRules) {
    const fs::path rule = kUsr / "lib/udev/rules.d/60-kirometer-x5.rules";
    ASSERT_TRUE(fs::is_regular_file(rule));
    EXPECT_EQ(TempFolder::ReadFile(rule.string()),
              TempFolder::ReadFile(KIRO_SOURCE_DIR "/packaging/60-kirometer-x5.rules"));
}

TEST(InstalledTreeTest, TheCopyrightAndTheChangelogOfThisVersionAreWhereDebianLooks) {
    const std::string copyright = TempFolder::ReadFile((kPackageDocs / "copyright").string());
    EXPECT_EQ(
        copyright.rfind("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n", 0),
        0u)
        << copyright;
    // The newest entry comes first; a new version without one would ship the old one's notes.
    const std::string changelog = Decompressed(kPackageDocs / "changelog.gz");
    EXPECT_EQ(changelog.substr(0, changelog.find('\n')),
              std::string("kirometer (") + KIRO_PROJECT_VERSION + ") unstable; urgency=medium")
        << "packaging/changelog needs an entry for version " << KIRO_PROJECT_VERSION;
}

TEST(ManPagesTest, FormatWithoutAWarning) {
    SKIP_WITHOUT("groff", "groff-base");
    std::vector<fs::path> pages = {kManPages / "kiro.1.gz"};
    if (KIRO_GUI_BUILT) pages.push_back(kManPages / "KiroMeter_X5.1.gz");
    for (const fs::path& page : pages) {
        // Checked first: groff given nothing would find nothing to warn about.
        ASSERT_EQ(Decompressed(page).rfind(".TH ", 0), 0u) << page << " is no compressed man page";
        const CommandResult check = RunCommand("gzip -dc " + Quoted(page) + " | groff -man -Tutf8 -ww -z");
        EXPECT_EQ(check.exitCode, 0) << page;
        EXPECT_EQ(check.output, "") << page;
    }
}

TEST(ManPagesTest, TheKiroPageDescribesEveryCommandTheProgramHas) {
    SKIP_WITHOUT("groff", "groff-base");
    const CommandResult help = RunCommand(Quoted(kBin / "kiro") + " --help");
    ASSERT_EQ(help.exitCode, 0) << help.output;
    const std::string subcommands = help.output.substr(help.output.find("Subcommands:"));
    const std::regex command(R"(\n  ([a-z][a-z-]*) )");
    const std::string rendered = RenderedManPage(kManPages / "kiro.1.gz");
    int seen = 0;
    for (std::sregex_iterator it(subcommands.begin(), subcommands.end(), command), end; it != end; ++it) {
        ++seen;
        EXPECT_TRUE(HasTaggedParagraph(rendered, (*it)[1])) << "kiro.1 has no paragraph on " << (*it)[1];
    }
    EXPECT_GE(seen, 10) << help.output;
}

#if KIRO_GUI_BUILT

const fs::path kDesktopEntry = kShare / "applications/KiroMeter_X5.desktop";
const fs::path kMetainfo = kShare / "metainfo/example.kirometer.KiroMeter_X5.metainfo.xml";

// Width and height of a PNG, from its header chunk; {0, 0} when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const fs::path& path) {
    const std::string bytes = TempFolder::ReadFile(path.string());
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    const auto number = [&bytes](size_t at) {
        uint32_t value = 0;
        for (size_t i = at; i < at + 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[i]);
        return value;
    };
    return {number(16), number(20)};
}

// The value of the first `key=` line of a desktop entry.
std::string DesktopEntryValue(const std::string& entry, const std::string& key) {
    std::istringstream lines(entry);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    return {};
}

TEST(InstalledTreeTest, TheDesktopProgramRunsFromTheBinFolderWithItsStamp) {
    ASSERT_TRUE(IsExecutableFile(kBin / "KiroMeter_X5"));
    // The update check compares this stamp: the installed copy must still carry it.
    const CommandResult stamp = RunCommand(Quoted(kBin / "KiroMeter_X5") + " --stamp");
    EXPECT_EQ(stamp.exitCode, 0) << stamp.output;
    EXPECT_TRUE(std::regex_match(stamp.output, std::regex("0x[0-9A-F]{8}\n"))) << stamp.output;
    EXPECT_NE(stamp.output, "0xFFFFFFFF\n");
}

// The stamp of a program as it reports it ("0x...\n").
std::string StampOf(const fs::path& program) {
    return RunCommand(Quoted(program) + " --stamp").output;
}

TEST(InstalledTreeTest, TheStrippedDesktopProgramHoldsItsSealAndKeepsTheBuildsStamp) {
    SKIP_WITHOUT("file", "file");
    const fs::path program = kBin / "KiroMeter_X5";
    const std::string kind = RunCommand("file -b " + Quoted(program)).output;
    ASSERT_NE(kind.find(", stripped"), std::string::npos) << kind;
    // Stripping changed the file after the build sealed it: the install seals it again.
    const std::string bytes = TempFolder::ReadFile(program.string());
    const std::span<const uint8_t> image(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const std::optional<ProgramKind> format = FindProgramKind(image);
    ASSERT_TRUE(format.has_value());
    SealCheck seal(format->format);
    seal.Feed(image);
    EXPECT_TRUE(seal.Holds()) << "the installed program is not the length or the content its seal names";
    // The update check compares stamps: sealing again must not make the build look newer.
    EXPECT_EQ(StampOf(program), StampOf(KIRO_BUILT_GUI_PATH));
}

TEST(InstalledTreeTest, TheDemoDataIsWhereTheInstalledProgramLooksForIt) {
    EXPECT_TRUE(fs::is_regular_file(kBin / KIRO_DEMO_DATA_FROM_PROGRAM / "minuteStepsWide.csv"));
    EXPECT_TRUE(fs::is_regular_file(kBin / KIRO_DEMO_DATA_FROM_PROGRAM / "README.md"));
}

TEST(DesktopEntryTest, PassesTheValidator) {
    SKIP_WITHOUT("desktop-file-validate", "desktop-file-utils");
    ASSERT_TRUE(fs::is_regular_file(kDesktopEntry));
    const CommandResult check = RunCommand("desktop-file-validate " + Quoted(kDesktopEntry));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_EQ(check.output, "");
}

TEST(DesktopEntryTest, StartsTheInstalledProgramInTheUserFolderWithAnIconInEverySize) {
    const std::string entry = TempFolder::ReadFile(kDesktopEntry.string());
    EXPECT_EQ(DesktopEntryValue(entry, "Exec"), "KiroMeter_X5 --user-folder");
    EXPECT_TRUE(IsExecutableFile(kBin / "KiroMeter_X5"));
    const std::string icon = DesktopEntryValue(entry, "Icon");
    ASSERT_FALSE(icon.empty());
    const fs::path theme = kShare / "icons/hicolor";
    for (const uint32_t size : {16u, 22u, 24u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(theme / folder / "apps" / (icon + ".png")), std::make_pair(size, size)) << folder;
    }
    const std::string drawing = TempFolder::ReadFile((theme / "scalable/apps" / (icon + ".svg")).string());
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
}

TEST(MetainfoTest, PassesTheValidator) {
    SKIP_WITHOUT("appstreamcli", "appstream");
    ASSERT_TRUE(fs::is_regular_file(kMetainfo));
    const CommandResult check = RunCommand("appstreamcli validate --no-net " + Quoted(kMetainfo));
    EXPECT_EQ(check.exitCode, 0) << check.output;
}

TEST(MetainfoTest, NamesItsOwnIdTheDesktopEntryAndThisRelease) {
    const std::string metainfo = TempFolder::ReadFile(kMetainfo.string());
    std::smatch found;
    ASSERT_TRUE(std::regex_search(metainfo, found, std::regex("<id>([^<]+)</id>")));
    EXPECT_EQ(found[1].str() + ".metainfo.xml", kMetainfo.filename().string());
    ASSERT_TRUE(
        std::regex_search(metainfo, found, std::regex(R"re(<launchable type="desktop-id">([^<]+)<)re")));
    EXPECT_EQ(found[1].str(), kDesktopEntry.filename().string());
    // Software centres show the first release as the version installed.
    ASSERT_TRUE(std::regex_search(metainfo, found, std::regex(R"re(<release version="([^"]+)")re")));
    EXPECT_EQ(found[1].str(), KIRO_PROJECT_VERSION);
}

TEST(ManPagesTest, TheDesktopProgramsPageDescribesEveryStartOption) {
    SKIP_WITHOUT("groff", "groff-base");
    // An unknown argument makes the program print its usage line.
    const CommandResult usage = RunCommand(Quoted(kBin / "KiroMeter_X5") + " --no-such-option");
    ASSERT_EQ(usage.exitCode, 2) << usage.output;
    const std::string rendered = RenderedManPage(kManPages / "KiroMeter_X5.1.gz");
    const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> options;
    const std::string line = usage.output.substr(usage.output.find("usage:"));
    for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it)
        options.insert(it->str());
    EXPECT_TRUE(options.count("--user-folder")) << usage.output;
    for (const std::string& name : options)
        EXPECT_TRUE(HasTaggedParagraph(rendered, name)) << "KiroMeter_X5.1 has no paragraph on " << name;
}

TEST(InstalledProgramTest, TheMenuStartMakesTheUserFolderAndWorksInIt) {
    TempFolder home;
    TempFolder elsewhere;
    const CommandResult run =
        RunCommand(InFolder(elsewhere.Path(), "env -u XDG_DATA_HOME HOME=" + ShellQuote(home.Path()) +
                                                  " timeout 120 " + Quoted(kBin / "KiroMeter_X5") +
                                                  " --user-folder --demo=file --unattended --screenshot=" +
                                                  ShellQuote(home.File("window.png"))));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find(" >>> Collecting D: Complete <<<"), std::string::npos) << run.output;
    const fs::path folder = fs::path(home.Path()) / ".local/share/KiroMeter2";
    EXPECT_TRUE(fs::is_regular_file(folder / "KiroMeter2.INI"));
    EXPECT_FALSE(fs::is_empty(folder / "Data"));
    EXPECT_TRUE(fs::is_empty(elsewhere.Path())) << "the working directory was used as the program folder";
}

TEST(InstalledProgramTest, AUserFolderThatCannotBeMadeEndsTheStartWithStatus2) {
    TempFolder temp;
    temp.Write("home", "a file where the home folder belongs");
    const CommandResult run = RunCommand("env -u XDG_DATA_HOME HOME=" + ShellQuote(temp.File("home")) +
                                         " timeout 60 " + Quoted(kBin / "KiroMeter_X5") + " --user-folder");
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("KiroMeter_X5: cannot create the user folder " + temp.File("home")),
              std::string::npos)
        << run.output;
}

#endif  // KIRO_GUI_BUILT

}  // namespace
}  // namespace kiro::test
