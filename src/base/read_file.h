// Reading regular files with a cap on their size. Callers word the failures for the user.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/result.h"

namespace tarnwick {

// One Chinese sentence for each way a read can fail.
struct ReadFileMessages {
    std::string notFound;     // nothing of that name
    std::string notAFile;     // a folder, pipe or device of that name
    std::string noPermission; // the system refuses access
    std::string tooLarge;     // over the cap
    std::string cannotOpen;   // opened by another program with a lock, size unknown, vanished
    std::string incomplete;   // fewer bytes than the size said
    std::string noMemory;     // no memory for the bytes; empty: as incomplete
};

// A regular file open for reading, with the size it had when it was opened.
class OpenedFile {
public:
    OpenedFile(std::ifstream in, std::uintmax_t size) : in_(std::move(in)), size_(size) {}
    std::uintmax_t size() const { return size_; }
    // Reads up to n bytes; returns how many were read (fewer only at the end or on an error).
    std::size_t read(char* buffer, std::size_t n);
    bool ok() const { return !in_.bad(); }

private:
    std::ifstream in_;
    std::uintmax_t size_;
};

// Opens only a regular file (a pipe named like the file would block the caller) of at most
// maxBytes. messages.incomplete and noMemory are not used here.
Result<OpenedFile> openRegularFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                   const ReadFileMessages& messages);

// The whole file, through openRegularFile.
Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes,
                                                const ReadFileMessages& messages);

}  // namespace tarnwick
