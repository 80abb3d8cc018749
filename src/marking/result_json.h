// A marking run's result as one JSON object: what `tarnwick-cli mark --json` prints, and each line
// of a class's JSON lines.
#pragma once

#include <string>
#include <string_view>

#include "marking/run.h"
#include "marking/state.h"

namespace tarnwick::marking {

// "ended", "probe-refused", "file-missing", "unreadable" (also for a run that marked a document it
// could not read as all wrong), "no-rubric".
std::string_view statusName(const RunOutcome& outcome);

// The run's reason, "" when none: why the document could not be read for a run that reached its
// verdict, else the message that ended the run.
const std::string& reasonOf(const RunOutcome& outcome);

// {"question", "status", "reason" (when there is one), and, when the run reached its verdict,
// "score", "correct", "wrong", "verdict", "items"}. With a student, "student" comes first.
std::string resultJson(int question, const RunOutcome& outcome, const MarkingState& state,
                       std::string_view student = {});

// The recorded items as a JSON array: [{"number", "points", "passed", "message", "read", "expected"}].
std::string itemsJson(const MarkingState& state);

}  // namespace tarnwick::marking
