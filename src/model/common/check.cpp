#include "model/common/check.h"

namespace tarnwick::model {
namespace {

std::string joined(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + "，" + b;
}

}  // namespace

Check operator&&(const Check& a, const Check& b) {
    return Check(a.passed && b.passed, joined(a.read, b.read), joined(a.expected, b.expected));
}

}  // namespace tarnwick::model
