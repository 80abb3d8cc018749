#include "formats/odraw/record.h"

#include <string>

namespace tarnwick::odraw {

bool readHeader(Bytes data, std::size_t offset, RecordHeader& out) {
    std::uint16_t verInst = 0;
    std::uint16_t type = 0;
    std::uint32_t len = 0;
    if (!readLE(data, offset, verInst) || !readLE(data, offset + 2, type) || !readLE(data, offset + 4, len)) return false;
    out.recVer = static_cast<std::uint8_t>(verInst & 0x0F);
    out.recInstance = static_cast<std::uint16_t>(verInst >> 4);
    out.recType = type;
    out.recLen = len;
    return true;
}

bool Budget::takeRecords(std::size_t n) {
    if (n > limits_.maxRecords - records_) {
        records_ = limits_.maxRecords;
        return false;
    }
    records_ += n;
    return true;
}

bool Budget::takeShape() {
    if (shapes_ >= limits_.maxShapes) return false;
    ++shapes_;
    return true;
}

Error damaged(const char* what) {
    return Error{ErrorKind::Damaged, std::string("文档中的图形数据已损坏（") + what + "）。"};
}

Result<std::vector<Record>> splitRecords(Bytes span, std::size_t baseOffset, Budget& budget) {
    std::vector<Record> out;
    std::size_t pos = 0;
    // Each record takes at least its 8-byte header, so the loop ends after span.size() / 8 rounds.
    while (pos < span.size()) {
        Record r;
        if (!readHeader(span, pos, r.header)) return damaged("记录头不完整");
        const std::size_t bodyStart = pos + kHeaderSize;
        if (r.header.recLen > span.size() - bodyStart) return damaged("记录长度超出其所在的容器");
        if (!budget.takeRecords(1)) return Error{ErrorKind::TooLarge, "文档中的图形记录太多，文件可能已损坏。"};
        r.body = span.subspan(bodyStart, r.header.recLen);
        r.offset = baseOffset + pos;
        out.push_back(r);
        pos = bodyStart + r.header.recLen;
    }
    return out;
}

}  // namespace tarnwick::odraw
