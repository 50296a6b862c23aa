#include "platform/linux/CurlHttpClient.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <thread>

#include "support/LoopbackHttpServer.h"

namespace kiro::linux_platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Bytes that change all along the body, so a lost, doubled or moved piece shows.
std::vector<uint8_t> VaryingBytes(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    uint32_t state = seed;
    for (uint8_t& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return bytes;
}

struct Download {
    HttpResult result;
    std::vector<uint8_t> body;
};

// Keeps what arrives; the receiver says stop once it holds `stopAt` bytes or more.
Download Fetch(HttpClient& client, const HttpRequest& request, size_t stopAt = SIZE_MAX) {
    Download download;
    download.result = client.Get(request, [&](std::span<const uint8_t> piece) {
        download.body.insert(download.body.end(), piece.begin(), piece.end());
        return download.body.size() < stopAt;
    });
    return download;
}

class CurlHttpClientTest : public ::testing::Test {
  protected:
    // A proxy named in the environment of the machine running the tests must not stand between
    // the client and the loopback server.
    static void SetUpTestSuite() { setenv("no_proxy", "127.0.0.1", 1); }

    HttpRequest RequestFor(std::string_view path) const {
        return {server.Url(path), "Update search", {}, {}};
    }

    test::LoopbackHttpServer server;
    CurlHttpClient client;
};

TEST_F(CurlHttpClientTest, ALargeBodyArrivesWholeWithTheAskedHeaders) {
    const std::vector<uint8_t> file = VaryingBytes(300 * 1024, 1);
    server.Serve("/program", file);
    HttpRequest request = RequestFor("/program");
    request.headers = {"Pragma: no-cache", "Cache-Control: no-cache"};

    const Download download = Fetch(client, request);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Complete) << download.result.error;
    EXPECT_TRUE(download.body == file) << "got " << download.body.size() << " bytes";

    const std::vector<test::RecordedRequest> seen = server.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_EQ(seen[0].path, "/program");
    EXPECT_EQ(seen[0].Header("User-Agent"), "Update search");
    EXPECT_EQ(seen[0].Header("Pragma"), "no-cache");
    EXPECT_EQ(seen[0].Header("Cache-Control"), "no-cache");
}

TEST_F(CurlHttpClientTest, AReceiverThatSaysStopEndsTheTransferWithoutARetry) {
    const std::vector<uint8_t> file = VaryingBytes(300 * 1024, 2);
    server.Serve("/file", file);

    const Download stopped = Fetch(client, RequestFor("/file"), 4096);
    EXPECT_EQ(stopped.result.outcome, HttpOutcome::Stopped);
    EXPECT_LT(stopped.body.size(), file.size());
    EXPECT_EQ(server.RequestCount(), 1u);

    // The server got over the client hanging up on it.
    EXPECT_EQ(Fetch(client, RequestFor("/file")).result.outcome, HttpOutcome::Complete);
}

TEST_F(CurlHttpClientTest, AnAnswerOtherThanSuccessIsFailedAndItsBodyNeverHandedOn) {
    struct Case {
        const char* name;
        int status;
        const char* body;
    };
    const Case cases[] = {
        {"server error page", 500, "<html>Internal Server Error</html>"},
        {"redirect without a target", 302, "<html>Moved</html>"},
        {"not modified", 304, ""},
    };
    for (const Case& c : cases) {
        const std::string path = "/" + std::to_string(c.status);
        server.Answer(path, c.status, c.body);
        const Download download = Fetch(client, RequestFor(path));
        EXPECT_EQ(download.result.outcome, HttpOutcome::Failed) << c.name;
        EXPECT_TRUE(download.body.empty()) << c.name;
        EXPECT_NE(download.result.error.find(std::to_string(c.status)), std::string::npos)
            << c.name << ": " << download.result.error;
    }

    const Download missing = Fetch(client, RequestFor("/nowhere"));
    EXPECT_EQ(missing.result.outcome, HttpOutcome::Failed);
    EXPECT_TRUE(missing.body.empty()) << "the 404 page was taken as the file";
    EXPECT_NE(missing.result.error.find("404"), std::string::npos) << missing.result.error;
}

TEST_F(CurlHttpClientTest, RedirectsAreFollowedAFewTimesAtMostAndOnlyToTheWeb) {
    const std::vector<uint8_t> file = VaryingBytes(10000, 3);
    server.Answer("/old", 302, "<html>Moved</html>", {"Location: /new"});
    server.Serve("/new", file);
    const Download moved = Fetch(client, RequestFor("/old"));
    EXPECT_EQ(moved.result.outcome, HttpOutcome::Complete) << moved.result.error;
    EXPECT_TRUE(moved.body == file) << "the redirect's own page must not come first";
    ASSERT_EQ(server.RequestCount(), 2u);
    EXPECT_EQ(server.Requests()[1].Header("User-Agent"), "Update search");

    server.Answer("/loop", 302, "", {"Location: /loop"});
    const Download loop = Fetch(client, RequestFor("/loop"));
    EXPECT_EQ(loop.result.outcome, HttpOutcome::Failed);
    EXPECT_FALSE(loop.result.error.empty());
    EXPECT_LE(server.RequestCount(), 2u + 6u);

    server.Answer("/local", 302, "", {"Location: file:///etc/passwd"});
    const Download local = Fetch(client, RequestFor("/local"));
    EXPECT_EQ(local.result.outcome, HttpOutcome::Failed);
    EXPECT_TRUE(local.body.empty());
}

