#include "marking/web/page_text.h"

#include <algorithm>
#include <cctype>

#include "base/read_file.h"
#include "base/utf.h"
#include "platform/codepage.h"

namespace tarnwick::marking::web {
namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool startsWithNoCase(std::string_view s, std::string_view lowerPrefix) {
    if (s.size() < lowerPrefix.size()) return false;
    for (std::size_t k = 0; k < lowerPrefix.size(); ++k)
        if (lowerAscii(s[k]) != lowerPrefix[k]) return false;
    return true;
}

// Whether position i lies inside a <meta ...> tag: the nearest '<' before it (within a tag's
// reach) opens a meta element and no '>' closes it in between.
bool insideMetaTag(std::string_view text, std::size_t i) {
    const std::size_t from = i > 1024 ? i - 1024 : 0;
    for (std::size_t k = i; k-- > from;) {
        if (text[k] == '>') return false;
        if (text[k] == '<') return startsWithNoCase(text.substr(k), "<meta");
    }
    return false;
}

// The value of the first charset=... inside a meta tag of the first 64 KB, lower-cased; empty if
// none. A "charset=" in the page's text does not count.
std::string declaredCharset(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, std::min<std::size_t>(bytes.size(), 64 * 1024));
    constexpr std::string_view key = "charset=";
    for (std::size_t i = 0; i + key.size() <= head.size(); ++i) {
        if (!startsWithNoCase(head.substr(i), key) || !insideMetaTag(head, i)) continue;
        std::size_t j = i + key.size();
        while (j < head.size() && (head[j] == '"' || head[j] == '\'' || head[j] == ' ')) ++j;
        std::string value;
        while (j < head.size() && value.size() < 40 &&
               (std::isalnum(static_cast<unsigned char>(head[j])) || head[j] == '-' || head[j] == '_' ||
                head[j] == ':' || head[j] == '.'))
            value += lowerAscii(head[j++]);
        if (!value.empty()) return value;
    }
    return {};
}

}  // namespace

std::string pageCharset(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return "UTF-8";
    if (bytes.starts_with("\xFF\xFE")) return "UTF-16LE";
    if (bytes.starts_with("\xFE\xFF")) return "UTF-16BE";
    const std::string declared = declaredCharset(bytes);
    if (declared == "utf-8" || declared == "utf8") return "UTF-8";
    if (declared == "gb18030") return "GB18030";
    if (declared == "big5") return "BIG5";
    if (declared == "utf-16" || declared == "unicode") return "UTF-16LE";
    // gb2312, gbk, cp936, x-gbk and no declaration: code page 936, which Windows uses for all of
    // them. Any other declared set (windows-1252, iso-8859-1, ...) is decoded as declared; a name
    // this machine does not know falls back to code page 936 when decoding.
    if (declared.empty() || declared == "gb2312" || declared == "gbk" || declared == "x-gbk" ||
        declared == "cp936" || declared == "windows-936" || declared == "gb_2312-80")
        return "CP936";
    std::string upper;
    for (char c : declared) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return upper;
}

Result<std::string> decodePage(std::string_view bytes) {
    const std::string charset = pageCharset(bytes);
    if (charset == "UTF-8") {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        // Invalid sequences become U+FFFD like any undecodable byte.
        if (auto s = platform::decodeToUtf8(bytes, "UTF-8")) return *s;
        return std::string(bytes);
    }
    if (charset == "UTF-16LE" || charset == "UTF-16BE") {
        std::size_t start = (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) ? 2 : 0;
        std::string units(bytes.substr(start));
        if (charset == "UTF-16BE")
            for (std::size_t i = 0; i + 1 < units.size(); i += 2) std::swap(units[i], units[i + 1]);
        return utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(units.data()), units.size());
    }
    std::optional<std::string> text =
        charset == "CP936" ? platform::cp936ToUtf8(bytes) : platform::decodeToUtf8(bytes, charset.c_str());
    if (!text && charset != "CP936") text = platform::cp936ToUtf8(bytes);
    if (!text) return Error{ErrorKind::CannotDecode, "这台电脑无法转换网页的文字编码（" + charset + "），不能评分。"};
    return std::move(*text);
}

std::string joinItems(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool atItemStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            atItemStart = true;
        } else if (c == ',') {
            atItemStart = true;
        } else if (atItemStart && (c == ' ' || c == '\t')) {
            // blanks before an item are skipped
        } else {
            out += c;
            atItemStart = false;
        }
    }
    return out;
}

Result<std::string> pageTextFromBytes(std::string_view bytes) {
    auto text = decodePage(bytes);
    if (!text) return text.error();
    return joinItems(text.value());
}

Result<std::string> readPageText(const std::filesystem::path& file) {
    auto bytes = readWholeFile(file, kMaxPageBytes,
                               {"网页文件无法读取：文件不存在或不是普通文件。", "网页文件太大（超过16MB），无法评分。",
                                "网页文件无法读取：无法打开文件，可能没有读取权限或正被其他程序占用。",
                                "网页文件无法读取：读取文件时出错，文件可能已损坏。",
                                "网页文件太大，这台电脑的内存不够，无法评分。"});
    if (!bytes) return bytes.error();
    const auto& b = bytes.value();
    return pageTextFromBytes(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

long firstPosition(std::string_view pageText, std::string_view pattern) {
    const std::size_t hit = pageText.find(pattern);
    if (hit == std::string_view::npos) return 0;
    return static_cast<long>(codePointCount(pageText.substr(0, hit))) + 1;
}

std::string attributePattern(std::string_view name, std::string_view value) {
    std::string s(name);
    s += "=\"";
    s += value;
    s += '"';
    return s;
}

}  // namespace tarnwick::marking::web
