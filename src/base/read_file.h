// Reading a whole regular file with a cap on its size. Callers word the failures for the user.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"

namespace tarnwick {

// One Chinese sentence for each way a read can fail.
struct ReadFileMessages {
    std::string notAFile;     // missing, or a folder
    std::string tooLarge;     // over the cap
    std::string cannotOpen;   // no permission, locked, size unknown
    std::string incomplete;   // fewer bytes than the size said
    std::string noMemory;     // no memory for the bytes; empty: as incomplete
};

Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                                const ReadFileMessages& messages);

}  // namespace tarnwick
