// The update check against a real HTTP server on 127.0.0.1, through the real libcurl client:
// what it records and shows, what it downloads, and every way a download is refused.
#include "core/update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <future>
#include <thread>

#include "core/update/ProgramLayout.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/FaultyFileSystem.h"
#include "support/LoopbackHttpServer.h"
#include "support/ProgramImages.h"
#include "support/RecordingUpdateUi.h"
#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::ProgramImage;
using test::TimeLimit;

using RecordingUi = test::RecordingUpdateUi;

constexpr const char* kPath = "/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe";

class UpdateCheckTest : public ::testing::Test {
  public:
    static constexpr uint32_t kOwnStamp = 0x60000000;
    static constexpr size_t kOwnSize = 600000;

    UpdateCheckTest() {
        const std::string own = ProgramImage(kOwnSize, kOwnStamp);
        folder.Write("KiroMeter_X5", own);
        setup.url = server.Url(kPath);
        setup.programPath = folder.File("KiroMeter_X5");
        setup.tempFolder = folder.File("tmp");
    }
    void ServeProgram(size_t size, uint32_t stamp) {
        served = ProgramImage(size, stamp);
        server.Serve(kPath, served);
    }
    void Run() { check.Run(setup); }
    std::string Downloaded() const {
        return test::TempFolder::ReadFile(folder.File("tmp/KiroMeter_X5_TMP.BIN"));
    }
    bool NothingInPlace() const {
        return !fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")) &&
               !fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN.part"));
    }

    test::TempFolder folder;
    test::LoopbackHttpServer server;
    NativeHttpClient http;
    NativeFileSystem realFiles;
    test::FaultyFileSystem files{realFiles};
    sim::FakeClock clock;
    RecordingUi ui;
    std::atomic<bool> stopping = false;
    UpdateCheck check{files, http, clock, ui, stopping};
    UpdateCheckSetup setup;
    std::string served;
};

TEST_F(UpdateCheckTest, ANewerBuildIsDownloadedWholeWithItsProgress) {
    ServeProgram(700000, kOwnStamp + 1);
    Run();
    EXPECT_TRUE(Downloaded() == served);
    EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN.part")));
    EXPECT_EQ(ui.log, (std::vector<std::string>{"stamps", "question", "text on",
                                                "text: New Ver 2.42.0.0 (700000)", "ready", "notice"}));
    // 700000 bytes against a 600000-byte program: at most 99 on the way, 100 at the end.
    ASSERT_GE(ui.positions.size(), 3u);
    EXPECT_EQ(ui.positions.front(), 0);
    EXPECT_EQ(ui.positions.back(), 100);
    for (size_t i = 0; i + 1 < ui.positions.size(); ++i) EXPECT_LE(ui.positions[i], 99);
    EXPECT_TRUE(std::is_sorted(ui.positions.begin(), ui.positions.end()));
    EXPECT_EQ(ui.local.substr(0, 15), "0x60000000 --> ");
    EXPECT_EQ(ui.server, "0x60000001 --> Thu Jan 14 08:25:37 2021");

    // Two requests, each asking for the file itself rather than a cached copy.
    const std::vector<test::RecordedRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    for (const auto& request : requests) {
        EXPECT_EQ(request.Header("User-Agent"), "Update search");
        EXPECT_EQ(request.Header("Pragma"), "no-cache");
        EXPECT_EQ(request.Header("Cache-Control"), "no-cache");
    }
}

TEST_F(UpdateCheckTest, TheSameOrAnOlderBuildIsNoNewVersion) {
    for (const uint32_t stamp : {kOwnStamp, kOwnStamp - 86400}) {
        ui = RecordingUi{};
        ServeProgram(700000, stamp);
        Run();
        EXPECT_EQ(ui.log, (std::vector<std::string>{"stamps", "no new version"}));
        EXPECT_EQ(ui.local.substr(0, 10), "0x60000000");
        EXPECT_EQ(ui.server.substr(0, 10), stamp == kOwnStamp ? "0x60000000" : "0x5FFEAE80");
        EXPECT_TRUE(NothingInPlace());
    }
    EXPECT_EQ(server.RequestCount(), 2u) << "one look at the server each time, no download";
}

