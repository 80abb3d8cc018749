// File names as the program's UTF-8 text, and back, the same on every platform (Windows keeps
// paths in UTF-16, and a plain std::string there would be read in the ANSI code page).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

}  // namespace tarnwick
