#include <cstdio>

#include "cli/Commands.h"
#include "core/update/BuildCheck.h"
#include "core/update/Sha256.h"

namespace kiro::cli {
namespace {

// No program of ours comes near this; a larger file is not one of them.
constexpr size_t kMostProgramBytes = size_t{512} << 20;
constexpr size_t kMostKeyBytes = 64 * 1024;

[[noreturn]] void Fail(const char* format, const std::string& what) {
    (void)std::fprintf(stderr, format, what.c_str());
    throw CLI::RuntimeError(kExitFailed);
}

// FILE.sig: the DER ECDSA P-256 signature of the file's SHA-256, as openssl dgst -sha256 -sign
// writes it.
void SignUpdate(CliContext& context, const std::string& keyPath, const std::string& path) {
    CliPlatform& platform = context.Platform();
    if (!platform.HasSigner())
        Fail("kiro sign-update: %s", "not available on this system: sign with openssl dgst -sha256 -sign\n");
    const FileContent key = context.Files().ReadFile(keyPath, kMostKeyBytes, OverLimit::Refuse);
    if (key.error) Fail("kiro sign-update: cannot read the key %s\n", keyPath);
    const FileContent build = context.Files().ReadFile(path, kMostProgramBytes, OverLimit::Refuse);
    if (build.error) Fail("kiro sign-update: cannot read %s\n", path);
    const auto signature = platform.SignDigest(
        key.bytes, Sha256Of({reinterpret_cast<const uint8_t*>(build.bytes.data()), build.bytes.size()}));
    if (!signature) Fail("kiro sign-update: %s is no ECDSA P-256 private key in PEM\n", keyPath);
    const std::string sigPath = SignatureAddressOf(path);
    if (context.Files().WriteFile(sigPath, std::string(signature->begin(), signature->end()),
                                  Durability::Flushed))
        Fail("kiro sign-update: cannot write %s\n", sigPath);
}

}  // namespace

void AddSignUpdateCommand(CLI::App& cli, CliContext& context) {
    auto key = std::make_shared<std::string>();
    auto path = std::make_shared<std::string>();
    CLI::App* sign = cli.add_subcommand(
        "sign-update",
        "Write FILE.sig, the signature of a build that programs built with the public key check");
    sign->add_option("--key", *key, "ECDSA P-256 private key in PEM")->required();
    sign->add_option("FILE", *path, "The build to sign")->required();
    sign->callback([key, path, &context] { SignUpdate(context, *key, *path); });
}

}  // namespace kiro::cli
