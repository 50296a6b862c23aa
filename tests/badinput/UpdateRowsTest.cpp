// The update check against addresses that are no addresses and servers that misbehave, with the
// real libcurl client and a real server on 127.0.0.1; and a tmp that is a file in the way of the
// download and of the updater's hand-over. A row per kind, each with its outcome and time bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "CommandRow.h"
#include "Sandbox.h"
#include "core/app/App.h"
#include "core/update/UpdateCheck.h"
#include "core/update/UpdateWorker.h"
#include "core/update/UpdaterHandOver.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/FixedProcessInfo.h"
#include "support/LoopbackHttpServer.h"
#include "support/ProgramImages.h"
#include "support/RecordingUpdateUi.h"
#include "support/TimeLimits.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::Sandbox;

constexpr uint32_t kOwnStamp = 0x60000000;
constexpr size_t kOwnSize = 600000;
constexpr const char* kPath = "/UploadFiles%5CDownLoads%5CKiroMeter_X5.exe";

// Sealed builds of this test program's own kind.
using test::ProgramImage;

using RecordingUi = test::RecordingUpdateUi;

// How a row ends.
enum class Outcome {
    NothingFound,    // the check learnt no stamp: nothing shown at all
    GivenUp,         // a newer build was seen; its download was given up and nothing kept
    Kept,            // the download was kept
    StoppedInCheck,  // the check was stopped while it waited: no stamp recorded
};

struct World {
    Sandbox box;
    test::LoopbackHttpServer server;
    RecordingUi ui;
    std::atomic<bool> stopping = false;

    // The download's two names in tmp.
    bool NothingInTmp() const {
        return !fs::exists(box.Prog("tmp/KiroMeter_X5_TMP.BIN")) &&
               !fs::exists(box.Prog("tmp/KiroMeter_X5_TMP.BIN.part"));
    }
};

struct UpdateRow {
    const char* name;
    // The UpdateURL written into the settings file, from the server's own address.
    std::function<std::string(const test::LoopbackHttpServer&)> url;
    std::function<void(World&)> arrange;
    Outcome outcome;
    std::chrono::milliseconds bound;
};

std::string Served(const test::LoopbackHttpServer& server) {
    return server.Url(kPath);
}

// A newer build of 700000 bytes.
void ServeNewer(World& w) {
    w.server.Serve(kPath, ProgramImage(700000, kOwnStamp + 1));
}

// Sets the stop flag, as the end of the program does, once the check's request has reached the
// server and the check waits for its answer (or once the request is long overdue).
void StopWhileWaiting(World& w, std::thread& stopper) {
    stopper = std::thread([&w] {
        w.server.WaitForRequests(1, test::TimeLimit(5s));
        w.stopping = true;
    });
}

