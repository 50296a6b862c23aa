#pragma once
// kiro's machine for a test process: a clock that stands still, a fixed locale, the real file
// system (the test's own folders) and text codec, and simulated disks, device commands and file
// attributes that the test plugs its watches into.
#include "cli/CliPlatform.h"
#include "platform/NativePlatform.h"
#include "platform/sim/FakeClock.h"
#include "platform/sim/FakeFileAttributes.h"
#include "platform/sim/FakeVolumes.h"
#include "platform/sim/FixedLocale.h"
#include "platform/sim/SimulatedDeviceIo.h"

namespace kiro::test {

class FakeCliPlatform final : public cli::CliPlatform {
  public:
    explicit FakeCliPlatform(const LocalTime& now = {2014, 5, 20, 12, 0, 0, 2}) : clock(now) {}

    Clock& SystemClock() override { return clock; }
    const Locale& SystemLocale() override { return locale; }
    const TextCodec& Codec() override { return codec; }
    FileSystem& Files() override { return files; }
    const Volumes& Disks() override { return volumes; }
    DeviceIo& Devices() override { return devices; }
    FileAttributes& Attributes() override { return attributes; }
    bool HasSigner() const override { return false; }
    std::optional<std::vector<uint8_t>> SignDigest(std::string_view, std::span<const uint8_t, 32>) override {
        return std::nullopt;
    }

    sim::FakeClock clock;
    sim::FixedLocale locale;
    NativeTextCodec codec;
    NativeFileSystem files;
    sim::FakeVolumes volumes;
    sim::SimulatedDeviceIo devices;
    sim::FakeFileAttributes attributes;
};

}  // namespace kiro::test
