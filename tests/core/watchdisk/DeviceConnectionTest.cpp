// A device-mode watch hands its data over once per connection and forgets it when told. A pass
// that fails part way stores nothing, tells the watch nothing and reads it no more until it is
// plugged in again, whichever program tries; events that come during a pass wait for its end. A
// watch that was never told hands its records over again, and each adds only what it grew by.
#include <gtest/gtest.h>

#include <numeric>

#include "CollectionWorld.h"
#include "platform/sim/StepGenerator.h"
#include "support/ErrorCodes.h"
#include "support/ProgramFolderState.h"

namespace kiro {
namespace {

int64_t StoredSteps(const test::CollectionWorld& world, int year, int month) {
    const MonthBuffer stored = world.Month(year, month);
    return std::accumulate(stored.minutes.begin(), stored.minutes.end(), int64_t{0});
}

bool IsEndTransfer(const ScsiRequest& request) {
    return request.commandBlock[0] == 0xFE && request.commandBlock[1] == 0x03;
}

bool IsDataRead(const ScsiRequest& request) {
    return request.commandBlock[0] == 0xFE &&
           (request.commandBlock[1] == 0x02 || request.commandBlock[1] == 0x04);
}

int64_t Steps(const std::vector<sim::DaySteps>& days) {
    int64_t sum = 0;
    for (const auto& day : days) sum += std::accumulate(day.minutes.begin(), day.minutes.end(), int64_t{0});
    return sum;
}

class DeviceConnectionTest : public ::testing::TestWithParam<char> {
  protected:
    test::CollectionWorld world;
    sim::DeviceModeWatch watch{world.clock, sim::DeviceWatchOptions{GetParam(), true, 0}};
    // One day: a model C watch hands it over in one pass (28 hours at most).
    std::vector<sim::DaySteps> days = sim::GenerateDays(2014, 5, 3, 1, 5);
    char letter = 0;

    void SetUp() override {
        for (const auto& day : days) watch.Record(day);
    }
    void PlugIn() {
        letter = world.machine.PlugIn(watch, world.DiskFolder("volume"));
        world.DeliverEvents();
    }
    void DevicesChanged(int times) {
        for (int i = 0; i < times; ++i)
            world.discovery.OnDeviceChange({DeviceChange::Kind::DevicesChanged, 0});
    }
};

TEST_P(DeviceConnectionTest, AFailedSaveReadsTheWatchNoMoreUntilItIsPluggedInAgain) {
    world.files.FailPath("Data/", std::make_error_code(std::errc::no_space_on_device));
    PlugIn();
    const size_t held = watch.RecordedHours();
    EXPECT_EQ(held, 24u) << "nothing forgotten";
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    EXPECT_GE(world.host.Count("status:  ### Please plug the watch in again ###"), 1);

    // Space is freed, but the watch is still in the same connection: three device events read
    // nothing from it, and each asks for it to be plugged in again.
    world.files.FailPath("", {});
    world.host.Clear();
    DevicesChanged(3);
    EXPECT_EQ(world.host.Count("status:  ### Please plug the watch in again ###"), 3);
    EXPECT_EQ(world.host.Count("status:  Collecting data from Disk-D:"), 0);
    EXPECT_EQ(watch.RecordedHours(), held);
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found);

