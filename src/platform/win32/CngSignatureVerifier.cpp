#include "platform/win32/CngSignatureVerifier.h"

#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <array>
#include <cstring>
#include <vector>

#include "core/update/SignatureEncoding.h"

namespace kiro::win32_platform {

CngSignatureVerifier::CngSignatureVerifier(std::string_view publicKeyPem) {
    const auto der = DecodePem(publicKeyPem, "PUBLIC KEY");
    const auto point = der ? P256PointOfPublicKey(*der) : std::nullopt;
    if (!point) return;
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
        return;
    algorithm_.Reset(algorithm);
    // The blob: its header, then X and Y.
    std::vector<uint8_t> blob(sizeof(BCRYPT_ECCKEY_BLOB) + point->size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, point->data(), point->size());
    BCRYPT_KEY_HANDLE key = nullptr;
    if (BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, blob.data(),
                                           static_cast<ULONG>(blob.size()), 0)))
        key_.Reset(key);
}

bool CngSignatureVerifier::Verify(std::span<const uint8_t, 32> digest,
                                  std::span<const uint8_t> signature) const {
    const auto raw = RawSignatureOfDer(signature);
    if (!key_.Valid() || !raw) return false;
    std::array<uint8_t, 32> hash{};
    std::memcpy(hash.data(), digest.data(), hash.size());
    std::array<uint8_t, 64> rs = *raw;
    return BCRYPT_SUCCESS(BCryptVerifySignature(key_.Get(), nullptr, hash.data(),
                                                static_cast<ULONG>(hash.size()), rs.data(),
                                                static_cast<ULONG>(rs.size()), 0));
}

}  // namespace kiro::win32_platform
