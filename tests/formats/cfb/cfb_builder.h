// Builds small compound files in memory for tests: one FAT sector, one directory sector, and
// streams of at least 4096 bytes in regular sectors (so no mini stream). Fields can be broken
// afterwards to make damaged files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

struct CfbStream {
    std::string name;
    std::vector<std::uint8_t> data;  // at least 4096 bytes
};

class CfbBuilder {
public:
    explicit CfbBuilder(int majorVersion = 3) : v4_(majorVersion == 4) {}
    void add(std::string name, std::vector<std::uint8_t> data) { streams_.push_back({std::move(name), std::move(data)}); }
    std::vector<std::uint8_t> build() const;

    // Layout facts of the last build, for tests that damage it.
    std::size_t sectorSize() const { return v4_ ? 4096 : 512; }
    static constexpr std::uint32_t kFatSector = 0;
    static constexpr std::uint32_t kDirSector = 1;
    static constexpr std::uint32_t kFirstDataSector = 2;

private:
    bool v4_;
    std::vector<CfbStream> streams_;
};

// Writes a little-endian value into a byte vector.
inline void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::vector<std::uint8_t> CfbBuilder::build() const {
    const std::size_t ss = sectorSize();
    // Sector 0: FAT, sector 1: directory, then the streams one after another.
    std::vector<std::uint32_t> fat(ss / 4, 0xFFFFFFFF);
    fat[kFatSector] = 0xFFFFFFFD;
    fat[kDirSector] = 0xFFFFFFFE;
    std::uint32_t next = kFirstDataSector;
    std::vector<std::uint32_t> starts;
    for (const CfbStream& s : streams_) {
        const std::uint32_t n = static_cast<std::uint32_t>((s.data.size() + ss - 1) / ss);
        starts.push_back(next);
        for (std::uint32_t i = 0; i < n; ++i) fat[next + i] = (i + 1 < n) ? next + i + 1 : 0xFFFFFFFE;
        next += n;
    }
    std::vector<std::uint8_t> file((next + 1) * ss, 0);
    // Header.
    const std::uint8_t sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (int i = 0; i < 8; ++i) file[i] = sig[i];
    put16(file, 0x18, 0x003E);
    put16(file, 0x1A, v4_ ? 4 : 3);
    put16(file, 0x1C, 0xFFFE);
    put16(file, 0x1E, v4_ ? 12 : 9);
    put16(file, 0x20, 6);
    put32(file, 0x2C, 1);
    put32(file, 0x30, kDirSector);
    put32(file, 0x38, 4096);
    put32(file, 0x3C, 0xFFFFFFFE);
    put32(file, 0x44, 0xFFFFFFFE);
    for (int i = 0; i < 109; ++i) put32(file, 0x4C + 4 * i, 0xFFFFFFFF);
    put32(file, 0x4C, kFatSector);
    auto sector = [&](std::uint32_t s) { return (s + 1) * ss; };
    for (std::size_t i = 0; i < fat.size(); ++i) put32(file, sector(kFatSector) + 4 * i, fat[i]);
    // Directory: root, then the streams as a right-leaning chain of siblings.
    auto entry = [&](std::size_t index, const std::string& name, std::uint8_t type, std::uint32_t left,
                     std::uint32_t right, std::uint32_t child, std::uint32_t start, std::uint64_t size) {
        const std::size_t e = sector(kDirSector) + index * 128;
        for (std::size_t i = 0; i < name.size(); ++i) put16(file, e + 2 * i, static_cast<std::uint8_t>(name[i]));
        put16(file, e + 0x40, static_cast<std::uint16_t>((name.size() + 1) * 2));
        file[e + 0x42] = type;
        put32(file, e + 0x44, left);
        put32(file, e + 0x48, right);
        put32(file, e + 0x4C, child);
        put32(file, e + 0x74, start);
        put32(file, e + 0x78, static_cast<std::uint32_t>(size));
    };
    entry(0, "Root Entry", 5, 0xFFFFFFFF, 0xFFFFFFFF, streams_.empty() ? 0xFFFFFFFF : 1, 0xFFFFFFFE, 0);
    for (std::size_t i = 0; i < streams_.size(); ++i) {
        const std::uint32_t right = i + 1 < streams_.size() ? static_cast<std::uint32_t>(i + 2) : 0xFFFFFFFF;
        entry(i + 1, streams_[i].name, 2, 0xFFFFFFFF, right, 0xFFFFFFFF, starts[i], streams_[i].data.size());
        std::copy(streams_[i].data.begin(), streams_[i].data.end(), file.begin() + static_cast<std::ptrdiff_t>(sector(starts[i])));
    }
    return file;
}

}  // namespace tarnwick::test
