#include "model/common/variant.h"

#include "base/number_text.h"

namespace tarnwick::model {

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

std::string Variant::describe() const {
    switch (kind_) {
        case Kind::Empty: return "(空)";
        case Kind::Null: return "(Null)";
        case Kind::Number: return generalNumberText(number_);
        case Kind::Text: return text_;
        case Kind::Boolean: return number_ != 0 ? "TRUE" : "FALSE";
        case Kind::CellError: return text_;
        case Kind::Failed: return "(读取失败：" + text_ + ")";
    }
    return {};
}

std::string Variant::explain() const {
    std::string s;
    if (mixed_ || kind_ == Kind::Null) {
        s = "各处不同";
    } else {
        switch (kind_) {
            case Kind::Empty: s = "空"; break;
            case Kind::Number: {
                const std::string name = names_ ? names_(number_) : std::string();
                s = name.empty() ? shortNumberText(number_) : name;
                break;
            }
            case Kind::Text: s = text_.empty() ? "空" : text_; break;
            case Kind::Boolean: s = number_ != 0 ? "是" : "否"; break;
            case Kind::CellError: s = text_; break;
            case Kind::Failed: s = "读不到（" + text_ + "）"; break;
            case Kind::Null: break;
        }
    }
    if (!note_.empty()) s += "（" + note_ + "）";
    return s;
}

bool equals(const Variant& a, const Variant& b) {
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

Check operator==(const Variant& a, const Variant& b) { return Check(equals(a, b), a.explain(), b.explain()); }
// A number compared with an enumeration's value is named as the value read is.
Check operator==(const Variant& v, double d) { return v == Variant::number(d).withNames(v.names()); }
Check operator==(const Variant& v, int i) { return v == Variant::number(i).withNames(v.names()); }
Check operator==(const Variant& v, std::string_view s) { return v == Variant::text(std::string(s)); }
Check operator==(const Variant& v, const char* s) { return v == std::string_view(s); }
Check operator==(const Variant& v, bool b) { return v == Variant::boolean(b); }

}  // namespace tarnwick::model
