// The decoders of update keys and signatures: a signature comes from the server, and whatever it
// holds must be taken apart without reading past its end. Input: the bytes of a .sig, or a PEM text.
#include <cstdint>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/update/SignatureEncoding.h"

using namespace kiro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact copy, so that a read past the end of the bytes given is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    if (const auto raw = RawSignatureOfDer(bytes))
        fuzz::Require(size >= 8 && size <= 72 + 2, "a signature that decodes is of a signature's size");
    static_cast<void>(P256PointOfPublicKey(bytes));
    if (const auto der = DecodePem(fuzz::TextOf(data, size), "PUBLIC KEY"))
        fuzz::Require(der->size() <= size, "base64 never grows");
    return 0;
}
