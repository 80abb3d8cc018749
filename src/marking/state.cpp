#include "marking/state.h"

namespace tarnwick::marking {

void MarkingState::RecordItem(int points, bool passed, std::string_view correct, std::string_view wrong) {
    if (passed) {
        Score = static_cast<std::int16_t>(Score + points);
        CorrectList += correct;
        CorrectList += "\r\n";
    } else {
        addWrongLine(wrong);
    }
}

void MarkingState::addWrongLine(std::string_view line) {
    WrongList += line;
    WrongList += "\r\n";
}

void MarkingState::ContentLost() {
    addWrongLine("文章内容丢失，请重新做题");
    contentLost = true;
}

void MarkingState::clearLists() {
    CorrectList.clear();
    WrongList.clear();
}

}  // namespace tarnwick::marking