TEST(UpdateRows, EachAddressAndServerEndsAsTheRowStatesInTime) {
    NativeHttpClient http;
    const std::string longPath = "/" + std::string(599, 'a');
    std::thread stopper;
    const UpdateRow rows[] = {
        // Addresses that are no web addresses: libcurl refuses them at once, nothing is read.
        {"not a url", [](const auto&) { return "not a url"; }, [](World&) {}, Outcome::NothingFound, 5000ms},
        {"ftp", [](const auto&) { return "ftp://x"; }, [](World&) {}, Outcome::NothingFound, 5000ms},
        {"a local file", [](const auto&) { return "file:///etc/passwd"; }, [](World&) {},
         Outcome::NothingFound, 5000ms},
        {"empty", [](const auto&) { return ""; }, [](World&) {}, Outcome::NothingFound, 5000ms},
        // 600 characters are cut to the 511 the settings buffer holds; the server has nothing there.
        {"600 characters", [&](const auto& server) { return server.Url(longPath); }, ServeNewer,
         Outcome::NothingFound, 5000ms},
        // A server that stops answering: the end of the program ends the wait within a second.
        {"a stalled answer, stopped", Served,
         [&](World& w) {
             ServeNewer(w);
             w.server.StallAfter(kPath, 100, 10 * test::TimeLimit(3000ms));
             StopWhileWaiting(w, stopper);
         },
         Outcome::StoppedInCheck, 3000ms},
        // A slow server is waited for: a pause of 1.5 s in each answer is no reason to give up.
        {"a slow server", Served,
         [](World& w) {
             ServeNewer(w);
             w.server.StallAfter(kPath, 100, 1500ms);
         },
         Outcome::Kept, 10000ms},
        // A gigabyte behind a newer build's header: given up at 64 times the running program's
        // length, long before the gigabyte, and nothing of it kept.
        {"1 GB", Served,
         [](World& w) {
             w.server.ServeGenerated(kPath, ProgramImage(4096, kOwnStamp + 1), uint64_t{1} << 30);
         },
         Outcome::GivenUp, 20000ms},
        // A body shorter than announced breaks off: nothing kept.
        {"Content-Length longer than the body", Served,
         [](World& w) {
             ServeNewer(w);
             w.server.AnnounceLength(kPath, 800000);
         },
         Outcome::GivenUp, 5000ms},
        // A body longer than announced ends where the length says, short of the build's own
        // length: nothing kept.
        {"Content-Length shorter than the body", Served,
         [](World& w) {
             ServeNewer(w);
             w.server.AnnounceLength(kPath, 650000);
         },
         Outcome::GivenUp, 5000ms},
        {"closed at once", Served, [](World& w) { w.server.CloseWithoutAnswer(kPath); },
         Outcome::NothingFound, 5000ms},
        // A tmp that is a file: the download cannot begin, and the file stays as it was.
        {"tmp is a file", Served,
         [](World& w) {
             ServeNewer(w);
             w.box.Write("prog/tmp", "not a folder");
         },
         Outcome::GivenUp, 5000ms},
    };
    for (const UpdateRow& row : rows) {
        World w;
        w.box.Write("prog/KiroMeter_X5", ProgramImage(kOwnSize, kOwnStamp));
        w.box.Write("prog/KiroMeter2.INI", "[Advance]\r\nUpdateURL=" + row.url(w.server) + "\r\n");
        row.arrange(w);
        w.box.Seal();

        sim::FakeClock clock;
        sim::FixedLocale locale;
        NativeFileSystem files;
        App app(w.box.Prog(), clock, locale, files);
        app.LoadSettings();
        const sim::FixedProcessInfo process(w.box.Prog("KiroMeter_X5"));
        const UpdateCheckSetup setup = UpdateSetupOf(app, process);
        UpdateCheck check(files, http, clock, w.ui, w.stopping);
        const auto started = std::chrono::steady_clock::now();
        check.Run(setup);
        const auto took = std::chrono::steady_clock::now() - started;
        if (stopper.joinable()) stopper.join();

        test::ExpectWithin(row.name, took, row.bound);
        const std::string log = ::testing::PrintToString(w.ui.log);
        switch (row.outcome) {
            case Outcome::NothingFound:
                EXPECT_TRUE(w.ui.log.empty()) << row.name << log;
                break;
            case Outcome::StoppedInCheck:
                EXPECT_FALSE(w.ui.Said("stamps")) << row.name << log;
                EXPECT_FALSE(w.ui.Said("question")) << row.name << log;
                break;
            case Outcome::GivenUp:
                EXPECT_TRUE(w.ui.Said("question")) << row.name << log;
                EXPECT_FALSE(w.ui.Said("ready")) << row.name << log;
                // The bar says the download failed, unless the program was ending.
                if (w.stopping) {
                    EXPECT_FALSE(w.ui.Said("download failed")) << row.name << log;
                } else {
                    EXPECT_EQ(w.ui.log.back(), "download failed") << row.name << log;
                }
                break;
            case Outcome::Kept:
                EXPECT_TRUE(w.ui.Said("ready")) << row.name << log;
                break;
        }
        if (row.outcome == Outcome::Kept) {
            const std::string kept = test::TempFolder::ReadFile(w.box.Prog("tmp/KiroMeter_X5_TMP.BIN"));
            EXPECT_TRUE(kept == ProgramImage(700000, kOwnStamp + 1))
                << row.name << ": kept " << kept.size() << " bytes";
        } else {
            EXPECT_TRUE(w.NothingInTmp()) << row.name;
        }
        if (row.name == std::string("600 characters")) {
            EXPECT_EQ(setup.url.size(), 511u);
            ASSERT_EQ(w.server.RequestCount(), 1u);
            EXPECT_EQ(w.server.Requests()[0].path, longPath.substr(0, 511 - w.server.Url("").size()));
        }
        if (row.name == std::string("1 GB")) {
            EXPECT_LT(w.server.BodyBytesSent(), uint64_t{200} << 20)
                << "the server went on far past the limit";
        }
        if (row.name == std::string("tmp is a file")) {
            EXPECT_EQ(test::TempFolder::ReadFile(w.box.Prog("tmp")), "not a folder");
        }
        w.box.ExpectNothingLostOrLeaked(row.name);
    }
}

struct RecordingLauncher final : Launcher {
    bool StartDetached(const std::string& program, const std::vector<std::string>&) override {
        started.push_back(program);
        return true;
    }
    bool OpenWithAssociatedProgram(const std::string&) override { return false; }
    std::vector<std::string> started;
};

// The hand-over at the end of a run that downloaded a build, with a file named tmp in the way:
// the updater is neither written nor started, and the file is left as it was.
TEST(UpdateRows, TheHandOverToTheUpdaterFailsCleanlyWhenTmpIsAFile) {
    Sandbox box;
    box.Write("prog/tmp", "not a folder");
    box.Seal();
    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeFileSystem files;
    App app(box.Prog(), clock, locale, files);
    app.LoadSettings();
    app.updateReady = true;
    RecordingLauncher launcher;
    const std::vector<uint8_t> updater{0x7F, 'E', 'L', 'F', 1, 2, 3};
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(HandOverToUpdater(app, launcher, updater));
    test::ExpectWithin("hand-over with tmp a file", std::chrono::steady_clock::now() - started, 1000ms);
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(test::TempFolder::ReadFile(box.Prog("tmp")), "not a folder");
    box.ExpectNothingLostOrLeaked("hand-over with tmp a file");
}

}  // namespace
}  // namespace kiro
