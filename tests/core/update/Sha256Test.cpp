// SHA-256 against the FIPS 180 examples, fed whole and in pieces of every size that could trip
// the block boundary.
#include "core/update/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace kiro {
namespace {

std::string Hex(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const uint8_t byte : digest) text += {kDigits[byte >> 4], kDigits[byte & 15]};
    return text;
}

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(Sha256Test, TheFipsExamples) {
    const struct {
        std::string message;
        const char* digest;
    } examples[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
         "mnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& example : examples) {
        EXPECT_EQ(Hex(Sha256Of(Bytes(example.message))), example.digest)
            << example.message.size() << " bytes";
        // Pieces of 1 to 130 bytes cross the 64-byte blocks at every offset.
        for (size_t piece = 1; piece <= 130 && example.message.size() < 200; ++piece) {
            Sha256 hash;
            for (size_t at = 0; at < example.message.size(); at += piece)
                hash.Add(Bytes(example.message.substr(at, piece)));
            EXPECT_EQ(Hex(hash.Finish()), example.digest) << "pieces of " << piece;
        }
    }
}

TEST(Sha256Test, ZerosAddedAreZeroBytes) {
    for (const size_t count : {0u, 1u, 55u, 56u, 64u, 65u, 200u}) {
        Sha256 hash;
        hash.Add(Bytes("seal"));
        hash.AddZeros(count);
        EXPECT_EQ(Hex(hash.Finish()), Hex(Sha256Of(Bytes("seal" + std::string(count, '\0'))))) << count;
    }
}

}  // namespace
}  // namespace kiro
