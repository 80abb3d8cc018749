// The marking state of one run and the one rule by which every rubric item is recorded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::marking {

struct MarkingState {
    std::int16_t Score = 0;
    std::string CorrectList;  // correct-item messages, each followed by CR LF
    std::string WrongList;    // wrong-item messages, each followed by CR LF
    std::int32_t ParagraphIndex = 1;
    bool contentLost = false; // a run found the document's content lost: start may be pressed again

    // Passed: add the points and the correct message; otherwise add the wrong message.
    void RecordItem(int points, bool passed, std::string_view correct, std::string_view wrong);
    // Adds a line to the wrong list without an item (reasons a document could not be read).
    void addWrongLine(std::string_view line);
    // A document without paragraphs: its line in the wrong list, and 开始答题 may be pressed again
    // (the window reads `contentLost`). The rubric records none of its remaining items.
    void ContentLost();
    void clearLists();
};

}  // namespace tarnwick::marking
