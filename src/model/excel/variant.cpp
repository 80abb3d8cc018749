#include "model/excel/variant.h"

#include "formats/xls/literals.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarnwick::excel {

bool Variant::sameAs(const Variant& o) const {
    if (kind_ != o.kind_) return false;
    switch (kind_) {
        case Kind::Empty:
        case Kind::Null: return true;
        case Kind::Text:
        case Kind::Failed: return text_ == o.text_;
        default: return number_ == o.number_;
    }
}

std::string generalNumberText(double v) {
    if (std::isnan(v)) return "#NUM!";
    if (std::isinf(v)) return "#NUM!";
    if (v == 0) return "0";
    char buf[64];
    const double mag = std::fabs(v);
    if (mag >= 1e15 || mag < 1e-9) {
        std::snprintf(buf, sizeof buf, "%.14E", v);
        // Trim the mantissa's trailing zeros: 1.50000000000000E+20 -> 1.5E+20
        std::string s(buf);
        const std::size_t e = s.find('E');
        std::string mant = s.substr(0, e), exp = s.substr(e);
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
        // Exponent without leading zeros beyond two digits: E+020 -> E+20
        std::string sign = exp.substr(1, 1), digits = exp.substr(2);
        while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
        return mant + "E" + sign + digits;
    }
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s(buf);
    if (s.find('E') != std::string::npos) {
        // %G chose exponent form for a value in the plain range: print it fixed instead.
        std::snprintf(buf, sizeof buf, "%.15f", v);
        s = buf;
    }
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s;
}

std::string errorText(std::uint8_t code) {
    const char* text = xls::cellErrorText(code);
    return text ? text : "#N/A";
}

std::string Variant::describe() const {
    switch (kind_) {
        case Kind::Empty: return "(空)";
        case Kind::Null: return "(Null)";
        case Kind::Number: return generalNumberText(number_);
        case Kind::Text: return text_;
        case Kind::Boolean: return number_ != 0 ? "TRUE" : "FALSE";
        case Kind::CellError: return errorText(errorCode());
        case Kind::Failed: return "(读取失败：" + text_ + ")";
    }
    return {};
}

bool operator==(const Variant& a, const Variant& b) {
    using K = Variant::Kind;
    if (a.isNull() || b.isNull() || a.isFailed() || b.isFailed()) return false;
    if (a.isEmpty() || b.isEmpty()) {
        const Variant& o = a.isEmpty() ? b : a;
        return o.isEmpty() || (o.isText() && o.asText().empty()) || (o.isNumber() && o.asNumber() == 0);
    }
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
        case K::Text: return a.asText() == b.asText();
        case K::Number: return a.asNumber() == b.asNumber();
        case K::Boolean: return a.asBoolean() == b.asBoolean();
        case K::CellError: return a.errorCode() == b.errorCode();
        default: return false;
    }
}

bool operator==(const Variant& v, double d) { return v == Variant::number(d); }
bool operator==(const Variant& v, int i) { return v == Variant::number(i); }
bool operator==(const Variant& v, std::string_view s) { return v == Variant::text(std::string(s)); }
bool operator==(const Variant& v, const char* s) { return v == std::string_view(s); }
bool operator==(const Variant& v, bool b) { return v == Variant::boolean(b); }

}  // namespace tarnwick::excel
