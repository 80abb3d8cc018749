// The value of one read through the excel:: object model, compared the way the rubrics compare:
// numbers numerically, text case-sensitively, Null equal to nothing, Empty equal to "" and 0.
// A read that cannot be answered is Failed (with the reason); it equals nothing either.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::excel {

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
    // A cell error value (#DIV/0! ...) by its BIFF code.
    static Variant cellError(std::uint8_t code) {
        Variant r(Kind::CellError);
        r.number_ = code;
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

    // Same kind and same value (Null equals Null here): used to fold a range's cells into one
    // value. Not the rubric comparison, which is operator==.
    bool sameAs(const Variant& other) const;

    // Text for people: numbers as Excel's General format shows them (up to 15 significant
    // digits), TRUE/FALSE, #DIV/0!, "(空)" for Empty, "(Null)", "(读取失败：...)".
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

// Numbers as Excel's General format writes them into a formula bar: up to 15 significant digits,
// no trailing zeros, exponent form for very large or small magnitudes.
std::string generalNumberText(double v);
// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A" by BIFF code.
std::string errorText(std::uint8_t code);

// Excel's constants that the reads return.
namespace xl {
inline constexpr int General = 1, Left = -4131, Center = -4108, Right = -4152, Fill = 5, Justify = -4130,
                     CenterAcrossSelection = 7, Distributed = -4117, Top = -4160, Bottom = -4107;
inline constexpr int ColorIndexAutomatic = -4105, ColorIndexNone = -4142;
inline constexpr int LineStyleNone = -4142, Continuous = 1, Dash = -4115, Dot = -4118, Double = -4119,
                     DashDot = 4, DashDotDot = 5, SlantDashDot = 13;
inline constexpr int Hairline = 1, Thin = 2, Medium = -4138, Thick = 4;
inline constexpr int DiagonalDown = 5, DiagonalUp = 6, EdgeLeft = 7, EdgeTop = 8, EdgeBottom = 9, EdgeRight = 10,
                     InsideVertical = 11, InsideHorizontal = 12;
inline constexpr int Category = 1, Value = 2, Primary = 1;
inline constexpr int Rows = 1, Columns = 2;
}  // namespace xl

}  // namespace tarnwick::excel
