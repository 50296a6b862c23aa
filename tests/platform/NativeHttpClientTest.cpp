// What the system's HTTP client must do on every system, tried against a real server on the
// loopback interface.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/NativePlatform.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempFolder.h"
#include "support/TimeLimits.h"

namespace kiro {
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

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The file: address of a file that is really there, so that following it would bring a body.
std::string FileUrl(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return (path.starts_with("/") ? "file://" : "file:///") + path;
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

class NativeHttpClientTest : public ::testing::Test {
  protected:
    // A proxy named in the environment of the machine running the tests must not stand between
    // the client and the loopback server.
    static void SetUpTestSuite() {
#if defined(_WIN32)
        _putenv_s("no_proxy", "127.0.0.1");
#else
        setenv("no_proxy", "127.0.0.1", 1);
#endif
    }

    HttpRequest RequestFor(std::string_view path) const {
        return {server.Url(path), "Update search", {}, {}};
    }

    test::LoopbackHttpServer server;
    NativeHttpClient client;
};

TEST_F(NativeHttpClientTest, ALargeBodyArrivesWholeWithTheAskedHeaders) {
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

// Nothing may come from a cache: the second fetch reaches the server and gets the new body.
TEST_F(NativeHttpClientTest, EveryFetchAsksTheServerAfresh) {
    server.Serve("/version", "first");
    ASSERT_EQ(Fetch(client, RequestFor("/version")).result.outcome, HttpOutcome::Complete);
    server.Serve("/version", "second");

    const Download again = Fetch(client, RequestFor("/version"));
    EXPECT_EQ(again.result.outcome, HttpOutcome::Complete) << again.result.error;
    EXPECT_EQ(Text(again.body), "second");
    EXPECT_EQ(server.RequestCount(), 2u);
}

TEST_F(NativeHttpClientTest, AReceiverThatSaysStopEndsTheTransferWithoutARetry) {
    const std::vector<uint8_t> file = VaryingBytes(300 * 1024, 2);
    server.Serve("/file", file);

    const Download stopped = Fetch(client, RequestFor("/file"), 4096);
    EXPECT_EQ(stopped.result.outcome, HttpOutcome::Stopped);
    EXPECT_LT(stopped.body.size(), file.size());
    EXPECT_EQ(server.RequestCount(), 1u);

    // The server got over the client hanging up on it.
    EXPECT_EQ(Fetch(client, RequestFor("/file")).result.outcome, HttpOutcome::Complete);
}

TEST_F(NativeHttpClientTest, AnAnswerOtherThanSuccessIsFailedAndItsBodyNeverHandedOn) {
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
    EXPECT_EQ(missing.result.error, "the server answered with status 404");
}

TEST_F(NativeHttpClientTest, RedirectsAreFollowedAFewTimesAtMostAndOnlyToTheWeb) {
    const std::vector<uint8_t> file = VaryingBytes(10000, 3);
    server.Answer("/old", 302, "<html>Moved</html>", {"Location: /new"});
    server.Answer("/new", 301, "", {"Location: " + server.Url("/newest")});
    server.Serve("/newest", file);
    const Download moved = Fetch(client, RequestFor("/old"));
    EXPECT_EQ(moved.result.outcome, HttpOutcome::Complete) << moved.result.error;
    EXPECT_TRUE(moved.body == file) << "the redirect's own page must not come first";
    ASSERT_EQ(server.RequestCount(), 3u);
    EXPECT_EQ(server.Requests()[2].path, "/newest");
    EXPECT_EQ(server.Requests()[2].Header("User-Agent"), "Update search");

    server.Answer("/loop", 302, "", {"Location: /loop"});
    const Download loop = Fetch(client, RequestFor("/loop"));
    EXPECT_EQ(loop.result.outcome, HttpOutcome::Failed);
    EXPECT_FALSE(loop.result.error.empty());
    EXPECT_EQ(server.RequestCount(), 3u + 6u) << "the first request and five redirects";

    // A file that is there: had the redirect been followed, its text would have come.
    const test::TempFolder folder;
    folder.Write("secret.txt", "not for the server to see");
    const struct {
        std::string target;
        const char* scheme;
    } offTheWeb[] = {{FileUrl(folder.File("secret.txt")), "file"}, {"ftp://127.0.0.1/file", "ftp"}};
    for (const auto& [target, scheme] : offTheWeb) {
        server.Answer("/local", 302, "", {"Location: " + target});
        const Download local = Fetch(client, RequestFor("/local"));
        EXPECT_EQ(local.result.outcome, HttpOutcome::Failed) << target;
        EXPECT_NE(local.result.error.find(scheme), std::string::npos) << local.result.error;
        EXPECT_TRUE(local.body.empty()) << target;
    }
}

// The address comes from the settings file, where anyone may write anything: only an http or
// https address is fetched, the same on every system. One without its scheme names the live
// server here, so a client that guessed a scheme for it would be caught asking.
TEST_F(NativeHttpClientTest, AnAddressOffTheWebIsRefusedUnasked) {
    const test::TempFolder folder;
    folder.Write("file.txt", "a local file");
    server.Serve("/file", "body");
    std::string withoutScheme = server.Url("/file");
    withoutScheme.erase(0, std::string_view("http://").size());
    for (const std::string& url : {std::string("ftp://127.0.0.1/file"), FileUrl(folder.File("file.txt")),
                                   withoutScheme, std::string()}) {
        const Download download = Fetch(client, {url, "Update search", {}, {}});
        EXPECT_EQ(download.result.outcome, HttpOutcome::Failed) << url;
        EXPECT_FALSE(download.result.error.empty()) << url;
        EXPECT_TRUE(download.body.empty()) << url;
    }
    EXPECT_EQ(server.RequestCount(), 0u) << "an address without its scheme was taken for the web";

    std::string capitals = server.Url("/file");
    capitals.replace(0, 4, "HTTP");
    EXPECT_EQ(Fetch(client, {capitals, "Update search", {}, {}}).result.outcome, HttpOutcome::Complete)
        << "the scheme is matched without regard to case";
}

TEST_F(NativeHttpClientTest, AConnectionBrokenBeforeTheAnnouncedLengthIsFailed) {
    const std::vector<uint8_t> file = VaryingBytes(300 * 1024, 4);
    server.Serve("/file", file);
    server.DropAfter("/file", file.size() / 3);

    const Download download = Fetch(client, RequestFor("/file"));
    EXPECT_EQ(download.result.outcome, HttpOutcome::Failed);
    EXPECT_FALSE(download.result.error.empty());
    EXPECT_LE(download.body.size(), file.size() / 3);

    server.Serve("/short", "only this");
    server.AnnounceLength("/short", 1000);
    const Download shorter = Fetch(client, RequestFor("/short"));
    EXPECT_EQ(shorter.result.outcome, HttpOutcome::Failed) << "a body shorter than announced is not the file";
    EXPECT_FALSE(shorter.result.error.empty());
}

TEST_F(NativeHttpClientTest, ACancelIsNoticedWhileNoDataComes) {
    server.Serve("/file", VaryingBytes(100000, 5));
    server.StallAfter("/file", 1000, 60s);
    HttpRequest request = RequestFor("/file");
    const Clock::time_point start = Clock::now();
    request.cancelled = [&] { return Clock::now() - start > 500ms; };

    const Download download = Fetch(client, request);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Stopped) << download.result.error;
    EXPECT_LE(download.body.size(), 1000u);
    EXPECT_LT(Clock::now() - start, test::TimeLimit(3s));

    // The transfer left behind, still waiting, does not stand in the way of the next one.
    server.Serve("/again", "whole");
    const Download again = Fetch(client, RequestFor("/again"));
    EXPECT_EQ(again.result.outcome, HttpOutcome::Complete) << again.result.error;
    EXPECT_EQ(Text(again.body), "whole");
}

// The connection is taken by the system and the request sent, but no answer ever comes: the
// cancel ends the wait for the answer itself.
TEST_F(NativeHttpClientTest, ACancelIsNoticedWhileTheServerHasNotAnswered) {
    uint16_t port = 0;
    const test::sockets::SocketHandle neverAccepting = test::sockets::ListenOnLoopback(port);
    HttpRequest request = {"http://127.0.0.1:" + std::to_string(port) + "/file", "Update search", {}, {}};
    const Clock::time_point start = Clock::now();
    request.cancelled = [&] { return Clock::now() - start > 500ms; };

    const Download download = Fetch(client, request);
    test::sockets::CloseSocket(neverAccepting);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Stopped) << download.result.error;
    EXPECT_TRUE(download.body.empty());
    EXPECT_LT(Clock::now() - start, test::TimeLimit(3s));
}

TEST_F(NativeHttpClientTest, AShortStallIsWaitedOut) {
    const std::vector<uint8_t> file = VaryingBytes(100000, 6);
    server.Serve("/file", file);
    server.StallAfter("/file", 1000, 1200ms);
    HttpRequest request = RequestFor("/file");
    request.cancelled = [] { return false; };

    const Download download = Fetch(client, request);
    EXPECT_EQ(download.result.outcome, HttpOutcome::Complete) << download.result.error;
    EXPECT_TRUE(download.body == file);
}

TEST_F(NativeHttpClientTest, AnAddressNobodyListensOnIsFailedWithTheReason) {
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

TEST_F(NativeHttpClientTest, AnExceptionFromTheReceiverOrTheQuestionReachesTheCaller) {
    server.Serve("/file", VaryingBytes(1000, 7));
    const auto throwing = [](std::span<const uint8_t>) -> bool { throw std::runtime_error("disk full"); };
    EXPECT_THROW(client.Get(RequestFor("/file"), throwing), std::runtime_error);

    // The question fails while the transfer waits for data that does not come.
    server.Serve("/stalled", VaryingBytes(100000, 8));
    server.StallAfter("/stalled", 1000, 60s);
    HttpRequest request = RequestFor("/stalled");
    const Clock::time_point start = Clock::now();
    request.cancelled = [&] {
        if (Clock::now() - start > 300ms) throw std::logic_error("question failed");
        return false;
    };
    EXPECT_THROW(Fetch(client, request), std::logic_error);
    EXPECT_LT(Clock::now() - start, test::TimeLimit(3s));

    EXPECT_EQ(Fetch(client, RequestFor("/file")).result.outcome, HttpOutcome::Complete);
}

// The first requests of the two threads start together, so a client that sets itself up on its
// first request does so with both waiting.
TEST_F(NativeHttpClientTest, TwoThreadsShareOneClient) {
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
            HttpRequest request = RequestFor("/file" + std::to_string(i));
            request.cancelled = [] { return false; };
            const Download download = Fetch(client, request);
            if (download.result.outcome == HttpOutcome::Complete && download.body == files[i]) ++whole;
        }
    };
    std::thread even(fetchEvery, 0);
    std::thread odd(fetchEvery, 1);
    even.join();
    odd.join();
    EXPECT_EQ(whole, 2 * kTransfersPerThread);
}

// The rule both clients follow redirects by (libcurl through its protocol list).
TEST(RedirectRuleTest, FromHttpsOnlyToHttpsFromHttpToTheWeb) {
    const struct {
        const char* from;
        const char* to;
        bool allowed;
    } rows[] = {
        {"https://a/x", "https://b/y", true},
        {"HTTPS://a/x", "Https://b/y", true},
        {"https://a/x", "http://b/y", false},
        {"https://a/x", "HTTP://a/x", false},
        {"https://a/x", "ftp://a/x", false},
        {"http://a/x", "http://b/y", true},
        {"http://a/x", "https://b/y", true},
        {"http://a/x", "file:///etc/passwd", false},
        {"http://a/x", "", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MayRedirect(row.from, row.to), row.allowed) << row.from << " -> " << row.to;
}

}  // namespace
}  // namespace kiro
