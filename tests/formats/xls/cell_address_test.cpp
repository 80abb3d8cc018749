// Cell address spelling shared by the formula text, the chart series and the range addresses of
// the model, and the quoting of sheet names.
#include "formats/xls/cell_address.h"

#include <gtest/gtest.h>

#include "formats/xls/function_table.h"
#include "formats/xls/literals.h"

namespace tarnwick::xls {
namespace {

TEST(CellAddress, ColumnLetters) {
    EXPECT_EQ(columnLetters(0), "A");
    EXPECT_EQ(columnLetters(25), "Z");
    EXPECT_EQ(columnLetters(26), "AA");
    EXPECT_EQ(columnLetters(51), "AZ");
    EXPECT_EQ(columnLetters(52), "BA");
    EXPECT_EQ(columnLetters(255), "IV");
    EXPECT_EQ(columnLetters(701), "ZZ");
    EXPECT_EQ(columnLetters(702), "AAA");
}

TEST(CellAddress, A1AndRanges) {
    EXPECT_EQ(cellAddressA1(2, 3, false, false), "D3");
    EXPECT_EQ(cellAddressA1(19, 2, true, true), "$C$20");
    EXPECT_EQ(cellAddressA1(0, 0, true, false), "A$1");
    EXPECT_EQ(cellAddressA1(65535, 255, false, true), "$IV65536");
    EXPECT_EQ(rangeAddressA1(0, 0, 0, 7, true), "$A$1:$H$1");
    EXPECT_EQ(rangeAddressA1(4, 1, 4, 1, true), "$B$5");
    EXPECT_EQ(rangeAddressA1(2, 1, 16, 1, false), "B3:B17");
    EXPECT_EQ(rowA1(2, true) + ":" + rowA1(4, false), "$3:5");
    EXPECT_EQ(columnA1(2, false) + ":" + columnA1(255, true), "C:$IV");
}

TEST(CellAddress, R1C1) {
    EXPECT_EQ(r1c1Part('R', 0, true), "R");
    EXPECT_EQ(r1c1Part('C', -42, true), "C[-42]");
    EXPECT_EQ(r1c1Part('C', 0, false), "C1");
}

TEST(CellAddress, SheetNamesAreQuotedAsExcelQuotesThem) {
    struct Case { const char* name; bool quotes; };
    const Case cases[] = {
        {"Sheet1", false}, {"Sh3", false},  // column SH lies past IV
        {"工作表1", false}, {"成绩表", false}, {"data_2.x", false},
        {"IW1", false},      // past the last column
        {"A65537", false},   // past the last row
        {"S2", true}, {"IV65536", true}, {"iv65536", true}, {"R1C1", true}, {"rc", true}, {"C", true},
        {"My Sheet", true}, {"Bob's", true}, {"1st", true}, {"2009", true}, {"a-b", true}, {"", true},
    };
    for (const Case& c : cases) EXPECT_EQ(sheetNameNeedsQuotes(c.name), c.quotes) << c.name;
    EXPECT_EQ(quoted("Bob's", '\''), "'Bob''s'");
    EXPECT_EQ(quoted("", '\''), "''");
    EXPECT_EQ(formulaStringLiteral("say \"hi\""), "\"say \"\"hi\"\"\"");
}

TEST(FunctionTable, NamesAndFixedArgumentCounts) {
    struct Case { std::uint16_t index; const char* name; int fixed; };
    const Case cases[] = {
        {0, "COUNT", -1}, {1, "IF", -1}, {4, "SUM", -1}, {5, "AVERAGE", -1}, {6, "MIN", -1},
        {7, "MAX", -1}, {19, "PI", 0}, {27, "ROUND", 2}, {31, "MID", 3}, {65, "DATE", 3},
        {100, "CHOOSE", -1}, {102, "VLOOKUP", -1}, {113, "UPPER", 1}, {169, "COUNTA", -1},
        {221, "TODAY", 0}, {261, "ERROR.TYPE", 1}, {336, "CONCATENATE", -1},
        {345, "SUMIF", -1}, {346, "COUNTIF", 2}, {379, "RTD", -1}};
    for (const auto& c : cases) {
        const BuiltinFunction* f = builtinFunction(c.index);
        ASSERT_NE(f, nullptr) << c.index;
        EXPECT_EQ(f->name, c.name);
        EXPECT_EQ(f->fixedArgs, c.fixed) << c.name;
    }
    for (int reserved : {202, 203, 217, 218, 249, 250, 255, 333, 380, 0x7FFF})
        EXPECT_EQ(builtinFunction(static_cast<std::uint16_t>(reserved)), nullptr) << reserved;
}

}  // namespace
}  // namespace tarnwick::xls
