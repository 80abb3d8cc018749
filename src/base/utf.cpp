#include "base/utf.h"

namespace tarnwick {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string utf16leToUtf8(const std::uint8_t* data, std::size_t byteCount) {
    std::string out;
    out.reserve(byteCount);
    const std::size_t units = byteCount / 2;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t u = static_cast<char32_t>(data[2 * i] | (data[2 * i + 1] << 8));
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            char32_t lo = static_cast<char32_t>(data[2 * i + 2] | (data[2 * i + 3] << 8));
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(out, u);
    }
    return out;
}

std::size_t utf16leBytesBeforeNul(const std::uint8_t* data, std::size_t byteCount) {
    std::size_t units = 0;
    while (2 * units + 1 < byteCount && (data[2 * units] | data[2 * units + 1]) != 0) ++units;
    return 2 * units;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCodePoint(text, [&out](char32_t c) { appendUtf8(out, c); });
    return out;
}

std::string latin1ToUtf8(const std::uint8_t* data, std::size_t byteCount) {
    std::string out;
    out.reserve(byteCount);
    for (std::size_t i = 0; i < byteCount; ++i) appendUtf8(out, data[i]);
    return out;
}

std::string cp1252ToUtf8(const std::uint8_t* data, std::size_t byteCount) {
    static constexpr char16_t k80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(byteCount);
    for (std::size_t i = 0; i < byteCount; ++i)
        appendUtf8(out, data[i] >= 0x80 && data[i] < 0xA0 ? char32_t{k80[data[i] - 0x80]} : char32_t{data[i]});
    return out;
}

std::size_t codePointCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        n += c >= 0xF0 ? 2 : 1;            // four-byte sequences are surrogate pairs
    }
    return n;
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace tarnwick
