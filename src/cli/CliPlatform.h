#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/system/Clock.h"
#include "core/system/DeviceIo.h"
#include "core/system/FileAttributes.h"
#include "core/system/FileSystem.h"
#include "core/system/Locale.h"
#include "core/system/TextCodec.h"
#include "core/system/Volumes.h"

namespace kiro::cli {

// The machine kiro works on, chosen in one place: main gives the real one, a test its fakes. The
// commands take every platform object from here and make none of their own.
class CliPlatform {
  public:
    virtual ~CliPlatform() = default;
    virtual Clock& SystemClock() = 0;
    virtual const Locale& SystemLocale() = 0;
    virtual const TextCodec& Codec() = 0;
    virtual FileSystem& Files() = 0;
    // The machine's disks as drive letters, its device commands and file attributes.
    virtual const Volumes& Disks() = 0;
    virtual DeviceIo& Devices() = 0;
    virtual FileAttributes& Attributes() = 0;
    // Signs a SHA-256 digest with an ECDSA P-256 private key in PEM: the DER signature that
    // `openssl dgst -sha256 -sign` writes. Nothing when the key is no such key, or the platform
    // signs nothing (HasSigner).
    virtual bool HasSigner() const = 0;
    virtual std::optional<std::vector<uint8_t>> SignDigest(std::string_view privateKeyPem,
                                                           std::span<const uint8_t, 32> digest) = 0;
};

}  // namespace kiro::cli
