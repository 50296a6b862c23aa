#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/system/FileSystem.h"
#include "core/system/SignatureVerifier.h"
#include "core/update/ProgramKind.h"
#include "core/update/ProgramSeal.h"

namespace kiro {

// Why a build may not take the running program's place.
enum class BuildFault {
    None,
    Kind,       // not a program for this system, processor and word size, or without a stamp
    Stamp,      // another stamp than the one the check saw
    Seal,       // not the length or the content its seal names: cut short, grown or changed
    Signature,  // the build has a key, and this is not a file signed with it
};

// Everything a downloaded build must be before it may replace the running program, checked as
// the file passes piece by piece: the same kind as the running program (format, ELF class, byte
// order and machine) with a stamp by that format's rule, the stamp expected if one is, its own
// seal whole, and, where the build has a key, a signature by it.
class BuildCheck {
  public:
    BuildCheck(const ProgramKind& own, std::optional<uint32_t> expectedStamp);
    void Feed(std::span<const uint8_t> piece);
    // The file's first bytes (up to 4096) seen so far.
    std::span<const uint8_t> Head() const { return head_; }
    // After the last piece. Without `signatures` no signature is asked for.
    BuildFault Finish(const SignatureVerifier* signatures, std::span<const uint8_t> signature);

  private:
    const ProgramKind own_;
    const std::optional<uint32_t> expectedStamp_;
    std::vector<uint8_t> head_;
    SealCheck seal_;
};

// A DER ECDSA P-256 signature takes at most 72 bytes; a longer answer is none.
inline constexpr size_t kMostSignatureBytes = 256;

// Where a build's detached signature is fetched from, and kept beside the download.
std::string SignatureAddressOf(const std::string& address);

// Checks the build in `path` (its signature, where asked for, in `path` + ".sig") against the
// running program's kind, whatever its stamp.
BuildFault CheckBuildFile(FileSystem& files, const std::string& path, const ProgramKind& own,
                          const SignatureVerifier* signatures);

}  // namespace kiro
