// A class's handed-in work: one entry per student in a folder, either a folder (a copy of that
// student's exam folder) or a file named after the student.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "exercises/catalog.h"

namespace tarnwick::classroom {

struct Submission {
    std::string student;  // the entry's name; for a file, without its extension
    std::filesystem::path entry;
    bool folder = false;
    // The document to mark: the file itself, or the exercise's document found in the folder
    // without regard to case. Empty when the folder does not hold it.
    std::optional<std::filesystem::path> document;
    std::string refusal;  // why the entry is not marked at all (a link, a pipe); empty otherwise
};

// The entries of `dir` in the order of their names: hidden entries left out, links never
// followed (listed with a refusal), anything but a folder or a regular file refused. Errors: no
// such folder (NotFound), not a folder (NotAFile), a listing that fails (CannotOpen), more than
// `maxEntries` entries (TooLarge).
Result<std::vector<Submission>> listSubmissions(const std::filesystem::path& dir, const exercises::Exercise& exercise,
                                                std::size_t maxEntries = 100'000);

// The share k of n (1 <= k <= n) of a class: every n-th submission from the k-th, in the order of
// the students' names, so that the shares of all k are the whole class, each student once.
std::vector<Submission> shareOf(std::vector<Submission> all, int k, int n);

}  // namespace tarnwick::classroom
