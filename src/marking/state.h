// The marking state of one run and the one rule by which every rubric item is recorded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::marking {

// One recorded item of a run, for explanations and teachers' reports.
struct ItemResult {
    int number = 0;        // the requirement number its messages start with ("3、…" is 3)
    int points = 0;
    bool passed = false;
    std::string message;   // the line it added to its list
    std::string key;       // its correct message, the same whether it passed or not
    std::string read;      // what the file holds, for people; may be empty
    std::string expected;  // what the item wants; may be empty
};

// "读到：宋体；应为：黑体" for an item that says what it read; empty when it says nothing.
std::string explanation(const ItemResult& item);

// The item each line of a list stands for, matched in order; null for a line that is no item (a
// wrong list may start with why the document could not be read). `lines` are the wrong list's
// lines when `wrongList`, else the correct list's.
std::vector<const ItemResult*> itemsOfLines(const std::vector<std::string>& lines, const std::vector<ItemResult>& items,
                                            bool wrongList);

struct MarkingState {
    std::int16_t Score = 0;
    std::string CorrectList;  // correct-item messages, each followed by CR LF
    std::string WrongList;    // wrong-item messages, each followed by CR LF
    std::int32_t ParagraphIndex = 1;
    bool contentLost = false; // a run found the document's content lost: start may be pressed again

    std::vector<ItemResult> items;  // every item recorded since the lists were last emptied

    // Passed: add the points and the correct message; otherwise add the wrong message. `read` and
    // `expected` say, for people, what the item found and wanted.
    void RecordItem(int points, bool passed, std::string_view correct, std::string_view wrong,
                    std::string_view read = {}, std::string_view expected = {});
    // Adds a line to the wrong list without an item (reasons a document could not be read).
    void addWrongLine(std::string_view line);
    // A document without paragraphs: its line in the wrong list, and 开始答题 may be pressed again
    // (the window reads `contentLost`). The rubric records none of its remaining items.
    void ContentLost();
    void clearLists();
};

}  // namespace tarnwick::marking
