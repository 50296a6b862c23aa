#pragma once
#include <memory>
#include <string_view>

#include "core/system/SignatureVerifier.h"

struct evp_pkey_st;

namespace kiro::linux_platform {

// Update signatures checked with OpenSSL's libcrypto against a PEM public key. A key that is
// not an ECDSA P-256 public key verifies nothing: a build with a broken key takes no update
// rather than every update.
class OpenSslSignatureVerifier final : public SignatureVerifier {
  public:
    explicit OpenSslSignatureVerifier(std::string_view publicKeyPem);
    bool Verify(std::span<const uint8_t, 32> digest, std::span<const uint8_t> signature) const override;

  private:
    struct KeyFree {
        void operator()(evp_pkey_st* key) const;
    };
    std::unique_ptr<evp_pkey_st, KeyFree> key_;
};

}  // namespace kiro::linux_platform
