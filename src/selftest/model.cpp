#include "selftest/model.h"

#include <utility>

#include "base/path_text.h"

namespace tarnwick::selftest {

SelftestModel::SelftestModel(const Program& program, Services services)
    : program_(program), services_(std::move(services)) {}

std::filesystem::path SelftestModel::workbookPath() const {
    return services_.programFolder / pathFromUtf8(program_.workbook);
}

void SelftestModel::tell(std::string_view text) {
    if (services_.prompter) services_.prompter->info(text);
}

void SelftestModel::start() {
    if (ended_) return;
    dialog = {true, true};
}

void SelftestModel::dialogOkClick() {
    if (ended_) return;
    dialog.visible = false;
    form1 = {true, true};
}

void SelftestModel::dialogCancelClick() { end(); }
void SelftestModel::dialogUnload() { end(); }
void SelftestModel::form1Unload() { end(); }

void SelftestModel::form1Command2Click() {
    if (ended_) return;
    // Each click hands the workbook over once more; nothing is kept of it.
    if (services_.opener) services_.opener->openDocument(workbookPath());
}

void SelftestModel::form1Command1Click() {
    if (ended_) return;
    if (!services_.prompter || !services_.prompter->yesNo(kHandInQuestion)) return;
    MarkOutcome outcome = markFile(program_, workbookPath());
    if (outcome.end != MarkEnd::Marked) {
        tell(outcome.reason);  // Form1 stays: the student can put it right and hand in again
        return;
    }
    lastHandIn = std::move(outcome);
    tell(lastHandIn->text);
    end();
}

void SelftestModel::end() {
    ended_ = true;
    dialog.visible = false;
    form1.visible = false;
}

}  // namespace tarnwick::selftest
