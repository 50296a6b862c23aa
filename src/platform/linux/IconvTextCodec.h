#pragma once
#include "core/system/TextCodec.h"

namespace kiro::linux_platform {

// Converts table texts with iconv: Big5 (code page 950) and GBK (code page 936) to UTF-8.
class IconvTextCodec final : public TextCodec {
  public:
    std::string ToUtf8(std::string_view text, int language) const override;
};

}  // namespace kiro::linux_platform
