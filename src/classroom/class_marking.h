// Marking a whole class: every submission marked exactly as `tarnwick-cli mark` marks it, on
// several threads, with what is needed to find copies.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "classroom/submissions.h"
#include "marking/run.h"
#include "marking/state.h"

namespace tarnwick::classroom {

// What a file is, for finding copies.
struct Fingerprint {
    std::uintmax_t size = 0;
    std::uint64_t hash = 0;     // of all its bytes (FNV-1a)
    std::string createdBy;      // creation time and author of the document summary; empty if none
};

struct StudentResult {
    Submission submission;
    marking::RunOutcome outcome;
    marking::MarkingState state;
    std::optional<Fingerprint> fingerprint;  // when the document could be read for it
};

struct ClassOptions {
    unsigned jobs = 0;  // threads; 0: one per core
    // Called from the marking threads, serialised, after each submission.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

// Marks every submission of `number`: a folder as `mark N --exam-dir FOLDER --skip-probe`, a file
// as the document itself. A refused entry ends as unreadable with its refusal, a folder without
// the document as missing. The results are in the order of the submissions.
std::vector<StudentResult> markClass(exercises::QuestionNumberType number, const std::vector<Submission>& submissions,
                                     const ClassOptions& options = {});

// Submissions larger than this get no fingerprint (and so take part in no copy finding).
inline constexpr std::uintmax_t kMaxFingerprintBytes = 64u << 20;

// Fingerprint of bytes (a file read whole, or the exercise's starting file).
Fingerprint fingerprintOf(Bytes bytes);
// Of a file, read whole if at most `maxBytes`; nullopt when it cannot be read.
std::optional<Fingerprint> fingerprintOf(const std::filesystem::path& file, std::uintmax_t maxBytes);

}  // namespace tarnwick::classroom
