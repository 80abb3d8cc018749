#include "base/utf.h"
#include "resources/embedded.h"

namespace tarnwick::resources {

std::optional<std::span<const unsigned char>> find(std::string_view type, std::string_view name) {
    for (const Resource& r : all())
        if (equalsIgnoreAsciiCase(r.type, type) && equalsIgnoreAsciiCase(r.name, name)) return r.bytes;
    return std::nullopt;
}

}  // namespace tarnwick::resources