    world.machine.Unplug(letter);
    world.DeliverEvents();
    PlugIn();
    EXPECT_EQ(StoredSteps(world, 2014, 5), Steps(days)) << "every minute once";
    EXPECT_EQ(world.app.Config().Values().totalSteps, Steps(days));
    EXPECT_EQ(watch.RecordedHours(), 0u);
}

TEST_P(DeviceConnectionTest, AnEventDuringThePassWaitsForItsEnd) {
    world.machine.PlugInWithoutVolume(watch);
    bool delivered = false;
    world.host.onPump = [&] {
        if (delivered || world.app.watch.busyDrive == 0) return;
        delivered = true;
        // Handled now, its rescan would close the handle the pass reads from.
        DevicesChanged(1);
    };
    world.DeliverEvents();
    ASSERT_TRUE(delivered);
    EXPECT_EQ(StoredSteps(world, 2014, 5), Steps(days));
    EXPECT_EQ(watch.RecordedHours(), 0u) << "the whole read was stored and the watch told";
    EXPECT_EQ(world.host.Count("status:  ### Please plug the watch in again ###"), 0);
}

TEST_P(DeviceConnectionTest, ARecordSentAgainAddsOnlyWhatGrewWhateverCameBetween) {
    const auto otherDays = sim::GenerateDays(2014, 5, 4, 1, 6);
    const auto moreSteps = sim::GenerateDays(2014, 5, 3, 1, 7);
    // What one uninterrupted collection of the same watches stores.
    test::CollectionWorld reference;
    {
        sim::DeviceModeWatch first(reference.clock, sim::DeviceWatchOptions{GetParam(), true, 0});
        sim::DeviceModeWatch second(reference.clock, sim::DeviceWatchOptions{GetParam(), true, 0});
        for (const auto& day : days) first.Record(day);
        for (const auto& day : moreSteps) first.Record(day);
        for (const auto& day : otherDays) second.Record(day);
        for (sim::DeviceModeWatch* each : {&first, &second}) {
            const char at = reference.machine.PlugIn(*each, reference.DiskFolder("volume"));
            reference.DeliverEvents();
            reference.machine.Unplug(at);
            reference.DeliverEvents();
        }
    }

    // The first read is stored, but the watch never hears of it.
    watch.SetSerial("A1");
    world.run.dropCommand = IsEndTransfer;
    PlugIn();
    EXPECT_EQ(StoredSteps(world, 2014, 5), Steps(days));
    EXPECT_EQ(watch.RecordedHours(), 24u);
    world.run.dropCommand = nullptr;
    world.machine.Unplug(letter);
    world.DeliverEvents();
    // Another watch, then one with nothing to give, are read and told in between.
    sim::DeviceModeWatch other(world.clock, sim::DeviceWatchOptions{GetParam(), true, 0});
    other.SetSerial("B2");
    for (const auto& day : otherDays) other.Record(day);
    sim::DeviceModeWatch empty(world.clock, sim::DeviceWatchOptions{GetParam(), true, 0});
    empty.SetSerial("C3");
    for (sim::DeviceModeWatch* each : {&other, &empty}) {
        const char at = world.machine.PlugIn(*each, world.DiskFolder("volume"));
        world.DeliverEvents();
        world.machine.Unplug(at);
        world.DeliverEvents();
    }
    // The first watch records more steps into the very hours it handed over, then comes back
    // and hands them over again, grown.
    for (const auto& day : moreSteps) watch.Record(day);
    PlugIn();
    EXPECT_EQ(watch.RecordedHours(), 0u);
    EXPECT_TRUE(test::ReadProgramFolderState(world.programFolder.Path())
                    .SameData(test::ReadProgramFolderState(reference.programFolder.Path())))
        << "every minute once, and the totals count the store";
}

// One program's read stopped part way, by its end or by a store it could not write: another
// program finds the watch in the same connection and reads nothing of it, since the watch would
// hand over only the rest and then forget it all.
TEST_P(DeviceConnectionTest, AReadStoppedPartWayIsNotReadOnByAnotherProgram) {
    for (const bool diesReading : {true, false}) {
        test::CollectionWorld fresh;
        sim::DeviceModeWatch held(fresh.clock, sim::DeviceWatchOptions{GetParam(), true, 0});
        for (const auto& day : sim::GenerateDays(2014, 5, 1, 2, 5)) held.Record(day);
        const size_t hours = held.RecordedHours();
        {
            test::ProgramRun stopping(fresh.programFolder.Path(), fresh.clock, fresh.machine);
            int reads = 0;
            if (diesReading)
                stopping.dropCommand = [&reads](const ScsiRequest& request) {
                    return IsDataRead(request) && ++reads > 2;
                };
            else
                stopping.files.FailPath("Data/", std::make_error_code(std::errc::no_space_on_device));
            fresh.machine.PlugIn(held, fresh.DiskFolder("volume"));
            stopping.DeliverEvents();
        }
        fresh.discovery.ScanForWatch();
        EXPECT_GE(fresh.host.Count("status:  ### Please plug the watch in again ###"), 1) << diesReading;
        EXPECT_EQ(held.RecordedHours(), hours) << "the watch forgot nothing";
        EXPECT_FALSE(fresh.app.Store().LoadMonth(2014, 5).found) << diesReading;

        fresh.machine.Unplug('D');
        fresh.DeliverEvents();
        fresh.machine.PlugIn(held, fresh.DiskFolder("volume"));
        fresh.DeliverEvents();
        EXPECT_EQ(held.RecordedHours(), 0u) << diesReading;
        EXPECT_EQ(StoredSteps(fresh, 2014, 5), Steps(sim::GenerateDays(2014, 5, 1, 2, 5))) << diesReading;
        EXPECT_EQ(fresh.app.Config().Values().totalSteps, StoredSteps(fresh, 2014, 5)) << diesReading;
    }
}

// A read that ended leaves its reading mark for this program's next read in the same connection,
// which then writes nothing before it begins, and nothing at all when the watch has nothing new.
// Another program in that connection does not read the watch until this one lets go of it.
TEST_P(DeviceConnectionTest, AnEndedReadKeepsItsMarkForThisProgramAlone) {
    PlugIn();
    ASSERT_EQ(watch.RecordedHours(), 0u);
    const int changesAfterPlugIn = world.files.Changes();
    DevicesChanged(2);
    EXPECT_EQ(world.files.Changes(), changesAfterPlugIn) << "passes that found nothing wrote nothing";

    const auto later = sim::GenerateDays(2014, 5, 4, 1, 9);
    watch.Record(later[0]);
    {
        test::ProgramRun other(world.programFolder.Path(), world.clock, world.machine);
        other.discovery.ScanForWatch();
        EXPECT_GE(other.host.Count("status:  ### Please plug the watch in again ###"), 1);
        EXPECT_EQ(watch.RecordedHours(), 24u) << "the other program read nothing";
    }
    DevicesChanged(1);
    EXPECT_EQ(watch.RecordedHours(), 0u) << "this program reads on in the same connection";
    EXPECT_EQ(StoredSteps(world, 2014, 5), Steps(days) + Steps(later));

    watch.Record(sim::GenerateDays(2014, 5, 5, 1, 11)[0]);
    world.discovery.Shutdown();
    EXPECT_EQ(world.programFolder.Read("ImportJournal.txt").find(" reading "), std::string::npos)
        << "the mark goes when the program lets go of the watch";
    test::ProgramRun other(world.programFolder.Path(), world.clock, world.machine);
    other.discovery.ScanForWatch();
    EXPECT_EQ(watch.RecordedHours(), 0u) << "then another program reads the watch";
    EXPECT_EQ(StoredSteps(world, 2014, 5),
              Steps(days) + Steps(later) + Steps(sim::GenerateDays(2014, 5, 5, 1, 11)));
    EXPECT_EQ(other.app.Config().Values().totalSteps, StoredSteps(world, 2014, 5));
}

INSTANTIATE_TEST_SUITE_P(Models, DeviceConnectionTest, ::testing::Values('C', 'E'));

TEST(DeviceModelETest, MoreThan99BlocksStoreNothingAndForgetNothing) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', true, 0});
    // 60 days are 120 blocks of 12 hours.
    for (const auto& day : sim::GenerateDays(2014, 3, 1, 60, 8)) watch.Record(day);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    world.DeliverEvents();
    EXPECT_GE(world.host.Count("message: X5E Data Capture Error"), 1);
    EXPECT_EQ(watch.RecordedHours(), 60u * 24u) << "the watch forgot nothing";
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    for (int month = 3; month <= 4; ++month) EXPECT_FALSE(world.app.Store().LoadMonth(2014, month).found);
    EXPECT_FALSE(world.collector.LastPass().Complete());
}

TEST(DeviceReadFailureTest, AFailedVendorReadStoresNothingOfWhatCameBefore) {
    test::CollectionWorld world;
    sim::DeviceModeWatch watch(world.clock, sim::DeviceWatchOptions{'E', true, 0});
    for (const auto& day : sim::GenerateDays(2014, 5, 1, 3, 8)) watch.Record(day);
    world.machine.PlugIn(watch, world.DiskFolder("volume"));
    // The watch goes away part way through the read.
    int blocks = 0;
    world.host.onPump = [&] {
        if (world.app.watch.busyDrive != 0 && ++blocks == 4) world.machine.devices.Detach('D');
    };
    world.DeliverEvents();
    EXPECT_FALSE(world.app.Store().LoadMonth(2014, 5).found) << "no part of a read is stored";
    EXPECT_EQ(world.app.Config().Values().totalSteps, 0);
    EXPECT_GE(world.host.Count("status:  ### Please plug the watch in again ###"), 1);
    EXPECT_EQ(watch.RecordedHours(), 72u);
}

}  // namespace
}  // namespace kiro
