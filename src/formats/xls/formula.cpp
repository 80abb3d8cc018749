// Renders a BIFF8 parsed formula (tokens in reverse Polish order) as formula text. Each operand
// token pushes its text, each operator or function pops its operands and pushes the combined
// text; the order of the tokens already encodes precedence, so parentheses come only from
// PtgParen, and blanks only from PtgAttrSpace.
#include "formats/xls/formula.h"
#include "formats/xls/literals.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "formats/xls/cell_address.h"
#include "base/number_text.h"
#include "formats/xls/function_table.h"

namespace tarnwick::xls {
namespace {

constexpr std::size_t kMaxTokens = 8192;
constexpr std::size_t kMaxStack = 1024;
constexpr std::size_t kMaxTextBytes = 256 * 1024;

// Blanks that PtgAttrSpace asks for, waiting for the token they stand before.
struct PendingSpaces {
    std::string before;       // before the next token (its operator or its first character)
    std::string beforeOpen;   // before an opening parenthesis
    std::string beforeClose;  // before a closing parenthesis

    bool empty() const { return before.empty() && beforeOpen.empty() && beforeClose.empty(); }
    std::string all() const { return beforeOpen + before + beforeClose; }
    void clear() { *this = PendingSpaces{}; }
};

// A cell position read from a reference token: the cell it denotes (0-based, after applying
// offsets) and, for relative parts, the offset from the formula's cell.
struct Loc {
    std::uint32_t row = 0;
    std::uint32_t col = 0;
    bool relRow = false;
    bool relCol = false;
    std::int64_t rowOffset = 0;
    std::int64_t colOffset = 0;
};

std::int64_t wrap(std::int64_t value, std::int64_t size) {
    const std::int64_t r = value % size;
    return r < 0 ? r + size : r;
}

class Renderer {
public:
    Renderer(Bytes rgce, Bytes extra, const FormulaEnv& env, RefStyle style)
        : in_(rgce), extra_(extra), env_(env), style_(style) {}

    Result<std::string> run() {
        if (in_.atEnd()) return Error{ErrorKind::Damaged, "公式内容为空，无法读取。"};
        std::size_t tokens = 0;
        while (!in_.atEnd()) {
            if (++tokens > kMaxTokens) return Error{ErrorKind::Damaged, "公式的记号过多，文件可能已损坏。"};
            std::uint8_t ptg = 0;
            in_.u8(ptg);
            if (!token(ptg)) return Error{ErrorKind::Damaged, error_};
        }
        if (stack_.size() != 1) return Error{ErrorKind::Damaged, "公式的运算数与运算符不匹配，文件可能已损坏。"};
        std::string text = "=";
        text += stack_.back();
        text += spaces_.all();
        return text;
    }

private:
    bool fail(const char* message) {
        error_ = message;
        return false;
    }
    bool truncated() { return fail("公式在记号中途结束，文件可能已损坏。"); }

    bool push(std::string text) {
        if (stack_.size() >= kMaxStack) return fail("公式嵌套过深，无法读取。");
        if (text.size() > kMaxTextBytes) return fail("公式文本过长，无法读取。");
        stack_.push_back(std::move(text));
        return true;
    }
    // An operand: blanks asked for before it go in front of it.
    bool pushOperand(std::string text) {
        std::string withSpaces = spaces_.all() + text;
        spaces_.clear();
        return push(std::move(withSpaces));
    }
    bool pop(std::string& out) {
        if (stack_.empty()) return fail("公式的运算符缺少运算数，文件可能已损坏。");
        out = std::move(stack_.back());
        stack_.pop_back();
        return true;
    }

    bool token(std::uint8_t ptg) {
        if (ptg < 0x20) return basicToken(ptg);
        if (ptg < 0x80) return classedToken(static_cast<std::uint8_t>(0x20 | (ptg & 0x1F)));
        return fail("公式中有无法识别的记号，文件可能已损坏。");
    }

