// UTF-16 and code-point helpers. Text inside the program is UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Appends the UTF-8 form of a code point; invalid code points become U+FFFD.
void appendUtf8(std::string& out, char32_t cp);

// Decodes little-endian UTF-16 bytes (an odd trailing byte is dropped); unpaired surrogates
// become U+FFFD.
std::string utf16leToUtf8(const std::uint8_t* data, std::size_t byteCount);

// Bytes of little-endian UTF-16 text before its first NUL unit (all whole units when there is
// none; an odd trailing byte is not counted).
std::size_t utf16leBytesBeforeNul(const std::uint8_t* data, std::size_t byteCount);

// The code points of UTF-16 text, in order: surrogate pairs joined, an unpaired half as U+FFFD.
template <class F>
void forEachCodePoint(std::u16string_view text, F&& f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t{text[i + 1]} - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        f(c);
    }
}

// UTF-16 text to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Latin-1 bytes (BIFF8 "compressed" strings) to UTF-8.
std::string latin1ToUtf8(const std::uint8_t* data, std::size_t byteCount);
// Windows-1252 bytes to UTF-8: Latin-1 except 0x80-0x9F (euro, curly quotes, dashes, ...); the five
// bytes that code page leaves undefined stay the C1 controls Windows turns them into.
std::string cp1252ToUtf8(const std::uint8_t* data, std::size_t byteCount);

// Number of code points in valid UTF-8 (continuation bytes are not counted).
std::size_t codePointCount(std::string_view utf8);
// UTF-16 code units of a UTF-8 text: what Word and Excel count as its characters.
std::size_t utf16Length(std::string_view utf8);

// ASCII-only case folding, for names matched without regard to case.
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace tarnwick
