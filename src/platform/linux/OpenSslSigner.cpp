#include "platform/linux/OpenSslSigner.h"

#include "platform/linux/OpenSslKeys.h"

namespace kiro::linux_platform {

std::optional<std::vector<uint8_t>> SignDigest(std::string_view privateKeyPem,
                                               std::span<const uint8_t, 32> digest) {
    const PkeyPtr key = ReadP256Key(privateKeyPem, true);
    const PkeyContextPtr context = key ? DigestContext(key.get(), true) : nullptr;
    size_t size = 0;
    if (!context || EVP_PKEY_sign(context.get(), nullptr, &size, digest.data(), digest.size()) != 1)
        return std::nullopt;
    std::vector<uint8_t> signature(size);
    if (EVP_PKEY_sign(context.get(), signature.data(), &size, digest.data(), digest.size()) != 1)
        return std::nullopt;
    signature.resize(size);
    return signature;
}

}  // namespace kiro::linux_platform