TEST_F(UpdateCheckTest, AServerFileWithoutAStampChangesNothing) {
    server.Serve(kPath, std::string(9000, 'h'));
    Run();
    EXPECT_TRUE(ui.log.empty());
    EXPECT_TRUE(ui.local.empty()) << "no record without a server stamp";
    // An error page is not a program either, whatever it holds.
    server.Answer(kPath, 404, ProgramImage(5000, kOwnStamp + 9));
    Run();
    EXPECT_TRUE(ui.local.empty());
}

TEST_F(UpdateCheckTest, AutoConfirmAsksNothingAndShowsNoNotice) {
    setup.autoConfirm = true;
    ServeProgram(700000, kOwnStamp + 5);
    Run();
    EXPECT_FALSE(ui.Said("question"));
    EXPECT_FALSE(ui.Said("notice"));
    EXPECT_TRUE(ui.Said("text: New Ver 2.42.0.0 (700000)")) << "the progress bar still says it";
    EXPECT_TRUE(ui.Said("ready"));
}

TEST_F(UpdateCheckTest, AProgramNotTheUsersToReplaceIsLeftToThePackageManager) {
    // Installed for the whole system: asking and downloading would end in an updater that
    // cannot put the new build in place.
    files.FailPath("KiroMeter_X5", std::make_error_code(std::errc::permission_denied));
    ServeProgram(700000, kOwnStamp + 5);
    Run();
    EXPECT_EQ(ui.log, (std::vector<std::string>{"stamps", "package manager"}));
    EXPECT_EQ(server.RequestCount(), 1u) << "the look at the stamp, no download";
    EXPECT_TRUE(NothingInPlace());
}

TEST_F(UpdateCheckTest, ANoAnswerDownloadsNothing) {
    ServeProgram(700000, kOwnStamp + 5);
    ui.answer = false;
    Run();
    EXPECT_EQ(server.RequestCount(), 1u);
    EXPECT_TRUE(NothingInPlace());
}

TEST_F(UpdateCheckTest, BrokenOffShortOrReplacedDownloadsAreNotTaken) {
    const struct {
        const char* what;
        std::function<void(UpdateCheckTest&)> arrange;
    } cases[] = {
        {"the connection dropped after a third",
         [](UpdateCheckTest& t) {
             t.ServeProgram(600000, kOwnStamp + 1);
             // The check's first look is served whole; the download breaks off.
             t.ui.onQuestion = [&t] { t.server.DropAfter(kPath, 200000); };
         }},
        {"shorter than half the running program",
         [](UpdateCheckTest& t) { t.ServeProgram(kOwnSize / 2 - 1, kOwnStamp + 1); }},
        {"an answer without a length, cut at 70 %",
         [](UpdateCheckTest& t) {
             t.ServeProgram(700000, kOwnStamp + 1);
             t.ui.onQuestion = [&t] {
                 t.server.AnnounceNoLength(kPath);
                 t.server.DropAfter(kPath, 490000);
             };
         }},
        {"changed after it was stamped",
         [](UpdateCheckTest& t) {
             t.server.Serve(kPath, test::Altered(ProgramImage(700000, kOwnStamp + 1), 400000));
         }},
        {"never sealed",
         [](UpdateCheckTest& t) { t.server.Serve(kPath, ProgramImage(700000, kOwnStamp + 1, false)); }},
        {"another build put on the server after the check",
         [](UpdateCheckTest& t) {
             t.ServeProgram(700000, kOwnStamp + 1);
             t.ui.onQuestion = [&t] { t.ServeProgram(700000, kOwnStamp + 2); };
         }},
        {"a tmp folder that cannot take the file",
         [](UpdateCheckTest& t) {
             t.ServeProgram(700000, kOwnStamp + 1);
             t.files.FailPath("KiroMeter_X5_TMP.BIN", std::make_error_code(std::errc::no_space_on_device));
         }},
    };
    for (const auto& c : cases) {
        UpdateCheckTest& t = *this;
        t.ui = RecordingUi{};
        c.arrange(t);
        t.Run();
        EXPECT_FALSE(t.ui.Said("ready")) << c.what;
        EXPECT_FALSE(t.ui.Said("notice")) << c.what;
        EXPECT_TRUE(t.NothingInPlace()) << c.what;
        // The bar goes back to empty and says the download failed.
        ASSERT_GE(t.ui.log.size(), 2u) << c.what;
        EXPECT_EQ(t.ui.log[t.ui.log.size() - 2], "text off") << c.what;
        EXPECT_EQ(t.ui.log.back(), "download failed") << c.what;
        ASSERT_FALSE(t.ui.positions.empty()) << c.what;
        EXPECT_EQ(t.ui.positions.back(), 0) << c.what;
        t.files.FailPath("", {});
        t.server.DropAfter(kPath, SIZE_MAX);
    }
}

