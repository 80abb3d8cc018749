#include "shell/prepare.h"

#include <filesystem>

#include "platform/file_io.h"
#include "resources/embedded.h"
#include "shell/exercise_files.h"

namespace fs = std::filesystem;

namespace tarnwick::shell {

platform::OfficeApp officeAppOf(ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::WordProcessing: return platform::OfficeApp::Word;
        case ExerciseKind::Spreadsheet: return platform::OfficeApp::Excel;
        case ExerciseKind::WebPage: return platform::OfficeApp::FrontPage;
    }
    return platform::OfficeApp::FrontPage;
}

std::string_view prepareRefusal(ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::WordProcessing: return "你没有关闭Word现在不能开始答题哦！请先关闭哦！";
        case ExerciseKind::Spreadsheet: return "你没有关闭Excel，现在不能开始答题哦！请先关闭哦！";
        case ExerciseKind::WebPage: return "你没有关闭FrontPage，现在不能开始答题哦！请先关闭哦！";
    }
    return "";
}

namespace {

bool folderExists(const fs::path& dir) {
    std::error_code ec;
    return fs::is_directory(dir, ec);
}

void ensureFolder(const fs::path& dir) {
    std::error_code ec;
    if (!folderExists(dir)) fs::create_directories(dir, ec);
}

// Removes the files directly inside the folder: regular files and links (as links, never their
// targets). Sub-folders and everything in them stay.
int clearFolder(const fs::path& dir) {
    int removed = 0;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    std::vector<fs::path> victims;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        const fs::file_status st = it->symlink_status(sec);
        if (sec) continue;
        if (fs::is_regular_file(st) || fs::is_symlink(st)) victims.push_back(it->path());
    }
    for (const fs::path& p : victims) {
        std::error_code rec;
        if (fs::remove(p, rec)) ++removed;
    }
    return removed;
}

}  // namespace

PrepareReport prepareExercise(QuestionNumberType number, const platform::ExamFolder& folder,
                              const platform::AppProbe* probe) {
    PrepareReport report;
    const Exercise* e = findExercise(number);
    if (!e) return report;
    if (probe && probe->isRunning(officeAppOf(e->kind))) {
        report.refused = true;
        report.refusal = prepareRefusal(e->kind);
        return report;
    }

    // A folder that is itself a link is never cleared: that would delete files somewhere else.
    std::error_code ec;
    const bool folderIsLink = fs::is_symlink(fs::symlink_status(folder.path, ec));
    if (!folderExists(folder.path))
        ensureFolder(folder.path);
    else if (!folderIsLink)
        report.deleted = clearFolder(folder.path);

    ensureFolder(folder.path);
    for (const ExerciseFile& f : exerciseFiles(number)) {
        const auto bytes = resources::find(f.type, f.name);
        const fs::path target = folder.file(f.fileName);
        // A link left in place (it could not be removed) is never written through.
        const bool isLink = fs::is_symlink(fs::symlink_status(target, ec));
        if (bytes && !isLink && platform::writeFile(target, *bytes))
            report.written.emplace_back(f.fileName);
        else
            report.failed.emplace_back(f.fileName);
    }
    return report;
}

}  // namespace tarnwick::shell
