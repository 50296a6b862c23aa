#include "platform/linux/OpenSslSignatureVerifier.h"

#include "platform/linux/OpenSslKeys.h"

namespace kiro::linux_platform {

void OpenSslSignatureVerifier::KeyFree::operator()(evp_pkey_st* key) const {
    EVP_PKEY_free(key);
}

OpenSslSignatureVerifier::OpenSslSignatureVerifier(std::string_view publicKeyPem)
    : key_(ReadP256Key(publicKeyPem, false).release()) {}

bool OpenSslSignatureVerifier::Verify(std::span<const uint8_t, 32> digest,
                                      std::span<const uint8_t> signature) const {
    if (!key_ || signature.empty()) return false;
    const PkeyContextPtr context = DigestContext(key_.get(), false);
    return context && EVP_PKEY_verify(context.get(), signature.data(), signature.size(), digest.data(),
                                      digest.size()) == 1;
}

}  // namespace kiro::linux_platform
