// The conversions a system with raw-number signature functions needs: PEM to the key's point,
// DER signatures to r and s, on a key and signature made by openssl.
#include "core/update/SignatureEncoding.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/SignatureVector.h"

namespace kiro {
namespace {

std::vector<uint8_t> Der(std::initializer_list<uint8_t> bytes) {
    return bytes;
}

TEST(SignatureEncodingTest, TheVectorsKeyAndSignatureAsRawNumbers) {
    const auto der = DecodePem(test::kVectorPublicKey, "PUBLIC KEY");
    ASSERT_TRUE(der.has_value());
    EXPECT_EQ(der->size(), 91u);
    const auto point = P256PointOfPublicKey(*der);
    ASSERT_TRUE(point.has_value());
    EXPECT_EQ((*point)[0], 0x6E);
    EXPECT_EQ((*point)[63], 0x2C);
    const auto raw = RawSignatureOfDer(test::kVectorSignature);
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ((*raw)[0], 0x67) << "r";
    EXPECT_EQ((*raw)[31], 0x87);
    EXPECT_EQ((*raw)[32], 0xE9) << "s without its leading zero";
    EXPECT_EQ((*raw)[63], 0xDD);
}

TEST(SignatureEncodingTest, ShortNumbersArePaddedAndAnythingElseRefused) {
    const auto small = RawSignatureOfDer(Der({0x30, 0x06, 0x02, 0x01, 0x05, 0x02, 0x01, 0x07}));
    ASSERT_TRUE(small.has_value());
    EXPECT_EQ((*small)[31], 5);
    EXPECT_EQ((*small)[63], 7);
    EXPECT_EQ((*small)[0], 0);
    const std::vector<uint8_t> sig(test::kVectorSignature,
                                   test::kVectorSignature + sizeof test::kVectorSignature);
    std::vector<uint8_t> longer = sig;
    longer.push_back(0);
    const struct {
        const char* what;
        std::vector<uint8_t> der;
    } refused[] = {
        {"empty", {}},
        {"cut by a byte", std::vector<uint8_t>(sig.begin(), sig.end() - 1)},
        {"a byte too many", longer},
        {"a negative number", Der({0x30, 0x06, 0x02, 0x01, 0x85, 0x02, 0x01, 0x07})},
        {"one number", Der({0x30, 0x03, 0x02, 0x01, 0x05})},
        {"a length past the end", Der({0x30, 0x7F, 0x02, 0x01, 0x05, 0x02, 0x01, 0x07})},
    };
    for (const auto& r : refused) EXPECT_FALSE(RawSignatureOfDer(r.der).has_value()) << r.what;
}

TEST(SignatureEncodingTest, OnlyAnUncompressedP256PublicKeyHasAPoint) {
    const std::vector<uint8_t> der = *DecodePem(test::kVectorPublicKey, "PUBLIC KEY");
    // In the key type's identifier, the curve's (P-256's last byte, 07), the unused bits of the
    // key (none) and the point's form (04, uncompressed).
    for (const size_t at : {size_t{11}, size_t{22}, size_t{25}, size_t{26}}) {
        std::vector<uint8_t> changed = der;
        changed[at] ^= 0x01;
        EXPECT_FALSE(P256PointOfPublicKey(changed).has_value()) << "byte " << at;
    }
    EXPECT_FALSE(DecodePem(test::kVectorPublicKey, "PRIVATE KEY").has_value());
    EXPECT_FALSE(
        DecodePem("-----BEGIN PUBLIC KEY-----\nMF!k\n-----END PUBLIC KEY-----\n", "PUBLIC KEY").has_value());
}

}  // namespace
}  // namespace kiro
