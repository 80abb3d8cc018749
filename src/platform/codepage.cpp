#include "platform/codepage.h"

namespace tarnwick::platform {

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* charset) {
    auto decoder = openDecoder(charset);
    if (!decoder) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2 + 16);
    decoder->decode(bytes, true, out);
    return out;
}

std::optional<std::string> cp936ToUtf8(std::string_view bytes) {
    if (auto s = decodeToUtf8(bytes, "CP936")) return s;
    return decodeToUtf8(bytes, "GBK");
}

}  // namespace tarnwick::platform
