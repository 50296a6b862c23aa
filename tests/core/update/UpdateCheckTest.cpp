// The update check against a real HTTP server on 127.0.0.1, through the real libcurl client:
// what it records and shows, what it downloads, and every way a download is refused.
#include "core/update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/update/ProgramStamp.h"
#include "core/update/ProgramVersion.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "support/FaultyFileSystem.h"
#include "support/LoopbackHttpServer.h"
#include "support/RecordingUpdateUi.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;

// A program file of `size` bytes whose first bytes are those of this test program (whose notes
// carry the version on Linux), with the stamp given.
std::string ProgramImage(size_t size, uint32_t stamp) {
    std::ifstream in(NativeProcessInfo().OwnProgramPath(), std::ios::binary);
    std::vector<uint8_t> bytes(kStampSearchBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
#if defined(_WIN32)
    // A Windows program's stamp is the link time in its header, two words after "PE\0\0".
    const std::optional<uint32_t> linked = FindProgramStamp(bytes);
    EXPECT_TRUE(linked.has_value());
    for (size_t at = 0; linked && at + 12 <= 512; at += 4) {
        if (std::memcmp(&bytes[at], "PE\0\0", 4) != 0) continue;
        std::memcpy(&bytes[at + 8], &stamp, 4);  // little-endian, as the machine
        break;
    }
#else
    EXPECT_TRUE(WriteProgramStamp(bytes, stamp));
#endif
    std::string image(bytes.begin(), bytes.end());
    image.resize(size, '\x5A');
    for (size_t i = kStampSearchBytes; i < size; i += 997) image[i] = static_cast<char>(i * 31);
#if defined(_WIN32)
    // A Windows program's version is in its version resource, beyond the first bytes: its fixed
    // part as this program's own carries it (found there by VersionResourceScannerTest).
    const uint32_t record[] = {0xFEEF04BD, 0x00010000, KIRO_VERSION_MAJOR << 16 | KIRO_VERSION_MINOR,
                               KIRO_VERSION_PATCH << 16 | KIRO_VERSION_BUILD};
    if (size >= 3 * kStampSearchBytes) std::memcpy(&image[2 * kStampSearchBytes], record, sizeof record);
#endif
    return image;
}

using RecordingUi = test::RecordingUpdateUi;

class UpdateCheckTest : public ::testing::Test {
  public:
    static constexpr uint32_t kOwnStamp = 0x60000000;
    static constexpr size_t kOwnSize = 600000;

    UpdateCheckTest() {
        const std::string own = ProgramImage(kOwnSize, kOwnStamp);
        folder.Write("KiroMeter_X5", own);
        setup.url = server.Url("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe");
        setup.programPath = folder.File("KiroMeter_X5");
        setup.tempFolder = folder.File("tmp");
    }
    void ServeProgram(size_t size, uint32_t stamp) {
        served = ProgramImage(size, stamp);
        server.Serve("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", served);
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
    EXPECT_EQ(Downloaded(), served);
    EXPECT_FALSE(fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN.part")));
    EXPECT_EQ(ui.log,
              (std::vector<std::string>{"check started", "stamps", "check ended", "question", "text on",
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
        EXPECT_EQ(ui.log,
                  (std::vector<std::string>{"check started", "stamps", "no new version", "check ended"}));
        EXPECT_EQ(ui.local.substr(0, 10), "0x60000000");
        EXPECT_EQ(ui.server.substr(0, 10), stamp == kOwnStamp ? "0x60000000" : "0x5FFEAE80");
        EXPECT_TRUE(NothingInPlace());
    }
    EXPECT_EQ(server.RequestCount(), 2u) << "one look at the server each time, no download";
}

TEST_F(UpdateCheckTest, AServerFileWithoutAStampChangesNothing) {
    server.Serve("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", std::string(9000, 'h'));
    Run();
    EXPECT_EQ(ui.log, (std::vector<std::string>{"check started", "check ended"}));
    EXPECT_TRUE(ui.local.empty()) << "no record without a server stamp";
    // An error page is not a program either, whatever it holds.
    server.Answer("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", 404, ProgramImage(5000, kOwnStamp + 9));
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
    EXPECT_EQ(ui.log,
              (std::vector<std::string>{"check started", "stamps", "check ended", "package manager"}));
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
             t.ui.onQuestion = [&t] {
                 t.server.DropAfter("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", 200000);
             };
         }},
        {"shorter than half the running program",
         [](UpdateCheckTest& t) { t.ServeProgram(299999, kOwnStamp + 1); }},
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
        t.server.DropAfter("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", SIZE_MAX);
    }
}

TEST_F(UpdateCheckTest, StoppingEndsAStalledDownloadAtOnce) {
    ServeProgram(700000, kOwnStamp + 1);
    ui.onQuestion = [this] {
        server.StallAfter("/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe", 100000, std::chrono::seconds(30));
    };
    std::thread stopper([this] {
        while (ui.positions.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stopping = true;
    });
    const auto started = std::chrono::steady_clock::now();
    Run();
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
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
