#include "base/read_file.h"

#include <fstream>
#include <new>
#include <system_error>

namespace tarnwick {

Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                                const ReadFileMessages& messages) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return Error{ErrorKind::NotAFile, messages.notAFile};
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return Error{ErrorKind::CannotOpen, messages.cannotOpen};
    if (size > maxBytes) return Error{ErrorKind::TooLarge, messages.tooLarge};
    std::ifstream in(file, std::ios::binary);
    if (!in) return Error{ErrorKind::CannotOpen, messages.cannotOpen};
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::TooLarge, messages.noMemory.empty() ? messages.incomplete : messages.noMemory};
    }
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // A file that grew while it was read is cut at the size it had; one more byte is not read.
    if (static_cast<std::uintmax_t>(in.gcount()) != size) return Error{ErrorKind::CannotOpen, messages.incomplete};
    return bytes;
}

}  // namespace tarnwick
