#include "platform/exam_folder.h"

#include <cstdlib>

#include "base/path_text.h"
#include "base/utf.h"

namespace tarnwick::platform {

std::string ExamFolder::shownFile(std::string_view fileName) const {
    std::string s = shown;
    s += separator;
    s += fileName;
    return s;
}

std::filesystem::path ExamFolder::file(std::string_view fileName) const {
    return path / pathFromUtf8(fileName);
}

ExamFolder windowsSpelling(std::filesystem::path real) {
    return ExamFolder{std::move(real), "c:\\MyExam", "c:\\myexam", '\\'};
}

ExamFolder posixSpelling(std::filesystem::path real) {
    const std::string text = utf8Of(real);
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
    const std::string text = utf8Of(real);
    if (equalsIgnoreAsciiCase(text, "c:\\MyExam")) return windowsSpelling(real);
    return ExamFolder{real, text, text, '\\'};
#else
    return posixSpelling(real);
#endif
}

Result<ExamFolder> defaultExamFolder() {
    if (const char* dir = std::getenv("TARNWICK_EXAM_DIR")) {
        if (!*dir)
            return Error{ErrorKind::NotFound,
                         "环境变量 TARNWICK_EXAM_DIR 是空的：请在其中写明考试文件夹，或删除这个变量以使用默认的考试文件夹。"};
        return examFolderAt(dir);
    }
#ifdef _WIN32
    return windowsSpelling("c:\\MyExam");
#else
    const auto home = homeFolder();
    if (!home)
        return Error{ErrorKind::NotFound,
                     "没有设置环境变量 HOME，找不到默认的考试文件夹；请用 --exam-dir 或 TARNWICK_EXAM_DIR 指定考试文件夹。"};
    return examFolderAt(*home / "MyExam");
#endif
}

std::optional<std::filesystem::path> homeFolder() {
#ifdef _WIN32
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    if (!home || !*home) return std::nullopt;
    return std::filesystem::path(home);
#else
    const char* home = std::getenv("HOME");
    if (!home || !*home) return std::nullopt;
    return std::filesystem::path(home);
#endif
}

}  // namespace tarnwick::platform
