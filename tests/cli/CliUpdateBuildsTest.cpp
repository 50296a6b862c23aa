// kiro stamp --set and kiro sign-update as a black box: the release steps that make a build the
// update check takes.
#include <gtest/gtest.h>

#include <filesystem>

#include "KiroCommand.h"
#include "core/update/ProgramSeal.h"
#include "core/update/ProgramStamp.h"
#include "platform/NativePlatform.h"
#include "support/ProgramImages.h"
#include "support/RunCommand.h"
#include "support/TempFolder.h"

namespace kiro {
namespace {

using test::Kiro;
using test::ShellQuote;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

bool Sealed(const std::string& image) {
    SealCheck check(FindProgramKind(Bytes(image)).value().format);
    check.Feed(Bytes(image));
    return check.Holds();
}

class CliUpdateBuildsTest : public ::testing::Test {
  protected:
    std::string Build() const { return ShellQuote(folder.File("build")); }
    test::TempFolder folder;
};

TEST_F(CliUpdateBuildsTest, StampSetWritesTheStampAndSealsTheBuildAgain) {
    // As the linker leaves it: no stamp, no seal.
    const std::string linked = test::ProgramImage(30000, kNoStamp, false);
    folder.Write("build", linked);
    const test::CommandResult set = test::RunCommand(Kiro("stamp " + Build() + " --set 0x6a000001"));
    EXPECT_EQ(set.exitCode, 0) << set.output;
    EXPECT_EQ(set.output, "0x6A000001\n");
    EXPECT_EQ(test::RunCommand(Kiro("stamp " + Build())).output, "0x6A000001\n");
    const std::string stamped = folder.Read("build");
    EXPECT_EQ(stamped.size(), linked.size());
    EXPECT_TRUE(Sealed(stamped));
    // Stamped once more, it is sealed for the new stamp.
    ASSERT_EQ(test::RunCommand(Kiro("stamp " + Build() + " --set 0x6A000002")).exitCode, 0);
    EXPECT_TRUE(Sealed(folder.Read("build")));
}

TEST_F(CliUpdateBuildsTest, StampSetRefusesBadStampsAndFilesWithoutASealAndChangesNothing) {
    const std::string linked = test::ProgramImage(30000, kNoStamp, false);
    const struct {
        const char* what;
        std::string file;
        const char* stamp;
    } rows[] = {
        {"no 0x", linked, "6A000001"},
        {"nine digits", linked, "0x16A000001"},
        {"not hexadecimal", linked, "0x6A00000G"},
        {"nothing after 0x", linked, "0x"},
        {"a file that is no program", std::string(30000, 'x'), "0x6A000001"},
    };
    for (const auto& row : rows) {
        folder.Write("build", row.file);
        const test::CommandResult set = test::RunCommand(Kiro("stamp " + Build() + " --set " + row.stamp));
        EXPECT_EQ(set.exitCode, 1) << row.what << ": " << set.output;
        EXPECT_TRUE(folder.Read("build") == row.file) << row.what;
    }
}

#if !defined(_WIN32)
// Both ways against the openssl command itself: a signature kiro writes is one openssl accepts,
// so a server may be given either.
TEST_F(CliUpdateBuildsTest, SignUpdateWritesTheSignatureOpensslWrites) {
    folder.Write("build", test::ProgramImage(30000, 0x6A000001));
    const std::string key = ShellQuote(folder.File("key.pem"));
    const std::string publicKey = ShellQuote(folder.File("public.pem"));
    ASSERT_EQ(test::RunCommand("openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out " + key +
                               " 2>&1 && openssl pkey -in " + key + " -pubout -out " + publicKey + " 2>&1")
                  .exitCode,
              0);
    const test::CommandResult sign = test::RunCommand(Kiro("sign-update --key " + key + " " + Build()));
    ASSERT_EQ(sign.exitCode, 0) << sign.output;
    const test::CommandResult verified = test::RunCommand(
        "openssl dgst -sha256 -verify " + publicKey + " -signature " + Build() + ".sig " + Build() + " 2>&1");
    EXPECT_EQ(verified.output, "Verified OK\n");

    // A key that is no private key signs nothing, and writes no signature.
    std::filesystem::remove(folder.File("build.sig"));
    const test::CommandResult refused =
        test::RunCommand(Kiro("sign-update --key " + publicKey + " " + Build()));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.File("build.sig")));
}
#endif

}  // namespace
}  // namespace kiro
