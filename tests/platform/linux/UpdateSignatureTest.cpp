// A build made with a key: the update check and the updater take only builds signed with its
// private half, against a real server on 127.0.0.1. The key pair is made for each test.
#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <filesystem>
#include <memory>

#include "core/update/BuildCheck.h"
#include "core/update/ProgramStamp.h"
#include "core/update/Sha256.h"
#include "core/update/UpdateCheck.h"
#include "core/update/Updater.h"
#include "platform/NativePlatform.h"
#include "platform/linux/OpenSslSigner.h"
#include "platform/sim/FakeClock.h"
#include "support/LoopbackHttpServer.h"
#include "support/ProgramImages.h"
#include "support/RecordingUpdateUi.h"
#include "support/SignatureVector.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

namespace fs = std::filesystem;
constexpr const char* kPath = "/KiroMeter_X5-linux";
constexpr uint32_t kOwnStamp = 0x60000000;

// A new P-256 key pair in PEM: the private and the public half.
struct KeyPair {
    std::string privatePem;
    std::string publicPem;
};
KeyPair MakeKeyPair() {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    EXPECT_TRUE(key);
    const auto pem = [&](bool isPrivate) {
        std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), BIO_free);
        EXPECT_EQ(isPrivate
                      ? PEM_write_bio_PrivateKey(bio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr)
                      : PEM_write_bio_PUBKEY(bio.get(), key.get()),
                  1);
        char* data = nullptr;
        const long size = BIO_get_mem_data(bio.get(), &data);
        return std::string(data, static_cast<size_t>(size));
    };
    return {pem(true), pem(false)};
}

std::string SignatureOf(const std::string& privatePem, const std::string& bytes) {
    const auto signature = linux_platform::SignDigest(
        privatePem, Sha256Of({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}));
    EXPECT_TRUE(signature.has_value());
    return signature ? std::string(signature->begin(), signature->end()) : std::string();
}

class UpdateSignatureTest : public ::testing::Test {
  protected:
    UpdateSignatureTest() {
        folder.Write("KiroMeter_X5", test::ProgramImage(600000, kOwnStamp));
        setup.url = server.Url(kPath);
        setup.autoConfirm = true;
        setup.programPath = folder.File("KiroMeter_X5");
        setup.tempFolder = folder.File("tmp");
        setup.signatures = &verifier;
        server.Serve(kPath, build);
    }
    bool Taken() const { return ui.Said("ready") && fs::exists(folder.File("tmp/KiroMeter_X5_TMP.BIN")); }
    bool NothingInTmp() const { return !fs::exists(folder.File("tmp")) || fs::is_empty(folder.File("tmp")); }

    const KeyPair keys = MakeKeyPair();
    const linux_platform::OpenSslSignatureVerifier verifier{keys.publicPem};
    const std::string build = test::ProgramImage(700000, kOwnStamp + 1);
    test::TempFolder folder;
    test::LoopbackHttpServer server;
    NativeHttpClient http;
    NativeFileSystem files;
    sim::FakeClock clock;
    test::RecordingUpdateUi ui;
    std::atomic<bool> stopping = false;
    UpdateCheck check{files, http, clock, ui, stopping};
    UpdateCheckSetup setup;
};

TEST_F(UpdateSignatureTest, ABuildSignedWithTheKeyIsTakenWithItsSignature) {
    const std::string signature = SignatureOf(keys.privatePem, build);
    server.Serve(std::string(kPath) + ".sig", signature);
    check.Run(setup);
    EXPECT_TRUE(Taken()) << ::testing::PrintToString(ui.log);
    EXPECT_EQ(folder.Read("tmp/KiroMeter_X5_TMP.BIN.sig"), signature) << "kept for the updater";
}

