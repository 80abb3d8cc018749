// The facts of tests/data/office-corpus/FACTS.tsv: file, what, expected (unescaped), source, and
// the line of the file each came from.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/utf.h"
#include "support/test_support.h"

namespace tarnwick::test {

struct CorpusFact {
    std::string file, what, expected, source;
    int line = 0;
};

// Undoes the escapes of FACTS.tsv: \t \n \r \\ and \uXXXX.
inline std::string unescapeFact(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 't') out += '\t';
        else if (c == 'n') out += '\n';
        else if (c == 'r') out += '\r';
        else if (c == '\\') out += '\\';
        else if (c == 'u' && i + 4 < s.size()) {
            appendUtf8(out, static_cast<char32_t>(std::stoul(s.substr(i + 1, 4), nullptr, 16)));
            i += 4;
        } else {
            out += '\\';
            out += c;
        }
    }
    return out;
}

// The facts about files whose path starts with `prefix` ("xls/", "doc/"), in file order.
inline std::vector<CorpusFact> corpusFacts(std::string_view prefix) {
    std::istringstream in(readBytes(corpusPath("FACTS.tsv")));
    std::vector<CorpusFact> facts;
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (n == 1 || !line.starts_with(prefix)) continue;  // the header, other files
        std::vector<std::string> f;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (f.size() < 3) continue;
        facts.push_back({f[0], f[1], unescapeFact(f[2]), f.size() > 3 ? f[3] : "", n});
    }
    return facts;
}

}  // namespace tarnwick::test
