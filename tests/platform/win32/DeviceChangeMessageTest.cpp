// The device broadcast types need the base types of the system header before them.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/system/Volumes.h"
#include "platform/win32/Win32DeviceEvents.h"

namespace kiro::win32_platform {
namespace {

using Kind = DeviceChange::Kind;
using Changes = std::vector<std::pair<Kind, uint32_t>>;

Changes Simplified(const std::vector<DeviceChange>& changes) {
    Changes simple;
    for (const DeviceChange& change : changes) simple.push_back({change.kind, change.letterMask});
    return simple;
}

DEV_BROADCAST_VOLUME Volume(uint32_t letters, WORD flags = 0) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = letters;
    volume.dbcv_flags = flags;
    return volume;
}

intptr_t Pointer(const void* broadcast) {
    return reinterpret_cast<intptr_t>(broadcast);
}

TEST(DeviceChangeMessageTest, MessagesBecomeLettersOrAGeneralChange) {
    const DEV_BROADCAST_VOLUME watch = Volume(LetterBit('D') | LetterBit('E'));
    const DEV_BROADCAST_VOLUME card = Volume(LetterBit('F'), DBTF_MEDIA);
    const DEV_BROADCAST_VOLUME beyondZ = Volume(LetterBit('G') | 0xFC000000u);
    const DEV_BROADCAST_VOLUME onlyBeyondZ = Volume(0xFC000000u);
    DEV_BROADCAST_VOLUME shortVolume = Volume(LetterBit('D'));
    shortVolume.dbcv_size = sizeof(DEV_BROADCAST_HDR);
    DEV_BROADCAST_HDR port{};
    port.dbch_size = sizeof(DEV_BROADCAST_PORT_A);
    port.dbch_devicetype = DBT_DEVTYP_PORT;

    struct Case {
        const char* name;
        uintptr_t wParam;
        intptr_t lParam;
        Changes expected;
    };
    const Case cases[] = {
        {"a watch's volumes arrived", DBT_DEVICEARRIVAL, Pointer(&watch), {{Kind::VolumeArrival, 0x18}}},
        {"a watch's volumes went away",
         DBT_DEVICEREMOVECOMPLETE,
         Pointer(&watch),
         {{Kind::VolumeRemoval, 0x18}}},
        {"a card put into a reader", DBT_DEVICEARRIVAL, Pointer(&card), {{Kind::VolumeArrival, 0x20}}},
        {"bits beyond Z are dropped", DBT_DEVICEARRIVAL, Pointer(&beyondZ), {{Kind::VolumeArrival, 0x40}}},
        {"no letter at all is no arrival", DBT_DEVICEARRIVAL, Pointer(&onlyBeyondZ), {}},
        {"a broadcast too short for letters", DBT_DEVICEARRIVAL, Pointer(&shortVolume), {}},
        {"a port, not a volume", DBT_DEVICEARRIVAL, Pointer(&port), {}},
        {"an arrival without its broadcast", DBT_DEVICEARRIVAL, 0, {}},
        {"the machine's devices changed", DBT_DEVNODES_CHANGED, 0, {{Kind::DevicesChanged, 0}}},
        {"a removal asked for, not done", DBT_DEVICEQUERYREMOVE, Pointer(&watch), {}},
        {"a removal pending, not done", DBT_DEVICEREMOVEPENDING, Pointer(&watch), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Simplified(ChangesForDeviceMessage(c.wParam, c.lParam)), c.expected) << c.name;
}

class RecordingSink : public DeviceChangeSink {
  public:
    void OnDeviceChange(const DeviceChange& change) override {
        received.push_back({change.kind, change.letterMask});
    }
    Changes received;
};

TEST(DeviceChangeMessageTest, ChangesWaitForDispatchAndArriveOnceInOrder) {
    Win32DeviceEvents events;
    EXPECT_EQ(events.Fd(), -1);
    DEV_BROADCAST_VOLUME watch = Volume(LetterBit('D'));
    events.OnDeviceChangeMessage(DBT_DEVICEARRIVAL, Pointer(&watch));
    // The broadcast is the system's only while the message is handled.
    watch = Volume(LetterBit('Q'));
    events.OnDeviceChangeMessage(DBT_DEVNODES_CHANGED, 0);
    events.OnDeviceChangeMessage(DBT_DEVICEREMOVECOMPLETE, Pointer(&watch));

    RecordingSink sink;
    events.Dispatch(sink);
    EXPECT_EQ(sink.received, (Changes{{Kind::VolumeArrival, LetterBit('D')},
                                      {Kind::DevicesChanged, 0},
                                      {Kind::VolumeRemoval, LetterBit('Q')}}));
    events.Dispatch(sink);
    EXPECT_EQ(sink.received.size(), 3u);
}

// A sink that pumps messages while it handles a change, as the collection does: a message that
// arrives then, and a dispatch from inside, keep the order of the changes.
class PumpingSink : public RecordingSink {
  public:
    explicit PumpingSink(Win32DeviceEvents& events) : events_(events) {}
    void OnDeviceChange(const DeviceChange& change) override {
        RecordingSink::OnDeviceChange(change);
        if (pumped_) return;
        pumped_ = true;
        const DEV_BROADCAST_VOLUME later = Volume(LetterBit('E'));
        events_.OnDeviceChangeMessage(DBT_DEVICEARRIVAL, Pointer(&later));
        events_.Dispatch(*this);
    }

  private:
    Win32DeviceEvents& events_;
    bool pumped_ = false;
};

TEST(DeviceChangeMessageTest, MessagesHandedOverDuringDispatchComeAfterTheOnesBefore) {
    Win32DeviceEvents events;
    const DEV_BROADCAST_VOLUME first = Volume(LetterBit('D'));
    events.OnDeviceChangeMessage(DBT_DEVICEARRIVAL, Pointer(&first));
    events.OnDeviceChangeMessage(DBT_DEVNODES_CHANGED, 0);
    PumpingSink sink(events);
    events.Dispatch(sink);
    EXPECT_EQ(sink.received, (Changes{{Kind::VolumeArrival, LetterBit('D')},
                                      {Kind::DevicesChanged, 0},
                                      {Kind::VolumeArrival, LetterBit('E')}}));
}

}  // namespace
}  // namespace kiro::win32_platform
