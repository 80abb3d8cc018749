#include "marking/web/page_text.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <new>

#include "base/read_file.h"
#include "base/utf.h"
#include "platform/codepage.h"

namespace tarnwick::marking::web_rubrics {
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

namespace {

// UTF-16 pages are decoded here rather than by the platform, which may lack a converter; a unit
// or surrogate pair cut by a chunk's end waits for the next chunk.
class Utf16Decoder final : public platform::TextDecoder {
public:
    explicit Utf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

protected:
    std::size_t convert(std::string_view bytes, bool last, std::string& out) override {
        std::size_t whole = bytes.size();
        if (!last) {
            whole &= ~std::size_t{1};
            if (whole >= 2) {
                const auto hi = static_cast<unsigned char>(bytes[whole - (bigEndian_ ? 2 : 1)]);
                if (hi >= 0xD8 && hi <= 0xDB) whole -= 2;  // a high surrogate waits for its partner
            }
        }
        std::string units(bytes.substr(0, whole));
        if (bigEndian_)
            for (std::size_t i = 0; i + 1 < whole; i += 2) std::swap(units[i], units[i + 1]);
        out += utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(units.data()), whole);
        return whole;
    }

private:
    bool bigEndian_;
};

// The decoder of a page's character set; null when this machine cannot convert it.
std::unique_ptr<platform::TextDecoder> decoderFor(const std::string& charset) {
    if (charset == "UTF-16LE" || charset == "UTF-16BE") return std::make_unique<Utf16Decoder>(charset == "UTF-16BE");
    auto d = platform::openDecoder(charset.c_str());
    // An unknown declared name falls back to code page 936.
    return d ? std::move(d) : platform::openCp936Decoder();
}

std::size_t byteOrderMarkLength(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF")) return 3;
    if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return 2;
    return 0;
}

Error cannotDecode(const std::string& charset) {
    return Error{ErrorKind::CannotDecode, "这台电脑无法转换网页的文字编码（" + charset + "），不能评分。"};
}

}  // namespace

Result<std::string> decodePage(std::string_view bytes) {
    const std::string charset = pageCharset(bytes);
    auto decoder = decoderFor(charset);
    if (!decoder) return cannotDecode(charset);
    bytes.remove_prefix(byteOrderMarkLength(bytes));
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2 + 16);
    decoder->decode(bytes, true, out);
    return out;
}

void ItemJoiner::feed(std::string_view text, std::string& out) {
    for (const char c : text) {
        if (afterCR_) {
            afterCR_ = false;
            if (c == '\n') continue;  // the LF of a CR LF cut between two chunks
        }
        if (c == '\r' || c == '\n') {
            afterCR_ = c == '\r';
            atItemStart_ = true;
        } else if (c == ',') {
            atItemStart_ = true;
        } else if (atItemStart_ && (c == ' ' || c == '\t')) {
            // blanks before an item are skipped
        } else {
            out += c;
            atItemStart_ = false;
        }
    }
}

std::string joinItems(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ItemJoiner joiner;
    joiner.feed(text, out);
    return out;
}

Result<std::string> pageTextFromBytes(std::string_view bytes) {
    auto text = decodePage(bytes);
    if (!text) return text.error();
    return joinItems(text.value());
}

Result<std::string> readPageText(const std::filesystem::path& file) {
    // The page is read, decoded and joined a chunk at a time: only the joined text is ever whole.
    auto opened = openRegularFile(file, kMaxPageBytes,
                                  {"网页文件不存在。", "网页文件的位置上是一个文件夹或特殊文件，不是普通文件。",
                                   "没有读取网页文件的权限。", "网页文件太大（超过16MB），无法评分。",
                                   "网页文件无法读取：无法打开文件，可能正被其他程序占用。",
                                   "网页文件无法读取：读取文件时出错，文件可能已损坏。",
                                   "网页文件太大，这台电脑的内存不够，无法评分。"});
    if (!opened) return opened.error();
    OpenedFile& f = opened.value();
    constexpr std::size_t kChunk = 64 * 1024;  // also the reach of a declared charset
    std::string chunk(kChunk, '\0');
    std::size_t got = f.read(chunk.data(), kChunk);
    chunk.resize(got);
    const std::string charset = pageCharset(chunk);
    auto decoder = decoderFor(charset);
    if (!decoder) return cannotDecode(charset);
    std::string decoded, out;
    try {
        // The joined text of a code-page-936 or UTF-16 page is at most half again its bytes. Pages
        // of the reservation that are never written cost no memory.
        const auto size = static_cast<std::size_t>(f.size());
        out.reserve(size + size / 2 + 16);
    } catch (const std::bad_alloc&) {
        return Error{ErrorKind::TooLarge, "网页文件太大，这台电脑的内存不够，无法评分。"};
    }
    ItemJoiner joiner;
    std::size_t total = got;
    bool first = true;
    for (;;) {
        const bool last = got < kChunk || total >= f.size();
        std::string_view bytes = chunk;
        if (first) bytes.remove_prefix(byteOrderMarkLength(bytes));
        first = false;
        decoded.clear();
        decoder->decode(bytes, last, decoded);
        joiner.feed(decoded, out);
        if (last) break;
        chunk.resize(kChunk);
        got = f.read(chunk.data(), kChunk);
        chunk.resize(got);
        total += got;
    }
    if (!f.ok() || total != f.size())
        return Error{ErrorKind::CannotOpen, "网页文件无法读取：读取文件时出错，文件可能已损坏。"};
    return out;
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

}  // namespace tarnwick::marking::web_rubrics
