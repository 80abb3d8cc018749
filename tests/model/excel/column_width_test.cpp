#include "model/excel/column_width.h"

#include <gtest/gtest.h>

namespace tarnwick::excel {
namespace {

TEST(ColumnWidth, DigitWidthsOfTheUsualDefaultFonts) {
    EXPECT_EQ(maxDigitWidth("Arial", 200), 7);     // Excel 97-2003 western default
    EXPECT_EQ(maxDigitWidth("Calibri", 220), 7);   // Excel 2007+ western default
    EXPECT_EQ(maxDigitWidth("宋体", 240), 8);      // Chinese Excel 2003 default
    EXPECT_EQ(maxDigitWidth("SimSun", 240), 8);
    EXPECT_EQ(maxDigitWidth("宋体", 180), 6);
}

TEST(ColumnWidth, WidthsTypedInExcelReadBackExactly) {
    // Whatever the default font, a width set in characters must come back as that number.
    for (int mdw : {6, 7, 8, 9, 11}) {
        for (double chars : {0.5, 1.0, 5.0, 8.38, 8.43, 12.0, 20.0, 50.0}) {
            const std::uint32_t stored = storedFromColumnWidth(chars, mdw);
            const double back = columnWidthFromStored(stored, mdw);
            // Excel snaps to whole pixels: the width read back is the pixel-snapped one, which for
            // whole characters is the width itself.
            if (chars == static_cast<int>(chars)) {
                EXPECT_EQ(back, chars) << "mdw " << mdw << " width " << chars;
            }
            EXPECT_NEAR(back, chars, 1.0 / mdw) << "mdw " << mdw << " width " << chars;
        }
    }
    // The values Excel stores for Arial 10 (colwidth.xls): 1280 = 35 px, 1462 = 40 px = 5 chars.
    EXPECT_EQ(columnWidthFromStored(1462, 7), 5.0);
    EXPECT_EQ(columnWidthFromStored(2560, 7), 9.29);
    EXPECT_EQ(storedFromColumnWidth(5, 7), 1462u);
}

TEST(ColumnWidth, AFaceMeasuresTheSameUnderItsChineseAndItsLatinName) {
    for (const std::uint16_t twips : std::initializer_list<std::uint16_t>{180, 200, 210, 220, 240, 280}) {
        EXPECT_EQ(maxDigitWidth("微软雅黑", twips), maxDigitWidth("Microsoft YaHei", twips)) << twips;
        EXPECT_EQ(maxDigitWidth("宋体", twips), maxDigitWidth("SimSun", twips)) << twips;
        EXPECT_EQ(maxDigitWidth("黑体", twips), maxDigitWidth("SimHei", twips)) << twips;
    }
}

TEST(ColumnWidth, StandardWidthCountsDigitsWithoutPadding) {
    for (int mdw : {6, 7, 8, 9, 11}) {
        EXPECT_EQ(columnWidthFromStandard(12 * 256, mdw), 12.0) << mdw;
        EXPECT_EQ(columnWidthFromStandard(8 * 256, mdw), 8.0) << mdw;
    }
    EXPECT_EQ(columnWidthFromStandard(2158, 7), 8.43);  // 59 px
    EXPECT_EQ(columnWidthFromStandard(2150, 8), 8.38);  // 67 px: 8.38 x 256 snapped
    EXPECT_EQ(columnWidthFromStandard(0, 7), 0.0);
}

TEST(ColumnWidth, DefaultColumnsWidenToMultiplesOfEightPixels) {
    EXPECT_EQ(columnWidthFromDefault(8, 7), 8.43);  // 64 px with Arial 10
    EXPECT_EQ(columnWidthFromDefault(8, 8), 8.38);  // 72 px with 宋体 12
    EXPECT_EQ(columnWidthFromStored(0, 7), 0.0);
}

}  // namespace
}  // namespace tarnwick::excel
