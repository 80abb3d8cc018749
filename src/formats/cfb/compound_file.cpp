#include "formats/cfb/compound_file.h"

#include <algorithm>
#include <cstring>

#include "base/utf.h"

namespace tarnwick::cfb {
namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kMaxRegular = 0xFFFFFFFA;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kDirEntrySize = 128;
// The mini sector size and the mini stream cutoff: the only values [MS-CFB] allows, and the
// header is checked for them.
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniCutoff = 4096;

Error damaged(const char* what) {
    return Error{ErrorKind::Damaged, std::string("文件已损坏，无法读取（") + what + "）。"};
}

std::uint32_t u32At(Bytes data, std::size_t offset) {
    std::uint32_t v = kFree;
    readLE(data, offset, v);
    return v;
}

// ASCII case folding plus the Latin-1/Greek/Cyrillic ranges is more than the stream names of
// Office files need; ASCII is what [MS-CFB] compares in practice for them.
bool sameName(std::string_view a, std::string_view b) { return equalsIgnoreAsciiCase(a, b); }

// [MS-CFB] 2.2 Compound File Header: the fields the reader uses, checked.
struct Header {
    std::uint16_t majorVersion = 3;
    std::size_t sectorSize = 512;
    std::uint32_t numFatSectors = 0;
    std::uint32_t firstDirSector = 0;
    std::uint32_t firstMiniFatSector = 0;
    std::uint32_t numMiniFatSectors = 0;
    std::uint32_t firstDifatSector = 0;
    std::uint32_t numDifatSectors = 0;
    std::uint64_t sectorsInFile = 0;  // sectors after the header (a short last sector counts)
};

Result<Header> parseHeader(Bytes file) {
    Header h;
    std::uint16_t byteOrder = 0, sectorShift = 0, miniShift = 0;
    readLE(file, 0x1A, h.majorVersion);
    readLE(file, 0x1C, byteOrder);
    readLE(file, 0x1E, sectorShift);
    readLE(file, 0x20, miniShift);
    if (byteOrder != 0xFFFE) return damaged("字节序标记不正确");
    if (!((h.majorVersion == 3 && sectorShift == 9) || (h.majorVersion == 4 && sectorShift == 12)))
        return damaged("扇区大小不正确");
    if (miniShift != 6) return damaged("小扇区大小不正确");
    h.sectorSize = std::size_t{1} << sectorShift;

    h.numFatSectors = u32At(file, 0x2C);
    h.firstDirSector = u32At(file, 0x30);
    h.firstMiniFatSector = u32At(file, 0x3C);
    h.numMiniFatSectors = u32At(file, 0x40);
    h.firstDifatSector = u32At(file, 0x44);
    h.numDifatSectors = u32At(file, 0x48);
    if (u32At(file, 0x38) != kMiniCutoff) return damaged("小流界限不正确");

    const std::size_t ss = h.sectorSize;
    h.sectorsInFile = (file.size() + ss - 1) / ss - 1;  // minus the header sector
    if (h.numFatSectors > h.sectorsInFile || h.numDifatSectors > h.sectorsInFile)
        return damaged("分配表的扇区数超出文件大小");
    return h;
}

// [MS-CFB] 2.5 Compound File DIFAT Sectors: the numbers of the FAT sectors, 109 in the header and
// the rest in the DIFAT chain.
Result<std::vector<std::uint32_t>> readDifat(Bytes file, const Header& h) {
    std::vector<std::uint32_t> fatSectors;
    fatSectors.reserve(h.numFatSectors);
    for (std::size_t i = 0; i < 109 && fatSectors.size() < h.numFatSectors; ++i) {
        const std::uint32_t s = u32At(file, 0x4C + 4 * i);
        if (s == kFree) continue;
        fatSectors.push_back(s);
    }
    std::uint32_t difat = h.firstDifatSector;
    std::vector<bool> seen(h.sectorsInFile, false);
    std::uint32_t count = 0;
    const std::size_t perSector = h.sectorSize / 4 - 1;
    while (difat != kEndOfChain && difat != kFree && fatSectors.size() < h.numFatSectors) {
        if (difat >= h.sectorsInFile) return damaged("DIFAT 扇区号超出文件");
        if (seen[difat] || ++count > h.numDifatSectors) return damaged("DIFAT 链出现循环");
        seen[difat] = true;
        const std::size_t base = (std::size_t{difat} + 1) * h.sectorSize;
        for (std::size_t i = 0; i < perSector && fatSectors.size() < h.numFatSectors; ++i) {
            const std::uint32_t s = u32At(file, base + 4 * i);
            if (s == kFree) continue;
            fatSectors.push_back(s);
        }
        difat = u32At(file, base + 4 * perSector);
    }
    if (fatSectors.size() < h.numFatSectors) return damaged("分配表不完整");
    return fatSectors;
}

// [MS-CFB] 2.3 Compound File FAT Sectors: the FAT itself, never more entries than there are
// sectors in the file.
Result<std::vector<std::uint32_t>> readFat(Bytes file, const Header& h, const std::vector<std::uint32_t>& fatSectors) {
    std::vector<std::uint32_t> fat;
    const std::size_t perFatSector = h.sectorSize / 4;
    fat.reserve(std::min<std::uint64_t>(std::uint64_t{h.numFatSectors} * perFatSector, h.sectorsInFile));
    for (std::uint32_t s : fatSectors) {
        if (s >= h.sectorsInFile) return damaged("分配表扇区号超出文件");
        const std::size_t base = (std::size_t{s} + 1) * h.sectorSize;
        for (std::size_t i = 0; i < perFatSector && fat.size() < h.sectorsInFile; ++i) fat.push_back(u32At(file, base + 4 * i));
    }
    return fat;
}

// [MS-CFB] 2.6.1 Compound File Directory Entry, in a chain of sectors of 128-byte entries.
std::vector<DirectoryEntry> parseDirectory(Bytes d, std::uint16_t majorVersion) {
    std::vector<DirectoryEntry> dir;
    const std::size_t n = d.size() / kDirEntrySize;
    dir.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t e = i * kDirEntrySize;
        DirectoryEntry entry;
        std::uint16_t nameLen = 0;
        readLE(d, e + 0x40, nameLen);
        if (nameLen > 64) nameLen = 64;
        const std::size_t units = nameLen >= 2 ? (nameLen / 2 - 1) : 0;
        entry.name = utf16leToUtf8(d.data() + e, units * 2);
        readLE(d, e + 0x42, entry.type);
        readLE(d, e + 0x44, entry.left);
        readLE(d, e + 0x48, entry.right);
        readLE(d, e + 0x4C, entry.child);
        readLE(d, e + 0x74, entry.startSector);
        std::uint64_t size = 0;
        readLE(d, e + 0x78, size);
        if (majorVersion == 3) size &= 0xFFFFFFFFu;  // the high half is undefined in v3
        entry.size = size;
        dir.push_back(std::move(entry));
    }
    return dir;
}

