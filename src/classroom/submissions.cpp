#include "classroom/submissions.h"

#include <algorithm>

#include "base/path_text.h"
#include "platform/file_io.h"

namespace fs = std::filesystem;

namespace tarnwick::classroom {
namespace {


}  // namespace

Result<std::vector<Submission>> listSubmissions(const fs::path& dir, const exercises::Exercise& exercise,
                                                std::size_t maxEntries) {
    std::error_code ec;
    const fs::file_status st = fs::status(dir, ec);
    if (!fs::exists(st)) return Error{ErrorKind::NotFound, "找不到班级文件夹“" + utf8Of(dir) + "”。"};
    if (!fs::is_directory(st)) return Error{ErrorKind::NotAFile, "“" + utf8Of(dir) + "”不是文件夹。"};
    std::vector<Submission> out;
    fs::directory_iterator it(dir, ec), end;
    if (ec) return Error{ErrorKind::CannotOpen, "无法列出班级文件夹“" + utf8Of(dir) + "”中的内容。"};
    for (; it != end; it.increment(ec)) {
        if (ec) return Error{ErrorKind::CannotOpen, "读取班级文件夹“" + utf8Of(dir) + "”时出错。"};
        if (out.size() >= maxEntries)
            return Error{ErrorKind::TooLarge, "班级文件夹中的条目太多（超过 " + std::to_string(maxEntries) + " 个）。"};
        const fs::path p = it->path();
        if (platform::isHiddenEntry(p)) continue;
        Submission s;
        s.entry = p;
        std::error_code sec;
        const fs::file_status own = fs::symlink_status(p, sec);
        if (fs::is_symlink(own)) {
            s.student = utf8Of(p.filename());
            s.refusal = "这是一个链接，为了不读到班级文件夹以外的文件，没有跟随它。";
        } else if (fs::is_directory(own)) {
            s.student = utf8Of(p.filename());
            s.folder = true;
            s.document = platform::findEntryIgnoringCase(p, exercise.document);
        } else if (fs::is_regular_file(own)) {
            s.student = utf8Of(p.stem());
            s.document = p;
        } else {
            s.student = utf8Of(p.stem());
            s.refusal = "这不是普通文件（是管道或设备等特殊文件），没有打开它。";
        }
        out.push_back(std::move(s));
    }
    std::sort(out.begin(), out.end(), [](const Submission& a, const Submission& b) {
        return a.student != b.student ? a.student < b.student : a.entry < b.entry;
    });
    return out;
}

std::vector<Submission> shareOf(std::vector<Submission> all, int k, int n) {
    if (n <= 1) return all;
    std::vector<Submission> share;
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < all.size(); i += static_cast<std::size_t>(n))
        share.push_back(std::move(all[i]));
    return share;
}

}  // namespace tarnwick::classroom
