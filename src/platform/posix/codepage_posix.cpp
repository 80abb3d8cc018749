#include <iconv.h>

#include <cerrno>

#include "base/utf.h"
#include "platform/codepage.h"

namespace tarnwick::platform {

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* charset) {
    iconv_t cd = ::iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buf[4096];
    // Each pass either consumes input or replaces one undecodable byte, so this ends.
    while (inLeft > 0) {
        char* o = buf;
        std::size_t oLeft = sizeof buf;
        const std::size_t r = ::iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buf, static_cast<std::size_t>(o - buf));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated sequence at the end): one replacement, skip the byte.
            appendUtf8(out, 0xFFFD);
            ++in;
            --inLeft;
            ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    ::iconv_close(cd);
    return out;
}

std::optional<std::string> cp936ToUtf8(std::string_view bytes) {
    if (auto s = decodeToUtf8(bytes, "CP936")) return s;
    return decodeToUtf8(bytes, "GBK");
}

}  // namespace tarnwick::platform
