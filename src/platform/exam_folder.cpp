#include "platform/exam_folder.h"

#include <cstdlib>

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

ExamFolder examFolderAt(const std::filesystem::path& real) {
#ifdef _WIN32
    return windowsSpelling(real);
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
    return posixSpelling(std::filesystem::path(home && *home ? home : ".") / "MyExam");
#endif
}

}  // namespace tarnwick::platform
