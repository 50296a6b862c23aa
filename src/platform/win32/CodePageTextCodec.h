#pragma once
#include "core/system/TextCodec.h"

namespace kiro::win32_platform {

// Converts table texts between UTF-8 and the system's code pages 950 (Big5, Traditional
// Chinese) and 936 (GBK, Simplified Chinese).
class CodePageTextCodec final : public TextCodec {
  public:
    std::string ToUtf8(std::string_view text, int language) const override;
    std::string FromUtf8(std::string_view text, int language) const override;
};

}  // namespace kiro::win32_platform
