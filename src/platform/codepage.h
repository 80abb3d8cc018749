// Decoding 8-bit text to UTF-8.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::platform {

// Decodes a byte stream to UTF-8 chunk by chunk, so a large file never has to be in memory twice.
class TextDecoder {
public:
    virtual ~TextDecoder() = default;
    // Appends the UTF-8 of `bytes` to `out`. The bytes of a character cut at the end of a chunk
    // wait for the next one; with `last` they become U+FFFD. Bytes that do not decode become U+FFFD.
    void decode(std::string_view bytes, bool last, std::string& out);

protected:
    // Converts `bytes` (the carried bytes of a cut character first) and returns how many it used:
    // all of them with `last`, else all but the start of a character cut at their end, which then
    // comes back at the front of the next chunk.
    virtual std::size_t convert(std::string_view bytes, bool last, std::string& out) = 0;

private:
    std::string carry_;
};

// A decoder for the named character set ("CP936", "UTF-8", "WINDOWS-1252", ...); null for a
// character set this platform does not know.
std::unique_ptr<TextDecoder> openDecoder(const char* charset);

// A decoder of Simplified Chinese (code page 936, a superset of GB2312), under whichever of its
// names this platform knows; null when it has no converter for it.
std::unique_ptr<TextDecoder> openCp936Decoder();

}  // namespace tarnwick::platform
