// Formula text from hand-built BIFF8 token sequences, in both reference styles.
#include "formats/xls/formula.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tarnwick::xls {
namespace {

// Builds rgce (and the extra data after it) token by token, as Excel lays them out.
class Rgce {
public:
    Rgce& u8(unsigned v) {
        b_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Rgce& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Rgce& u32(unsigned v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Rgce& f64(double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i) u8((u >> (8 * i)) & 0xFF);
        return *this;
    }
    static unsigned colField(unsigned col, bool relRow, bool relCol) {
        return col | (relRow ? 0x8000u : 0) | (relCol ? 0x4000u : 0);
    }
    // PtgRef: 0-based row and column, relative unless said otherwise.
    Rgce& ref(unsigned row, unsigned col, bool relRow = true, bool relCol = true, unsigned ptg = 0x24) {
        return u8(ptg).u16(row).u16(colField(col, relRow, relCol));
    }
    Rgce& area(unsigned r1, unsigned c1, unsigned r2, unsigned c2, bool rel = true, unsigned ptg = 0x25) {
        return u8(ptg).u16(r1).u16(r2).u16(colField(c1, rel, rel)).u16(colField(c2, rel, rel));
    }
    // PtgRefN: signed offsets from the formula's cell.
    Rgce& refN(int rowOffset, int colOffset) {
        return u8(0x2C).u16(static_cast<std::uint16_t>(rowOffset))
            .u16(colField(static_cast<std::uint8_t>(colOffset), true, true));
    }
    Rgce& areaN(int r1, int c1, int r2, int c2) {
        return u8(0x2D).u16(static_cast<std::uint16_t>(r1)).u16(static_cast<std::uint16_t>(r2))
            .u16(colField(static_cast<std::uint8_t>(c1), true, true))
            .u16(colField(static_cast<std::uint8_t>(c2), true, true));
    }
    Rgce& ref3d(unsigned ixti, unsigned row, unsigned col, bool rel) {
        return u8(0x3A).u16(ixti).u16(row).u16(colField(col, rel, rel));
    }
    Rgce& area3d(unsigned ixti, unsigned r1, unsigned c1, unsigned r2, unsigned c2, bool rel) {
        return u8(0x3B).u16(ixti).u16(r1).u16(r2).u16(colField(c1, rel, rel)).u16(colField(c2, rel, rel));
    }
    Rgce& num(double v) { return u8(0x1F).f64(v); }
    Rgce& integer(unsigned v) { return u8(0x1E).u16(v); }
    Rgce& str(const std::string& latin1) {
        u8(0x17).u8(static_cast<unsigned>(latin1.size())).u8(0);
        for (char c : latin1) u8(static_cast<std::uint8_t>(c));
        return *this;
    }
    Rgce& wideStr(const std::u16string& s) {
        u8(0x17).u8(static_cast<unsigned>(s.size())).u8(1);
        for (char16_t c : s) u16(c);
        return *this;
    }
    Rgce& boolean(bool v) { return u8(0x1D).u8(v ? 1 : 0); }
    Rgce& err(unsigned code) { return u8(0x1C).u8(code); }
    Rgce& miss() { return u8(0x16); }
    Rgce& op(unsigned ptg) { return u8(ptg); }
    Rgce& func(unsigned index) { return u8(0x41).u16(index); }
    Rgce& funcVar(unsigned argc, unsigned index) { return u8(0x42).u8(argc).u16(index); }
    Rgce& attr(unsigned flags, unsigned data) { return u8(0x19).u8(flags).u16(data); }
    Rgce& attrSum() { return attr(0x10, 0); }
    Rgce& attrIf(unsigned skip = 0) { return attr(0x02, skip); }
    Rgce& attrGoto(unsigned skip = 0) { return attr(0x08, skip); }
    Rgce& space(unsigned type, unsigned count) { return u8(0x19).u8(0x40).u8(type).u8(count); }
    Rgce& attrChoose(unsigned count) {
        u8(0x19).u8(0x04).u16(count);
        for (unsigned i = 0; i <= count; ++i) u16(2 * (count + 1) + 4 * i);
        return *this;
    }
    Bytes bytes() const { return {b_.data(), b_.size()}; }
    std::size_t size() const { return b_.size(); }

private:
    std::vector<std::uint8_t> b_;
};

enum : unsigned {
    kAdd = 0x03, kSub, kMul, kDiv, kPower, kConcat, kLT, kLE, kEQ, kGE, kGT, kNE, kIsect, kUnion,
    kRange, kUplus, kUminus, kPercent, kParen
};
enum : unsigned { kIf = 1, kSum = 4, kAverage = 5, kMin = 6, kMax = 7, kChoose = 100,
                  kUpper = 113, kConcatenate = 336, kSumif = 345 };

FormulaEnv at(unsigned row, unsigned col) {
    FormulaEnv env;
    env.row = row;
    env.col = col;
    return env;
}

std::string a1(const Rgce& r, const FormulaEnv& env = {}, const Rgce& extra = {}) {
    auto text = formulaText(r.bytes(), extra.bytes(), env, RefStyle::A1);
    return text ? *text : "error: " + text.error().message;
}
std::string r1c1(const Rgce& r, const FormulaEnv& env = {}, const Rgce& extra = {}) {
    auto text = formulaText(r.bytes(), extra.bytes(), env, RefStyle::R1C1);
    return text ? *text : "error: " + text.error().message;
}

// --- the formulas the exercises mark -------------------------------------------------------

TEST(FormulaText, ExerciseSumsInBothStylesAndBothEncodings) {
    const FormulaEnv h3 = at(2, 7);  // H3
    const Rgce funcVar = Rgce().area(2, 3, 2, 6).funcVar(1, kSum);
    const Rgce attrSum = Rgce().area(2, 3, 2, 6).attrSum();
    EXPECT_EQ(a1(funcVar, h3), "=SUM(D3:G3)");
    EXPECT_EQ(a1(attrSum, h3), "=SUM(D3:G3)");
    EXPECT_EQ(r1c1(funcVar, h3), "=SUM(RC[-4]:RC[-1])");
    // The self-test sheet's total of C..G in H.
    EXPECT_EQ(r1c1(Rgce().area(2, 2, 2, 6).funcVar(1, kSum), h3), "=SUM(RC[-5]:RC[-1])");
    EXPECT_EQ(r1c1(Rgce().area(41, 2, 41, 6).attrSum(), at(41, 7)), "=SUM(RC[-5]:RC[-1])");
    EXPECT_EQ(r1c1(Rgce().area(2, 3, 2, 7).funcVar(1, kAverage), at(2, 8)), "=AVERAGE(RC[-5]:RC[-1])");

    const Rgce average = Rgce().area(2, 3, 20, 3).funcVar(1, kAverage);
    EXPECT_EQ(a1(average, at(21, 3)), "=AVERAGE(D3:D21)");
    EXPECT_EQ(a1(Rgce().area(2, 2, 20, 2).funcVar(1, kMax), at(21, 2)), "=MAX(C3:C21)");
    // Column average of rows 3..42 in row 43, and MIN in row 45, in R1C1.
    EXPECT_EQ(r1c1(Rgce().area(2, 2, 41, 2).funcVar(1, kAverage), at(42, 2)),
              "=AVERAGE(R[-40]C:R[-1]C)");
    EXPECT_EQ(r1c1(Rgce().area(2, 4, 41, 4).funcVar(1, kMin), at(44, 4)), "=MIN(R[-42]C:R[-3]C)");
}

TEST(FormulaText, ExerciseProductsAndSums) {
    EXPECT_EQ(a1(Rgce().ref(2, 6).num(0.05).op(kMul), at(2, 7)), "=G3*0.05");
    // =C3*$C$20 typed in D3.
    const Rgce charge = Rgce().ref(2, 2).ref(19, 2, false, false).op(kMul);
    EXPECT_EQ(a1(charge, at(2, 3)), "=C3*$C$20");
    EXPECT_EQ(r1c1(charge, at(2, 3)), "=RC[-1]*R20C3");
    const Rgce charge2 = Rgce().ref(19, 2, false, false).ref(2, 2).op(kMul);
    EXPECT_EQ(r1c1(charge2, at(2, 3)), "=R20C3*RC[-1]");
    // =D3+F3+H3 in I3.
    const Rgce total = Rgce().ref(2, 3).ref(2, 5).op(kAdd).ref(2, 7).op(kAdd);
    EXPECT_EQ(r1c1(total, at(2, 8)), "=RC[-5]+RC[-3]+RC[-1]");
    EXPECT_EQ(a1(total, at(2, 8)), "=D3+F3+H3");
}

TEST(FormulaText, FormulasOfTheCorpusFacts) {
    EXPECT_EQ(a1(Rgce().area(0, 0, 4, 0).str(">4000").area(0, 1, 4, 1).funcVar(3, kSumif), at(0, 2)),
              "=SUMIF(A1:A5,\">4000\",B1:B5)");
    EXPECT_EQ(a1(Rgce().str("xyz").func(kUpper)), "=UPPER(\"xyz\")");
    EXPECT_EQ(a1(Rgce().ref(0, 0).ref(1, 0).funcVar(2, kConcatenate), at(2, 0)), "=CONCATENATE(A1,A2)");
}

// --- references ----------------------------------------------------------------------------

TEST(FormulaText, RelativeAndAbsoluteCellReferences) {
    const FormulaEnv c5 = at(4, 2);
    EXPECT_EQ(a1(Rgce().ref(0, 0, false, false), c5), "=$A$1");
    EXPECT_EQ(a1(Rgce().ref(0, 0, true, false), c5), "=$A1");
    EXPECT_EQ(a1(Rgce().ref(0, 0, false, true), c5), "=A$1");
    EXPECT_EQ(a1(Rgce().ref(65535, 255), c5), "=IV65536");
    EXPECT_EQ(r1c1(Rgce().ref(0, 0, false, false), c5), "=R1C1");
    EXPECT_EQ(r1c1(Rgce().ref(4, 2), c5), "=RC");
    EXPECT_EQ(r1c1(Rgce().ref(5, 1), c5), "=R[1]C[-1]");
    EXPECT_EQ(r1c1(Rgce().ref(0, 2, false, true), c5), "=R1C");
    EXPECT_EQ(r1c1(Rgce().area(0, 0, 1, 1, false), c5), "=R1C1:R2C2");
    // Value- and array-class forms of the same tokens read the same.
    EXPECT_EQ(a1(Rgce().ref(0, 0, false, false, 0x44)), "=$A$1");
    EXPECT_EQ(a1(Rgce().ref(0, 0, false, false, 0x64)), "=$A$1");
    EXPECT_EQ(a1(Rgce().area(0, 0, 1, 1, true, 0x65)), "=A1:B2");
}

TEST(FormulaText, WholeRowsAndColumns) {
    const FormulaEnv c5 = at(4, 2);
    EXPECT_EQ(a1(Rgce().area(0, 0, 65535, 0), c5), "=A:A");
    EXPECT_EQ(a1(Rgce().area(0, 0, 65535, 1, false), c5), "=$A:$B");
    EXPECT_EQ(a1(Rgce().area(0, 0, 0, 255), c5), "=1:1");
    EXPECT_EQ(a1(Rgce().area(0, 0, 2, 255, false), c5), "=$1:$3");
    EXPECT_EQ(a1(Rgce().area(0, 0, 65535, 255, false), c5), "=$1:$65536");
    EXPECT_EQ(r1c1(Rgce().area(0, 0, 65535, 0, false), c5), "=C1");
    EXPECT_EQ(r1c1(Rgce().area(0, 1, 65535, 2), c5), "=C[-1]:C");
    EXPECT_EQ(r1c1(Rgce().area(0, 0, 0, 255, false), c5), "=R1");
    EXPECT_EQ(r1c1(Rgce().area(3, 0, 5, 255), c5), "=R[-1]:R[1]");
    // A block that stops short of the last row stays a block.
    EXPECT_EQ(a1(Rgce().area(0, 0, 65534, 0), c5), "=A1:A65535");
}

TEST(FormulaText, SharedFormulaOffsetsResolveAgainstTheCell) {
    // B2 in the shared formula of A2..A5 is stored as (row +0, col +1).
    EXPECT_EQ(a1(Rgce().refN(0, 1), at(1, 0)), "=B2");
    EXPECT_EQ(a1(Rgce().refN(0, 1), at(4, 0)), "=B5");
    EXPECT_EQ(r1c1(Rgce().refN(0, 1), at(4, 0)), "=RC[1]");
    EXPECT_EQ(a1(Rgce().refN(-1, -2), at(5, 3)), "=B5");
    EXPECT_EQ(r1c1(Rgce().refN(-1, -2), at(5, 3)), "=R[-1]C[-2]");
    // Offsets run off the top and the left edge and come back at the other side.
    EXPECT_EQ(a1(Rgce().refN(-1, 0), at(0, 0)), "=A65536");
    EXPECT_EQ(a1(Rgce().refN(0, -1), at(0, 0)), "=IV1");
    EXPECT_EQ(a1(Rgce().refN(1, 1), at(65535, 255)), "=A1");
    // Absolute parts are plain coordinates even in the offset form.
    Rgce mixed;
    mixed.u8(0x2C).u16(19).u16(Rgce::colField(static_cast<std::uint8_t>(-1), false, true));
    EXPECT_EQ(a1(mixed, at(2, 3)), "=C$20");
    EXPECT_EQ(r1c1(mixed, at(2, 3)), "=R20C[-1]");
    // SUM(RC[-5]:RC[-1]) as a shared formula, read in H10.
    const Rgce sum = Rgce().areaN(0, -5, 0, -1).attrSum();
    EXPECT_EQ(a1(sum, at(9, 7)), "=SUM(C10:G10)");
    EXPECT_EQ(r1c1(sum, at(9, 7)), "=SUM(RC[-5]:RC[-1])");
}

TEST(FormulaText, ThreeDimensionalReferencesUseTheSheetPrefix) {
    FormulaEnv env = at(0, 2);
    env.sheetPrefix = [](std::uint16_t ixti) -> std::string {
        if (ixti == 0) return "Sheet1";
        if (ixti == 1) return "'My Sheet'";
        if (ixti == 2) return "Sh3";
        return "";
    };
    const Rgce sum = Rgce().ref3d(0, 0, 0, true).ref3d(1, 1, 1, false).op(kAdd);
    EXPECT_EQ(a1(sum, env), "=Sheet1!A1+'My Sheet'!$B$2");
    EXPECT_EQ(r1c1(sum, env), "=Sheet1!RC[-2]+'My Sheet'!R2C2");
    EXPECT_EQ(a1(Rgce().area3d(2, 0, 0, 3, 0, true).funcVar(1, kSum), env), "=SUM(Sh3!A1:A4)");
    EXPECT_EQ(a1(Rgce().ref3d(7, 0, 0, false), env), "=#REF!$A$1");
    EXPECT_EQ(a1(Rgce().u8(0x3C).u16(0).u16(0).u16(0), env), "=Sheet1!#REF!");
    EXPECT_EQ(a1(Rgce().u8(0x3D).u16(1).u16(0).u16(0).u16(0).u16(0), env), "='My Sheet'!#REF!");
    EXPECT_EQ(a1(Rgce().u8(0x2A).u16(0).u16(0).num(1).op(kAdd)), "=#REF!+1");
    EXPECT_EQ(a1(Rgce().u8(0x2B).u16(0).u16(0).u16(0).u16(0).funcVar(1, kSum)), "=SUM(#REF!)");
}

// --- operators and constants ---------------------------------------------------------------

TEST(FormulaText, BinaryOperators) {
    const std::pair<unsigned, const char*> ops[] = {
        {kAdd, "+"}, {kSub, "-"}, {kMul, "*"}, {kDiv, "/"}, {kPower, "^"}, {kConcat, "&"},
        {kLT, "<"}, {kLE, "<="}, {kEQ, "="}, {kGE, ">="}, {kGT, ">"}, {kNE, "<>"}};
    for (const auto& [ptg, text] : ops)
        EXPECT_EQ(a1(Rgce().ref(0, 0).integer(2).op(ptg), at(5, 5)), std::string("=A1") + text + "2");
    EXPECT_EQ(a1(Rgce().ref(0, 0).ref(1, 1).op(kRange)), "=A1:B2");
    EXPECT_EQ(a1(Rgce().area(0, 0, 1, 1).area(1, 1, 2, 2).op(kIsect)), "=A1:B2 B2:C3");
    EXPECT_EQ(a1(Rgce().ref(0, 0).ref(2, 2).op(kUnion).op(kParen).funcVar(1, kSum)), "=SUM((A1,C3))");
}

TEST(FormulaText, UnaryOperatorsPercentAndParentheses) {
    EXPECT_EQ(a1(Rgce().ref(0, 0).op(kUminus)), "=-A1");
    EXPECT_EQ(a1(Rgce().ref(0, 0).op(kUplus)), "=+A1");
    EXPECT_EQ(a1(Rgce().integer(50).op(kPercent)), "=50%");
    EXPECT_EQ(a1(Rgce().ref(0, 0).op(kUminus).op(kPercent)), "=-A1%");
    // =(A1+B1)*-2 and =-(A1-B1)^2
    EXPECT_EQ(a1(Rgce().ref(0, 0).ref(0, 1).op(kAdd).op(kParen).integer(2).op(kUminus).op(kMul)),
              "=(A1+B1)*-2");
    EXPECT_EQ(a1(Rgce().ref(0, 0).ref(0, 1).op(kSub).op(kParen).op(kUminus).integer(2).op(kPower)),
              "=-(A1-B1)^2");
    EXPECT_EQ(a1(Rgce().integer(1).op(kParen).op(kParen)), "=((1))");
}

TEST(FormulaText, NumbersAsExcelSpellsThem) {
    const std::pair<double, const char*> cases[] = {
        {0.05, "0.05"}, {78.45, "78.45"}, {139.5, "139.5"}, {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {1e20, "1E+20"},
        {1.5e-12, "1.5E-12"}, {1e100, "1E+100"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"}, {1234567890123456789.0, "1.23456789012346E+18"}, {100000, "100000"},
        {0.001, "0.001"}, {3.0, "3"}, {65536, "65536"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(a1(Rgce().num(value)), std::string("=") + text) << value;
    EXPECT_EQ(a1(Rgce().integer(65535)), "=65535");
    EXPECT_EQ(a1(Rgce().integer(0)), "=0");
}

TEST(FormulaText, StringsBooleansErrorsAndMissingArguments) {
    EXPECT_EQ(a1(Rgce().str("say \"hi\"")), "=\"say \"\"hi\"\"\"");
    EXPECT_EQ(a1(Rgce().str("")), "=\"\"");
    EXPECT_EQ(a1(Rgce().wideStr(u"总分").str("\xe9").op(kConcat)), "=\"总分\"&\"é\"");
    EXPECT_EQ(a1(Rgce().boolean(true).boolean(false).op(kEQ)), "=TRUE=FALSE");
    const std::pair<unsigned, const char*> errors[] = {
        {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
        {0x1D, "#NAME?"}, {0x24, "#NUM!"}, {0x2A, "#N/A"}};
    for (const auto& [code, text] : errors) EXPECT_EQ(a1(Rgce().err(code)), std::string("=") + text);
    EXPECT_EQ(a1(Rgce().ref(0, 0).miss().integer(1).attrIf().funcVar(3, kIf), at(3, 3)), "=IF(A1,,1)");
}

// --- functions -----------------------------------------------------------------------------

TEST(FormulaText, IfWithTwoAndThreeArgumentsAndItsJumps) {
    const FormulaEnv b1 = at(0, 1);
    const Rgce two = Rgce().ref(0, 0).integer(0).op(kGT).attrIf(7).str("yes").attrGoto(3).funcVar(2, kIf);
    EXPECT_EQ(a1(two, b1), "=IF(A1>0,\"yes\")");
    const Rgce three = Rgce().ref(0, 0).integer(0).op(kGT).attrIf(9).str("yes").attrGoto(10)
                           .str("no").attrGoto(3).funcVar(3, kIf);
    EXPECT_EQ(a1(three, b1), "=IF(A1>0,\"yes\",\"no\")");
    EXPECT_EQ(r1c1(three, b1), "=IF(RC[-1]>0,\"yes\",\"no\")");
    // Nested: =IF(A1,SUM(A2:A3),MAX(1,2))
    const Rgce nested = Rgce().ref(0, 0).attrIf().area(1, 0, 2, 0).attrSum().attrGoto()
                            .integer(1).integer(2).funcVar(2, kMax).attrGoto().funcVar(3, kIf);
    EXPECT_EQ(a1(nested, b1), "=IF(A1,SUM(A2:A3),MAX(1,2))");
}

TEST(FormulaText, ChooseSkipsItsJumpTable) {
    const Rgce choose = Rgce().ref(0, 0).attrChoose(3).integer(10).attrGoto().integer(20).attrGoto()
                            .str("x").attrGoto().funcVar(4, kChoose);
    EXPECT_EQ(a1(choose, at(0, 1)), "=CHOOSE(A1,10,20,\"x\")");
}

TEST(FormulaText, FixedArgumentFunctionsAndEmptyArgumentLists) {
    EXPECT_EQ(a1(Rgce().func(19)), "=PI()");
    EXPECT_EQ(a1(Rgce().func(221)), "=TODAY()");
    EXPECT_EQ(a1(Rgce().num(2.5).integer(0).func(27)), "=ROUND(2.5,0)");
    EXPECT_EQ(a1(Rgce().ref(0, 0).integer(3).func(30), at(1, 1)), "=REPT(A1,3)");
    EXPECT_EQ(a1(Rgce().ref(0, 0).func(261), at(1, 1)), "=ERROR.TYPE(A1)");
    EXPECT_EQ(a1(Rgce().funcVar(0, kSum)), "=SUM()");
    // The prompt bit of the argument count does not count as arguments.
    EXPECT_EQ(a1(Rgce().integer(1).funcVar(0x81, kSum)), "=SUM(1)");
}

TEST(FormulaText, NamesAndAddInFunctions) {
    FormulaEnv env = at(0, 3);
    env.definedName = [](std::uint32_t index) { return index == 2 ? std::string("Rate") : std::string(); };
    env.externalName = [](std::uint16_t ixti, std::uint32_t index) -> std::string {
        if (ixti != 0) return "";
        if (index == 1) return "_xlfn.IFERROR";
        if (index == 2) return "NETWORKDAYS";
        return "";
    };
    EXPECT_EQ(a1(Rgce().ref(0, 2).u8(0x43).u16(2).u16(0).op(kMul), env), "=C1*Rate");
    const Rgce iferror = Rgce().u8(0x39).u16(0).u16(1).u16(0).ref(0, 0).integer(0).funcVar(3, 255);
    EXPECT_EQ(a1(iferror, env), "=IFERROR(A1,0)");
    const Rgce days = Rgce().u8(0x39).u16(0).u16(2).u16(0).ref(0, 0).ref(0, 1).funcVar(3, 255);
    EXPECT_EQ(a1(days, env), "=NETWORKDAYS(A1,B1)");
    EXPECT_FALSE(formulaText(Rgce().u8(0x23).u16(9).u16(0).bytes(), {}, env, RefStyle::A1));
    EXPECT_FALSE(formulaText(Rgce().u8(0x39).u16(1).u16(1).u16(0).bytes(), {}, env, RefStyle::A1));
}

// --- blanks --------------------------------------------------------------------------------

TEST(FormulaText, BlanksAndLineBreaksWhereTheFileStoresThem) {
    // = A1 + B1: a blank before each operand and before the operator.
    EXPECT_EQ(a1(Rgce().space(0, 1).ref(0, 0).space(0, 1).ref(0, 1).space(0, 1).op(kAdd), at(5, 5)),
              "= A1 + B1");
    EXPECT_EQ(a1(Rgce().space(4, 2).ref(0, 0).space(0, 1).ref(0, 1).space(4, 1).funcVar(2, kSum),
                 at(5, 5)),
              "=SUM(  A1, B1 )");
    EXPECT_EQ(a1(Rgce().space(0, 1).ref(0, 0).space(4, 1).attrSum(), at(5, 5)), "=SUM( A1 )");
    EXPECT_EQ(a1(Rgce().ref(0, 0).space(1, 1).ref(0, 1).op(kAdd), at(5, 5)), "=A1+\nB1");
    EXPECT_EQ(a1(Rgce().ref(0, 0).space(2, 1).space(5, 1).op(kParen), at(5, 5)), "= (A1\n)");
    // A blank before a function name (the function token comes after its arguments).
    EXPECT_EQ(a1(Rgce().integer(1).ref(0, 0).space(0, 1).attrSum().op(kAdd), at(5, 5)), "=1+ SUM(A1)");
    // The volatile bit may ride along with the blank.
    EXPECT_EQ(a1(Rgce().u8(0x19).u8(0x41).u8(0).u8(2).integer(7)), "=  7");
}

// --- array constants and memory tokens -----------------------------------------------------

Rgce arrayToken() { return Rgce().u8(0x60).u8(0).u16(0).u16(0).u16(0); }

TEST(FormulaText, ArrayConstantsComeFromTheExtraData) {
    Rgce extra;
    extra.u8(1).u16(1);  // 2 columns, 2 rows
    extra.u8(0x01).f64(1.5).u8(0x02).u16(2).u8(0).u8('a').u8('"');
    extra.u8(0x04).u8(1).u16(0).u16(0).u16(0).u8(0).u8(0x10).u8(0x2A).u16(0).u16(0).u16(0).u8(0);
    EXPECT_EQ(a1(arrayToken().funcVar(1, kSum), {}, extra), "=SUM({1.5,\"a\"\"\";TRUE,#N/A})");
    // Two arrays take their data in token order: {1}+{2,3}
    Rgce two;
    two.u8(0).u16(0).u8(0x01).f64(1);
    two.u8(1).u16(0).u8(0x01).f64(2).u8(0x01).f64(3);
    Rgce sum = arrayToken();
    sum.u8(0x60).u8(0).u16(0).u16(0).u16(0).op(kAdd);
    EXPECT_EQ(a1(sum, {}, two), "={1}+{2,3}");
    // A single column of three rows.
    Rgce column;
    column.u8(0).u16(2).u8(0x01).f64(1).u8(0x01).f64(2).u8(0x02).u16(1).u8(1).u16(0x4E2D);
    EXPECT_EQ(a1(arrayToken(), {}, column), "={1;2;\"中\"}");
    EXPECT_FALSE(formulaText(arrayToken().bytes(), {}, {}, RefStyle::A1));  // no extra data
}

TEST(FormulaText, MemoryTokensShowTheExpressionTheyCover) {
    // PtgMemFunc around A1:B2 B2:C3, then SUM.
    Rgce isect = Rgce().u8(0x29).u16(19).area(0, 0, 1, 1).area(1, 1, 2, 2).op(kIsect).funcVar(1, kSum);
    EXPECT_EQ(a1(isect, at(9, 9)), "=SUM(A1:B2 B2:C3)");
    // PtgMemArea has a rectangle list in the extra data that comes before a later array's.
    Rgce mem = Rgce().u8(0x26).u32(0).u16(19).area(0, 0, 1, 1).area(1, 1, 2, 2).op(kIsect);
    mem = mem.funcVar(1, kSum);
    Rgce withArray = mem;
    withArray.u8(0x60).u8(0).u16(0).u16(0).u16(0).op(kAdd);
    Rgce extra;
    extra.u16(1).u16(1).u16(1).u16(1).u16(1);  // one rectangle B2:B2
    extra.u8(0).u16(0).u8(0x01).f64(4);
    EXPECT_EQ(a1(withArray, at(9, 9), extra), "=SUM(A1:B2 B2:C3)+{4}");
    EXPECT_EQ(a1(Rgce().u8(0x27).u32(0).u16(0).u8(0x2B).u16(0).u16(0).u16(0).u16(0)), "=#REF!");
    EXPECT_EQ(a1(Rgce().u8(0x28).u32(0).u16(0).integer(1)), "=1");
}

// --- damaged input -------------------------------------------------------------------------

bool fails(const Rgce& r, const Rgce& extra = {}) {
    const FormulaEnv env = at(3, 3);
    auto x = formulaText(r.bytes(), extra.bytes(), env, RefStyle::A1);
    auto y = formulaText(r.bytes(), extra.bytes(), env, RefStyle::R1C1);
    EXPECT_EQ(x.ok(), y.ok());
    if (!x) {
        EXPECT_FALSE(x.error().message.empty());
    }
    return !x && !y;
}

TEST(FormulaText, DamagedTokensAreErrors) {
    EXPECT_TRUE(fails(Rgce()));                                   // nothing at all
    EXPECT_TRUE(fails(Rgce().op(kAdd)));                          // operator without operands
    EXPECT_TRUE(fails(Rgce().integer(1).op(kAdd)));               // one operand short
    EXPECT_TRUE(fails(Rgce().integer(1).integer(2)));             // operands left over
    EXPECT_TRUE(fails(Rgce().op(kParen)));
    EXPECT_TRUE(fails(Rgce().op(kUminus)));
    EXPECT_TRUE(fails(Rgce().attrSum()));
    EXPECT_TRUE(fails(Rgce().u8(0x00)));                          // no such token
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x80)));
    EXPECT_TRUE(fails(Rgce().u8(0x18).u8(0x01).u16(0)));          // Lotus-style extended tokens
    EXPECT_TRUE(fails(Rgce().u8(0x30).u16(0)));                   // unassigned classed token
    EXPECT_TRUE(fails(Rgce().u8(0x01).u16(0).u16(0)));            // PtgExp: caller's job
    EXPECT_TRUE(fails(Rgce().u8(0x02).u16(0).u16(0)));            // PtgTbl
    EXPECT_TRUE(fails(Rgce().integer(1).func(kSum)));             // SUM has no fixed count
    EXPECT_TRUE(fails(Rgce().integer(1).func(202)));              // reserved function index
    EXPECT_TRUE(fails(Rgce().integer(1).funcVar(1, 600)));
    EXPECT_TRUE(fails(Rgce().integer(1).funcVar(2, kSum)));       // more arguments than operands
    EXPECT_TRUE(fails(Rgce().integer(1).funcVar(1, 0x8000 | 5))); // macro command
    EXPECT_TRUE(fails(Rgce().integer(1).funcVar(0, 255)));        // add-in call without a name
    EXPECT_TRUE(fails(Rgce().ref(0, 256)));                       // column past IV
    EXPECT_TRUE(fails(Rgce().err(0x03)));                         // no such error value
    EXPECT_TRUE(fails(Rgce().integer(1).space(7, 1)));            // no such blank kind
    EXPECT_TRUE(fails(Rgce().u8(0x23).u32(1)));                   // names unknown to the caller
}

TEST(FormulaText, TruncatedTokensAreErrors) {
    // Each of these stops inside its last token.
    EXPECT_TRUE(fails(Rgce().u8(0x1F).u16(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x1E).u8(1)));
    EXPECT_TRUE(fails(Rgce().u8(0x1D)));
    EXPECT_TRUE(fails(Rgce().u8(0x1C)));
    EXPECT_TRUE(fails(Rgce().u8(0x17).u8(5).u8(0).u8('a')));
    EXPECT_TRUE(fails(Rgce().u8(0x17).u8(2).u8(1).u16('a').u8(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x24).u16(0).u8(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x25).u16(0).u16(0).u16(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x3A).u16(0).u16(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x3B).u16(0).u16(0).u16(0).u16(0)));
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x42).u8(1)));
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x41).u8(1)));
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x19).u8(0x10)));
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x19).u8(0x04).u16(5).u16(0)));  // short jump table
    EXPECT_TRUE(fails(Rgce().integer(1).u8(0x19).u8(0x40).u8(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x29).u8(0)));
    EXPECT_TRUE(fails(Rgce().u8(0x60).u16(0)));
    // Every cut of a complete formula either still reads or fails; none reads past the end.
    const Rgce full = Rgce().ref(0, 0).attrIf().area(1, 0, 2, 0).attrSum().attrGoto().str("ab")
                          .num(0.5).funcVar(2, kMax).attrGoto().funcVar(3, kIf);
    const auto all = full.bytes();
    for (std::size_t n = 0; n < all.size(); ++n) {
        auto cut = formulaText(all.first(n), {}, at(5, 5), RefStyle::A1);
        if (cut) {
            EXPECT_NE(*cut, "=IF(A1,SUM(A2:A3),MAX(\"ab\",0.5))");
        }
    }
    EXPECT_EQ(a1(full, at(5, 5)), "=IF(A1,SUM(A2:A3),MAX(\"ab\",0.5))");
}

