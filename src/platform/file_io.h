// Writing whole files (reading is base/read_file.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tarnwick::platform {

// Creates or replaces the file with exactly these bytes. Returns false on any failure.
bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

}  // namespace tarnwick::platform
