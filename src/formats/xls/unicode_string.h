// BIFF8 Unicode strings, including strings that run on into CONTINUE records: at every record
// seam inside the characters the next record starts with a new option byte (compressed Latin-1
// or UTF-16), while run and phonetic data simply carry on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"

namespace tarnwick::xls {

class ContinuedReader {
public:
    explicit ContinuedReader(std::vector<Bytes> segments) : segs_(std::move(segments)) {}

    bool u8(std::uint8_t& v);
    bool u16(std::uint16_t& v);
    bool u32(std::uint32_t& v);
    bool skip(std::size_t n);
    // cch characters; compressed (one byte each) unless highByte. Continues across seams.
    bool chars(std::size_t cch, bool highByte, std::string& out);
    // XLUnicodeString: cch (16-bit), option byte, characters (runs/phonetic skipped).
    bool unicodeString(std::string& out);
    // XLUnicodeRichExtendedString as in SST: with run and phonetic blocks skipped.
    bool richString(std::string& out);
    bool atEnd() const;

private:
    bool nextSegment();  // moves past an exhausted segment; false at the end
    std::vector<Bytes> segs_;
    std::size_t seg_ = 0;
    std::size_t pos_ = 0;
};

// ShortXLUnicodeString (8-bit count) or XLUnicodeString (16-bit count) inside one record.
std::optional<std::string> shortString(Bytes data, std::size_t offset, std::size_t* end = nullptr);
std::optional<std::string> longString(Bytes data, std::size_t offset, std::size_t* end = nullptr);
// Characters with a leading option byte but no count (XLUnicodeStringNoCch).
std::optional<std::string> stringNoCount(Bytes data, std::size_t offset, std::size_t cch, std::size_t* end = nullptr);

}  // namespace tarnwick::xls
