// The self-test markers' workbooks for the tests: the starting ones beside the sources, the
// solutions and one-change variants made by tools/selftest/make-selftest-solutions.py.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "selftest/hand_in.h"
#include "support/test_support.h"

namespace tarnwick::selftest::test_files {

inline std::filesystem::path starting(const Program& program) {
    return std::filesystem::path(TARNWICK_SELFTEST_FILES) / tarnwick::test::u8path(program.workbook);
}

inline std::filesystem::path solution(const std::string& name) { return tarnwick::test::dataPath("selftest/" + name); }

// The faults of a marked outcome, one per line, without their CR LF.
inline std::vector<std::string> faults(const MarkOutcome& r) {
    std::vector<std::string> lines;
    std::string_view rest = r.state.WrongList;
    for (std::size_t end; (end = rest.find("\r\n")) != std::string_view::npos; rest.remove_prefix(end + 2))
        lines.emplace_back(rest.substr(0, end));
    return lines;
}

}  // namespace tarnwick::selftest::test_files
