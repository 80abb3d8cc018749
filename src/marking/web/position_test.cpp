#include "marking/web/position_test.h"

#include "marking/web/page_text.h"

namespace tarnwick::marking::web_rubrics {

bool shapePasses(Shape shape, long p, long a, long b, long k) {
    switch (shape) {
        case Shape::PresentBeyond: return p > k;
        case Shape::Between: return a < p && p < b;
        // An absent pattern (0) is not before anything: without this a page whose anchor stands
        // within k characters of the start would pass with no pattern at all.
        case Shape::BeforeWithin: return p > 0 && p < a && a - p < k;
        case Shape::BeforeBeyond: return p > k && p < a;
        case Shape::AfterAnchorBeyond: return a > k && p > a;
        case Shape::AfterWithin: return p > a && p - a < k;
        case Shape::AfterTwoAnchors: return a < b && b < p;
    }
    return false;
}

bool passes(const PositionTest& test, std::string_view pageText) {
    const long p = firstPosition(pageText, test.pattern);
    const long a = test.anchorA.empty() ? 0 : firstPosition(pageText, test.anchorA);
    const long b = test.anchorB.empty() ? 0 : firstPosition(pageText, test.anchorB);
    return shapePasses(test.shape, p, a, b, test.k);
}

void runTests(std::span<const PositionTest> tests, std::string_view pageText, MarkingState& state) {
    for (const PositionTest& t : tests) state.RecordItem(10, passes(t, pageText), t.correct, t.wrong);
}

}  // namespace tarnwick::marking::web_rubrics
