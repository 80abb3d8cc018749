// The value of one read through an object model (excel::, word::), compared the way the rubrics
// compare: numbers numerically, text case-sensitively, Null equal to nothing, Empty equal to ""
// and 0. A read that cannot be answered is Failed (with the reason); it equals nothing either.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/common/check.h"

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

    // What a student reads in an explanation: a number as short as it reads back (a Single
    // "56.7", not "56.7000007629395"), text as it is, "各处不同" for a mixed value, "读不到（…）"
    // for a failed read; the note, if any, after it in brackets.
    std::string explain() const;

    // A remark for explanations, e.g. that the application that saved the file cannot store the
    // property; it takes no part in comparisons.
    Variant withNote(std::string note) const {
        Variant v = *this;
        v.note_ = std::move(note);
        return v;
    }
    // The object model's value for a property that differs over a range (Null; Word's "" or
    // 9999999): equal to that value, explained as mixed.
    Variant asMixed() const {
        Variant v = *this;
        v.mixed_ = true;
        return v;
    }
    bool isMixed() const { return mixed_ || kind_ == Kind::Null; }

    // Names of an enumeration's values for explanations ("居中" for -4108); empty when unknown.
    using Namer = std::string (*)(double value);
    Variant withNames(Namer namer) const {
        Variant v = *this;
        v.names_ = namer;
        return v;
    }
    Namer names() const { return names_; }

private:
    explicit Variant(Kind k) : kind_(k) {}
    Kind kind_ = Kind::Empty;
    bool mixed_ = false;
    double number_ = 0;
    std::string text_;
    std::string note_;
    Namer names_ = nullptr;
};

// Rubric comparisons: whether they hold, and what was read and expected.
Check operator==(const Variant& a, const Variant& b);
Check operator==(const Variant& v, double d);
Check operator==(const Variant& v, int i);
Check operator==(const Variant& v, std::string_view s);
Check operator==(const Variant& v, const char* s);
Check operator==(const Variant& v, bool b);

// The same comparison as a plain yes or no, for counting and branching: no texts are made.
bool equals(const Variant& a, const Variant& b);
inline bool equals(const Variant& v, double d) { return equals(v, Variant::number(d)); }
inline bool equals(const Variant& v, int i) { return equals(v, Variant::number(i)); }
inline bool equals(const Variant& v, std::string_view s) { return equals(v, Variant::text(std::string(s))); }
inline bool equals(const Variant& v, const char* s) { return equals(v, std::string_view(s)); }
bool equals(const Variant& v, bool b) = delete;  // a number or a Boolean? Say which with a Variant

}  // namespace tarnwick::model
