// A program folder on a file system that takes no writes: every write fails with a message, every
// read goes on, and nothing stored is lost. The command line meets a real read-only mount where
// the test may make one; the core meets every write failing with EROFS in any case.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "CommandRow.h"
#include "Sandbox.h"
#include "core/app/App.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "support/FaultyFileSystem.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Expected;
using test::Sandbox;

// Runs kiro in a mount namespace of its own where the program folder is bound onto itself
// read-only: the kernel refuses every write there with EROFS, for root too.
const char* const kReadOnlyMount =
    R"(mount --bind "$0" "$0" && mount -o remount,ro,bind "$0" "$0" && exec "$@")";

std::vector<std::string> ReadOnlyPrefix(const Sandbox& box) {
    return {"/usr/bin/unshare", "--mount", "/bin/sh", "-c", kReadOnlyMount, box.Prog()};
}

// Whether this process may make such a mount (root with the right to unshare), tried once.
bool CanMountReadOnly() {
    if (geteuid() != 0 || !fs::exists("/usr/bin/unshare")) return false;
    Sandbox box;
    const test::BoundedResult probe =
        box.KiroUnder(ReadOnlyPrefix(box), {"--folder", "{prog}", "settings", "set", "A", "B", "C"}, 10000ms);
    return probe.exitCode == 1 && probe.err.find("Read-only file system") != std::string::npos;
}

// Without root, taking away the write permission gives the same refusals (EACCES); it is given
// back before the sandbox goes.
class WriteProtected {
  public:
    explicit WriteProtected(const std::string& folder) : folder_(folder) { Set(false); }
    ~WriteProtected() { Set(true); }
    WriteProtected(const WriteProtected&) = delete;
    WriteProtected& operator=(const WriteProtected&) = delete;

  private:
    void Set(bool writable) {
        const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        const auto options = writable ? fs::perm_options::add : fs::perm_options::remove;
        std::error_code error;
        fs::permissions(folder_, write, options, error);
        for (const auto& entry : fs::recursive_directory_iterator(folder_, error))
            fs::permissions(entry.path(), write, options, error);
    }
    std::string folder_;
};

TEST(ReadOnlyFolderRows, WritesFailWithAMessageAndReadsGoOn) {
    // Root ignores permissions: as root only the read-only mount makes the folder read-only; a
    // root that may not mount leaves these rows to the core's below.
    const bool mount = CanMountReadOnly();
    if (!mount && geteuid() == 0)
        GTEST_SKIP() << "running as root without the right to mount: see the core rows";
    const char* const refused = mount ? "Read-only file system" : "Permission denied";
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        Expected expected;
    } rows[] = {
        {"settings set", {"settings", "set", "Personal", "Weight", "70"}, {1, refused, "", 5000ms}},
        {"collect",
         {"collect", "{watch}"},
         {1, std::string("could not be updated: ") + refused, "", 15000ms}},
        {"settings", {"settings"}, {0, "", "Personal.Weight=0\n", 5000ms}},
        {"report", {"report", "month", "2024-03-15"}, {0, "", "2024/03/15", 5000ms}},
        {"export", {"export", "2024-04-01", "2024-04-01"}, {0, "", "2024-04-01 00:00,", 5000ms}},
    };
    for (const auto& row : rows) {
        Sandbox box;
        ASSERT_EQ(box.Kiro({"simulate", "{watch}", "--from", "2024-05-10", "--days", "2"}, 10000ms).exitCode,
                  0);
        std::vector<std::string> arguments = {"--folder", "{prog}"};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        const std::string name = std::string("read-only folder: ") + row.name;
        if (mount) {
            box.Seal();
            const test::BoundedResult run =
                box.KiroUnder(ReadOnlyPrefix(box), arguments, 2 * row.expected.within);
            EXPECT_EQ(run.exitCode, row.expected.exitCode) << name << "\n" << run.err;
            EXPECT_EQ(run.signal, 0) << name;
            test::ExpectWithin(name, run.elapsed, row.expected.within);
            if (!row.expected.errorSays.empty()) {
                EXPECT_NE(run.err.find(row.expected.errorSays), std::string::npos) << name << "\n" << run.err;
            }
            EXPECT_NE(run.out.find(row.expected.outputSays), std::string::npos) << name << "\n" << run.out;
            box.ExpectNothingLostOrLeaked(name);
        } else {
            const WriteProtected protect(box.Prog());
            test::RunRow(box, name, arguments, row.expected);
        }
        EXPECT_FALSE(fs::exists(box.Prog("KiroMeter2.INI"))) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(box.Watch()), fs::directory_iterator()), 4)
            << name << ": the day files stay on the watch";
    }
}

// Every change of the disk fails as on a read-only file system (EROFS): each write says so, and
// nothing stored is lost.
TEST(ReadOnlyFolderRows, TheCoreReportsEveryRefusedWrite) {
    Sandbox box;
    box.Write("prog/KiroMeter2.INI", "[Personal]\r\nHeight=181\r\n");
    box.Seal();
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem realFiles;
    test::FaultyFileSystem files(realFiles);
    files.FailFrom(1, std::make_error_code(std::errc::read_only_file_system));
    App app(box.Prog(), clock, locale, files);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(app.Start()) << "nothing to finish, nothing written";
    EXPECT_EQ(app.Config().Values().height, 181);
    const std::error_code erofs = std::make_error_code(std::errc::read_only_file_system);
    EXPECT_EQ(app.Config().SetPersonal(19800101, 170, 60, 70), erofs);
    MonthBuffer month;
    month.minutes[0] = 9;
    EXPECT_EQ(app.Store().SaveMonth(2024, 3, month), erofs);
    EXPECT_EQ(app.Store().ClearRange(2024, 4, 1, 0, 0, 23, 59), erofs);
    const LoadedMonth stored = app.Store().LoadMonth(2024, 3);
    EXPECT_TRUE(stored.found && !stored.error) << "the stored month still reads";
    test::ExpectWithin("read-only core", std::chrono::steady_clock::now() - started, 2000ms);
    EXPECT_EQ(test::TempFolder::ReadFile(box.Prog("KiroMeter2.INI")), "[Personal]\r\nHeight=181\r\n");
    box.ExpectNothingLostOrLeaked("read-only core");
}

}  // namespace
}  // namespace kiro
