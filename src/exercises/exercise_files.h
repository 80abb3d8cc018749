// Which embedded files each exercise writes into the exam folder, in writing order.
#pragma once

#include <span>
#include <string_view>

namespace tarnwick::exercises {

struct ExerciseFile {
    int number;                   // exercise 1 to 8
    std::string_view type;        // resource type
    std::string_view name;        // resource name or number
    std::string_view fileName;    // file name in the exam folder
};

// The files of one exercise in the order they are written; empty for an unknown number.
std::span<const ExerciseFile> exerciseFiles(int number);

}  // namespace tarnwick::exercises
