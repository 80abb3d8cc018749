#include "selftest/hand_in.h"

#include <system_error>

#include "base/path_text.h"

namespace tarnwick::selftest {
namespace {

}  // namespace

std::string resultText(const marking::MarkingState& state) {
    return state.WrongList + "你的得分为 " + std::to_string(state.Score) + "分";
}

MarkOutcome markFile(const Program& program, const std::filesystem::path& file) {
    MarkOutcome out;
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (ec || !std::filesystem::exists(status)) {
        out.end = MarkEnd::FileMissing;
        out.reason = "找不到工作簿“" + utf8Of(file) + "”，请把它放回程序所在的文件夹后再交卷。";
        return out;
    }
    auto unreadable = [&](const std::string& why) {
        out.end = MarkEnd::Unreadable;
        out.reason = "工作簿“" + utf8Of(file.filename()) + "”无法评分：" + why;
        return out;
    };
    auto book = excel::Workbook::open(file);
    if (!book) return unreadable(book.error().message);
    auto sheet = book->Worksheets(kMarkingSheet);
    if (!sheet) return unreadable(sheet.error().message);
    program.rubric(*book, *sheet, out.state);
    out.text = resultText(out.state);
    return out;
}

}  // namespace tarnwick::selftest
