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

namespace {

std::string inQuotes(std::string_view s) { return "“" + std::string(s) + "”"; }

std::string where(std::string_view what, long position) {
    if (position == 0) return "网页中没有找到" + inQuotes(what);
    return inQuotes(what) + "在第 " + std::to_string(position) + " 个字符";
}

std::string wanted(const PositionTest& t) {
    const std::string p = inQuotes(t.pattern), a = inQuotes(t.anchorA), b = inQuotes(t.anchorB), k = std::to_string(t.k);
    switch (t.shape) {
        case Shape::PresentBeyond: return p + "在第 " + k + " 个字符之后";
        case Shape::Between: return p + "在" + a + "与" + b + "之间";
        case Shape::BeforeWithin: return p + "在" + a + "之前 " + k + " 个字符以内";
        case Shape::BeforeBeyond: return p + "在第 " + k + " 个字符之后、" + a + "之前";
        case Shape::AfterAnchorBeyond: return a + "在第 " + k + " 个字符之后，" + p + "在它之后";
        case Shape::AfterWithin: return p + "在" + a + "之后 " + k + " 个字符以内";
        case Shape::AfterTwoAnchors: return p + "在" + a + "和" + b + "之后";
    }
    return {};
}

}  // namespace

model::Check passes(const PositionTest& test, std::string_view pageText) {
    const long p = firstPosition(pageText, test.pattern);
    const long a = test.anchorA.empty() ? 0 : firstPosition(pageText, test.anchorA);
    const long b = test.anchorB.empty() ? 0 : firstPosition(pageText, test.anchorB);
    std::string read = where(test.pattern, p);
    if (!test.anchorA.empty()) read += "，" + where(test.anchorA, a);
    if (!test.anchorB.empty()) read += "，" + where(test.anchorB, b);
    return model::Check(shapePasses(test.shape, p, a, b, test.k), std::move(read), wanted(test));
}

void runTests(std::span<const PositionTest> tests, std::string_view pageText, MarkingState& state) {
    for (const PositionTest& t : tests) {
        const model::Check c = passes(t, pageText);
        state.RecordItem(10, c.passed, t.correct, t.wrong, c.read, c.expected);
    }
}

}  // namespace tarnwick::marking::web_rubrics
