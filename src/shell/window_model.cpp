#include "shell/window_model.h"

#include <utility>

#include "base/json_text.h"
#include "shell/prepare.h"

namespace tarnwick::shell {

namespace {
constexpr std::string_view kCrLf = "\r\n";
}

std::string instructionsText() {
    constexpr std::string_view lines[] = {
        "使用对象：",
        "    主要针对参加四川省信息技术水平考试的初中生、高中生及相应教师，其它省份学生也可以作为学习效果检测用。",
        "",
        "使用环境：",
        "     Windows xp系统+Word 2003+Excel 2003+Frontpage 2003",
        "",
        "系统特点：",
        "     本软件可以在评分后，会显示那些题答对了，那些题答错了，发现错误并修正后可以继续评分，即不关闭软件可以反复评分，本系统有简单帮助系统。配合老师给的学案，可以实现学生自主学习并检测自己的学习效果。",
    };
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += kCrLf;
    }
    return text;
}

std::string_view answerStateName(AnswerState state) {
    switch (state) {
        case AnswerState::NotLoaded: return "not loaded";
        case AnswerState::Ready: return "Ready";
        case AnswerState::Answering: return "Answering";
        case AnswerState::Working: return "Working";
        case AnswerState::WorkingRestartable: return "Working and restartable";
    }
    return "";
}

WindowModel::WindowModel(Services services) : services_(std::move(services)) {}

void WindowModel::tell(std::string_view text) {
    if (services_.prompter) services_.prompter->info(text);
}

void WindowModel::start() {
    if (ended_) return;
    xuanzheLoad();
    xuanzhe.visible = true;
}

void WindowModel::end() {
    ended_ = true;
    xuanzhe.visible = false;
    main.visible = false;
    yaoqiu.visible = false;
    yaoqiu.topmost = false;
    shuoming.visible = false;
}

AnswerState WindowModel::answerState() const {
    if (!main.loaded) return AnswerState::NotLoaded;
    if (yaoqiu.visible) return AnswerState::Answering;
    if (!main.Command2Enabled) return AnswerState::Ready;
    return main.Command1Enabled ? AnswerState::WorkingRestartable : AnswerState::Working;
}

// ---- selection window ----

void WindowModel::xuanzheLoad() {
    if (ended_) return;
    xuanzhe.loaded = true;
    SelectionDone = false;
}

void WindowModel::xuanzheOptionClick(int number) {
    if (ended_ || number < 1 || number > 8) return;
    QuestionNumber = static_cast<exercises::QuestionNumberType>(number);
}

void WindowModel::xuanzheCommand1Click() {
    if (ended_) return;
    if (QuestionNumber == 0) {
        tell(kNoChoice);
        return;
    }
    if (QuestionNumber < 1 || QuestionNumber > 8) return;
    exercises::proc1(QuestionNumber, texts, services_.folder);
    loadMain();
    main.visible = true;
    SelectionDone = true;
    xuanzheUnload();
}

void WindowModel::xuanzheCommand2Click() {
    if (ended_) return;
    end();
}

void WindowModel::xuanzheCommand5Click() {
    if (ended_) return;
    shuoming.loaded = true;
    shuoming.Text1 = instructionsText();
    shuoming.visible = true;
}

void WindowModel::xuanzheUnload() {
    if (ended_ || !xuanzhe.loaded) return;
    xuanzhe.loaded = false;
    xuanzhe.visible = false;
    if (!SelectionDone) end();
}

// ---- answering window ----

void WindowModel::loadMain() {
    if (!main.loaded) mainLoad();
}

void WindowModel::mainLoad() {
    if (ended_) return;
    main = MainState{};
    main.loaded = true;
    main.Command2Enabled = false;
    main.Command3Enabled = false;
    main.Command4Enabled = false;
    main.Text4Visible = false;
    main.HelpClicks = 1;
}

void WindowModel::showRequirements() {
    yaoqiu.loaded = true;
    yaoqiu.Text1 = texts.RequirementText;
    yaoqiu.visible = true;
    main.visible = false;
    yaoqiu.topmost = true;
}

