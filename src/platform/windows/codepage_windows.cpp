// Windows: the system's own code-page conversion (MultiByteToWideChar), then UTF-8. The
// conversion keeps no state between calls, so a chunk is cut after its last whole character.
#include <windows.h>

#include <string>

#include "base/utf.h"
#include "platform/codepage.h"

namespace tarnwick::platform {
namespace {

// Code page of a character-set name (ASCII case ignored); 0 when unknown.
UINT codePageOf(const char* charset) {
    struct Name {
        const char* name;
        UINT codePage;
    };
    static const Name names[] = {
        {"CP936", 936},      {"GBK", 936},          {"GB2312", 936},       {"UTF-8", CP_UTF8},
        {"GB18030", 54936},  {"BIG5", 950},         {"WINDOWS-1252", 1252}, {"ISO-8859-1", 28591},
        {"SHIFT_JIS", 932},  {"EUC-KR", 949},       {"WINDOWS-1251", 1251}, {"KOI8-R", 20866},
    };
    for (const Name& n : names)
        if (equalsIgnoreAsciiCase(n.name, charset)) return n.codePage;
    return 0;
}

// Length of the prefix of `b` that ends on a character boundary of code page `cp`.
std::size_t wholeCharacters(UINT cp, std::string_view b) {
    const auto u = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    std::size_t i = 0;
    if (cp == CP_UTF8) {
        std::size_t k = b.size();
        // Back up over continuation bytes to the start of the last sequence.
        std::size_t back = 0;
        while (k > 0 && back < 4 && (u(k - 1) & 0xC0) == 0x80) --k, ++back;
        if (k == 0) return b.size();
        const unsigned lead = u(k - 1);
        const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        return back + 1 < need ? k - 1 : b.size();
    }
    if (cp == 54936) {  // GB18030: 1, 2 or 4 bytes
        while (i < b.size()) {
            const unsigned c = u(i);
            if (c < 0x81 || c == 0xFF) { ++i; continue; }
            if (i + 1 >= b.size()) return i;
            if (u(i + 1) >= 0x30 && u(i + 1) <= 0x39) {
                if (i + 3 >= b.size()) return i;
                i += 4;
            } else {
                i += 2;
            }
        }
        return b.size();
    }
    CPINFO info{};
    if (!::GetCPInfo(cp, &info) || info.MaxCharSize < 2) return b.size();
    while (i < b.size()) {
        if (::IsDBCSLeadByteEx(cp, static_cast<BYTE>(b[i]))) {
            if (i + 1 >= b.size()) return i;
            i += 2;
        } else {
            ++i;
        }
    }
    return b.size();
}

void appendDecoded(UINT cp, std::string_view bytes, std::string& out) {
    while (!bytes.empty()) {
        // Pieces of at most 1 MB keep the wide buffer small and every length in range of int.
        std::size_t n = bytes.size() > (1u << 20) ? wholeCharacters(cp, bytes.substr(0, 1u << 20)) : bytes.size();
        if (n == 0) n = bytes.size() < 4 ? bytes.size() : 4;
        const int inLen = static_cast<int>(n);
        const int wideLen = ::MultiByteToWideChar(cp, 0, bytes.data(), inLen, nullptr, 0);
        if (wideLen > 0) {
            std::wstring wide(static_cast<std::size_t>(wideLen), L'\0');
            ::MultiByteToWideChar(cp, 0, bytes.data(), inLen, wide.data(), wideLen);
            out += utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(wide.data()), wide.size() * 2);
        }
        bytes.remove_prefix(n);
    }
}

class WindowsDecoder final : public TextDecoder {
public:
    explicit WindowsDecoder(UINT cp) : cp_(cp) {}

protected:
    std::size_t convert(std::string_view bytes, bool last, std::string& out) override {
        const std::size_t whole = last ? bytes.size() : wholeCharacters(cp_, bytes);
        appendDecoded(cp_, bytes.substr(0, whole), out);
        return whole;
    }

private:
    UINT cp_;
};

}  // namespace

std::unique_ptr<TextDecoder> openDecoder(const char* charset) {
    const UINT cp = codePageOf(charset);
    if (cp == 0 || !::IsValidCodePage(cp)) return nullptr;
    return std::make_unique<WindowsDecoder>(cp);
}

}  // namespace tarnwick::platform
