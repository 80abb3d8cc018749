// Compound file (OLE2 structured storage) reader: the container of Office 97-2003 files.
// Reads the header, the FAT (with its DIFAT), the mini FAT and the directory, and returns whole
// streams that sit directly under the root storage, looked up by name without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::cfb {

struct DirectoryEntry {
    std::string name;            // UTF-8
    std::uint8_t type = 0;       // 0 unused, 1 storage, 2 stream, 5 root storage
    std::uint32_t left = 0xFFFFFFFF;
    std::uint32_t right = 0xFFFFFFFF;
    std::uint32_t child = 0xFFFFFFFF;
    std::uint32_t startSector = 0;
    std::uint64_t size = 0;
};

class CompoundFile {
public:
    // Parses the container. The bytes must outlive the object (streams are copied out on demand).
    static Result<CompoundFile> open(Bytes file);

    // The whole stream of that name directly under the root storage (case-insensitive).
    Result<std::vector<std::uint8_t>> stream(std::string_view name) const;
    bool hasStream(std::string_view name) const;
    // Names of the streams and storages directly under the root, in directory order.
    std::vector<std::string> rootNames() const;

private:
    CompoundFile() = default;
    Result<std::vector<std::uint8_t>> readChain(std::uint32_t start, std::uint64_t size, bool mini) const;
    std::vector<std::uint32_t> rootChildren() const;  // directory indexes, tree order
    // The entry of that stream directly under the root; nullptr when there is none.
    const DirectoryEntry* rootStream(std::string_view name) const;

    Bytes file_;
    std::size_t sectorSize_ = 512;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    std::vector<DirectoryEntry> dir_;
    std::vector<std::uint32_t> root_;  // rootChildren(), walked once when the file is opened
    std::vector<std::uint8_t> miniStream_;
};

// The eight bytes every compound file starts with.
inline constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

}  // namespace tarnwick::cfb
