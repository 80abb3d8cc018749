// What every word-processing rubric does with the saved document before its items: open it with
// the document reader (never writing it), empty the lists, and remove empty paragraphs in memory.
#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "marking/item.h"
#include "marking/rubric.h"
#include "marking/state.h"
#include "model/word/document.h"

namespace tarnwick::marking::word_rubrics {

// The empty-paragraph pass: with n = Paragraphs.Count, only when n > 1, for i from 1 while i <= n
// (n the variable, not the document), a paragraph whose text is one character (its mark alone)
// is deleted and n decreases; i increases in both cases, so of two adjacent empty paragraphs only
// the first goes.
void removeEmptyParagraphs(word::Document& document);

// Opens the saved document and empties the lists. A document that cannot be read gives its reason
// as the first wrong line; `whenUnread` then records its items (all wrong) and the rubric ends.
struct Opened {
    std::optional<word::Document> document;
    RubricEnd end;  // for a document that could not be read
};
Opened openForMarking(const std::filesystem::path& file, MarkingState& state);

}  // namespace tarnwick::marking::word_rubrics
