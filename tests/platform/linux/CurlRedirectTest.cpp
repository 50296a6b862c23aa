// Where the libcurl client follows a redirect from https: to https, and never down to plain
// http, where anyone on the way could answer in the server's place.
#include <gtest/gtest.h>

#include "LoopbackHttpsServer.h"
#include "platform/linux/CurlHttpClient.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

class CurlRedirectTest : public ::testing::Test {
  protected:
    HttpResult Get(const std::string& url) {
        received.clear();
        HttpRequest request;
        request.url = url;
        return http.Get(request, [this](std::span<const uint8_t> piece) {
            received.append(reinterpret_cast<const char*>(piece.data()), piece.size());
            return true;
        });
    }

    test::TempFolder folder;
    test::LoopbackHttpsServer secure{folder.File("ca.pem")};
    test::LoopbackHttpServer plain;
    linux_platform::CurlHttpClient http{folder.File("ca.pem")};
    std::string received;
};

TEST_F(CurlRedirectTest, FromHttpsARedirectIsFollowedToHttpsOnly) {
    secure.Answer("/build", 200, "from the server itself");
    plain.Serve("/build", "from anyone on the way");
    secure.Answer("/to-https", 302, "", {"Location: " + secure.Url("/build")});
    secure.Answer("/to-http", 302, "", {"Location: " + plain.Url("/build")});

    // The certificate made by the test is trusted: the https round itself works.
    const HttpResult followed = Get(secure.Url("/to-https"));
    EXPECT_EQ(followed.outcome, HttpOutcome::Complete) << followed.error;
    EXPECT_EQ(received, "from the server itself");

    const HttpResult refused = Get(secure.Url("/to-http"));
    EXPECT_EQ(refused.outcome, HttpOutcome::Failed);
    EXPECT_TRUE(received.empty()) << received;
    EXPECT_EQ(plain.RequestCount(), 0u) << "not even asked";
}

}  // namespace
}  // namespace kiro