TEST_F(UpdateSignatureTest, ABuildWithoutAGoodSignatureIsNeverTaken) {
    const KeyPair otherKeys = MakeKeyPair();
    const struct {
        const char* what;
        std::optional<std::string> signature;
    } rows[] = {
        {"no signature on the server", std::nullopt},
        {"an empty signature", std::string()},
        {"bytes that are no signature", std::string(70, 'x')},
        {"a good signature of other bytes", SignatureOf(keys.privatePem, build + "x")},
        {"another key's signature", SignatureOf(otherKeys.privatePem, build)},
    };
    for (const auto& row : rows) {
        ui = test::RecordingUpdateUi{};
        if (row.signature) server.Serve(std::string(kPath) + ".sig", *row.signature);
        check.Run(setup);
        EXPECT_FALSE(ui.Said("ready")) << row.what;
        EXPECT_EQ(ui.log.back(), "download failed") << row.what;
        EXPECT_TRUE(NothingInTmp()) << row.what;
    }
}

TEST_F(UpdateSignatureTest, TheUpdaterChecksTheSignatureAgain) {
    folder.Write("tmp/KiroMeter_X5_TMP.BIN", build);
    struct Output final : UpdaterOutput {
        void Print(const std::string& text) override { printed += text; }
        std::string printed;
    };
    const UpdaterSetup updater{folder.Path(), ReadProgramStamp(files, setup.programPath).kind, &verifier};
    // Signed with another key: refused, and the program left as it was.
    folder.Write("tmp/KiroMeter_X5_TMP.BIN.sig", SignatureOf(MakeKeyPair().privatePem, build));
    Output refused;
    RunUpdater(files, clock, refused, updater);
    EXPECT_NE(refused.printed.find("(not signed with this build's key)"), std::string::npos)
        << refused.printed;
    EXPECT_TRUE(folder.Read("KiroMeter_X5") == test::ProgramImage(600000, kOwnStamp));

    folder.Write("tmp/KiroMeter_X5_TMP.BIN", build);
    folder.Write("tmp/KiroMeter_X5_TMP.BIN.sig", SignatureOf(keys.privatePem, build));
    Output done;
    RunUpdater(files, clock, done, updater);
    EXPECT_TRUE(done.printed.ends_with(">>> Update OK <<<\n\n")) << done.printed;
    EXPECT_TRUE(folder.Read("KiroMeter_X5") == build);
    EXPECT_TRUE(NothingInTmp()) << "the download and its signature are gone";
}

TEST(OpenSslSignatureVerifierTest, OpensslsOwnSignature) {
    const Sha256Digest digest = Sha256Of(
        {reinterpret_cast<const uint8_t*>(test::kSignedMessage), std::string(test::kSignedMessage).size()});
    EXPECT_TRUE(linux_platform::OpenSslSignatureVerifier(test::kVectorPublicKey)
                    .Verify(digest, test::kVectorSignature));
}

TEST(OpenSslSignatureVerifierTest, AKeyThatIsNoP256PublicKeyVerifiesNothing) {
    const KeyPair keys = MakeKeyPair();
    const std::string signature = SignatureOf(keys.privatePem, "bytes");
    const Sha256Digest digest = Sha256Of({reinterpret_cast<const uint8_t*>("bytes"), 5});
    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(signature.data()), signature.size());
    EXPECT_TRUE(linux_platform::OpenSslSignatureVerifier(keys.publicPem).Verify(digest, bytes));
    EXPECT_FALSE(linux_platform::OpenSslSignatureVerifier(keys.privatePem).Verify(digest, bytes))
        << "a private key where the public one belongs";
    EXPECT_FALSE(linux_platform::OpenSslSignatureVerifier("").Verify(digest, bytes));
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> other(EVP_EC_gen("P-384"), EVP_PKEY_free);
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), BIO_free);
    PEM_write_bio_PUBKEY(bio.get(), other.get());
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    EXPECT_FALSE(linux_platform::OpenSslSignatureVerifier(std::string(data, static_cast<size_t>(size)))
                     .Verify(digest, bytes))
        << "another curve";
}

}  // namespace
}  // namespace kiro