TEST(FormulaText, DamagedArrayData) {
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(0)));                         // no row count
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(1).u16(0).u8(0x01).f64(1)));  // one value of two
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(0).u16(0).u8(0x07).f64(1)));  // no such value kind
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(0).u16(0).u8(0x02).u16(4).u8(0).u8('a')));
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(0).u16(0).u8(0x10).u8(0x55).u16(0).u16(0).u16(0).u8(0)));
    // A huge declared array with little data fails without trying to build it.
    EXPECT_TRUE(fails(arrayToken(), Rgce().u8(255).u16(65535).u8(0x01).f64(1)));
}

TEST(FormulaText, CapsOnTokensAndDepth) {
    Rgce manyHints = Rgce().integer(1);
    for (int i = 0; i < 9000; ++i) manyHints.attr(0x01, 0);  // volatile marks push nothing
    EXPECT_TRUE(fails(manyHints));
    Rgce fewHints = Rgce().integer(1);
    for (int i = 0; i < 100; ++i) fewHints.attr(0x01, 0);
    EXPECT_EQ(a1(fewHints), "=1");

    Rgce deep;
    for (int i = 0; i < 2000; ++i) deep.integer(1);
    for (int i = 0; i < 1999; ++i) deep.op(kAdd);
    EXPECT_TRUE(fails(deep));
    // Deep but balanced nesting within the caps still reads: ((((1))))...
    Rgce nested = Rgce().integer(1);
    for (int i = 0; i < 500; ++i) nested.op(kParen);
    auto text = formulaText(nested.bytes(), {}, {}, RefStyle::A1);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 1 + 500 + 1 + 500);
}

}  // namespace
}  // namespace tarnwick::xls
