// The one way a rubric item is marked: its test on the opened document decides, RecordItem
// records it. A rubric is a list of these rows, in the order of its marking table.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "marking/state.h"

namespace tarnwick::marking {

// One rubric item over a document (or a context holding the document and counts made before).
template <class Doc>
struct Item {
    int points;
    std::function<bool(const Doc&)> passes;
    std::string_view correct;  // appended to the correct list when the item passes
    std::string_view wrong;    // appended to the wrong list when it does not
};

// Records every item through RecordItem, in order.
template <class Doc>
void runItems(std::span<const Item<Doc>> items, const Doc& doc, MarkingState& state) {
    for (const Item<Doc>& item : items) state.RecordItem(item.points, item.passes(doc), item.correct, item.wrong);
}

// Records every item as wrong (a document that could not be read).
template <class Doc>
void recordAllWrong(std::span<const Item<Doc>> items, MarkingState& state) {
    for (const Item<Doc>& item : items) state.RecordItem(item.points, false, item.correct, item.wrong);
}

}  // namespace tarnwick::marking
