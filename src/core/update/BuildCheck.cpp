#include "core/update/BuildCheck.h"

#include <algorithm>

#include "core/update/ProgramStamp.h"

namespace kiro {
namespace {

// No program of ours comes near this; a larger file is not one of them.
constexpr size_t kMostBuildBytes = size_t{512} << 20;

std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

BuildCheck::BuildCheck(const ProgramKind& own, std::optional<uint32_t> expectedStamp)
    : own_(own), expectedStamp_(expectedStamp), seal_(own.format) {}

void BuildCheck::Feed(std::span<const uint8_t> piece) {
    const size_t wanted = kStampSearchBytes - head_.size();
    head_.insert(head_.end(), piece.begin(),
                 piece.begin() + static_cast<std::ptrdiff_t>(std::min(wanted, piece.size())));
    seal_.Feed(piece);
}

BuildFault BuildCheck::Finish(const SignatureVerifier* signatures, std::span<const uint8_t> signature) {
    // The rules of the running program's own format only: a file of another kind could carry
    // something that reads as a stamp by another rule.
    const std::optional<uint32_t> stamp = FindProgramStamp(head_, own_.format);
    if (FindProgramKind(head_) != own_ || !stamp) return BuildFault::Kind;
    if (expectedStamp_ && stamp != expectedStamp_) return BuildFault::Stamp;
    if (!seal_.Holds()) return BuildFault::Seal;
    if (signatures && !signatures->Verify(seal_.PlainDigest(), signature)) return BuildFault::Signature;
    return BuildFault::None;
}

std::string SignatureAddressOf(const std::string& address) {
    return address + ".sig";
}

BuildFault CheckBuildFile(FileSystem& files, const std::string& path, const ProgramKind& own,
                          const SignatureVerifier* signatures) {
    const FileContent build = files.ReadFile(path, kMostBuildBytes, OverLimit::Refuse);
    if (build.error) return BuildFault::Seal;
    FileContent signature;
    if (signatures)
        signature = files.ReadFile(SignatureAddressOf(path), kMostSignatureBytes, OverLimit::Refuse);
    BuildCheck check(own, std::nullopt);
    check.Feed(Bytes(build.bytes));
    return check.Finish(signatures, Bytes(signature.bytes));
}

}  // namespace kiro
