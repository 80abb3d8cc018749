// Decoding 8-bit text to UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::platform {

// Decodes bytes in the named character set ("CP936", "UTF-8", "UTF-16LE", ...) to UTF-8.
// Bytes that do not decode become U+FFFD. Returns nullopt for a character set this platform
// does not know.
std::optional<std::string> decodeToUtf8(std::string_view bytes, const char* charset);

// Simplified Chinese (code page 936, a superset of GB2312) to UTF-8; nullopt when this platform
// has no converter for it.
std::optional<std::string> cp936ToUtf8(std::string_view bytes);

}  // namespace tarnwick::platform