TEST_F(UpdateCheckTest, ABuildOfExactlyHalfTheRunningProgramsLengthIsTaken) {
    ServeProgram(kOwnSize / 2, kOwnStamp + 1);
    Run();
    EXPECT_TRUE(ui.Said("ready"));
    EXPECT_TRUE(Downloaded() == served);
}

// Bytes of a program for another system, processor or word size, with a newer stamp where its
// own format has one.
std::string OfAnotherKind(size_t at, std::vector<uint8_t> bytes) {
    std::string image = ProgramImage(700000, UpdateCheckTest::kOwnStamp + 1);
    std::memcpy(&image[at], bytes.data(), bytes.size());
    // Sealed again where the change leaves a seal to find: only the kind is wrong.
    (void)SealProgram({reinterpret_cast<uint8_t*>(image.data()), image.size()});
    return image;
}

TEST_F(UpdateCheckTest, AProgramOfAnotherKindIsNeverTaken) {
    std::string other(700000, '\0');
#if defined(_WIN32)
    // A 64-bit little-endian ELF program for x86-64.
    other.replace(0, 20,
                  std::string("\x7F"
                              "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x3E\0",
                              20));
    const std::string own = ProgramImage(8192, 0);
    const size_t machineAt = *FindPeHeader({reinterpret_cast<const uint8_t*>(own.data()), own.size()}) + 4;
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"a Linux program", other},
        {"a program for 32-bit x86", OfAnotherKind(machineAt, {0x4C, 0x01})},
        {"a program for 64-bit ARM", OfAnotherKind(machineAt, {0x64, 0xAA})},
    };
#else
    // A Windows program for x86-64 with a newer stamp in its header.
    other.replace(0, 2, "MZ");
    other[0x3C] = '\x80';
    other.replace(0x80, 6, std::string("PE\0\0\x64\x86", 6));
    for (int i = 0; i < 4; ++i) other[0x88 + i] = static_cast<char>((kOwnStamp + 1) >> (8 * i));
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"a Windows program", other},
        {"a program for another processor", OfAnotherKind(0x12, {183, 0})},  // 64-bit ARM
        {"a program of the other word size", OfAnotherKind(4, {1})},
        {"a big-endian program", OfAnotherKind(5, {2})},
    };
#endif
    for (const auto& row : rows) {
        ui = RecordingUi{};
        server.Serve(kPath, row.bytes);
        setup.autoConfirm = true;
        Run();
        EXPECT_TRUE(ui.log.empty()) << row.what << ": " << ::testing::PrintToString(ui.log);
        EXPECT_TRUE(NothingInPlace()) << row.what;
    }
    EXPECT_EQ(server.RequestCount(), std::size(rows)) << "one look each, no download";
}

