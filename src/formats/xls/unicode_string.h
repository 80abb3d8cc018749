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

// A formatting run of a rich string: from character `position` (UTF-16 units, as the file
// counts them) on, the text uses `font` (an index as an XF stores it).
struct FormatRun {
    std::uint16_t position = 0;
    std::uint16_t font = 0;
};
// Runs kept per string; a string with more keeps its first ones.
inline constexpr std::size_t kMaxRunsPerString = 4096;

class ContinuedReader {
public:
    explicit ContinuedReader(std::vector<Bytes> segments) : segs_(std::move(segments)) {}

    bool u8(std::uint8_t& v);
    bool u16(std::uint16_t& v);
    bool u32(std::uint32_t& v);
    bool skip(std::size_t n);
    // cch characters; compressed (one byte each) unless highByte. Continues across seams.
    bool chars(std::size_t cch, bool highByte, std::string& out);
    // XLUnicodeString: cch (16-bit), option byte, characters; formatting runs go to `runs` when
    // given (at most kMaxRunsPerString, the rest skipped), phonetic data is skipped.
    bool unicodeString(std::string& out, std::vector<FormatRun>* runs = nullptr);
    // XLUnicodeRichExtendedString as in SST.
    bool richString(std::string& out, std::vector<FormatRun>* runs = nullptr);
    bool atEnd() const;

private:
    bool nextSegment();  // moves past an exhausted segment; false at the end
    std::vector<Bytes> segs_;
    std::size_t seg_ = 0;
    std::size_t pos_ = 0;
};

// ShortXLUnicodeString (8-bit count) or XLUnicodeString (16-bit count) inside one record.
std::optional<std::string> shortString(Bytes data, std::size_t offset, std::size_t* end = nullptr);
std::optional<std::string> longString(Bytes data, std::size_t offset, std::size_t* end = nullptr,
                                      std::vector<FormatRun>* runs = nullptr);
// Characters with a leading option byte but no count (XLUnicodeStringNoCch).
std::optional<std::string> stringNoCount(Bytes data, std::size_t offset, std::size_t cch, std::size_t* end = nullptr);

}  // namespace tarnwick::xls
