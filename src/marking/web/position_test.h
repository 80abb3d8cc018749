// The shapes of the web rubrics' position tests and one table-driven runner.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "marking/state.h"
#include "model/common/check.h"

namespace tarnwick::marking::web_rubrics {

enum class Shape {
    PresentBeyond,        // p > k
    Between,              // a < p < b
    BeforeWithin,         // p < a and a - p < k (p present)
    BeforeBeyond,         // p > k and p < a
    AfterAnchorBeyond,    // a > k and p > a
    AfterWithin,          // p > a and p - a < k
    AfterTwoAnchors,      // a < b < p
};

struct PositionTest {
    Shape shape;
    std::string pattern;
    std::string anchorA;  // unused by PresentBeyond
    std::string anchorB;  // Between and AfterTwoAnchors only
    long k = 0;
    std::string correct;
    std::string wrong;
};

// Whether positions p, a, b pass a shape with threshold k.
bool shapePasses(Shape shape, long p, long a, long b, long k);

// Runs one test on the page text; the check says where the pattern and anchors were found and
// where the test wanted the pattern.
model::Check passes(const PositionTest& test, std::string_view pageText);

// Runs the tests in order, recording each with 10 points.
void runTests(std::span<const PositionTest> tests, std::string_view pageText, MarkingState& state);

}  // namespace tarnwick::marking::web_rubrics
