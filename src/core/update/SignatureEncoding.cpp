#include "core/update/SignatureEncoding.h"

#include <algorithm>
#include <string>

namespace kiro {
namespace {

constexpr uint8_t kSequence = 0x30;
constexpr uint8_t kInteger = 0x02;
constexpr uint8_t kBitString = 0x03;
constexpr uint8_t kObjectId = 0x06;
// 1.2.840.10045.2.1 (an elliptic-curve public key) and 1.2.840.10045.3.1.7 (P-256).
constexpr uint8_t kEcPublicKey[] = {0x2A, 0x86, 0x48, 0xCE, 0x3D, 0x02, 0x01};
constexpr uint8_t kPrime256v1[] = {0x2A, 0x86, 0x48, 0xCE, 0x3D, 0x03, 0x01, 0x07};

// Reads DER elements one after the other; any fault leaves it failed for good.
class DerReader {
  public:
    explicit DerReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    // The contents of the next element, which must have the tag.
    std::span<const uint8_t> Next(uint8_t tag) {
        if (failed_ || bytes_.size() < 2 || bytes_[0] != tag) return Fail();
        size_t length = bytes_[1];
        size_t header = 2;
        if (length & 0x80) {
            // Keys and signatures need at most two length bytes.
            const size_t count = length & 0x7F;
            if (count == 0 || count > 2 || bytes_.size() < 2 + count) return Fail();
            length = 0;
            for (size_t i = 0; i < count; ++i) length = length << 8 | bytes_[2 + i];
            header += count;
        }
        if (bytes_.size() - header < length) return Fail();
        const std::span<const uint8_t> contents = bytes_.subspan(header, length);
        bytes_ = bytes_.subspan(header + length);
        return contents;
    }
    bool AtEnd() const { return !failed_ && bytes_.empty(); }

  private:
    std::span<const uint8_t> Fail() {
        failed_ = true;
        return {};
    }
    std::span<const uint8_t> bytes_;
    bool failed_ = false;
};

bool Same(std::span<const uint8_t> bytes, std::span<const uint8_t> expected) {
    return std::equal(bytes.begin(), bytes.end(), expected.begin(), expected.end());
}

// A positive DER integer into 32 big-endian bytes.
bool Into32(std::span<const uint8_t> integer, uint8_t* out) {
    if (integer.empty() || integer[0] & 0x80) return false;
    while (integer.size() > 1 && integer[0] == 0) integer = integer.subspan(1);
    if (integer.size() > 32) return false;
    std::fill(out, out + 32 - integer.size(), uint8_t{0});
    std::copy(integer.begin(), integer.end(), out + 32 - integer.size());
    return true;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::optional<std::vector<uint8_t>> DecodePem(std::string_view pem, std::string_view label) {
    const std::string begin = "-----BEGIN " + std::string(label) + "-----";
    const std::string end = "-----END " + std::string(label) + "-----";
    const size_t from = pem.find(begin);
    if (from == std::string_view::npos) return std::nullopt;
    const size_t to = pem.find(end, from);
    if (to == std::string_view::npos) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint32_t bits = 0;
    int held = 0;
    bool padded = false;
    for (const char c : pem.substr(from + begin.size(), to - from - begin.size())) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const int value = Base64Value(c);
        if (value < 0 || padded) return std::nullopt;
        bits = bits << 6 | static_cast<uint32_t>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> held));
        }
    }
    return bytes;
}

std::optional<std::array<uint8_t, 64>> P256PointOfPublicKey(std::span<const uint8_t> der) {
    DerReader outer(der);
    DerReader info(outer.Next(kSequence));
    DerReader algorithm(info.Next(kSequence));
    const std::span<const uint8_t> keyType = algorithm.Next(kObjectId);
    const std::span<const uint8_t> curve = algorithm.Next(kObjectId);
    const std::span<const uint8_t> key = info.Next(kBitString);
    // No unused bits, then an uncompressed point: 4, X, Y.
    if (!outer.AtEnd() || !info.AtEnd() || !algorithm.AtEnd() || !Same(keyType, kEcPublicKey) ||
        !Same(curve, kPrime256v1) || key.size() != 66 || key[0] != 0 || key[1] != 4)
        return std::nullopt;
    std::array<uint8_t, 64> point{};
    std::copy(key.begin() + 2, key.end(), point.begin());
    return point;
}

std::optional<std::array<uint8_t, 64>> RawSignatureOfDer(std::span<const uint8_t> der) {
    DerReader outer(der);
    DerReader pair(outer.Next(kSequence));
    const std::span<const uint8_t> r = pair.Next(kInteger);
    const std::span<const uint8_t> s = pair.Next(kInteger);
    std::array<uint8_t, 64> raw{};
    if (!outer.AtEnd() || !pair.AtEnd() || !Into32(r, raw.data()) || !Into32(s, raw.data() + 32))
        return std::nullopt;
    return raw;
}

}  // namespace kiro
