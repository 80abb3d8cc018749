// Writing whole files and looking at folder entries (reading is base/read_file.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace tarnwick::platform {

// Creates or replaces a regular file with exactly these bytes. Never writes through a link or
// into a pipe or device of that name, and never waits on one. Returns false on any failure.
bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

// Whether a deletion by pattern leaves this entry alone: a dot name on POSIX, the hidden or
// system attribute on Windows.
bool isHiddenEntry(const std::filesystem::path& entry);

// The entry of `folder` whose name equals `utf8Name` without regard to case (the exact name
// first); nullopt when there is none.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                           std::string_view utf8Name);

}  // namespace tarnwick::platform
