// BIFF8 records of a workbook stream ([MS-XLS] 2.1.4 Record): type, size, body. A record longer
// than 8224 bytes goes on in the CONTINUE records that follow it; each record here carries those
// bodies itself, so that a reader of a long record (SST, STRING, TXO, ...) finds its whole data
// in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::xls {

// The CONTINUE records of a record follow its body directly in the stream, so the record keeps
// only their length (it stays 32 bytes: a workbook has thousands of records); `data` must be the
// body as it stands in the stream whenever continuedBytes is not 0.
struct Record {
    std::uint16_t type = 0;
    std::uint32_t continuedBytes = 0;  // the CONTINUE records right after the body, headers and all
    Bytes data;                        // the record's own body, in the stream
    std::size_t offset = 0;            // offset of the record header in the stream

    // The body, then the body of each CONTINUE record, as segments for a reader that reads across
    // the seams.
    std::vector<Bytes> segments() const;
};

// Splits a stream into records, each CONTINUE record going to the record before it (a CONTINUE
// at the very start stays a record of its own). A record whose length runs past the end is an
// error; at most maxRecords records are read, CONTINUE records counted (more is an error, not a
// silent cut).
Result<std::vector<Record>> splitRecords(Bytes stream, std::size_t maxRecords = 4'000'000);

// The index of the EOF that closes the BOF at records[begin] (nested sub-streams counted), or
// the last record when the stream ends first.
std::size_t matchingEof(std::span<const Record> records, std::size_t begin);

// The index of the record whose header starts at `offset` in the stream, or npos.
std::size_t recordAt(std::span<const Record> records, std::size_t offset);

inline constexpr std::size_t kNoRecord = static_cast<std::size_t>(-1);

// [MS-XLS] 2.4.21 BOF: the BIFF version and the kind of sub-stream it opens (bof:: values).
// Damaged when the record is too short for them.
struct Bof {
    std::uint16_t version = 0;
    std::uint16_t type = 0;
};
Result<Bof> parseBof(const Record& record);

}  // namespace tarnwick::xls
