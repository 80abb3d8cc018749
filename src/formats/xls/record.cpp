#include "formats/xls/record.h"

#include <algorithm>

#include "formats/xls/errors.h"
#include "formats/xls/record_types.h"

namespace tarnwick::xls {

std::vector<Bytes> Record::segments() const {
    std::vector<Bytes> out{data};
    // splitRecords has checked every header of the stretch.
    ByteReader r(Bytes(data.data() + data.size(), continuedBytes));
    std::uint16_t continueType = 0, len = 0;
    Bytes body;
    while (r.u16(continueType) && r.u16(len) && r.bytes(len, body)) out.push_back(body);
    return out;
}

Result<std::vector<Record>> splitRecords(Bytes stream, std::size_t maxRecords) {
    // Record::continuedBytes counts in 32 bits; a workbook stream of 4 GB is no practice workbook.
    if (stream.size() > UINT32_MAX) return tooLarge();
    std::vector<Record> records;
    ByteReader r(stream);
    std::size_t count = 0;
    while (r.remaining() >= 4) {
        if (count >= maxRecords) return Error{ErrorKind::TooLarge, "工作簿中的记录太多，文件可能已损坏。"};
        ++count;
        const std::size_t offset = r.position();
        std::uint16_t type = 0, len = 0;
        Bytes body;
        if (!r.u16(type) || !r.u16(len) || !r.bytes(len, body))
            return Error{ErrorKind::Damaged, "工作簿数据被截断，文件可能已损坏。"};
        if (type == rt::Continue && !records.empty()) {
            records.back().continuedBytes += 4u + len;  // within the stream's size, so within 32 bits
            continue;
        }
        records.push_back(Record{type, 0, body, offset});
    }
    return records;
}

std::size_t matchingEof(std::span<const Record> records, std::size_t begin) {
    int depth = 0;
    for (std::size_t i = begin; i < records.size(); ++i) {
        if (records[i].type == rt::Bof) ++depth;
        if (records[i].type == rt::Eof && --depth == 0) return i;
    }
    return records.size() - 1;
}

std::size_t recordAt(std::span<const Record> records, std::size_t offset) {
    auto it = std::lower_bound(records.begin(), records.end(), offset,
                               [](const Record& r, std::size_t o) { return r.offset < o; });
    if (it == records.end() || it->offset != offset) return kNoRecord;
    return static_cast<std::size_t>(it - records.begin());
}

Result<Bof> parseBof(const Record& record) {
    ByteReader r(record.data);
    Bof bof;
    if (!r.u16(bof.version) || !r.u16(bof.type)) return damaged("子流开头的 BOF 记录太短");
    return bof;
}

}  // namespace tarnwick::xls
