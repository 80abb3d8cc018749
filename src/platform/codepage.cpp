#include "platform/codepage.h"

namespace tarnwick::platform {

std::unique_ptr<TextDecoder> openCp936Decoder() {
    if (auto d = openDecoder("CP936")) return d;
    return openDecoder("GBK");
}

}  // namespace tarnwick::platform
