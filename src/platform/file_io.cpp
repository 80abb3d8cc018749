#include "platform/file_io.h"

#include <fstream>

namespace tarnwick::platform {

Result<std::vector<std::uint8_t>> readFile(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return Error{"文件不存在或不是普通文件。"};
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return Error{"无法读取文件的大小。"};
    if (size > maxBytes) return Error{"文件太大，无法读取。"};
    std::ifstream in(file, std::ios::binary);
    if (!in) return Error{"无法打开文件，可能没有读取权限或正被其他程序占用。"};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return Error{"读取文件时出错，文件可能已损坏。"};
    // A file that grew while it was read is cut at the size it had; one more byte is not read.
    return bytes;
}

bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace tarnwick::platform
