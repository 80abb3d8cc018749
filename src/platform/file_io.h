// Reading and writing whole files with a cap on size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace tarnwick::platform {

// Reads a regular file of at most maxBytes. Errors are Chinese sentences for the user.
Result<std::vector<std::uint8_t>> readFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

// Creates or replaces the file with exactly these bytes. Returns false on any failure.
bool writeFile(const std::filesystem::path& file, std::span<const unsigned char> bytes);

}  // namespace tarnwick::platform