// [MS-CFB] 2.4 Compound File Mini FAT Sectors: the chain that holds the mini FAT.
Result<std::vector<std::uint32_t>> readMiniFat(Bytes file, const Header& h, const std::vector<std::uint32_t>& fat) {
    std::vector<std::uint32_t> miniFat;
    std::vector<bool> seen(h.sectorsInFile, false);
    std::uint32_t s = h.firstMiniFatSector;
    std::uint32_t count = 0;
    const std::size_t perFatSector = h.sectorSize / 4;
    while (s != kEndOfChain && s != kFree && h.numMiniFatSectors > 0) {
        if (s >= h.sectorsInFile || s >= fat.size()) return damaged("小分配表扇区号超出文件");
        if (seen[s] || ++count > h.numMiniFatSectors) return damaged("小分配表链出现循环");
        seen[s] = true;
        const std::size_t base = (std::size_t{s} + 1) * h.sectorSize;
        for (std::size_t i = 0; i < perFatSector; ++i) miniFat.push_back(u32At(file, base + 4 * i));
        s = fat[s];
    }
    return miniFat;
}

}  // namespace

Result<CompoundFile> CompoundFile::open(Bytes file) {
    if (file.empty()) return Error{ErrorKind::Empty, "文件是空的（0 字节），不是 Office 97-2003 格式的文件。"};
    if (file.size() >= 2 && file[0] == 'P' && file[1] == 'K')
        return Error{ErrorKind::NewerFormat, "这是 Office 2007 及以后的新格式文件（ZIP 包），不是 97-2003 格式的文件。"};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0)
        return Error{ErrorKind::NotCompoundFile, "文件不是 Office 97-2003 格式（复合文档）的文件。"};
    if (file.size() < kHeaderSize) return damaged("文件头不完整");

    auto header = parseHeader(file);
    if (!header) return header.error();
    CompoundFile cf;
    cf.file_ = file;
    cf.sectorSize_ = header->sectorSize;

    auto fatSectors = readDifat(file, *header);
    if (!fatSectors) return fatSectors.error();
    auto fat = readFat(file, *header, *fatSectors);
    if (!fat) return fat.error();
    cf.fat_ = std::move(*fat);

    auto dirBytes = cf.readChain(header->firstDirSector, UINT64_MAX, false);
    if (!dirBytes) return dirBytes.error();
    cf.dir_ = parseDirectory(*dirBytes, header->majorVersion);
    if (cf.dir_.empty() || cf.dir_[0].type != 5) return damaged("缺少根目录");
    cf.root_ = cf.rootChildren();

    auto miniFat = readMiniFat(file, *header, cf.fat_);
    if (!miniFat) return miniFat.error();
    cf.miniFat_ = std::move(*miniFat);
    // The mini stream is held by the root entry.
    const DirectoryEntry& root = cf.dir_[0];
    if (root.size > 0 && root.startSector != kEndOfChain) {
        auto mini = cf.readChain(root.startSector, root.size, false);
        if (!mini) return mini.error();
        cf.miniStream_ = std::move(*mini);
    }
    return cf;
}

