#pragma once
#include <string>
#include <string_view>

namespace kiro {

// Turns a text of the UI table, stored in the 8-bit encoding of its language (Big5 for
// Traditional Chinese, GBK for Simplified Chinese, ASCII for English), into UTF-8 for display.
class TextCodec {
  public:
    virtual ~TextCodec() = default;
    virtual std::string ToUtf8(std::string_view text, int language) const = 0;
    // The other way: UTF-8 into the language's 8-bit encoding (what the table's texts are in).
    // A character the encoding lacks becomes "?".
    virtual std::string FromUtf8(std::string_view text, int language) const = 0;
};

}  // namespace kiro
