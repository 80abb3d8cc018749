// The outcome of a rubric's comparison: whether it passed, and for people what was read and what
// was expected ("读到：宋体；应为：黑体"). Converts to bool, so a rubric row stays an ordinary
// comparison; the item runner keeps the texts.
#pragma once

#include <string>
#include <utility>

namespace tarnwick::model {

struct Check {
    bool passed = false;
    std::string read;      // what the file holds, for people; empty when nothing to say
    std::string expected;  // what the item wants

    Check() = default;
    Check(bool p) : passed(p) {}  // NOLINT: a plain condition is a check without texts
    Check(bool p, std::string r, std::string e) : passed(p), read(std::move(r)), expected(std::move(e)) {}
    operator bool() const { return passed; }  // NOLINT: rows and tests use checks as conditions
};

// Both must pass; the texts of the two are joined ("595.3，841.9"), so one line tells both.
Check operator&&(const Check& a, const Check& b);
inline Check operator&&(bool a, const Check& b) { return Check(a) && b; }
inline Check operator&&(const Check& a, bool b) { return a && Check(b); }

}  // namespace tarnwick::model
