#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarnwick {
namespace {

// Decimal digits (no leading or trailing zeros) and exponent: value = 0.d1d2d3... * 10^(exp+1),
// i.e. d1 is the digit of 10^exp.
struct Digits {
    std::string digits;
    int exp = 0;
};

Digits significantDigits(double value) {
    // The fewest digits (at most 15, as Excel keeps) that read back as the same double; when 15
    // do not suffice, the value rounded to 15 digits.
    char buf[64];
    for (int precision = 1; precision <= 15; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
        if (precision == 15 || std::strtod(buf, nullptr) == value) break;
    }
    // buf is "d.ddddde[+-]xx" (or "de[+-]xx").
    Digits d;
    const char* p = buf;
    for (; *p != 'e' && *p != '\0'; ++p)
        if (*p >= '0' && *p <= '9') d.digits += *p;
    if (*p == 'e') d.exp = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

}  // namespace

std::string generalNumberText(double value) {
    if (std::isnan(value)) return "#NUM!";
    if (std::isinf(value)) return "#NUM!";
    if (value == 0) return "0";
    std::string text;
    if (value < 0) {
        text += '-';
        value = -value;
    }
    const Digits d = significantDigits(value);
    const int n = static_cast<int>(d.digits.size());
    if (d.exp >= 15 || d.exp < -9) {
        text += d.digits[0];
        if (n > 1) {
            text += '.';
            text.append(d.digits, 1, std::string::npos);
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", d.exp < 0 ? '-' : '+', std::abs(d.exp));
        text += exp;
    } else if (d.exp >= 0) {
        const int intDigits = d.exp + 1;
        if (n <= intDigits) {
            text += d.digits;
            text.append(static_cast<std::size_t>(intDigits - n), '0');
        } else {
            text.append(d.digits, 0, static_cast<std::size_t>(intDigits));
            text += '.';
            text.append(d.digits, static_cast<std::size_t>(intDigits), std::string::npos);
        }
    } else {
        text += "0.";
        text.append(static_cast<std::size_t>(-d.exp - 1), '0');
        text += d.digits;
    }
    return text;
}

std::string shortNumberText(double value) {
    const auto single = static_cast<float>(value);
    if (!std::isfinite(value) || static_cast<double>(single) != value || std::fabs(value) >= 1e7) return generalNumberText(value);
    char buf[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*f", std::max(0, precision - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value) + 1e-30)))), value);
        if (static_cast<float>(std::strtod(buf, nullptr)) == single) break;
    }
    std::string s(buf);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

}  // namespace tarnwick