    bool basicToken(std::uint8_t ptg) {
        static constexpr std::array<std::string_view, 15> kBinary = {
            "+", "-", "*", "/", "^", "&", "<", "<=", "=", ">=", ">", "<>", " ", ",", ":"};
        switch (ptg) {
        case 0x01:  // PtgExp
        case 0x02:  // PtgTbl
            return fail("共享公式或数组公式须先取得其公式本体才能读取。");
        case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09:
        case 0x0A: case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10:
        case 0x11:
            return binary(kBinary[ptg - 0x03]);
        case 0x12: return prefix("+");
        case 0x13: return prefix("-");
        case 0x14: return percent();
        case 0x15: return paren();
        case 0x16: return pushOperand("");  // PtgMissArg
        case 0x17: return string();
        case 0x19: return attr();
        case 0x1C: return errorConstant();
        case 0x1D: {
            std::uint8_t b = 0;
            if (!in_.u8(b)) return truncated();
            return pushOperand(b ? "TRUE" : "FALSE");
        }
        case 0x1E: {
            std::uint16_t v = 0;
            if (!in_.u16(v)) return truncated();
            return pushOperand(std::to_string(v));
        }
        case 0x1F: {
            double v = 0;
            if (!in_.f64(v)) return truncated();
            return pushOperand(generalNumberText(v));
        }
        default:  // 0x00, PtgSheet/PtgEndSheet of older versions, PtgElf* of 0x18
            return fail("公式中有不支持的记号，无法读取。");
        }
    }

    bool classedToken(std::uint8_t id) {
        switch (id) {
        case 0x20: return array();
        case 0x21: return function(false);
        case 0x22: return function(true);
        case 0x23: return name();
        case 0x24: return ref(false);
        case 0x25: return area(false);
        case 0x26:  // PtgMemArea: its cell list sits in the extra data
            if (!in_.skip(6)) return truncated();
            skipExtraMem();
            return true;
        case 0x27:  // PtgMemErr
        case 0x28:  // PtgMemNoMem
            return in_.skip(6) || truncated();
        case 0x29:  // PtgMemFunc
        case 0x2E:  // PtgMemAreaN
        case 0x2F:  // PtgMemNoMemN
            return in_.skip(2) || truncated();
        case 0x2A:
            return in_.skip(4) ? pushOperand("#REF!") : truncated();
        case 0x2B:
            return in_.skip(8) ? pushOperand("#REF!") : truncated();
        case 0x2C: return ref(true);
        case 0x2D: return area(true);
        case 0x39: return externalName();
        case 0x3A: return ref3d(false);
        case 0x3B: return area3d(false);
        case 0x3C: return ref3d(true);
        case 0x3D: return area3d(true);
        default:
            return fail("公式中有无法识别的记号，文件可能已损坏。");
        }
    }

    // --- operators ---------------------------------------------------------------------

    bool binary(std::string_view op) {
        std::string right, left;
        if (!pop(right) || !pop(left)) return false;
        left += spaces_.all();
        spaces_.clear();
        left += op;
        left += right;
        return push(std::move(left));
    }
    bool prefix(std::string_view op) {
        std::string operand;
        if (!pop(operand)) return false;
        std::string text = spaces_.all();
        spaces_.clear();
        text += op;
        text += operand;
        return push(std::move(text));
    }
    bool percent() {
        std::string operand;
        if (!pop(operand)) return false;
        operand += spaces_.all();
        spaces_.clear();
        operand += '%';
        return push(std::move(operand));
    }
    bool paren() {
        std::string inner;
        if (!pop(inner)) return false;
        std::string text = spaces_.beforeOpen + spaces_.before + "(" + inner + spaces_.beforeClose + ")";
        spaces_.clear();
        return push(std::move(text));
    }
    // name(args...) from the top argc operands; the blanks before it go before the name, those
    // before a closing parenthesis before ')'.
    bool call(std::string_view functionName, std::size_t argc) {
        if (argc > stack_.size()) return fail("函数的参数个数与公式内容不符，文件可能已损坏。");
        std::string text = spaces_.beforeOpen + spaces_.before;
        text += functionName;
        text += '(';
        const std::size_t first = stack_.size() - argc;
        for (std::size_t i = first; i < stack_.size(); ++i) {
            if (i > first) text += ',';
            text += stack_[i];
        }
        text += spaces_.beforeClose;
        text += ')';
        spaces_.clear();
        stack_.resize(first);
        return push(std::move(text));
    }

