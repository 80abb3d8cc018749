// The rubric of each question number, in the order the run tries them.
#pragma once

#include <span>

#include "marking/rubric.h"

namespace tarnwick::marking {

struct RubricEntry {
    int number;
    Rubric rubric;  // nullptr while an exercise has no rubric in this build
};

std::span<const RubricEntry> rubricTable();

}  // namespace tarnwick::marking
