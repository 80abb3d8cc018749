// The practice program's four windows as plain state, and every handler of them. The Qt windows
// only mirror this state; tests drive the handlers directly and answer the message boxes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "marking/run.h"
#include "marking/state.h"
#include "platform/exam_folder.h"
#include "platform/openers.h"
#include "platform/probe.h"
#include "platform/prompter.h"
#include "exercises/catalog.h"
#include "exercises/shitichuli.h"

namespace tarnwick::shell {

// The caption of every message box of the practice program.
inline constexpr std::string_view kProgramTitle = "Veltrace";
inline constexpr std::string_view kNoChoice = "请选择试题后再点确定！";
inline constexpr std::string_view kHelpOn = "开启帮助";   // Command3 while the hints are hidden
inline constexpr std::string_view kHelpOff = "关闭帮助";  // Command3 while the hints are shown

// What the handlers reach outside the windows. The probe and the opener may be null.
struct Services {
    platform::ExamFolder folder;
    const platform::AppProbe* probe = nullptr;
    platform::FolderOpener* opener = nullptr;
    platform::Prompter* prompter = nullptr;  // boxes captioned kProgramTitle
};

// The instructions text of the instructions window, every line ending in CR LF.
std::string instructionsText();

struct XuanzheState {
    bool loaded = false;
    bool visible = false;
};

struct MainState {
    bool loaded = false;
    bool visible = false;
    bool Command1Enabled = true;   // 开始答题
    bool Command2Enabled = false;  // 开始评分
    bool Command3Enabled = false;  // help
    bool Command4Enabled = false;  // 答题要求
    std::string Command3Caption{kHelpOn};
    std::int64_t HelpClicks = 1;
    std::string Label5;            // the score of the last marking run
    std::string Text1;             // requirement box
    bool Text1Visible = false;
    bool Text1ReadOnly = false;
    std::string Text2;             // correct items
    bool Text2Visible = false;
    std::string Text3;             // wrong items
    bool Text3Visible = false;
    std::string Text4;             // hint box
    bool Text4Visible = false;

    bool operator==(const MainState&) const = default;
};

struct YaoqiuState {
    bool loaded = false;
    bool visible = false;
    bool topmost = false;
    std::string Text1;

    bool operator==(const YaoqiuState&) const = default;
};

struct ShuomingState {
    bool loaded = false;
    bool visible = false;
    std::string Text1;
};

// States of the answering window, read off its controls.
enum class AnswerState { NotLoaded, Ready, Answering, Working, WorkingRestartable };
std::string_view answerStateName(AnswerState state);

class WindowModel {
public:
    explicit WindowModel(Services services);

    // Program start: the selection window loads and is shown.
    void start();

    // Selection window xuanzhe.
    void xuanzheLoad();
    void xuanzheOptionClick(int number);  // Option1 .. Option8
    void xuanzheCommand1Click();          // 确定
    void xuanzheCommand2Click();          // 退出
    void xuanzheCommand5Click();          // 软件使用说明
    void xuanzheUnload();                 // close box, or unloaded after a valid choice

    // Answering window main.
    void mainLoad();
    void mainCommand1Click();  // 开始答题
    void mainCommand2Click();  // 开始评分: runs the marking, then shows its outcome
    // The part of 开始评分 after the run: a box for a run that ended early (results untouched),
    // otherwise Label5, Text2, Text3 and the verdict box. Uses the lists in `marking`.
    void showMarkingOutcome(const marking::RunOutcome& outcome);
    void mainCommand3Click();  // 开启帮助 / 关闭帮助
    void mainCommand4Click();  // 答题要求
    void mainCommand5Click();  // 退出
    // A line of Text2 (correct items) or Text3 (wrong items) double-clicked, 0-based: a box with
    // what that item read and what it expected. The lists keep their texts.
    void mainListDoubleClick(bool wrongList, int line);
    void mainUnload();

    // Requirements window yaoqiu.
    void yaoqiuUnload();

    // Instructions window shuoming.
    void shuomingCommand1Click();  // 关闭说明
    void shuomingUnload();

    // Ends the program at once: every window disappears and no handler runs any more.
    void end();

    bool ended() const { return ended_; }
    AnswerState answerState() const;

    exercises::QuestionNumberType QuestionNumber = 0;
    bool SelectionDone = false;
    exercises::CatalogTexts texts;  // RequirementText and HintText
    marking::MarkingState marking;

    XuanzheState xuanzhe;
    MainState main;
    YaoqiuState yaoqiu;
    ShuomingState shuoming;

    const Services& services() const { return services_; }

private:
    void tell(std::string_view text);
    void loadMain();
    void showRequirements();

    Services services_;
    bool ended_ = false;
};

}  // namespace tarnwick::shell
