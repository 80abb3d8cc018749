// Starting an exercise: probe the office application, clear the exam folder, write the files.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/exam_folder.h"
#include "platform/probe.h"
#include "resources/embedded.h"
#include "exercises/catalog.h"

namespace tarnwick::shell {

struct PrepareReport {
    bool refused = false;             // the office application is running; nothing was touched
    std::string refusal;              // its message
    std::string problem;              // why the folder was left untouched (not the probe); empty if none
    std::vector<std::string> written; // file names written, in order
    std::vector<std::string> failed;  // file names that could not be written
    int deleted = 0;                  // files removed from the folder

    // Every file of the exercise is in the folder.
    bool complete() const { return !refused && problem.empty() && failed.empty(); }
};

// The refusal message of the probe for an exercise kind.
std::string_view prepareRefusal(exercises::ExerciseKind kind);

// The box that lists the files that could not be written, each shown as the folder spells it.
std::string notWrittenMessage(const PrepareReport& report, const platform::ExamFolder& folder);

// Why the exam folder must not be cleared and written (a link, a file, the home folder, a root
// folder), or empty when it may.
std::string examFolderProblem(const platform::ExamFolder& folder);

// Probes (unless probe is null), then clears and fills the exam folder. Nothing is touched when
// the exercise's files are not in this build, or the folder is a link, a file, the home folder
// or a root. Clearing removes only what a deletion by pattern removes: entries directly inside
// that are not folders and not hidden; a link is removed as a link, never its target.
// `find` looks an embedded file up (the build's own files unless a test gives others).
using ResourceFinder = std::optional<std::span<const unsigned char>> (*)(std::string_view type, std::string_view name);
PrepareReport prepareExercise(exercises::QuestionNumberType number, const platform::ExamFolder& folder,
                              const platform::AppProbe* probe, ResourceFinder find = &resources::find);

}  // namespace tarnwick::shell
