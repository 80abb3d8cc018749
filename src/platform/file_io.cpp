#include "platform/file_io.h"

#include <fstream>

namespace tarnwick::platform {

bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace tarnwick::platform
