#include "model/excel/number_format_local.h"

#include <gtest/gtest.h>

namespace tarnwick::excel {
namespace {

TEST(NumberFormatLocal, BuiltInsInChineseSpelling) {
    const std::map<std::uint16_t, std::string> none;
    EXPECT_EQ(numberFormatLocal(0, none), "G/通用格式");
    EXPECT_EQ(numberFormatLocal(2, none), "0.00");
    EXPECT_EQ(numberFormatLocal(10, none), "0.00%");
    EXPECT_EQ(numberFormatLocal(49, none), "@");
    EXPECT_EQ(numberFormatLocal(7, none), "\"￥\"#,##0.00;\"￥\"\\-#,##0.00");
    EXPECT_FALSE(numberFormatLocal(200, none).has_value());
}

TEST(NumberFormatLocal, TheBuiltInsTheReadingModelCoversHaveACodeWithoutAFormatRecord) {
    // Exactly the ids docs/reading-model/excel.md lists: 0-22, 27-58. 23-26 have no zh-CN code in
    // any public list; a file that uses them without storing them is a failed read.
    const std::map<std::uint16_t, std::string> none;
    for (std::uint16_t id = 0; id <= 60; ++id) {
        const bool covered = id <= 22 || (id >= 27 && id <= 58);
        EXPECT_EQ(numberFormatLocal(id, none).has_value(), covered) << id;
    }
    EXPECT_EQ(numberFormatLocal(31, none), "yyyy\"年\"m\"月\"d\"日\"");
    EXPECT_EQ(numberFormatLocal(23, {{23, "General"}}), "G/通用格式");
}

TEST(NumberFormatLocal, StoredCodesAsStoredWithLocalWords) {
    const std::map<std::uint16_t, std::string> stored = {
        {0, "General"},  // LibreOffice writes the built-ins out in its own words
        {7, "\"$\"#,##0.00_);(\"$\"#,##0.00)"},
        {176, "0.0_ "},
        {177, "0_ "},
        {178, "0.00_);[Red]\\(0.00\\)"},
        {179, "general;\"General\""},
    };
    EXPECT_EQ(numberFormatLocal(0, stored), "G/通用格式");
    EXPECT_EQ(numberFormatLocal(7, stored), "\"$\"#,##0.00_);(\"$\"#,##0.00)");
    EXPECT_EQ(numberFormatLocal(176, stored), "0.0_ ");
    EXPECT_EQ(numberFormatLocal(177, stored), "0_ ");
    EXPECT_EQ(numberFormatLocal(178, stored), "0.00_);[红色]\\(0.00\\)");
    EXPECT_EQ(numberFormatLocal(179, stored), "G/通用格式;\"General\"");  // quoted text stays
}

}  // namespace
}  // namespace tarnwick::excel
