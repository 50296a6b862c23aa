// A collection stopped at every change it makes to the disk, by a crash or by a disk that is
// full or read-only from there on; then the next start and one more pass. Whatever the moment,
// every minute ends up stored exactly once, the totals count exactly what was stored, and the
// program folder holds nothing but its own files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "CollectionWorld.h"
#include "platform/sim/StepGenerator.h"
#include "support/ProgramFolderState.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

enum class WatchKind { TextDays, BinaryDays, DeviceC, DeviceE };

// One watch holding the same days in every trial, plugged into a fresh simulated PC, and the
// program folder it is collected into.
class Situation {
  public:
    explicit Situation(WatchKind kind) {
        switch (kind) {
            case WatchKind::TextDays:
            case WatchKind::BinaryDays:
                // Three days across the end of April.
                fileWatch_ = std::make_unique<sim::FileModeWatch>(disks.Path() + "/watch");
                for (const auto& day : sim::GenerateDays(2014, 4, 29, 3, 21))
                    fileWatch_->AddDay(day, kind == WatchKind::TextDays ? sim::DayFileFormat::Text
                                                                        : sim::DayFileFormat::Binary);
                fileWatch_->WriteClockFile(clock.Now());
                break;
            case WatchKind::DeviceC:
            case WatchKind::DeviceE:
                // Model C hands over 28 hours a pass: its 48 take the arrival's pass and the rescan's.
                deviceWatch_ = std::make_unique<sim::DeviceModeWatch>(
                    clock, sim::DeviceWatchOptions{kind == WatchKind::DeviceC ? 'C' : 'E', true, 0});
                for (const auto& day : sim::GenerateDays(2014, 4, 30, kind == WatchKind::DeviceC ? 2 : 5, 21))
                    deviceWatch_->Record(day);
                fs::create_directories(disks.Path() + "/volume");
                break;
        }
    }

    void PlugIn() {
        letter_ = fileWatch_ ? machine.PlugIn(*fileWatch_)
                             : machine.PlugIn(*deviceWatch_, disks.Path() + "/volume");
    }
    void PlugOut() { machine.Unplug(letter_); }
    // What the watch still holds: day files, or recorded hours.
    size_t LeftOnWatch() const {
        if (deviceWatch_) return deviceWatch_->RecordedHours();
        size_t dayFiles = 0;
        for (const auto& entry : fs::directory_iterator(fileWatch_->Folder()))
            dayFiles += entry.path().filename().string().size() == 12 &&
                        entry.path().filename().string().rfind("2014", 0) == 0;
        return dayFiles;
    }

    test::TempFolder programFolder;
    test::TempFolder disks;
    sim::FakeClock clock{LocalTime{2014, 5, 20, 12, 0, 0, 2}};
    sim::SimulatedMachine machine;

  private:
    std::unique_ptr<sim::FileModeWatch> fileWatch_;
    std::unique_ptr<sim::DeviceModeWatch> deviceWatch_;
    char letter_ = 0;
};

bool ShowedAProblem(const test::ScriptedHost& host) {
    for (const std::string& line : host.Log())
        if (line.find("###") != std::string::npos || line.find("Capture Error") != std::string::npos)
            return true;
    return false;
}

class CollectionCrashTest : public ::testing::TestWithParam<WatchKind> {
  protected:
    // One uninterrupted run: what every trial must end with, and how many changes it makes.
    void SetUp() override {
        Situation reference(GetParam());
        {
            test::ProgramRun run(reference.programFolder.Path(), reference.clock, reference.machine);
            reference.PlugIn();
            run.DeliverEvents();
            changes_ = run.files.Changes();
            ASSERT_TRUE(run.collector.LastPass().Complete());
        }
        expected_ = test::ReadProgramFolderState(reference.programFolder.Path());
        ASSERT_EQ(reference.LeftOnWatch(), 0u);
        ASSERT_GT(expected_.StoredSteps(), 0);
        ASSERT_EQ(std::to_string(expected_.StoredSteps()), expected_.totalSteps)
            << "the totals count the store";
        ASSERT_TRUE(expected_.strays.empty());
        ASSERT_GT(changes_, 10);
    }

