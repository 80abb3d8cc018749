// BIFF8 records of a workbook stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::xls {

struct Record {
    std::uint16_t type = 0;
    Bytes data;              // the record's body (CONTINUE records stay separate records)
    std::size_t offset = 0;  // offset of the record header in the stream
};

// Splits a stream into records. A record whose length runs past the end is an error; at most
// maxRecords records are read (more is an error, not a silent cut).
Result<std::vector<Record>> splitRecords(Bytes stream, std::size_t maxRecords = 4'000'000);

}  // namespace tarnwick::xls
