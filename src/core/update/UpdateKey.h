#pragma once
#include <string_view>

namespace kiro {

// The PEM public key this build was made with (the CMake option KIRO_UPDATE_PUBLIC_KEY): every
// update must carry a signature by its private half. Empty for a build without a key.
std::string_view UpdatePublicKey();

}  // namespace kiro
