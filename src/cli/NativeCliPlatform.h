#pragma once
#include <memory>

#include "cli/CliPlatform.h"
#include "platform/NativePlatform.h"
#if !defined(_WIN32)
#include "platform/linux/OpenSslSigner.h"
#endif

namespace kiro::cli {

// The real machine. Its disks, device commands and file attributes are wired together on first
// use: most commands never touch a disk, and need not open the system's device database.
class NativeCliPlatform final : public CliPlatform {
  public:
    Clock& SystemClock() override { return clock_; }
    const Locale& SystemLocale() override { return locale_; }
    const TextCodec& Codec() override { return codec_; }
    FileSystem& Files() override { return files_; }
    const Volumes& Disks() override { return Machine().volumes; }
    DeviceIo& Devices() override { return Machine().devices; }
    FileAttributes& Attributes() override { return Machine().attributes; }
#if defined(_WIN32)
    // The system's signature functions take no PEM private key without much conversion: signing
    // is a step of the release, done on Linux or with openssl.
    bool HasSigner() const override {
        return false;
    }
    std::optional<std::vector<uint8_t>> SignDigest(std::string_view, std::span<const uint8_t, 32>) override {
        return std::nullopt;
    }
#else
    bool HasSigner() const override {
        return true;
    }
    std::optional<std::vector<uint8_t>> SignDigest(std::string_view privateKeyPem,
                                                   std::span<const uint8_t, 32> digest) override {
        return linux_platform::SignDigest(privateKeyPem, digest);
    }
#endif

  private:
    NativeMachine& Machine() {
        if (!machine_) machine_ = std::make_unique<NativeMachine>();
        return *machine_;
    }

    NativeClock clock_;
    NativeLocale locale_;
    NativeTextCodec codec_;
    NativeFileSystem files_;
    std::unique_ptr<NativeMachine> machine_;
};

}  // namespace kiro::cli
