// Builds the requirement text and the hint text of the chosen exercise.
#pragma once

#include <string>

#include "platform/exam_folder.h"
#include "exercises/catalog.h"

namespace tarnwick::exercises {

struct CatalogTexts {
    std::string RequirementText;  // header and tasks, every line ending in CR LF
    std::string HintText;         // one hint per task, every line ending in CR LF
};

// For 1 to 8 replaces both texts with those of the exercise; any other number leaves them as
// they are. Texts that name the exam folder spell it as `folder` says.
void proc1(const QuestionNumberType& number, CatalogTexts& texts, const platform::ExamFolder& folder);

// Task 10 of the first web exercise, which names the contact address.
std::string contactTaskText();

}  // namespace tarnwick::exercises
