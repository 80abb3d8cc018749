#include "shell/prepare.h"

#include <filesystem>
#include <vector>

#include "platform/file_io.h"
#include "resources/embedded.h"
#include "exercises/exercise_files.h"

namespace fs = std::filesystem;

namespace tarnwick::shell {

std::string_view prepareRefusal(exercises::ExerciseKind kind) {
    switch (kind) {
        case exercises::ExerciseKind::WordProcessing: return "你没有关闭Word现在不能开始答题哦！请先关闭哦！";
        case exercises::ExerciseKind::Spreadsheet: return "你没有关闭Excel，现在不能开始答题哦！请先关闭哦！";
        case exercises::ExerciseKind::WebPage: return "你没有关闭FrontPage，现在不能开始答题哦！请先关闭哦！";
    }
    return "";
}

namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    const fs::path ca = fs::weakly_canonical(a, ec1), cb = fs::weakly_canonical(b, ec2);
    return !ec1 && !ec2 && ca == cb;
}

}  // namespace

std::string examFolderProblem(const platform::ExamFolder& folder) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(folder.path, ec);
    const std::string shown = folder.shown;
    if (fs::is_symlink(st))
        return "考试文件夹“" + shown + "”是一个链接，为了不改动别处的文件，不能在这里准备试题；请换一个文件夹。";
    if (fs::exists(st) && !fs::is_directory(st))
        return "考试文件夹的位置“" + shown + "”上是一个文件，不是文件夹，不能写入试题文件。";
    const fs::path absolute = fs::absolute(folder.path, ec).lexically_normal();
    if (absolute.relative_path().empty())
        return "“" + shown + "”是整个磁盘的根文件夹，不能用作考试文件夹（准备试题会删除其中的文件）。";
    if (const auto home = platform::homeFolder(); home && sameFolder(folder.path, *home))
        return "“" + shown + "”是你的主文件夹，不能用作考试文件夹（准备试题会删除其中的文件）。";
    return {};
}

namespace {

// Creates the folder itself, not its parents: a missing home folder is not made up.
bool ensureFolder(const fs::path& dir) {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(dir, ec))) return true;
    fs::create_directory(dir, ec);
    return !ec && fs::is_directory(fs::symlink_status(dir, ec));
}

int clearFolder(const fs::path& dir) {
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    std::vector<fs::path> victims;
    for (int seen = 0; !ec && it != end && seen < 100000; it.increment(ec), ++seen) {
        std::error_code sec;
        const fs::file_status st = it->symlink_status(sec);
        if (sec || fs::is_directory(st) || platform::isHiddenEntry(it->path())) continue;
        victims.push_back(it->path());
    }
    for (const fs::path& p : victims) {
        std::error_code rec;
        if (fs::remove(p, rec)) ++removed;
    }
    return removed;
}

}  // namespace

std::string notWrittenMessage(const PrepareReport& report, const platform::ExamFolder& folder) {
    std::string s = "以下试题文件没有写入考试文件夹，请检查这个文件夹（是否可写、是否有同名的文件夹）后重新开始答题：";
    for (const std::string& f : report.failed) {
        s += "\r\n";
        s += folder.shownFile(f);
    }
    return s;
}

PrepareReport prepareExercise(exercises::QuestionNumberType number, const platform::ExamFolder& folder,
                              const platform::AppProbe* probe, ResourceFinder find) {
    PrepareReport report;
    const exercises::Exercise* e = exercises::findExercise(number);
    if (!e) return report;
    if (probe && probe->isRunning(exercises::officeAppOf(e->kind))) {
        report.refused = true;
        report.refusal = prepareRefusal(e->kind);
        return report;
    }
    const auto files = exercises::exerciseFiles(number);
    std::vector<std::span<const unsigned char>> contents;
    for (const exercises::ExerciseFile& f : files) {
        const auto bytes = find(f.type, f.name);
        if (!bytes) {
            report.problem = "这个版本还没有这套试题的文件，不能开始答题；请先选择其他试题。";
            return report;
        }
        contents.push_back(*bytes);
    }
    report.problem = examFolderProblem(folder);
    if (!report.problem.empty()) return report;

    if (!ensureFolder(folder.path)) {
        report.problem = "无法创建考试文件夹“" + folder.shown + "”（上一级文件夹不存在或没有写入权限）。";
        return report;
    }
    report.deleted = clearFolder(folder.path);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (platform::writeFile(folder.file(files[i].fileName), contents[i]))
            report.written.emplace_back(files[i].fileName);
        else
            report.failed.emplace_back(files[i].fileName);
    }
    return report;
}

}  // namespace tarnwick::shell