    bool function(bool variable) {
        std::uint8_t argc = 0;
        std::uint16_t tab = 0;
        if (variable && !in_.u8(argc)) return truncated();
        if (!in_.u16(tab)) return truncated();
        if (variable) {
            argc &= 0x7F;  // the high bit only says the user was prompted
            if (tab & 0x8000) return fail("公式中含有宏命令，无法读取。");
            if (tab == 255) return addInCall(argc);
        }
        const BuiltinFunction* f = builtinFunction(tab);
        if (f == nullptr) return fail("公式中有无法识别的函数，文件可能已损坏。");
        if (!variable) {
            if (f->fixedArgs < 0) return fail("公式中函数的参数个数无法确定，文件可能已损坏。");
            argc = static_cast<std::uint8_t>(f->fixedArgs);
        }
        return call(f->name, argc);
    }

    // Add-in and macro functions: the first of the arguments is the function's name.
    bool addInCall(std::size_t argc) {
        if (argc == 0 || argc > stack_.size()) return fail("函数的参数个数与公式内容不符，文件可能已损坏。");
        std::string functionName = std::move(stack_[stack_.size() - argc]);
        stack_.erase(stack_.end() - static_cast<std::ptrdiff_t>(argc));
        // Functions newer than the file format are stored under a "_xlfn." name; newer Excel
        // versions show them without it.
        constexpr std::string_view kFuture = "_xlfn.";
        if (functionName.compare(0, kFuture.size(), kFuture) == 0) functionName.erase(0, kFuture.size());
        return call(functionName, argc - 1);
    }

    bool attr() {
        std::uint8_t flags = 0;
        if (!in_.u8(flags)) return truncated();
        if (flags & 0x04) {  // PtgAttrChoose: a jump table of count + 1 offsets follows
            std::uint16_t count = 0;
            if (!in_.u16(count)) return truncated();
            return in_.skip((std::size_t{count} + 1) * 2) || truncated();
        }
        if (flags & 0x40) return attrSpace();
        std::uint16_t data = 0;
        if (!in_.u16(data)) return truncated();
        if (flags & 0x10) return call("SUM", 1);  // PtgAttrSum
        // PtgAttrIf, PtgAttrGoto, PtgAttrSemi, PtgAttrBaxcel: evaluation hints, no text.
        return true;
    }

    bool attrSpace() {
        std::uint8_t type = 0, count = 0;
        if (!in_.u8(type) || !in_.u8(count)) return truncated();
        switch (type) {
        case 0x00: case 0x06: spaces_.before.append(count, ' '); break;
        case 0x01: spaces_.before.append(count, '\n'); break;
        case 0x02: spaces_.beforeOpen.append(count, ' '); break;
        case 0x03: spaces_.beforeOpen.append(count, '\n'); break;
        case 0x04: spaces_.beforeClose.append(count, ' '); break;
        case 0x05: spaces_.beforeClose.append(count, '\n'); break;
        default: return fail("公式中的空白说明无法识别，文件可能已损坏。");
        }
        return true;
    }

    // --- constants ---------------------------------------------------------------------

    bool string() {
        std::string text;
        if (!readShortString(in_, text)) return truncated();
        return pushOperand(formulaStringLiteral(text));
    }


    // ShortXLUnicodeString (8-bit count) or, with wideCount, XLUnicodeString (16-bit count).
    static bool readShortString(ByteReader& r, std::string& out, bool wideCount = false) {
        std::uint16_t cch = 0;
        if (wideCount) {
            if (!r.u16(cch)) return false;
        } else {
            std::uint8_t c8 = 0;
            if (!r.u8(c8)) return false;
            cch = c8;
        }
        std::uint8_t flags = 0;
        if (!r.u8(flags)) return false;
        const std::size_t bytes = (flags & 0x01) ? std::size_t{cch} * 2 : cch;
        Bytes chars;
        if (!r.bytes(bytes, chars)) return false;
        out = (flags & 0x01) ? utf16leToUtf8(chars.data(), chars.size())
                             : latin1ToUtf8(chars.data(), chars.size());
        return true;
    }


