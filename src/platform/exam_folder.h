// Where the exam folder is, and how texts spell it for the user.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tarnwick::platform {

struct ExamFolder {
    std::filesystem::path path;  // the real folder
    std::string shown;           // the folder as texts show it ("c:\MyExam" on Windows)
    std::string shownLower;      // the lower-case spelling of the web headers ("c:\myexam" on Windows)
    char separator = '/';        // between the folder and a file name in texts

    // The text spelling of a file inside the folder, e.g. "c:\MyExam\index.htm".
    std::string shownFile(std::string_view fileName) const;
    // The real path of a file inside the folder (fileName is UTF-8).
    std::filesystem::path file(std::string_view fileName) const;
};

// The Windows spelling that the fixed texts use, for a folder at `real`.
ExamFolder windowsSpelling(std::filesystem::path real);
// The spelling used elsewhere: the real path in both texts, '/' before file names.
ExamFolder posixSpelling(std::filesystem::path real);

// The exam folder of this machine: TARNWICK_EXAM_DIR if set, else c:\MyExam on Windows and
// $HOME/MyExam elsewhere. Errors: TARNWICK_EXAM_DIR set but empty (an unset shell variable
// would otherwise mean the default folder, which is then cleared), HOME not set.
Result<ExamFolder> defaultExamFolder();

// The user's home folder (HOME; USERPROFILE on Windows), if the environment names one.
std::optional<std::filesystem::path> homeFolder();
// A folder given by the user (--exam-dir), spelt as this platform spells it.
ExamFolder examFolderAt(const std::filesystem::path& real);

}  // namespace tarnwick::platform
