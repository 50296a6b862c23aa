// A device-mode watch hands its data over once per connection and forgets it when told. A pass
// that fails part way stores nothing, tells the watch nothing and reads it no more until it is
// plugged in again; events that come during a pass wait for its end.
#include <gtest/gtest.h>

#include <numeric>

#include "CollectionWorld.h"
#include "platform/sim/StepGenerator.h"
#include "support/ErrorCodes.h"

namespace kiro {
namespace {

int64_t StoredSteps(const test::CollectionWorld& world, int year, int month) {
    const MonthBuffer stored = world.Month(year, month);
    return std::accumulate(stored.minutes.begin(), stored.minutes.end(), int64_t{0});
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
