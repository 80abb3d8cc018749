// Submissions that look copied: byte for byte the same as another student's, the same as the
// exercise's starting file (nothing done), or documents that share the creation time and author
// of their summary with another student's (one file copied and then edited).
#pragma once

#include <string>
#include <vector>

#include "classroom/class_marking.h"

namespace tarnwick::classroom {

struct CopyFinding {
    std::string first, second;  // students; `second` is empty for the starting file
    std::string signal;         // the evidence, for people
};

// `start`: the exercise's starting document. Signatures of creation time and author that the
// starting file itself carries are no evidence: every student's document starts from it. Byte
// equality is confirmed by comparing the files, not only their fingerprints.
std::vector<CopyFinding> findCopies(const std::vector<StudentResult>& results, Bytes start);

}  // namespace tarnwick::classroom
