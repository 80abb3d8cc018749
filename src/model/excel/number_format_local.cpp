#include "model/excel/number_format_local.h"

#include <array>
#include <cctype>
#include <string_view>

namespace tarnwick::excel {
namespace {

// Built-in formats whose code does not depend on the locale beyond the words Chinese Excel uses.
// These are shown this way whatever the file stores for them.
const std::map<std::uint16_t, std::string>& fixedBuiltIns() {
    static const std::map<std::uint16_t, std::string> table = {
        {0, "G/通用格式"},
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {9, "0%"},
        {10, "0.00%"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/??"},
        {14, "yyyy-m-d"},
        {15, "d-mmm-yy"},
        {16, "d-mmm"},
        {17, "mmm-yy"},
        {18, "h:mm AM/PM"},
        {19, "h:mm:ss AM/PM"},
        {20, "h:mm"},
        {21, "h:mm:ss"},
        {22, "yyyy-m-d h:mm"},
        {37, "#,##0;-#,##0"},
        {38, "#,##0;[红色]-#,##0"},
        {39, "#,##0.00;-#,##0.00"},
        {40, "#,##0.00;[红色]-#,##0.00"},
        {45, "mm:ss"},
        {46, "[h]:mm:ss"},
        {47, "mm:ss.0"},
        {48, "##0.0E+0"},
        {49, "@"},
    };
    return table;
}

// Locale-dependent built-ins: Excel writes FORMAT records for these, so the table is only used
// when a file (written by another program) leaves them out.
const std::map<std::uint16_t, std::string>& localBuiltIns() {
    static const std::map<std::uint16_t, std::string> table = {
        {5, "\"￥\"#,##0;\"￥\"\\-#,##0"},
        {6, "\"￥\"#,##0;[红色]\"￥\"\\-#,##0"},
        {7, "\"￥\"#,##0.00;\"￥\"\\-#,##0.00"},
        {8, "\"￥\"#,##0.00;[红色]\"￥\"\\-#,##0.00"},
        {27, "yyyy\"年\"m\"月\""},
        {28, "m\"月\"d\"日\""},
        {29, "m\"月\"d\"日\""},
        {30, "m-d-yy"},
        {31, "yyyy\"年\"m\"月\"d\"日\""},
        {32, "h\"时\"mm\"分\""},
        {33, "h\"时\"mm\"分\"ss\"秒\""},
        {34, "上午/下午h\"时\"mm\"分\""},
        {35, "上午/下午h\"时\"mm\"分\"ss\"秒\""},
        {36, "yyyy\"年\"m\"月\""},
        {41, "_ * #,##0_ ;_ * \\-#,##0_ ;_ * \"-\"_ ;_ @_ "},
        {42, "_ \"￥\"* #,##0_ ;_ \"￥\"* \\-#,##0_ ;_ \"￥\"* \"-\"_ ;_ @_ "},
        {43, "_ * #,##0.00_ ;_ * \\-#,##0.00_ ;_ * \"-\"??_ ;_ @_ "},
        {44, "_ \"￥\"* #,##0.00_ ;_ \"￥\"* \\-#,##0.00_ ;_ \"￥\"* \"-\"??_ ;_ @_ "},
        {50, "yyyy\"年\"m\"月\""},
        {51, "m\"月\"d\"日\""},
        {52, "yyyy\"年\"m\"月\""},
        {53, "m\"月\"d\"日\""},
        {54, "m\"月\"d\"日\""},
        {55, "上午/下午h\"时\"mm\"分\""},
        {56, "上午/下午h\"时\"mm\"分\"ss\"秒\""},
        {57, "yyyy\"年\"m\"月\""},
        {58, "m\"月\"d\"日\""},
    };
    return table;
}

bool startsWithIgnoreCase(std::string_view s, std::size_t at, std::string_view word) {
    if (s.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[at + i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return true;
}

}  // namespace

std::string localizeFormatCode(const std::string& code) {
    static const std::array<std::pair<std::string_view, std::string_view>, 8> colours = {{
        {"[Red]", "[红色]"}, {"[Blue]", "[蓝色]"}, {"[Green]", "[绿色]"}, {"[Yellow]", "[黄色]"},
        {"[Black]", "[黑色]"}, {"[White]", "[白色]"}, {"[Cyan]", "[青色]"}, {"[Magenta]", "[洋红]"},
    }};
    std::string out;
    out.reserve(code.size() + 8);
    bool quoted = false;
    for (std::size_t i = 0; i < code.size();) {
        const char c = code[i];
        if (c == '"') {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        if (!quoted && c == '\\' && i + 1 < code.size()) {
            out += code.substr(i, 2);
            i += 2;
            continue;
        }
        if (!quoted && startsWithIgnoreCase(code, i, "General")) {
            out += "G/通用格式";
            i += 7;
            continue;
        }
        if (!quoted && c == '[') {
            bool done = false;
            for (const auto& [en, zh] : colours) {
                if (startsWithIgnoreCase(code, i, en)) {
                    out += zh;
                    i += en.size();
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        out += c;
        ++i;
    }
    return out;
}

std::optional<std::string> numberFormatLocal(std::uint16_t id, const std::map<std::uint16_t, std::string>& stored) {
    if (auto it = fixedBuiltIns().find(id); it != fixedBuiltIns().end()) return it->second;
    if (auto it = stored.find(id); it != stored.end()) return localizeFormatCode(it->second);
    if (auto it = localBuiltIns().find(id); it != localBuiltIns().end()) return it->second;
    return std::nullopt;
}

}  // namespace tarnwick::excel
