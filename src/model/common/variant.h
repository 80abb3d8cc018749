// The value of one read through an object model (excel::, word::), compared the way the rubrics
// compare: numbers numerically, text case-sensitively, Null equal to nothing, Empty equal to ""
// and 0. A read that cannot be answered is Failed (with the reason); it equals nothing either.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::model {

class Variant {
public:
    enum class Kind : std::uint8_t { Empty, Null, Number, Text, Boolean, CellError, Failed };

    Variant() = default;
    static Variant empty() { return Variant(); }
    static Variant null() { return Variant(Kind::Null); }
    static Variant number(double v) {
        Variant r(Kind::Number);
        r.number_ = v;
        return r;
    }
    static Variant text(std::string s) {
        Variant r(Kind::Text);
        r.text_ = std::move(s);
        return r;
    }
    static Variant boolean(bool b) {
        Variant r(Kind::Boolean);
        r.number_ = b ? 1 : 0;
        return r;
    }
    // An error value of a cell (#DIV/0! ...): its code, and its text for people.
    static Variant cellError(std::uint8_t code, std::string text) {
        Variant r(Kind::CellError);
        r.number_ = code;
        r.text_ = std::move(text);
        return r;
    }
    // A read that the document cannot answer; the reason is one Chinese sentence.
    static Variant failed(std::string reason) {
        Variant r(Kind::Failed);
        r.text_ = std::move(reason);
        return r;
    }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNull() const { return kind_ == Kind::Null; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }
    bool isBoolean() const { return kind_ == Kind::Boolean; }
    bool isCellError() const { return kind_ == Kind::CellError; }
    bool isFailed() const { return kind_ == Kind::Failed; }

    double asNumber() const { return number_; }                // Number (Boolean: 1/0)
    const std::string& asText() const { return text_; }        // Text
    bool asBoolean() const { return number_ != 0; }            // Boolean
    std::uint8_t errorCode() const { return static_cast<std::uint8_t>(number_); }
    const std::string& failure() const { return text_; }       // Failed: the reason

    // Same kind and same value (Null equals Null here): used to fold a range's parts into one
    // value. Not the rubric comparison, which is operator==.
    bool sameAs(const Variant& other) const;

    // Text for people: numbers with up to 15 significant digits, TRUE/FALSE, the error's text,
    // "(空)" for Empty, "(Null)", "(读取失败：...)".
    std::string describe() const;

private:
    explicit Variant(Kind k) : kind_(k) {}
    Kind kind_ = Kind::Empty;
    double number_ = 0;
    std::string text_;
};

// Rubric comparisons.
bool operator==(const Variant& a, const Variant& b);
bool operator==(const Variant& v, double d);
bool operator==(const Variant& v, int i);
bool operator==(const Variant& v, std::string_view s);
bool operator==(const Variant& v, const char* s);
bool operator==(const Variant& v, bool b);

}  // namespace tarnwick::model
