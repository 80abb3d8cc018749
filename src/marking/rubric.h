// What a rubric is given and what it answers. Each exercise's rubric plugs into the marking run
// through this one signature.
#pragma once

#include <filesystem>
#include <string>

#include "marking/state.h"

namespace tarnwick::marking {

// How a rubric's run went. A page that cannot be read ends the run without results; a workbook
// or document that cannot be opened is marked as all wrong, its reason first in the wrong list.
// Either way `unreadable` says why, so callers can tell such a run from a marked one.
struct RubricEnd {
    bool marked = true;      // the items were recorded into the state
    std::string unreadable;  // why the document could not be read; empty when it was read

    static RubricEnd read() { return {}; }
    static RubricEnd markedUnread(std::string why) { return {true, std::move(why)}; }
    static RubricEnd notMarked(std::string why) { return {false, std::move(why)}; }
};

// A rubric marks the document at `document` into `state` (it empties the lists itself when it
// starts its items).
using Rubric = RubricEnd (*)(const std::filesystem::path& document, MarkingState& state);

}  // namespace tarnwick::marking
