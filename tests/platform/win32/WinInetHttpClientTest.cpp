#include "platform/win32/WinInetHttpClient.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

#include "support/LoopbackHttpServer.h"

namespace kiro::win32_platform {
namespace {

HttpResult FetchResult(HttpClient& client, const std::string& url) {
    return client.Get({url, "Update search", {}, {}}, [](std::span<const uint8_t>) { return true; });
}

// WinINet tells neither where a refused redirect pointed nor that a body ended early, and its
// error numbers are not in the system's message table: the client words these failures itself.
TEST(WinInetHttpClientTest, FailuresTellWhatWentWrongInDetail) {
    test::LoopbackHttpServer server;
    WinInetHttpClient client;

    for (const char* target : {"file:///C:/windows/win.ini", "ftp://127.0.0.1/file"}) {
        server.Answer("/local", 302, "", {std::string("Location: ") + target});
        const HttpResult local = FetchResult(client, server.Url("/local"));
        EXPECT_EQ(local.outcome, HttpOutcome::Failed) << target;
        EXPECT_NE(local.error.find(target), std::string::npos) << local.error;
    }

    // WinINet itself takes the early close for the end of the body.
    server.Serve("/short", "only this");
    server.AnnounceLength("/short", 1000);
    const HttpResult shorter = FetchResult(client, server.Url("/short"));
    EXPECT_EQ(shorter.outcome, HttpOutcome::Failed);
    EXPECT_NE(shorter.error.find("9 of 1000"), std::string::npos) << shorter.error;

    std::string nobodyListens;
    {
        test::LoopbackHttpServer gone;
        nobodyListens = gone.Url("/file");
    }
    const HttpResult refused = FetchResult(client, nobodyListens);
    EXPECT_EQ(refused.outcome, HttpOutcome::Failed);
    EXPECT_NE(refused.error.find("WinINet error"), std::string::npos) << refused.error;
}

}  // namespace
}  // namespace kiro::win32_platform
