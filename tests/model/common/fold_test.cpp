#include "model/common/fold.h"

#include <gtest/gtest.h>

namespace tarnwick::model {
namespace {

TEST(Fold, CommonValueOrTheModelsMixedValue) {
    Fold excel(Variant::null());
    EXPECT_TRUE(excel.add(Variant::number(12)));
    EXPECT_TRUE(excel.add(Variant::number(12)));
    EXPECT_TRUE(excel.result() == 12);
    EXPECT_FALSE(excel.add(Variant::number(14)));  // decided: later parts cannot change it
    EXPECT_TRUE(excel.result().isNull());
    EXPECT_FALSE(excel.add(Variant::number(12)));
    EXPECT_TRUE(excel.result().isNull());

    // Word's mixed values are ordinary values that compare like any other.
    Fold size(Variant::number(9999999));
    size.add(Variant::number(16));
    size.add(Variant::number(16.5));
    EXPECT_TRUE(size.result() == 9999999);
    Fold name(Variant::text(""));
    name.add(Variant::text("黑体"));
    name.add(Variant::text("宋体"));
    EXPECT_TRUE(name.result() == "");
}

TEST(Fold, AFailedPartFailsTheWholeReadEvenAfterADifference) {
    Fold f(Variant::null());
    f.add(Variant::text("a"));
    f.add(Variant::failed("读不到。"));
    EXPECT_TRUE(f.result().isFailed());
    EXPECT_EQ(f.result().failure(), "读不到。");
    Fold empty(Variant::null());
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(empty.result().isEmpty());
}

TEST(Variant, NumbersTextAndEmptyCompareAsTheRubricsCompare) {
    EXPECT_TRUE(Variant::number(0.1 + 0.2) == 0.30000000000000004);
    EXPECT_FALSE(Variant::number(static_cast<float>(56.7)) == 56.7);  // a Single is not the double
    EXPECT_TRUE(Variant::empty() == 0);
    EXPECT_TRUE(Variant::empty() == "");
    EXPECT_FALSE(Variant::text("A") == "a");
    EXPECT_FALSE(Variant::null() == Variant::null());
    EXPECT_FALSE(Variant::failed("x") == Variant::failed("x"));
    EXPECT_EQ(Variant::number(1e20).describe(), "1E+20");
    EXPECT_EQ(Variant::cellError(7, "#DIV/0!").describe(), "#DIV/0!");
}

}  // namespace
}  // namespace tarnwick::model
