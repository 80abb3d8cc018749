#include "selftest/sheets.h"

namespace tarnwick::selftest {
namespace {

// UTF-8 to the UTF-16 code units Visual Basic compares (invalid bytes become U+FFFD).
std::u16string utf16Units(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1Fu) : n == 3 ? (c & 0x0Fu) : (c & 0x07u);
        if (n == 0 || i + n > s.size()) n = 1, cp = 0xFFFD;
        for (std::size_t k = 1; k < n && cp != 0xFFFD; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            cp = (d & 0xC0) == 0x80 ? (cp << 6) | (d & 0x3Fu) : 0xFFFD;
        }
        i += n;
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp > 0xFFFF ? 0xFFFD : cp);
        }
    }
    return out;
}

bool numeric(const Variant& v) { return v.isNumber() || v.isBoolean(); }
double numberOf(const Variant& v) { return v.isBoolean() ? (v.asBoolean() ? -1.0 : 0.0) : v.asNumber(); }

bool startsWith(const Variant& v, std::string_view whole, std::string_view prefix1, std::string_view prefix2) {
    if (!v.isText()) return false;
    const std::string& f = v.asText();
    return f == whole || f.starts_with(prefix1) || f.starts_with(prefix2);
}

}  // namespace

ActiveSheet::ActiveSheet(const Result<excel::Worksheet>& active) {
    if (!active) {
        failure_ = active.error().message;
    } else if (active->data().type != xls::SheetType::Worksheet) {
        failure_ = "活动工作表“" + active->data().name + "”不是工作表，无法读取单元格。";
    } else {
        sheet_ = *active;
    }
}

excel::Range ActiveSheet::Range(std::string_view address) const {
    return sheet_ ? sheet_->Range(address) : excel::Range::failedRange(failure_);
}
excel::Range ActiveSheet::Rows(std::string_view rows) const {
    return sheet_ ? sheet_->Rows(rows) : excel::Range::failedRange(failure_);
}
excel::Range ActiveSheet::Columns(std::string_view columns) const {
    return sheet_ ? sheet_->Columns(columns) : excel::Range::failedRange(failure_);
}
excel::Range ActiveSheet::Cells(std::uint32_t row, std::uint32_t column) const {
    return sheet_ ? sheet_->Cells(row, column) : excel::Range::failedRange(failure_);
}

std::optional<bool> lessThan(const Variant& a, const Variant& b) {
    for (const Variant* v : {&a, &b})
        if (v->isFailed() || v->isCellError()) return std::nullopt;
    if (a.isNull() || b.isNull()) return false;
    if (a.isEmpty() && b.isEmpty()) return false;
    // Empty takes the kind of the other side: 0 beside a number, "" beside a text.
    const bool aText = a.isText() || (a.isEmpty() && b.isText());
    const bool bText = b.isText() || (b.isEmpty() && a.isText());
    if (aText && bText) return utf16Units(a.isText() ? a.asText() : "") < utf16Units(b.isText() ? b.asText() : "");
    if (!aText && !bText) return (numeric(a) ? numberOf(a) : 0.0) < (numeric(b) ? numberOf(b) : 0.0);
    return !aText;  // a number is less than a text
}

model::Check oneDecimalFormat(const Variant& format) {
    return model::Check(startsWith(format, "0.0", "0.0_", "0.0;_"), format.explain(), "1 位小数的格式（0.0 或 0.0_ ）");
}
model::Check twoDecimalFormat(const Variant& format) {
    return model::Check(startsWith(format, "0.00", "0.00_", "0.00;_"), format.explain(), "2 位小数的格式（0.00 或 0.00_ ）");
}

std::string cellAddress(std::string_view column, std::uint32_t row) { return std::string(column) + std::to_string(row); }

}  // namespace tarnwick::selftest
