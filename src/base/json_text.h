// Minimal JSON text output: strings, arrays of strings, and the lines of a CR LF list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Length of the valid UTF-8 sequence at s[i], or 0 when the byte there starts none.
inline std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned c = b(i);
    std::size_t n = 0;
    unsigned min = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) n = 2, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) n = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) n = 4, min = 0x10000;
    else return 0;
    if (i + n > s.size()) return 0;
    unsigned cp = c & (0xFFu >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// A JSON string; bytes that are not UTF-8 (a file name in another encoding) become U+FFFD, so the
// output is always valid JSON.
inline std::string jsonString(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(s.substr(i, n));
            i += n;
            continue;
        }
        const auto c = static_cast<unsigned char>(s[i++]);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    static const char hex[] = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

inline std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ", ";
        out += jsonString(items[i]);
    }
    return out + "]";
}

// The lines of a CR LF list (each line ends in CR LF), without their line ends.
inline std::vector<std::string> crlfLines(std::string_view list) {
    std::vector<std::string> lines;
    while (!list.empty()) {
        const std::size_t end = list.find("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(list);
            break;
        }
        lines.emplace_back(list.substr(0, end));
        list.remove_prefix(end + 2);
    }
    return lines;
}

}  // namespace tarnwick
