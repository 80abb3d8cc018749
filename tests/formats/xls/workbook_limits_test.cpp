// Damaged workbooks that announce far more than they hold: the reader refuses them with a message
// instead of reading the same data again and again or running out of memory.
#include <gtest/gtest.h>

#include "formats/xls/workbook.h"
#include "formats/xls/xls_builder.h"

namespace tarnwick::xls {
namespace {

using namespace tarnwick::test;

void blanks(StreamBuilder& s, std::uint16_t row, std::uint16_t count) {
    Buf b = cellHeader(row, 0, 15);
    b.resize(4);
    for (std::uint16_t k = 0; k < count; ++k) add16(b, 15);
    add16(b, static_cast<std::uint16_t>(count - 1));
    s.add(rt::MulBlank, b);
}

bool saysDamaged(const Result<Workbook>& r) { return !r.ok() && r.error().kind == ErrorKind::Damaged; }

TEST(WorkbookLimits, SheetListsLongerThanAnyRealWorkbookAreDamage) {
    auto sheets = [](std::size_t n) {
        std::vector<std::pair<std::string, RecordsFn>> list;
        for (std::size_t k = 0; k < n; ++k) list.emplace_back("S" + std::to_string(k), [](StreamBuilder&) {});
        return list;
    };
    auto many = readWorkbookStream(workbookStream([](StreamBuilder&) {}, sheets(4096)));
    ASSERT_TRUE(many.ok()) << many.error().message;
    EXPECT_EQ(many->sheets.size(), 4096u);
    auto tooMany = readWorkbookStream(workbookStream([](StreamBuilder&) {}, sheets(4097)));
    EXPECT_TRUE(saysDamaged(tooMany));
}

TEST(WorkbookLimits, TwoSheetsAtOneOffsetAreDamage) {
    // The second entry points at the first sheet's sub-stream: each entry would read its cells again.
    Buf stream = workbookStream([](StreamBuilder&) {},
                                {{"A", [](StreamBuilder& s) { blanks(s, 0, 10); }}, {"B", [](StreamBuilder&) {}}});
    auto fine = readWorkbookStream(stream);
    ASSERT_TRUE(fine.ok()) << fine.error().message;
    // Copy the first BOUNDSHEET's offset into the second (the records follow the globals' BOF).
    const std::size_t first = 20 + 4, second = first + 4 + boundSheet("A").size();
    for (int i = 0; i < 4; ++i) stream[second + i] = stream[first + i];
    auto twice = readWorkbookStream(stream);
    EXPECT_TRUE(saysDamaged(twice));
}

TEST(WorkbookLimits, CellsAreCountedOverTheWholeWorkbook) {
    auto sheetOf = [](std::uint16_t cells) { return [cells](StreamBuilder& s) { blanks(s, 0, cells); }; };
    const ReadLimits limits{.maxSheets = 10, .maxCells = 100};
    auto atLimit = readWorkbookStream(workbookStream([](StreamBuilder&) {}, {{"A", sheetOf(50)}, {"B", sheetOf(50)}}), limits);
    ASSERT_TRUE(atLimit.ok()) << atLimit.error().message;
    EXPECT_EQ(atLimit->sheets[1].cells.size(), 50u);
    // Each sheet alone is under the limit, together they are over it.
    auto over = readWorkbookStream(workbookStream([](StreamBuilder&) {}, {{"A", sheetOf(50)}, {"B", sheetOf(51)}}), limits);
    EXPECT_TRUE(saysDamaged(over));
    // Shared formula definitions count too.
    auto withDefinitions = readWorkbookStream(workbookStream([](StreamBuilder&) {}, [](StreamBuilder& s) {
        blanks(s, 0, 100);
        Buf shr;
        add16(shr, 1);
        add16(shr, 1);
        shr.push_back(0);
        shr.push_back(0);
        shr.push_back(0);
        shr.push_back(1);
        add16(shr, 1);
        shr.push_back(0x1C);  // PtgErr
        s.add(rt::ShrFmla, shr);
    }), limits);
    EXPECT_TRUE(saysDamaged(withDefinitions));
    auto tooManySheets = readWorkbookStream(
        workbookStream([](StreamBuilder&) {}, std::vector<std::pair<std::string, RecordsFn>>(11, {"S", [](StreamBuilder&) {}})),
        limits);
    EXPECT_TRUE(saysDamaged(tooManySheets));
}

// A FORMULA at (row, col) whose tokens are a PtgExp naming (masterRow, masterCol).
Buf expFormula(std::uint16_t row, std::uint16_t col, std::uint16_t masterRow, std::uint16_t masterCol) {
    Buf f = cellHeader(row, col, 15);
    f.resize(f.size() + 8, 0);
    add16(f, 0);
    add32(f, 0);
    add16(f, 5);
    f.push_back(0x01);
    add16(f, masterRow);
    add16(f, masterCol);
    return f;
}
// A SHRFMLA over rows first..last of column A whose one token is the integer `marker`.
Buf sharedDefinition(std::uint16_t first, std::uint16_t last, std::uint16_t marker) {
    Buf shr;
    add16(shr, first);
    add16(shr, last);
    shr.push_back(0);
    shr.push_back(0);
    shr.push_back(0);
    shr.push_back(1);
    add16(shr, 3);
    shr.push_back(0x1E);  // PtgInt
    add16(shr, marker);
    return shr;
}

TEST(SharedFormulas, APtgExpTakesTheDefinitionWhoseFirstCellItNames) {
    auto book = readWorkbookStream(workbookStream([](StreamBuilder&) {}, [](StreamBuilder& s) {
        s.add(rt::Formula, expFormula(6, 0, 5, 0));  // A7 -> definition starting at A6
        s.add(rt::Formula, expFormula(7, 0, 0, 0));  // A8 -> definition starting at A1, though A6's holds it too
        s.add(rt::Formula, expFormula(8, 0, 9, 9));  // A9 names no definition: the one holding A9
        s.add(rt::Formula, expFormula(20, 0, 9, 9)); // A21: none holds it
        s.add(rt::ShrFmla, sharedDefinition(0, 9, 111));
        s.add(rt::ShrFmla, sharedDefinition(5, 9, 222));
        s.add(rt::ShrFmla, sharedDefinition(30, 30, 333));
    }));
    ASSERT_TRUE(book.ok()) << book.error().message;
    const Sheet& sheet = book->sheets[0];
    auto marker = [&](std::uint16_t row) -> int {
        const Cell* c = sheet.cell(row, 0);
        if (!c || c->formula < 0) return -1;
        const Formula& f = sheet.formulas[static_cast<std::size_t>(c->formula)];
        if (f.unresolved) return 0;
        return f.rgce.size() == 3 ? f.rgce[1] | (f.rgce[2] << 8) : -2;
    };
    EXPECT_EQ(marker(6), 222);
    EXPECT_EQ(marker(7), 111);
    EXPECT_EQ(marker(8), 222);
    EXPECT_EQ(marker(20), 0);
}

TEST(RichText, FormattingRunsAreKeptWithSharedAndCellStrings) {
    auto book = readWorkbookStream(workbookStream(
        [](StreamBuilder& s) { s.add(rt::Sst, sstRecord({{"plain", {}}, {"计算机考试", {{2, 7}, {0, 6}}}})); },
        [](StreamBuilder& s) {
            s.add(rt::LabelSst, labelSst(0, 0, 15, 0));
            s.add(rt::LabelSst, labelSst(0, 1, 15, 1));
            Buf r = cellHeader(0, 2, 15);
            add16(r, 3);
            r.push_back(0);
            addText(r, "abc");
            add16(r, 1);
            add16(r, 1);  // from "b" on
            add16(r, 5);
            s.add(rt::RString, r);
        }));
    ASSERT_TRUE(book.ok()) << book.error().message;
    const Sheet& sheet = book->sheets[0];
    EXPECT_EQ(sheet.cell(0, 0)->runs, -1);
    const Cell* rich = sheet.cell(0, 1);
    ASSERT_GE(rich->runs, 0);
    EXPECT_EQ(rich->text, "计算机考试");
    const auto& runs = book->runLists.at(static_cast<std::size_t>(rich->runs));
    ASSERT_EQ(runs.size(), 2u);  // sorted by position
    EXPECT_EQ(runs[0].position, 0);
    EXPECT_EQ(runs[0].font, 6);
    EXPECT_EQ(runs[1].position, 2);
    EXPECT_EQ(runs[1].font, 7);
    const Cell* own = sheet.cell(0, 2);
    EXPECT_EQ(own->text, "abc");
    ASSERT_GE(own->runs, 0);
    ASSERT_EQ(book->runLists.at(static_cast<std::size_t>(own->runs)).size(), 1u);
    EXPECT_EQ(book->runLists[static_cast<std::size_t>(own->runs)][0].font, 5);
}

TEST(RichText, RunsAcrossAContinueSeamAndBeyondTheCap) {
    // One string with more runs than are kept, its run block split over a CONTINUE record.
    Buf sst;
    add32(sst, 1);
    add32(sst, 1);
    add16(sst, 1);
    sst.push_back(0x08);
    add16(sst, static_cast<std::uint16_t>(kMaxRunsPerString + 10));
    sst.push_back('x');
    add16(sst, 0);
    add16(sst, 6);
    add16(sst, 0);  // half of the second run
    Buf cont;
    add16(cont, 9);
    for (std::size_t k = 2; k < kMaxRunsPerString + 10; ++k) {
        add16(cont, 0);
        add16(cont, 8);
    }
    auto book = readWorkbookStream(workbookStream(
        [&](StreamBuilder& g) {
            g.add(rt::Sst, sst);
            // A CONTINUE body is at most 8224 bytes: split the rest.
            for (std::size_t at = 0; at < cont.size(); at += 8224)
                g.add(rt::Continue, Buf(cont.begin() + static_cast<std::ptrdiff_t>(at),
                                        cont.begin() + static_cast<std::ptrdiff_t>(std::min(cont.size(), at + 8224))));
        },
        [](StreamBuilder&) {}));
    ASSERT_TRUE(book.ok()) << book.error().message;
    ASSERT_EQ(book->sharedStrings.size(), 1u);
    ASSERT_EQ(book->sharedStringRuns.size(), 1u);
    const auto& runs = book->runLists.at(static_cast<std::size_t>(book->sharedStringRuns[0]));
    EXPECT_EQ(runs.size(), kMaxRunsPerString);
    EXPECT_EQ(runs[0].font, 6);
    EXPECT_EQ(runs[1].font, 9);
    EXPECT_EQ(runs[2].font, 8);
}

}  // namespace
}  // namespace tarnwick::xls
