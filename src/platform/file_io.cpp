#include "platform/file_io.h"

#include "base/path_text.h"
#include "base/utf.h"

namespace tarnwick::platform {

std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view utf8Name) {
    namespace fs = std::filesystem;
    const fs::path exact = folder / pathFromUtf8(utf8Name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    fs::directory_iterator it(folder, ec), end;
    // Exam folders hold a handful of files; the cap only guards against a pathological folder.
    for (int seen = 0; !ec && it != end && seen < 100000; it.increment(ec), ++seen) {
        if (equalsIgnoreAsciiCase(utf8Of(it->path().filename()), utf8Name))
            return it->path();
    }
    return std::nullopt;
}

}  // namespace tarnwick::platform
