#include "formats/xls/record.h"

namespace tarnwick::xls {

Result<std::vector<Record>> splitRecords(Bytes stream, std::size_t maxRecords) {
    std::vector<Record> records;
    ByteReader r(stream);
    while (r.remaining() >= 4) {
        if (records.size() >= maxRecords) return Error{ErrorKind::TooLarge, "工作簿中的记录太多，文件可能已损坏。"};
        Record rec;
        rec.offset = r.position();
        std::uint16_t len = 0;
        if (!r.u16(rec.type) || !r.u16(len) || !r.bytes(len, rec.data))
            return Error{ErrorKind::Damaged, "工作簿数据被截断，文件可能已损坏。"};
        records.push_back(rec);
    }
    return records;
}

}  // namespace tarnwick::xls