    bool errorConstant() {
        std::uint8_t code = 0;
        if (!in_.u8(code)) return truncated();
        const char* text = cellErrorText(code);
        if (text == nullptr) return fail("公式中的错误值无法识别，文件可能已损坏。");
        return pushOperand(text);
    }

    // PtgArray: the values are in the extra data, one array after another in token order.
    bool array() {
        if (!in_.skip(7)) return truncated();
        if (!extraUsable_) return fail("公式中的数组常量缺少数据，文件可能已损坏。");
        std::uint8_t lastCol = 0;
        std::uint16_t lastRow = 0;
        if (!extra_.u8(lastCol) || !extra_.u16(lastRow)) return fail("公式中的数组常量缺少数据，文件可能已损坏。");
        std::string text = "{";
        for (std::uint32_t r = 0; r <= lastRow; ++r) {
            if (r > 0) text += ';';
            for (std::uint32_t c = 0; c <= lastCol; ++c) {
                if (c > 0) text += ',';
                if (!arrayValue(text)) return false;
                if (text.size() > kMaxTextBytes) return fail("公式文本过长，无法读取。");
            }
        }
        text += '}';
        return pushOperand(std::move(text));
    }

    bool arrayValue(std::string& text) {
        const char* bad = "公式中的数组常量已损坏。";
        std::uint8_t type = 0;
        if (!extra_.u8(type)) return fail(bad);
        switch (type) {
        case 0x00:
            return extra_.skip(8) || fail(bad);
        case 0x01: {
            double v = 0;
            if (!extra_.f64(v)) return fail(bad);
            text += generalNumberText(v);
            return true;
        }
        case 0x02: {
            std::string s;
            if (!readShortString(extra_, s, true)) return fail(bad);
            text += formulaStringLiteral(s);
            return true;
        }
        case 0x04:
        case 0x10: {
            std::uint8_t v = 0;
            if (!extra_.u8(v) || !extra_.skip(7)) return fail(bad);
            if (type == 0x04) {
                text += v ? "TRUE" : "FALSE";
                return true;
            }
            const char* e = cellErrorText(v);
            if (e == nullptr) return fail(bad);
            text += e;
            return true;
        }
        default:
            return fail(bad);
        }
    }

    // PtgExtraMem after a PtgMemArea: a count and that many 8-byte rectangles. When the caller
    // passed no extra data, later array constants cannot be found any more.
    void skipExtraMem() {
        std::uint16_t count = 0;
        if (!extraUsable_ || !extra_.u16(count) || !extra_.skip(std::size_t{count} * 8))
            extraUsable_ = false;
    }

    // --- names -------------------------------------------------------------------------

    bool name() {
        std::uint32_t index = 0;
        if (!in_.u32(index)) return truncated();
        std::string text = env_.definedName ? env_.definedName(index) : std::string{};
        if (text.empty()) return fail("公式中引用的名称无法找到。");
        return pushOperand(std::move(text));
    }

    bool externalName() {
        std::uint16_t ixti = 0, index = 0;
        if (!in_.u16(ixti) || !in_.u16(index) || !in_.skip(2)) return truncated();
        std::string text = env_.externalName ? env_.externalName(ixti, index) : std::string{};
        if (text.empty()) return fail("公式中引用的外部名称无法找到。");
        return pushOperand(std::move(text));
    }

    // --- references --------------------------------------------------------------------

    // Row and column fields of a reference. In the N forms (shared formulas) the relative
    // parts are signed offsets from the formula's cell that wrap around the sheet's edges.
    bool loc(std::uint16_t rowField, std::uint16_t colField, bool offsets, Loc& out) {
        out.relRow = (colField & 0x8000) != 0;
        out.relCol = (colField & 0x4000) != 0;
        const std::uint16_t colIndex = colField & 0x3FFF;
        const std::int64_t baseRow = env_.row, baseCol = env_.col;
        if (offsets && out.relRow) {
            out.rowOffset = static_cast<std::int16_t>(rowField);
            out.row = static_cast<std::uint32_t>(wrap(baseRow + out.rowOffset, kMaxRows));
        } else {
            out.row = rowField;
            out.rowOffset = std::int64_t{rowField} - baseRow;
        }
        if (offsets && out.relCol) {
            out.colOffset = static_cast<std::int8_t>(colIndex & 0xFF);
            out.col = static_cast<std::uint32_t>(wrap(baseCol + out.colOffset, kMaxColumns));
        } else {
            if (colIndex >= kMaxColumns) return fail("公式中的列号超出范围，文件可能已损坏。");
            out.col = colIndex;
            out.colOffset = std::int64_t{colIndex} - baseCol;
        }
        return true;
    }

