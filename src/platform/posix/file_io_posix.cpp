// POSIX: files are written through a descriptor opened without following a link and without
// blocking, and checked to be a regular file before the first byte goes out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"

namespace tarnwick::platform {

bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes) {
    struct stat before {};
    if (::lstat(file.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) return false;
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) == 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        else done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) ok = false;
    return ok;
}

bool isHiddenEntry(const std::filesystem::path& entry) {
    const std::string name = entry.filename().string();
    return !name.empty() && name[0] == '.';
}

}  // namespace tarnwick::platform
