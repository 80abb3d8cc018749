#include "model/excel/variant.h"

#include <gtest/gtest.h>

namespace tarnwick::excel {
namespace {

TEST(Variant, ComparesAsTheRubricsDo) {
    EXPECT_TRUE(Variant::number(20) == 20.0);
    EXPECT_TRUE(Variant::number(20) == 20);
    EXPECT_FALSE(Variant::number(20) == "20");
    EXPECT_FALSE(Variant::text("20") == 20);  // text never equals a number
    EXPECT_TRUE(Variant::text("Dosmer") == "Dosmer");
    EXPECT_FALSE(Variant::text("Dosmer") == "dosmer");
    EXPECT_TRUE(Variant::boolean(true) == true);
    EXPECT_FALSE(Variant::boolean(true) == 1);
    EXPECT_FALSE(Variant::null() == Variant::null());
    EXPECT_FALSE(Variant::null() == -4108);
    EXPECT_TRUE(Variant::empty() == "");
    EXPECT_TRUE(Variant::empty() == 0);
    EXPECT_TRUE(Variant() == Variant::empty());
    EXPECT_FALSE(Variant::empty() == "x");
    EXPECT_FALSE(Variant::failed("x") == Variant::failed("x"));
    EXPECT_FALSE(Variant::failed("") == "");
    EXPECT_TRUE(cellErrorValue(7) == cellErrorValue(7));
    EXPECT_FALSE(cellErrorValue(7) == 7);
}

TEST(Variant, FoldsSameValuesOnly) {
    EXPECT_TRUE(Variant::null().sameAs(Variant::null()));
    EXPECT_TRUE(Variant::number(1).sameAs(Variant::number(1)));
    EXPECT_FALSE(Variant::number(1).sameAs(Variant::boolean(true)));
    EXPECT_FALSE(Variant::empty().sameAs(Variant::text("")));
}

TEST(Variant, WritesNumbersAsGeneralFormatDoes) {
    EXPECT_EQ(generalNumberText(0), "0");
    EXPECT_EQ(generalNumberText(78.45), "78.45");
    EXPECT_EQ(generalNumberText(139.5), "139.5");
    EXPECT_EQ(generalNumberText(-3), "-3");
    EXPECT_EQ(generalNumberText(0.1 + 0.2), "0.3");  // 15 significant digits
    EXPECT_EQ(generalNumberText(1e20), "1E+20");
    EXPECT_EQ(generalNumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(errorText(0x07), "#DIV/0!");
    EXPECT_EQ(errorText(0x2A), "#N/A");
    EXPECT_EQ(Variant::boolean(false).describe(), "FALSE");
}

}  // namespace
}  // namespace tarnwick::excel
