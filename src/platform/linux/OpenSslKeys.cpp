#include "platform/linux/OpenSslKeys.h"

#include <openssl/bio.h>
#include <openssl/pem.h>

#include <array>
#include <climits>
#include <string>

namespace kiro::linux_platform {

PkeyPtr ReadP256Key(std::string_view pem, bool isPrivate) {
    if (pem.size() > INT_MAX) return nullptr;
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())),
                                                  BIO_free);
    if (!bio) return nullptr;
    PkeyPtr key(isPrivate ? PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr)
                          : PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr));
    std::array<char, 64> group{};
    size_t length = 0;
    if (!key || !EVP_PKEY_is_a(key.get(), "EC") ||
        !EVP_PKEY_get_group_name(key.get(), group.data(), group.size(), &length) ||
        std::string(group.data(), length) != "prime256v1")
        return nullptr;
    return key;
}

PkeyContextPtr DigestContext(EVP_PKEY* key, bool forSigning) {
    PkeyContextPtr context(EVP_PKEY_CTX_new(key, nullptr));
    if (!context) return nullptr;
    const int ready = forSigning ? EVP_PKEY_sign_init(context.get()) : EVP_PKEY_verify_init(context.get());
    if (ready != 1 || EVP_PKEY_CTX_set_signature_md(context.get(), EVP_sha256()) != 1) return nullptr;
    return context;
}

}  // namespace kiro::linux_platform
