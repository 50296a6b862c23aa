// Update signatures through the system's CNG functions, on a key and signature made by openssl.
#include "platform/win32/CngSignatureVerifier.h"

#include <gtest/gtest.h>

#include <string>

#include "core/update/Sha256.h"
#include "support/SignatureVector.h"

namespace kiro {
namespace {

Sha256Digest DigestOf(const std::string& text) {
    return Sha256Of({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

TEST(CngSignatureVerifierTest, OpensslsSignatureOfTheseBytesOnly) {
    const win32_platform::CngSignatureVerifier verifier(test::kVectorPublicKey);
    EXPECT_TRUE(verifier.Verify(DigestOf(test::kSignedMessage), test::kVectorSignature));
    EXPECT_FALSE(verifier.Verify(DigestOf(std::string(test::kSignedMessage) + "!"), test::kVectorSignature))
        << "other bytes";
    uint8_t changed[sizeof test::kVectorSignature];
    std::copy(std::begin(test::kVectorSignature), std::end(test::kVectorSignature), changed);
    changed[10] ^= 0x01;
    EXPECT_FALSE(verifier.Verify(DigestOf(test::kSignedMessage), changed)) << "a changed signature";
    EXPECT_FALSE(verifier.Verify(DigestOf(test::kSignedMessage), {})) << "none";
}

TEST(CngSignatureVerifierTest, ABrokenKeyVerifiesNothing) {
    const win32_platform::CngSignatureVerifier verifier(
        "-----BEGIN PUBLIC KEY-----\nAAAA\n-----END PUBLIC KEY-----\n");
    EXPECT_FALSE(verifier.Verify(DigestOf(test::kSignedMessage), test::kVectorSignature));
}

}  // namespace
}  // namespace kiro
