// The reader's policy for records too short for their fields: a short cell record is skipped
// and the rest of the sheet is read; a short structural record makes the workbook Damaged; the
// tolerances (FORMAT, an SST with fewer strings, a SUPBOOK without its names) hold.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "formats/xls/workbook.h"
#include "formats/xls/xls_builder.h"

namespace tarnwick::xls {
namespace {

using namespace tarnwick::test;

Buf numberCell(std::uint16_t row, std::uint16_t col, double value) {
    Buf b = cellHeader(row, col, 15);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    add32(b, static_cast<std::uint32_t>(bits));
    add32(b, static_cast<std::uint32_t>(bits >> 32));
    return b;
}

Buf cut(Buf body, std::size_t bytes) {
    body.resize(body.size() - bytes);
    return body;
}

// A FORMULA at (row, col) with one PtgInt token and a numeric cached result.
Buf formulaCell(std::uint16_t row, std::uint16_t col) {
    Buf f = numberCell(row, col, 7);
    add16(f, 0);  // flags
    add32(f, 0);  // chn
    add16(f, 3);
    f.push_back(0x1E);  // PtgInt 7
    add16(f, 7);
    return f;
}

struct CellCase {
    const char* name;
    std::uint16_t type;
    Buf whole;       // a body that puts a cell at B1
    std::size_t cutBy;  // bytes taken off the end to make it short
};

std::vector<CellCase> cellCases() {
    Buf rk = cellHeader(0, 1, 15);
    add32(rk, (5u << 2) | 2u);
    Buf mulrk = cellHeader(0, 1, 15);
    mulrk.resize(4);
    add16(mulrk, 15);
    add32(mulrk, (5u << 2) | 2u);
    add16(mulrk, 1);
    Buf label = cellHeader(0, 1, 15);
    add16(label, 3);
    label.push_back(0);
    addText(label, "abc");
    Buf rstring = label;
    add16(rstring, 1);
    add16(rstring, 1);
    add16(rstring, 5);
    Buf boolerr = cellHeader(0, 1, 15);
    boolerr.push_back(1);
    boolerr.push_back(0);
    Buf mulblank = cellHeader(0, 1, 15);
    mulblank.resize(4);
    add16(mulblank, 15);
    add16(mulblank, 1);
    return {
        {"NUMBER", rt::Number, numberCell(0, 1, 2.5), 1},
        {"RK", rt::Rk, rk, 1},
        {"MULRK", rt::MulRk, mulrk, 7},  // not even its colLast is left
        {"LABELSST", rt::LabelSst, labelSst(0, 1, 15, 0), 1},
        {"LABEL", rt::Label, label, 1},
        {"RSTRING", rt::RString, rstring, 1},
        {"BOOLERR", rt::BoolErr, boolerr, 1},
        {"BLANK", rt::Blank, cellHeader(0, 1, 15), 1},
        {"MULBLANK", rt::MulBlank, mulblank, 3},
        {"FORMULA", rt::Formula, formulaCell(0, 1), 1},
    };
}

Result<Workbook> sheetWith(std::uint16_t type, const Buf& body) {
    return readWorkbookStream(workbookStream(
        [](StreamBuilder& g) { g.add(rt::Sst, sstRecord({{"shared", {}}})); },
        [&](StreamBuilder& s) {
            s.add(rt::Number, numberCell(0, 0, 1));
            s.add(type, body);
            s.add(rt::Number, numberCell(0, 2, 3));
            s.add(rt::Number, numberCell(1, 0, 4));
        }));
}

TEST(ShortRecords, AShortCellRecordIsSkippedAndTheRestOfTheSheetIsRead) {
    for (const CellCase& c : cellCases()) {
        SCOPED_TRACE(c.name);
        auto whole = sheetWith(c.type, c.whole);
        ASSERT_TRUE(whole.ok()) << whole.error().message;
        EXPECT_NE(whole->sheets[0].cell(0, 1), nullptr);  // the whole record makes its cell

        auto book = sheetWith(c.type, cut(c.whole, c.cutBy));
        ASSERT_TRUE(book.ok()) << book.error().message;
        const Sheet& s = book->sheets[0];
        EXPECT_EQ(s.cell(0, 1), nullptr);
        ASSERT_NE(s.cell(0, 0), nullptr);
        ASSERT_NE(s.cell(0, 2), nullptr);
        ASSERT_NE(s.cell(1, 0), nullptr);
        EXPECT_EQ(s.cell(0, 2)->number, 3);
        EXPECT_EQ(s.cell(1, 0)->number, 4);
        EXPECT_TRUE(s.formulas.empty());
        EXPECT_TRUE(book->runLists.empty());
    }
}

TEST(ShortRecords, AShortSharedFormulaLeavesItsFormulasUnresolvedAndAShortStringAnEmptyText) {
    Buf exp = cellHeader(0, 0, 15);
    exp.resize(exp.size() + 8, 0);
    add16(exp, 0);
    add32(exp, 0);
    add16(exp, 5);
    exp.push_back(0x01);  // PtgExp -> A1
    add16(exp, 0);
    add16(exp, 0);
    Buf shr;
    add16(shr, 0);
    add16(shr, 0);
    shr.push_back(0);
    shr.push_back(0);
    shr.push_back(0);
    shr.push_back(1);
    add16(shr, 3);
    shr.push_back(0x1E);
    add16(shr, 9);
    Buf textResult = cellHeader(1, 0, 15);
    textResult.push_back(0);  // a text result: a STRING follows
    textResult.insert(textResult.end(), 5, 0);
    add16(textResult, 0xFFFF);
    add16(textResult, 0);
    add32(textResult, 0);
    add16(textResult, 3);
    textResult.push_back(0x1E);
    add16(textResult, 1);
    Buf str;
    add16(str, 3);
    str.push_back(0);
    addText(str, "hey");
    auto read = [&](std::size_t cutShr, std::size_t cutStr) {
        return readWorkbookStream(workbookStream([](StreamBuilder&) {}, [&](StreamBuilder& s) {
            s.add(rt::Formula, exp);
            s.add(rt::ShrFmla, cut(shr, cutShr));
            s.add(rt::Formula, textResult);
            s.add(rt::Str, cut(str, cutStr));
        }));
    };
    auto whole = read(0, 0);
    ASSERT_TRUE(whole.ok()) << whole.error().message;
    const Sheet& w = whole->sheets[0];
    EXPECT_FALSE(w.formulas.at(static_cast<std::size_t>(w.cell(0, 0)->formula)).unresolved);
    EXPECT_EQ(w.cell(1, 0)->text, "hey");

    auto book = read(1, 1);
    ASSERT_TRUE(book.ok()) << book.error().message;
    const Sheet& s = book->sheets[0];
    EXPECT_TRUE(s.formulas.at(static_cast<std::size_t>(s.cell(0, 0)->formula)).unresolved);
    EXPECT_EQ(s.cell(1, 0)->kind, ValueKind::Text);
    EXPECT_EQ(s.cell(1, 0)->text, "");
}

TEST(ShortRecords, ShortRowAndColumnRecordsAreSkipped) {
    Buf row;
    for (std::uint16_t v : std::initializer_list<std::uint16_t>{0, 0, 1, 400, 0, 0, 0x40, 15}) add16(row, v);
    Buf col;
    for (std::uint16_t v : std::initializer_list<std::uint16_t>{0, 0, 3000, 15, 0}) add16(col, v);
    auto read = [&](std::size_t by) {
        return readWorkbookStream(workbookStream([](StreamBuilder&) {}, [&](StreamBuilder& s) {
            s.add(rt::Row, cut(row, by));
            s.add(rt::ColInfo, cut(col, by));
            s.add(rt::Number, numberCell(0, 0, 1));
        }));
    };
    auto whole = read(0);
    ASSERT_TRUE(whole.ok());
    EXPECT_NE(whole->sheets[0].rowInfo(0), nullptr);
    EXPECT_NE(whole->sheets[0].columnInfo(0), nullptr);
    auto book = read(1);
    ASSERT_TRUE(book.ok()) << book.error().message;
    EXPECT_EQ(book->sheets[0].rowInfo(0), nullptr);
    EXPECT_EQ(book->sheets[0].columnInfo(0), nullptr);
    EXPECT_NE(book->sheets[0].cell(0, 0), nullptr);
}

struct StructuralCase {
    const char* name;
    std::uint16_t type;
    Buf whole;
    std::size_t cutBy;
    bool inSheet;
};

std::vector<StructuralCase> structuralCases() {
    Buf palette;
    add16(palette, 2);
    add32(palette, 0x00FF0000);
    add32(palette, 0x0000FF00);
    Buf externSheet;
    add16(externSheet, 2);
    for (std::uint16_t v : std::initializer_list<std::uint16_t>{0, 0, 0, 0, 0, 0}) add16(externSheet, v);
    Buf supBook;
    add16(supBook, 1);
    add16(supBook, 5);
    supBook.push_back(0);
    addText(supBook, "a.xls");
    add16(supBook, 6);
    supBook.push_back(0);
    addText(supBook, "Sheet1");
    Buf name;
    add16(name, 0);
    name.push_back(0);
    name.push_back(4);  // cch
    add16(name, 0);     // cce
    add16(name, 0);
    add16(name, 0);     // global
    add32(name, 0);
    name.push_back(0);
    addText(name, "Rate");
    Buf merges;
    add16(merges, 2);
    for (std::uint16_t v : std::initializer_list<std::uint16_t>{0, 0, 0, 7, 2, 3, 0, 0}) add16(merges, v);
    Buf dateMode, codePage;
    add16(dateMode, 1);
    add16(codePage, 1200);
    return {
        {"FONT", rt::Font, fontRecord("Arial", 200), 1, false},
        {"XF", rt::Xf, xfRecord(0), 1, false},
        {"SST", rt::Sst, Buf{1, 0, 0, 0, 1, 0, 0, 0}, 1, false},
        {"PALETTE", rt::Palette, palette, 1, false},
        {"DATEMODE", rt::DateMode, dateMode, 1, false},
        {"CODEPAGE", rt::CodePage, codePage, 1, false},
        {"EXTERNSHEET", rt::ExternSheet, externSheet, 1, false},
        {"SUPBOOK path", rt::SupBook, Buf(supBook.begin(), supBook.begin() + 10), 1, false},
        {"SUPBOOK sheet name", rt::SupBook, supBook, 1, false},
        {"NAME", rt::Name, name, 1, false},
        {"MERGEDCELLS", rt::MergedCells, merges, 1, true},
        {"BOF inside a sheet", rt::Bof, Buf{0x00, 0x06, 0x10, 0x00}, 1, true},
    };
}

Result<Workbook> withRecord(const StructuralCase& c, const Buf& body) {
    auto add = [&](StreamBuilder& s) {
        s.add(c.type, body);
        if (c.type == rt::Bof) s.eof();  // the sub-stream's end
    };
    auto none = [](StreamBuilder&) {};
    if (c.inSheet) return readWorkbookStream(workbookStream(none, add));
    return readWorkbookStream(workbookStream(add, none));
}

TEST(ShortRecords, AShortStructuralRecordIsDamage) {
    for (const StructuralCase& c : structuralCases()) {
        SCOPED_TRACE(c.name);
        auto whole = withRecord(c, c.whole);
        EXPECT_TRUE(whole.ok()) << whole.error().message;
        auto book = withRecord(c, cut(c.whole, c.cutBy));
        ASSERT_FALSE(book.ok());
        EXPECT_EQ(book.error().kind, ErrorKind::Damaged);
    }
}

TEST(ShortRecords, ShortSheetListEntriesAndSheetBofsAreDamage) {
    // A BOUNDSHEET whose name runs past its record.
    StreamBuilder list;
    list.bof(0x0005);
    Buf entry = boundSheet("Sheet1");
    list.add(rt::BoundSheet, cut(entry, 1));
    list.eof();
    auto cutEntry = readWorkbookStream(list.bytes);
    ASSERT_FALSE(cutEntry.ok());
    EXPECT_EQ(cutEntry.error().kind, ErrorKind::Damaged);

    // A sheet whose BOF holds only its version: the globals' BOF (20 bytes) is followed by the
    // sheet list entry, whose offset says where the sheet's BOF starts.
    Buf stream = workbookStream([](StreamBuilder&) {}, [](StreamBuilder& s) { s.add(rt::Number, numberCell(0, 0, 1)); });
    ASSERT_TRUE(readWorkbookStream(stream).ok());
    const std::size_t bof = stream[24] | (stream[25] << 8) | (stream[26] << 16) | (std::size_t{stream[27]} << 24);
    ASSERT_EQ(stream[bof] | (stream[bof + 1] << 8), rt::Bof);
    stream[bof + 2] = 2;
    stream[bof + 3] = 0;
    stream.erase(stream.begin() + static_cast<std::ptrdiff_t>(bof + 6), stream.begin() + static_cast<std::ptrdiff_t>(bof + 20));
    auto cutBof = readWorkbookStream(stream);
    ASSERT_FALSE(cutBof.ok());
    EXPECT_EQ(cutBof.error().kind, ErrorKind::Damaged);
}

TEST(ShortRecords, TheTolerancesHold) {
    // A short FORMAT is skipped: its code is missing, the rest is read.
    Buf format;
    add16(format, 164);
    add16(format, 4);
    format.push_back(0);
    addText(format, "0.0");  // one character short
    Buf good;
    add16(good, 165);
    add16(good, 1);
    good.push_back(0);
    addText(good, "@");
    // An SST that announces three strings and holds two.
    Buf sst;
    add32(sst, 3);
    add32(sst, 3);
    for (const char* s : {"a", "b"}) {
        add16(sst, 1);
        sst.push_back(0);
        addText(sst, s);
    }
    // A link to a workbook no longer used: a path of one blank and a count of sheets without
    // their names.
    Buf unused;
    add16(unused, 3);
    add16(unused, 1);
    unused.push_back(0);
    addText(unused, " ");
    auto book = readWorkbookStream(workbookStream(
        [&](StreamBuilder& g) {
            g.add(rt::Format, format);
            g.add(rt::Format, good);
            g.add(rt::Sst, sst);
            g.add(rt::SupBook, unused);
        },
        [](StreamBuilder&) {}));
    ASSERT_TRUE(book.ok()) << book.error().message;
    EXPECT_EQ(book->formats.count(164), 0u);
    EXPECT_EQ(book->formats.at(165), "@");
    EXPECT_EQ(book->sharedStrings, (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(book->supBooks.size(), 1u);
    EXPECT_EQ(book->supBooks[0].path, " ");
    EXPECT_TRUE(book->supBooks[0].sheetNames.empty());
}

}  // namespace
}  // namespace tarnwick::xls
