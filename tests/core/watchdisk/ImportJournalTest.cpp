#include "core/watchdisk/ImportJournal.h"

#include <gtest/gtest.h>

#include "core/base/Fnv1a.h"
#include "core/base/Format.h"

namespace kiro {
namespace {

TEST(ImportJournalTest, KeepsDayFilesWatchesAndForeignLinesAcrossAWrite) {
    const std::string recordBytes(64, '\x07');
    const std::string earlier =
        Format("device %016llx\n", static_cast<unsigned long long>(Fnv1a(recordBytes)));
    const std::string text =
        "20140505.KRO 3072 00000000000000ff\r\n"
        "a line of a later version\n" +
        earlier +
        "watch 0123456789abcdef reading unknown\n"
        "watch 0123456789abcdef stored z2014050510 0001\n";
    ImportJournal journal(text);
    EXPECT_TRUE(journal.Contains({"20140505.KRO", 3072, 0xff}));
    EXPECT_TRUE(journal.HasEarlierRecord(recordBytes));
    EXPECT_EQ(journal.Device("0123456789abcdef").readingIn, "unknown");
    EXPECT_TRUE(journal.Device("0123456789abcdef").stored.empty())
        << "a line it cannot read is kept, not taken";
    EXPECT_NE(journal.Text().find("a line of a later version\n"), std::string::npos);
    EXPECT_NE(journal.Text().find("stored z2014050510 0001\n"), std::string::npos);

    ImportJournal::DeviceWatch device;
    device.readingIn = ImportJournal::KeyOf("boot 1 disk 7 usb 1-4");
    device.stored[{RecordPlace::Kind::Page, 2014, 5, 5, 10}] =
        std::vector<uint16_t>(kPageRecordCounts, 0xABCD);
    journal.SetDevice(ImportJournal::KeyOf("X5C serial 1"), device);
    const ImportJournal reread(journal.Text());
    const ImportJournal::DeviceWatch back = reread.Device(ImportJournal::KeyOf("X5C serial 1"));
    EXPECT_EQ(back.readingIn, device.readingIn);
    EXPECT_EQ(back.stored, device.stored);
    EXPECT_TRUE(reread.Device(ImportJournal::KeyOf("X5C serial 2")).Empty()) << "another watch has nothing";

    // Told that its read was taken, a watch leaves nothing behind, nor do the earlier format's
    // records; other watches and the day files stay.
    ImportJournal told(journal.Text());
    told.ForgetDevice(ImportJournal::KeyOf("X5C serial 1"));
    const ImportJournal after(told.Text());
    EXPECT_TRUE(after.Device(ImportJournal::KeyOf("X5C serial 1")).Empty());
    EXPECT_FALSE(after.HasEarlierRecord(recordBytes));
    EXPECT_EQ(after.Device("0123456789abcdef").readingIn, "unknown");
    EXPECT_TRUE(after.Contains({"20140505.KRO", 3072, 0xff}));
}

}  // namespace
}  // namespace kiro