    // A first run with the fault, then the user plugs the watch in again into a new start.
    template <typename Fault>
    void TryEveryChange(const Fault& fault) {
        for (int change = 1; change <= changes_; ++change) {
            Situation situation(GetParam());
            {
                test::ProgramRun failing(situation.programFolder.Path(), situation.clock, situation.machine);
                fault(failing.files, change, situation.programFolder.Path());
                situation.PlugIn();
                failing.DeliverEvents();
                // A commit record left behind alone is no failure: the next start finishes it.
                if (!failing.files.Crashed() &&
                    !test::ReadProgramFolderState(situation.programFolder.Path()).SameData(expected_)) {
                    EXPECT_TRUE(ShowedAProblem(failing.host))
                        << "a failure nobody was told of, at change " << change;
                }
            }
            situation.PlugOut();
            test::ProgramRun next(situation.programFolder.Path(), situation.clock, situation.machine);
            ASSERT_FALSE(next.startError) << change;
            situation.PlugIn();
            next.DeliverEvents();
            EXPECT_EQ(test::ReadProgramFolderState(situation.programFolder.Path()), expected_)
                << "stopped at change " << change;
            EXPECT_EQ(situation.LeftOnWatch(), 0u) << "stopped at change " << change;
        }
    }

    int changes_ = 0;
    test::ProgramFolderState expected_;
};

TEST_P(CollectionCrashTest, ACrashAtAnyChangeStoresEveryMinuteExactlyOnce) {
    TryEveryChange(
        [](test::FaultyFileSystem& files, int change, const std::string&) { files.CrashAt(change); });
}

TEST_P(CollectionCrashTest, APowerCutAtAnyChangeStoresEveryMinuteExactlyOnce) {
    TryEveryChange([](test::FaultyFileSystem& files, int change, const std::string& programFolder) {
        files.TrackDurability(programFolder);
        files.PowerCutAt(change);
    });
}

TEST_P(CollectionCrashTest, ADiskFullFromAnyChangeOnLosesAndDoublesNothing) {
    TryEveryChange([](test::FaultyFileSystem& files, int change, const std::string&) {
        files.FailFrom(change, std::make_error_code(std::errc::no_space_on_device));
    });
}

// A pass killed at any change while a second program waits for the folder's lock: the second
// started while the folder was whole, so only its lock can finish what the first left.
TEST_P(CollectionCrashTest, APassThatWaitedForACrashedOneStoresEveryMinuteExactlyOnce) {
    for (int change = 1; change <= changes_; ++change) {
        Situation situation(GetParam());
        {
            test::ProgramRun waiting(situation.programFolder.Path(), situation.clock, situation.machine);
            {
                test::ProgramRun failing(situation.programFolder.Path(), situation.clock, situation.machine);
                failing.files.CrashAt(change);
                situation.PlugIn();
                failing.DeliverEvents();
            }
            waiting.discovery.ScanForWatch();
            // A device read the first began is not read on in the same connection: the watch
            // is plugged in again, and the second program takes it all.
            situation.PlugOut();
            situation.PlugIn();
            waiting.DeliverEvents();
        }
        // Files the crashed commit staged and never named in a record go at the next start.
        const test::ProgramRun next(situation.programFolder.Path(), situation.clock, situation.machine);
        EXPECT_EQ(test::ReadProgramFolderState(situation.programFolder.Path()), expected_)
            << "stopped at change " << change;
        EXPECT_EQ(situation.LeftOnWatch(), 0u) << "stopped at change " << change;
    }
}

TEST_P(CollectionCrashTest, AReadOnlyProgramFolderStoresNothingAndSaysWhy) {
    Situation situation(GetParam());
    {
        test::ProgramRun readOnly(situation.programFolder.Path(), situation.clock, situation.machine);
        readOnly.files.FailPath(situation.programFolder.Path(),
                                std::make_error_code(std::errc::read_only_file_system));
        situation.PlugIn();
        readOnly.DeliverEvents();
        EXPECT_TRUE(ShowedAProblem(readOnly.host));
        EXPECT_EQ(readOnly.host.Count("status:  >>> Collecting D: Complete <<<"), 0);
        EXPECT_EQ(readOnly.app.Config().Values().totalSteps, 0);
    }
    EXPECT_GT(situation.LeftOnWatch(), 0u) << "the watch keeps its data";
    EXPECT_TRUE(test::ReadProgramFolderState(situation.programFolder.Path()).months.empty());
    situation.PlugOut();
    test::ProgramRun next(situation.programFolder.Path(), situation.clock, situation.machine);
    situation.PlugIn();
    next.DeliverEvents();
    EXPECT_EQ(test::ReadProgramFolderState(situation.programFolder.Path()), expected_);
}

std::string WatchName(const ::testing::TestParamInfo<WatchKind>& info) {
    constexpr const char* kNames[] = {"TextDayFiles", "BinaryDayFiles", "DeviceModelC", "DeviceModelE"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Watches, CollectionCrashTest,
                         ::testing::Values(WatchKind::TextDays, WatchKind::BinaryDays, WatchKind::DeviceC,
                                           WatchKind::DeviceE),
                         WatchName);

}  // namespace
}  // namespace kiro
