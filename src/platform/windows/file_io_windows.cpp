// Windows: files are written with the C++ library after checking that the name is not a link
// or a device; hidden and system files are those with the attributes Explorer hides.
#include <windows.h>

#include <fstream>

#include "platform/file_io.h"

namespace tarnwick::platform {

bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes) {
    std::error_code ec;
    const auto st = std::filesystem::symlink_status(file, ec);
    if (std::filesystem::exists(st) && !std::filesystem::is_regular_file(st)) return false;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool isHiddenEntry(const std::filesystem::path& entry) {
    const DWORD a = ::GetFileAttributesW(entry.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

}  // namespace tarnwick::platform
