// Minimal JSON text output for the command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

inline std::string jsonString(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
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

}  // namespace tarnwick::cli
