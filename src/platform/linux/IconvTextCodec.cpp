#include "platform/linux/IconvTextCodec.h"

#include <iconv.h>

#include <vector>

#include "core/app/Language.h"

namespace kiro::linux_platform {

std::string IconvTextCodec::ToUtf8(std::string_view text, int language) const {
    const char* from = nullptr;
    if (language == kTraditionalChinese) from = "CP950";
    if (language == kSimplifiedChinese) from = "GBK";
    if (!from) return std::string(text);

    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
    std::string input(text);
    std::vector<char> output(input.size() * 3 + 16);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) break;
        // A byte that does not belong to the encoding is shown as a replacement mark.
        if (outLeft < 3) break;
        *out++ = '\xEF';
        *out++ = '\xBF';
        *out++ = '\xBD';
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    return std::string(output.data(), output.size() - outLeft);
}

}  // namespace kiro::linux_platform
