// The rubrics of the two web exercises.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "marking/rubric.h"
#include "marking/state.h"
#include "marking/web/position_test.h"

namespace tarnwick::marking::web_rubrics {

const std::vector<PositionTest>& webSet1Tests();
const std::vector<PositionTest>& webSet2Tests();

// Rubric entry points (see marking/rubric.h).
RubricEnd markWebSet1(const std::filesystem::path& page, MarkingState& state);
RubricEnd markWebSet2(const std::filesystem::path& page, MarkingState& state);

}  // namespace tarnwick::marking::web_rubrics