Result<std::vector<std::uint8_t>> CompoundFile::readChain(std::uint32_t start, std::uint64_t size, bool mini) const {
    const std::vector<std::uint32_t>& table = mini ? miniFat_ : fat_;
    const std::size_t unit = mini ? kMiniSectorSize : sectorSize_;
    const Bytes source = mini ? Bytes(miniStream_) : file_;
    // A stream can never be larger than the bytes it is read from.
    const bool sized = size != UINT64_MAX;
    if (sized && size > source.size()) return damaged("流的长度超出文件大小");
    std::vector<std::uint8_t> out;
    if (sized) out.reserve(static_cast<std::size_t>(size));
    std::vector<bool> seen(table.size(), false);
    std::uint32_t s = start;
    while (s != kEndOfChain) {
        if (sized && out.size() >= size) break;
        if (s > kMaxRegular || s >= table.size()) return damaged("扇区链指向文件之外");
        if (seen[s]) return damaged("扇区链出现循环");
        seen[s] = true;
        const std::size_t offset = mini ? std::size_t{s} * unit : (std::size_t{s} + 1) * unit;
        if (offset >= source.size()) return damaged("扇区在文件末尾之后");
        const std::size_t n = std::min(unit, source.size() - offset);
        out.insert(out.end(), source.begin() + static_cast<std::ptrdiff_t>(offset),
                   source.begin() + static_cast<std::ptrdiff_t>(offset + n));
        s = table[s];
    }
    if (sized) {
        if (out.size() < size) return damaged("流比它声明的长度短");
        out.resize(static_cast<std::size_t>(size));
    }
    return out;
}

std::vector<std::uint32_t> CompoundFile::rootChildren() const {
    // In-order walk of the sibling tree under the root, each entry visited at most once.
    std::vector<std::uint32_t> order;
    std::vector<bool> seen(dir_.size(), false);
    std::vector<std::uint32_t> stack;
    std::uint32_t cur = dir_[0].child;
    while (cur < dir_.size() || !stack.empty()) {
        while (cur < dir_.size() && !seen[cur]) {
            seen[cur] = true;
            stack.push_back(cur);
            cur = dir_[cur].left;
        }
        if (stack.empty()) break;
        const std::uint32_t n = stack.back();
        stack.pop_back();
        order.push_back(n);
        cur = dir_[n].right;
        if (cur < dir_.size() && seen[cur]) cur = kNoStream;
    }
    return order;
}

std::vector<std::string> CompoundFile::rootNames() const {
    std::vector<std::string> names;
    for (std::uint32_t i : root_) names.push_back(dir_[i].name);
    return names;
}

const DirectoryEntry* CompoundFile::rootStream(std::string_view name) const {
    for (std::uint32_t i : root_)
        if (dir_[i].type == 2 && sameName(dir_[i].name, name)) return &dir_[i];
    return nullptr;
}

bool CompoundFile::hasStream(std::string_view name) const { return rootStream(name) != nullptr; }

Result<std::vector<std::uint8_t>> CompoundFile::stream(std::string_view name) const {
    const DirectoryEntry* e = rootStream(name);
    if (!e) return Error{ErrorKind::NotFound, "文件中没有名为“" + std::string(name) + "”的数据流。"};
    if (e->size == 0) return std::vector<std::uint8_t>{};
    return readChain(e->startSector, e->size, e->size < kMiniCutoff);
}

}  // namespace tarnwick::cfb
