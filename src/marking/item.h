// The one way a rubric item is marked: its test on the opened document decides, RecordItem
// records it. A rubric is a list of these rows, in the order of its marking table.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "marking/state.h"
#include "model/common/check.h"

namespace tarnwick::marking {

// One rubric item over a document (or a context holding the document and counts made before).
// Its test is an ordinary condition; a comparison of the object model's values also says what it
// read and expected (model::Check), which the runner keeps beside the result.
template <class Doc>
struct Item {
    int points;
    std::function<model::Check(const Doc&)> passes;
    std::string_view correct;  // appended to the correct list when the item passes
    std::string_view wrong;    // appended to the wrong list when it does not
};

// A number of things a rubric counted, so that an item over it explains itself
// ("符合要求的段落：5 个；应为：4 个").
struct Tally {
    int n = 0;
    std::string_view what;  // e.g. "符合要求的段落"
};
inline model::Check operator==(const Tally& t, int expected) {
    return model::Check(t.n == expected, std::string(t.what) + "：" + std::to_string(t.n) + " 个",
                        std::to_string(expected) + " 个");
}

// Records one item: its test decides; what it read and expected go with it.
template <class Doc>
void runItem(const Item<Doc>& item, const Doc& doc, MarkingState& state) {
    const model::Check c = item.passes(doc);
    state.RecordItem(item.points, c.passed, item.correct, item.wrong, c.read, c.expected);
}

// Records every item through RecordItem, in order.
template <class Doc>
void runItems(std::span<const Item<Doc>> items, const Doc& doc, MarkingState& state) {
    for (const Item<Doc>& item : items) runItem(item, doc, state);
}

// Records every item as wrong: the document could not be read, for `reason`.
template <class Doc>
void recordAllWrong(std::span<const Item<Doc>> items, MarkingState& state, std::string_view reason) {
    const std::string read = "读不到（" + std::string(reason) + "）";
    for (const Item<Doc>& item : items) state.RecordItem(item.points, false, item.correct, item.wrong, read);
}

}  // namespace tarnwick::marking
