#include "model/excel/address.h"

#include <gtest/gtest.h>

namespace tarnwick::excel {
namespace {

TEST(Address, ParsesCellsBlocksRowsAndColumns) {
    auto a1 = parseAddress("A1");
    ASSERT_TRUE(a1);
    EXPECT_EQ(absoluteAddress(*a1), "$A$1");
    auto block = parseAddress("h21:$a$1");
    ASSERT_TRUE(block);
    EXPECT_EQ(absoluteAddress(*block), "$A$1:$H$21");
    EXPECT_EQ(block->cellCount(), 168u);
    auto rows = parseRows("1:1");
    ASSERT_TRUE(rows);
    EXPECT_TRUE(rows->wholeRows);
    EXPECT_EQ(rows->lastCol, 255u);
    EXPECT_EQ(absoluteAddress(*rows), "$1:$1");
    auto cols = parseColumns("A:A");
    ASSERT_TRUE(cols);
    EXPECT_EQ(cols->lastRow, 65535u);
    EXPECT_EQ(absoluteAddress(*cols), "$A:$A");
    EXPECT_EQ(absoluteAddress(*parseColumns("C:AA")), "$C:$AA");
    EXPECT_EQ(absoluteAddress(*parseRows("3:12")), "$3:$12");
    auto single = parseColumns("IV");
    ASSERT_TRUE(single);
    EXPECT_EQ(single->firstCol, 255u);
    EXPECT_EQ(absoluteAddress(*parseAddress("IV65536")), "$IV$65536");
}

TEST(Address, RejectsWhatIsNoAddress) {
    for (const char* bad : {"", "A", "1", "A0", "IW1", "A65537", "AAAA1", "A1:", "A1:B", "1:A", "A1B2", "$$A1", "A1 "})
        EXPECT_FALSE(parseAddress(bad).has_value()) << bad;
    EXPECT_FALSE(parseRows("A:A").has_value());
    EXPECT_FALSE(parseColumns("1:1").has_value());
}

}  // namespace
}  // namespace tarnwick::excel
