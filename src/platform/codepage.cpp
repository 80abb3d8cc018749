#include "platform/codepage.h"

#include <algorithm>

namespace tarnwick::platform {

void TextDecoder::decode(std::string_view bytes, bool last, std::string& out) {
    // The carried bytes of a cut character go first; they are never more than a few.
    std::string joined;
    if (!carry_.empty()) {
        joined = carry_;
        joined.append(bytes);
        bytes = joined;
    }
    const std::size_t used = convert(bytes, last, out);
    carry_.assign(bytes.substr(std::min(used, bytes.size())));
}

std::unique_ptr<TextDecoder> openCp936Decoder() {
    if (auto d = openDecoder("CP936")) return d;
    return openDecoder("GBK");
}

}  // namespace tarnwick::platform
