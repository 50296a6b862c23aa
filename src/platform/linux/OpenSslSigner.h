#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kiro::linux_platform {

// Signs a SHA-256 digest with a PEM private key on the curve P-256: the DER signature that
// `openssl dgst -sha256 -sign` writes for the same file. Nothing when the key is no such key.
std::optional<std::vector<uint8_t>> SignDigest(std::string_view privateKeyPem,
                                               std::span<const uint8_t, 32> digest);

}  // namespace kiro::linux_platform
