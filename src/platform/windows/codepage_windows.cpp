// Windows: the system's own code-page conversion (MultiByteToWideChar), then UTF-8.
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

}  // namespace

std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* charset) {
    const UINT cp = codePageOf(charset);
    if (cp == 0 || !::IsValidCodePage(cp)) return std::nullopt;
    if (bytes.empty()) return std::string();
    if (bytes.size() > 0x7FFFFFFF) return std::nullopt;
    const int inLen = static_cast<int>(bytes.size());
    const int wideLen = ::MultiByteToWideChar(cp, 0, bytes.data(), inLen, nullptr, 0);
    if (wideLen <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLen), L'\0');
    ::MultiByteToWideChar(cp, 0, bytes.data(), inLen, wide.data(), wideLen);
    return utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(wide.data()), wide.size() * 2);
}

std::optional<std::string> cp936ToUtf8(std::string_view bytes) { return decodeToUtf8(bytes, "CP936"); }

}  // namespace tarnwick::platform
