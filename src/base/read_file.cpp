#include "base/read_file.h"

#include <cerrno>
#include <new>
#include <system_error>

namespace tarnwick {

std::size_t OpenedFile::read(char* buffer, std::size_t n) {
    in_.read(buffer, static_cast<std::streamsize>(n));
    const auto got = static_cast<std::size_t>(in_.gcount());
    if (in_.eof() && !in_.bad()) in_.clear(in_.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
    return got;
}

Result<OpenedFile> openRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                   const ReadFileMessages& messages) {
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(file, ec);
    if (ec == std::errc::permission_denied) return Error{ErrorKind::NoPermission, messages.noPermission};
    if (!std::filesystem::exists(st)) return Error{ErrorKind::NotFound, messages.notFound};
    if (!std::filesystem::is_regular_file(st)) return Error{ErrorKind::NotAFile, messages.notAFile};
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return Error{ErrorKind::CannotOpen, messages.cannotOpen};
    if (size > maxBytes) return Error{ErrorKind::TooLarge, messages.tooLarge};
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        if (errno == EACCES || errno == EPERM) return Error{ErrorKind::NoPermission, messages.noPermission};
        return Error{ErrorKind::CannotOpen, messages.cannotOpen};
    }
    return OpenedFile(std::move(in), size);
}

Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                                const ReadFileMessages& messages) {
    auto opened = openRegularFile(file, maxBytes, messages);
    if (!opened) return opened.error();
    const std::uintmax_t size = opened->size();
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::TooLarge, messages.noMemory.empty() ? messages.incomplete : messages.noMemory};
    }
    // A file that grew while it was read is cut at the size it had; one more byte is not read.
    if (opened->read(reinterpret_cast<char*>(bytes.data()), bytes.size()) != size)
        return Error{ErrorKind::CannotOpen, messages.incomplete};
    return bytes;
}

}  // namespace tarnwick
