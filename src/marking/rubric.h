// What a rubric is given and what it answers. Each exercise's rubric plugs into the marking run
// through this one signature.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "marking/state.h"

namespace tarnwick::marking {

// A rubric marks the document at `document` into `state` (it empties the lists itself when it
// starts its items). It returns a message only when the run must end without results (a page
// that exists but cannot be read); a document that cannot be opened is marked as all wrong.
using Rubric = std::optional<std::string> (*)(const std::filesystem::path& document, MarkingState& state);

}  // namespace tarnwick::marking
