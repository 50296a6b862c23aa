#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kiro {

// The encodings of update keys and signatures, for a system whose signature functions take raw
// numbers rather than DER.

// The bytes of the first PEM block labelled `label` ("PUBLIC KEY"); nothing when there is none
// or its base64 is broken.
std::optional<std::vector<uint8_t>> DecodePem(std::string_view pem, std::string_view label);
// The point (X then Y, 32 bytes each) of a DER SubjectPublicKeyInfo of an ECDSA P-256 key, given
// uncompressed; nothing for any other key.
std::optional<std::array<uint8_t, 64>> P256PointOfPublicKey(std::span<const uint8_t> der);
// r and s (32 bytes each, big-endian) of a DER ECDSA signature on P-256; nothing when it is not
// exactly one such signature.
std::optional<std::array<uint8_t, 64>> RawSignatureOfDer(std::span<const uint8_t> der);

}  // namespace kiro
