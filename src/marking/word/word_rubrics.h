// The word-processing rubrics: items read through the word:: object model on the saved document
// after the empty-paragraph pass.
#pragma once

#include <filesystem>

#include "marking/rubric.h"
#include "marking/state.h"

namespace tarnwick::marking::word_rubrics {

// Rubric entry points (see marking/rubric.h).
RubricEnd markWordSet1(const std::filesystem::path& file, MarkingState& state);  // exercise 1
RubricEnd markWordSet2(const std::filesystem::path& file, MarkingState& state);  // exercise 2
RubricEnd markWordSet3(const std::filesystem::path& file, MarkingState& state);  // exercise 7

}  // namespace tarnwick::marking::word_rubrics
