// Starting an exercise: probe the office application, clear the exam folder, write the files.
#pragma once

#include <string>
#include <vector>

#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "shell/catalog.h"

namespace tarnwick::shell {

struct PrepareReport {
    bool refused = false;             // the office application is running; nothing was touched
    std::string refusal;              // its message
    std::vector<std::string> written; // file names written, in order
    std::vector<std::string> failed;  // file names that could not be written (skipped silently)
    int deleted = 0;                  // files removed from the folder
};

// The refusal message of the probe for an exercise kind.
std::string_view prepareRefusal(ExerciseKind kind);
platform::OfficeApp officeAppOf(ExerciseKind kind);

// Probes (unless probe is null), then clears and fills the exam folder. Failing steps are
// skipped without a message; only regular files and links directly inside the folder are removed.
PrepareReport prepareExercise(QuestionNumberType number, const platform::ExamFolder& folder,
                              const platform::AppProbe* probe);

}  // namespace tarnwick::shell