void WindowModel::mainCommand1Click() {
    if (ended_ || !main.loaded) return;
    const PrepareReport report = prepareExercise(QuestionNumber, services_.folder, services_.probe);
    if (report.refused) {
        tell(report.refusal);
        return;
    }
    // A folder that could not be prepared, or files that did not arrive: the student is told and
    // stays where they were, so no stale file is worked on or marked.
    if (!report.problem.empty()) {
        tell(report.problem);
        return;
    }
    if (!report.failed.empty()) {
        tell(notWrittenMessage(report, services_.folder));
        return;
    }
    if (services_.opener) services_.opener->openFolder(services_.folder.path);
    main.Command1Enabled = false;
    main.Command2Enabled = true;
    main.Command3Enabled = true;
    main.Command4Enabled = true;
    main.Text1 = texts.RequirementText;
    main.Text1Visible = true;
    showRequirements();
}

void WindowModel::mainCommand2Click() {
    if (ended_ || !main.loaded) return;
    showMarkingOutcome(marking::runMarking(QuestionNumber, services_.folder, services_.probe, marking));
}

void WindowModel::showMarkingOutcome(const marking::RunOutcome& outcome) {
    if (ended_ || !main.loaded) return;
    switch (outcome.end) {
        case marking::RunEnd::NoExercise:
            // A build without this exercise's rubric says so; number 0 says nothing.
            if (!outcome.message.empty()) tell(outcome.message);
            return;
        case marking::RunEnd::ProbeRefused:
        case marking::RunEnd::FileMissing:
        case marking::RunEnd::Unreadable:
            tell(outcome.message);
            return;
        case marking::RunEnd::Ended:
            break;
    }
    if (marking.contentLost) main.Command1Enabled = true;
    main.Label5 = outcome.Label5;
    main.Text2 = marking.CorrectList;
    main.Text3 = marking.WrongList;
    main.Text2Visible = true;
    main.Text3Visible = true;
    tell(outcome.verdict);
}

void WindowModel::mainCommand3Click() {
    if (ended_ || !main.loaded) return;
    main.Text4 = texts.HintText;
    if (main.HelpClicks % 2 != 0) {
        main.Text4Visible = true;
        main.Command3Caption = kHelpOff;
    } else {
        main.Text4Visible = false;
        main.Command3Caption = kHelpOn;
    }
    ++main.HelpClicks;
}

void WindowModel::mainCommand4Click() {
    if (ended_ || !main.loaded) return;
    main.Text1ReadOnly = true;
    showRequirements();
}

void WindowModel::mainCommand5Click() {
    if (ended_) return;
    end();
}

void WindowModel::mainListDoubleClick(bool wrongList, int line) {
    if (ended_ || !main.loaded || line < 0) return;
    // The lines shown, matched in order with the items recorded in the list.
    const std::vector<std::string> lines = crlfLines(wrongList ? main.Text3 : main.Text2);
    if (static_cast<std::size_t>(line) >= lines.size()) return;
    const marking::ItemResult* match = marking::itemsOfLines(lines, marking.items, wrongList)[static_cast<std::size_t>(line)];
    const std::string why = match ? marking::explanation(*match) : std::string();
    tell(lines[static_cast<std::size_t>(line)] + "\r\n" + (why.empty() ? std::string("这一行没有更多的说明。") : why));
}

void WindowModel::mainUnload() {
    if (ended_) return;
    end();
}

// ---- requirements and instructions windows ----

void WindowModel::yaoqiuUnload() {
    if (ended_ || !yaoqiu.loaded) return;
    yaoqiu.loaded = false;
    yaoqiu.visible = false;
    yaoqiu.topmost = false;
    main.visible = true;
}

void WindowModel::shuomingCommand1Click() { shuomingUnload(); }

void WindowModel::shuomingUnload() {
    if (ended_) return;
    shuoming.loaded = false;
    shuoming.visible = false;
}

}  // namespace tarnwick::shell
