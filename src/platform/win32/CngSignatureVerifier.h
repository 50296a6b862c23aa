#pragma once
#include <string_view>

#include "core/system/SignatureVerifier.h"
#include "platform/win32/Win32Handle.h"

namespace kiro::win32_platform {

// Update signatures checked with the system's CNG functions against a PEM public key: the key's
// point goes to CNG as an ECC public blob, each DER signature as its raw r and s. A key that is not
// an ECDSA P-256 public key verifies nothing: a build with a broken key takes no update rather
// than every update.
class CngSignatureVerifier final : public SignatureVerifier {
  public:
    explicit CngSignatureVerifier(std::string_view publicKeyPem);

    bool Verify(std::span<const uint8_t, 32> digest, std::span<const uint8_t> signature) const override;

  private:
    // The key after the algorithm it was imported with, so that it goes first.
    CngAlgorithmHandle algorithm_;
    CngKeyHandle key_;
};

}  // namespace kiro::win32_platform
