// Writes an exercise's starting files into a folder straight from the embedded data, as the
// preparation of an exercise does, for tests of the layers below the practice program's shell.
#pragma once

#include <filesystem>
#include <string>

#include "exercises/exercise_files.h"
#include "resources/embedded.h"
#include "support/test_support.h"

namespace tarnwick::test {

// Returns how many files were written.
inline int writeExerciseFiles(int number, const std::filesystem::path& folder) {
    int written = 0;
    for (const exercises::ExerciseFile& f : exercises::exerciseFiles(number)) {
        const auto bytes = resources::find(f.type, f.name);
        if (!bytes) continue;
        writeBytes(folder / u8path(f.fileName), std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        ++written;
    }
    return written;
}

}  // namespace tarnwick::test
