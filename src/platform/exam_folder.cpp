#include "platform/exam_folder.h"

#include <cstdlib>

#include "base/utf.h"

namespace tarnwick::platform {

std::string ExamFolder::shownFile(std::string_view fileName) const {
    std::string s = shown;
    s += separator;
    s += fileName;
    return s;
}

std::filesystem::path ExamFolder::file(std::string_view fileName) const {
    return path / std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
}

ExamFolder windowsSpelling(std::filesystem::path real) {
    return ExamFolder{std::move(real), "c:\\MyExam", "c:\\myexam", '\\'};
}

ExamFolder posixSpelling(std::filesystem::path real) {
    const auto u8 = real.u8string();
    std::string text(u8.begin(), u8.end());
    return ExamFolder{std::move(real), text, text, '/'};
}

ExamFolder examFolderAt(const std::filesystem::path& given) {
    // The real path, as texts show it: absolute, without "." or ".." parts or a trailing separator.
    std::error_code ec;
    std::filesystem::path real = std::filesystem::absolute(given, ec);
    if (ec) real = given;
    real = real.lexically_normal();
    if (!real.has_filename() && real.has_parent_path() && real != real.root_path()) real = real.parent_path();
#ifdef _WIN32
    // The fixed folder keeps the spelling of the fixed texts; any other shows its real path.
    const std::u8string u8 = real.u8string();
    const std::string text(u8.begin(), u8.end());
    if (equalsIgnoreAsciiCase(text, "c:\\MyExam")) return windowsSpelling(real);
    return ExamFolder{real, text, text, '\\'};
#else
    return posixSpelling(real);
#endif
}

ExamFolder defaultExamFolder() {
    if (const char* dir = std::getenv("TARNWICK_EXAM_DIR"); dir && *dir) return examFolderAt(dir);
#ifdef _WIN32
    return windowsSpelling("c:\\MyExam");
#else
    const char* home = std::getenv("HOME");
    return examFolderAt(std::filesystem::path(home && *home ? home : ".") / "MyExam");
#endif
}

}  // namespace tarnwick::platform
