#include "platform/file_io.h"

#include "base/utf.h"

namespace tarnwick::platform {

std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view utf8Name) {
    namespace fs = std::filesystem;
    const fs::path exact = folder / fs::path(std::u8string(utf8Name.begin(), utf8Name.end()));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    fs::directory_iterator it(folder, ec), end;
    // Exam folders hold a handful of files; the cap only guards against a pathological folder.
    for (int seen = 0; !ec && it != end && seen < 100000; it.increment(ec), ++seen) {
        const std::u8string name = it->path().filename().u8string();
        if (equalsIgnoreAsciiCase(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), utf8Name))
            return it->path();
    }
    return std::nullopt;
}

}  // namespace tarnwick::platform