// The time limits on the real clock, shortened: a server that sends a trickle holds neither the
// check nor a download for long. Each stall lasts three times the bound the test allows, so a
// limit that does not work cannot pass unseen.
TEST_F(UpdateCheckTest, AStalledCheckEndsAtItsTimeLimit) {
    NativeClock realClock;
    UpdateCheck timed{files, http, realClock, ui, stopping};
    setup.checkLimitMs = 1000;
    const std::chrono::milliseconds bound = TimeLimit(5s);
    ServeProgram(700000, kOwnStamp + 1);
    server.StallAfter(kPath, 100, 3 * bound);
    const auto started = std::chrono::steady_clock::now();
    timed.Run(setup);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GE(took, 900ms);
    EXPECT_LT(took, bound);
    EXPECT_TRUE(ui.log.empty()) << "a failed check: nothing recorded, nothing asked";
    EXPECT_TRUE(NothingInPlace());
}

TEST_F(UpdateCheckTest, ADownloadUnderItsLeastRateFails) {
    NativeClock realClock;
    UpdateCheck timed{files, http, realClock, ui, stopping};
    setup.leastDownloadBytesPerSecond = 1 << 20;
    setup.downloadRateWindowMs = 1000;
    const std::chrono::milliseconds bound = TimeLimit(8s);
    ServeProgram(700000, kOwnStamp + 1);
    ui.onQuestion = [this, bound] { server.StallAfter(kPath, 50000, 3 * bound); };
    const auto started = std::chrono::steady_clock::now();
    timed.Run(setup);
    EXPECT_LT(std::chrono::steady_clock::now() - started, bound);
    ASSERT_FALSE(ui.log.empty());
    EXPECT_EQ(ui.log.back(), "download failed");
    EXPECT_TRUE(NothingInPlace());
}

TEST_F(UpdateCheckTest, StoppingEndsAStalledDownloadAtOnce) {
    constexpr size_t kBeforeStall = 100000;
    const std::chrono::milliseconds bound = TimeLimit(10s);
    ServeProgram(700000, kOwnStamp + 1);
    ui.onQuestion = [this, bound] { server.StallAfter(kPath, kBeforeStall, 3 * bound); };
    // The check reports on its own thread when the bytes before the stall have come (to the
    // percent of the running program's length); the stop comes from another thread, as from the
    // window that ends the program.
    std::promise<void> stalledPromise;
    std::future<void> stalled = stalledPromise.get_future();
    ui.onProgress = [&stalledPromise, told = false](int position) mutable {
        if (told || position < static_cast<int>(kBeforeStall * 100 / kOwnSize)) return;
        told = true;
        stalledPromise.set_value();
    };
    bool reachedTheStall = false;
    std::chrono::steady_clock::time_point stoppedAt;
    std::thread stopper([&] {
        reachedTheStall = stalled.wait_for(bound) == std::future_status::ready;
        // Stopped either way, so that the check, and the test, end.
        stoppedAt = std::chrono::steady_clock::now();
        stopping = true;
    });
    Run();
    const auto ended = std::chrono::steady_clock::now();
    stopper.join();  // what the stopper wrote is read only after it has ended
    EXPECT_TRUE(reachedTheStall) << "the download never got to the stall";
    EXPECT_LT(ended - stoppedAt, bound);
    EXPECT_FALSE(ui.Said("ready"));
    EXPECT_FALSE(ui.Said("download failed")) << "a program that is ending tells no one";
    EXPECT_TRUE(NothingInPlace());
}

TEST_F(UpdateCheckTest, AnOwnProgramThatCannotBeReadOrIsTooShortChecksNothing) {
    ServeProgram(700000, kOwnStamp + 1);
    setup.programPath = folder.File("missing");
    Run();
    EXPECT_EQ(ui.log, (std::vector<std::string>{"Open Fail"}));
    ui = RecordingUi{};
    folder.Write("tiny", std::string(511, 'x'));
    setup.programPath = folder.File("tiny");
    Run();
    EXPECT_TRUE(ui.log.empty());
    EXPECT_EQ(server.RequestCount(), 0u);
}

TEST(StampRecordTest, TheCLibraryWords) {
    sim::FakeClock clock;
    EXPECT_EQ(StampRecord(0, clock), "0x00000000 --> Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(StampRecord(0x5F5E1000, clock), "0x5F5E1000 --> Sun Sep 13 12:26:40 2020");
}

}  // namespace
}  // namespace kiro