TEST_F(CurlHttpClientTest, AConnectionBrokenBeforeTheAnnouncedLengthIsFailed) {
    const std::vector<uint8_t> file = VaryingBytes(300 * 1024, 4);
    server.Serve("/file", file);
    server.DropAfter("/file", file.size() / 3);

    const Download download = Fetch(client, RequestFor("/file"));
    EXPECT_EQ(download.result.outcome, HttpOutcome::Failed);
    EXPECT_FALSE(download.result.error.empty());
    EXPECT_LE(download.body.size(), file.size() / 3);
}

TEST_F(CurlHttpClientTest, ACancelIsNoticedWhileNoDataComes) {
    server.Serve("/file", VaryingBytes(100000, 5));
    server.StallAfter("/file", 1000, 60s);
    HttpRequest request = RequestFor("/file");
    const Clock::time_point start = Clock::now();
    request.cancelled = [&] { return Clock::now() - start > 500ms; };

    const Download download = Fetch(client, request);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Stopped) << download.result.error;
    EXPECT_LE(download.body.size(), 1000u);
    EXPECT_LT(Clock::now() - start, 3s);
}

TEST_F(CurlHttpClientTest, AShortStallIsWaitedOut) {
    const std::vector<uint8_t> file = VaryingBytes(100000, 6);
    server.Serve("/file", file);
    server.StallAfter("/file", 1000, 1200ms);
    HttpRequest request = RequestFor("/file");
    request.cancelled = [] { return false; };

    const Download download = Fetch(client, request);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Complete) << download.result.error;
    EXPECT_TRUE(download.body == file);
}

TEST_F(CurlHttpClientTest, AnAddressNobodyListensOnIsFailedWithTheReason) {
    std::string url;
    {
        test::LoopbackHttpServer gone;
        url = gone.Url("/file");
    }
    const Download download = Fetch(client, {url, "Update search", {}, {}});
    EXPECT_EQ(download.result.outcome, HttpOutcome::Failed);
    EXPECT_FALSE(download.result.error.empty());
    EXPECT_TRUE(download.body.empty());
}

TEST_F(CurlHttpClientTest, AnExceptionFromTheReceiverReachesTheCaller) {
    server.Serve("/file", VaryingBytes(1000, 7));
    const auto throwing = [](std::span<const uint8_t>) -> bool { throw std::runtime_error("disk full"); };
    EXPECT_THROW(client.Get(RequestFor("/file"), throwing), std::runtime_error);
    EXPECT_EQ(Fetch(client, RequestFor("/file")).result.outcome, HttpOutcome::Complete);
}

// Their first requests open libcurl at the same moment.
TEST_F(CurlHttpClientTest, TwoThreadsShareOneClient) {
    constexpr int kTransfersPerThread = 8;
    std::vector<std::vector<uint8_t>> files;
    for (int i = 0; i < 2 * kTransfersPerThread; ++i) {
        files.push_back(
            VaryingBytes(64 * 1024 + static_cast<size_t>(i) * 1000, 100 + static_cast<uint32_t>(i)));
        server.Serve("/file" + std::to_string(i), files.back());
    }
    std::atomic<int> whole = 0;
    const auto fetchEvery = [&](int first) {
        for (int i = first; i < 2 * kTransfersPerThread; i += 2) {
            const Download download = Fetch(client, RequestFor("/file" + std::to_string(i)));
            if (download.result.outcome == HttpOutcome::Complete && download.body == files[i]) ++whole;
        }
    };
    std::thread even(fetchEvery, 0);
    std::thread odd(fetchEvery, 1);
    even.join();
    odd.join();
    EXPECT_EQ(whole, 2 * kTransfersPerThread);
}

TEST(CurlLibraryTest, AMissingOrForeignLibraryIsReportedNotCalled) {
    std::string error;
    const char* const missing[] = {"libcurl-that-is-not-there.so.9"};
    EXPECT_EQ(CurlLibrary::Open(error, missing), nullptr);
    EXPECT_NE(error.find("libcurl could not be loaded (libcurl-that-is-not-there.so.9"), std::string::npos)
        << error;

    const char* const foreign[] = {"libcurl-that-is-not-there.so.9", "libc.so.6"};
    error.clear();
    EXPECT_EQ(CurlLibrary::Open(error, foreign), nullptr);
    EXPECT_EQ(error, "libcurl lacks curl_global_init");

    error.clear();
    EXPECT_NE(CurlLibrary::Open(error), nullptr) << error;
}

}  // namespace
}  // namespace kiro::linux_platform
