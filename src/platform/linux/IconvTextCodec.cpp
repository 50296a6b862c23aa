#include "platform/linux/IconvTextCodec.h"

#include <iconv.h>

#include <vector>

#include "core/app/Language.h"

namespace kiro::linux_platform {

namespace {

const char* EncodingOf(int language) {
    if (language == kTraditionalChinese) return "CP950";
    if (language == kSimplifiedChinese) return "GBK";
    return nullptr;
}

// Converts with iconv; where the input holds something the target cannot take, `mark` goes to
// the output instead and conversion goes on one input byte later.
std::string Convert(std::string_view text, const char* to, const char* from, std::string_view mark) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
    std::string input(text);
    std::vector<char> output(input.size() * 3 + 16);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) break;
        if (outLeft < mark.size()) break;
        for (char c : mark) *out++ = c;
        outLeft -= mark.size();
        ++in;
        --inLeft;
        // A multibyte UTF-8 character that cannot be taken is skipped whole.
        while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80 &&
               std::string_view(from) == "UTF-8") {
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return std::string(output.data(), output.size() - outLeft);
}

}  // namespace

std::string IconvTextCodec::ToUtf8(std::string_view text, int language) const {
    const char* encoding = EncodingOf(language);
    // A byte that does not belong to the encoding is shown as a replacement mark.
    return encoding ? Convert(text, "UTF-8", encoding, "\xEF\xBF\xBD") : std::string(text);
}

std::string IconvTextCodec::FromUtf8(std::string_view text, int language) const {
    const char* encoding = EncodingOf(language);
    return encoding ? Convert(text, encoding, "UTF-8", "?") : std::string(text);
}

}  // namespace kiro::linux_platform
