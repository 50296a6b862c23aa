#pragma once
#include <cstdint>
#include <span>

namespace kiro {

// Checks signatures made with the private half of one public key, the key a build was made
// with: ECDSA over the curve P-256 with SHA-256, the signature DER-encoded as
// `openssl dgst -sha256 -sign` writes it.
class SignatureVerifier {
  public:
    virtual ~SignatureVerifier() = default;
    // Whether `signature` signs a message whose SHA-256 is `digest`. Anything that is no such
    // signature (empty, malformed, another key's) is false.
    virtual bool Verify(std::span<const uint8_t, 32> digest, std::span<const uint8_t> signature) const = 0;
};

}  // namespace kiro
