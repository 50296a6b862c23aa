#pragma once
#include <openssl/evp.h>

#include <memory>
#include <string_view>

namespace kiro::linux_platform {

struct PkeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
using PkeyPtr = std::unique_ptr<EVP_PKEY, PkeyFree>;
struct PkeyContextFree {
    void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
};
using PkeyContextPtr = std::unique_ptr<EVP_PKEY_CTX, PkeyContextFree>;

// The key in a PEM text, public or private; null unless it is a key on the curve P-256, the only
// one update signatures use.
PkeyPtr ReadP256Key(std::string_view pem, bool isPrivate);
// A context for signing or verifying a SHA-256 digest with the key; null when it cannot be made.
PkeyContextPtr DigestContext(EVP_PKEY* key, bool forSigning);

}  // namespace kiro::linux_platform