    std::string rowText(const Loc& l) const {
        if (style_ == RefStyle::A1) return rowA1(l.row, !l.relRow);
        return r1c1Part('R', l.relRow ? l.rowOffset : l.row, l.relRow);
    }
    std::string colText(const Loc& l) const {
        if (style_ == RefStyle::A1) return columnA1(l.col, !l.relCol);
        return r1c1Part('C', l.relCol ? l.colOffset : l.col, l.relCol);
    }
    std::string cellText(const Loc& l) const {
        if (style_ == RefStyle::A1) return cellAddressA1(l.row, l.col, !l.relRow, !l.relCol);
        return rowText(l) + colText(l);
    }

    std::string areaText(const Loc& first, const Loc& last) const {
        const bool allRows = first.row == 0 && last.row == kMaxRows - 1;
        const bool allCols = first.col == 0 && last.col == kMaxColumns - 1;
        std::string a, b;
        if (allCols) {  // whole rows: "1:3", "R1:R3" (also for the whole sheet, as Excel does)
            a = rowText(first);
            b = rowText(last);
        } else if (allRows) {  // whole columns: "A:A", "C1"
            a = colText(first);
            b = colText(last);
        } else {
            return cellText(first) + ":" + cellText(last);
        }
        // R1C1 names a single whole row or column by itself ("R1"); A1 always needs both ends.
        if (style_ == RefStyle::R1C1 && a == b) return a;
        return a + ":" + b;
    }

    bool readCell(bool offsets, Loc& l) {
        std::uint16_t row = 0, col = 0;
        if (!in_.u16(row) || !in_.u16(col)) return truncated();
        return loc(row, col, offsets, l);
    }
    bool readArea(bool offsets, Loc& first, Loc& last) {
        std::uint16_t r1 = 0, r2 = 0, c1 = 0, c2 = 0;
        if (!in_.u16(r1) || !in_.u16(r2) || !in_.u16(c1) || !in_.u16(c2)) return truncated();
        return loc(r1, c1, offsets, first) && loc(r2, c2, offsets, last);
    }

    bool ref(bool offsets) {
        Loc l;
        if (!readCell(offsets, l)) return false;
        return pushOperand(cellText(l));
    }
    bool area(bool offsets) {
        Loc first, last;
        if (!readArea(offsets, first, last)) return false;
        return pushOperand(areaText(first, last));
    }

    bool sheetPrefix(std::string& out) {
        std::uint16_t ixti = 0;
        if (!in_.u16(ixti)) return truncated();
        out = env_.sheetPrefix ? env_.sheetPrefix(ixti) : std::string{};
        if (out.empty()) out = "#REF";  // a sheet that no longer exists: "#REF!A1"
        out += '!';
        return true;
    }
    bool ref3d(bool deleted) {
        std::string text;
        if (!sheetPrefix(text)) return false;
        if (deleted) return in_.skip(4) ? pushOperand(text + "#REF!") : truncated();
        Loc l;
        if (!readCell(false, l)) return false;
        return pushOperand(text + cellText(l));
    }
    bool area3d(bool deleted) {
        std::string text;
        if (!sheetPrefix(text)) return false;
        if (deleted) return in_.skip(8) ? pushOperand(text + "#REF!") : truncated();
        Loc first, last;
        if (!readArea(false, first, last)) return false;
        return pushOperand(text + areaText(first, last));
    }

    ByteReader in_;
    ByteReader extra_;
    bool extraUsable_ = true;
    const FormulaEnv& env_;
    RefStyle style_;
    std::vector<std::string> stack_;
    PendingSpaces spaces_;
    const char* error_ = "";
};

}  // namespace

Result<std::string> formulaText(Bytes rgce, Bytes extra, const FormulaEnv& env, RefStyle style) {
    return Renderer(rgce, extra, env, style).run();
}

}  // namespace tarnwick::xls
