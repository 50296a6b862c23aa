#pragma once
#include "core/system/TextCodec.h"

namespace kiro::linux_platform {

// Converts table texts with iconv between UTF-8 and Big5 (code page 950) or GBK (code page 936).
class IconvTextCodec final : public TextCodec {
  public:
    std::string ToUtf8(std::string_view text, int language) const override;
    std::string FromUtf8(std::string_view text, int language) const override;
};

}  // namespace kiro::linux_platform
