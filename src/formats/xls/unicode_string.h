// BIFF8 Unicode strings, including strings that run on into CONTINUE records: at every record
// seam inside the characters the next record starts with a new option byte (compressed Latin-1
// or UTF-16), while run and phonetic data simply carry on.
#pragma once

#include <cstdint>
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
    // [MS-XLS] 2.5.294 XLUnicodeString: cch (16-bit), option byte, characters; with the rich and
    // extended flags of 2.5.293 XLUnicodeRichExtendedString (as in SST) the formatting runs go to
    // `runs` when given (at most kMaxRunsPerString, the rest skipped) and phonetic data is skipped.
    bool unicodeString(std::string& out, std::vector<FormatRun>* runs = nullptr);
    // No bytes left in any segment.
    bool atEnd() const;

private:
    bool nextSegment();  // moves past an exhausted segment; false at the end
    std::vector<Bytes> segs_;
    std::size_t seg_ = 0;
    std::size_t pos_ = 0;
};

// Strings inside one record, read at a ByteReader's position, which moves past the whole string
// (characters, formatting runs and phonetic data); false, the reader unmoved, when any of it runs
// past the end. Rich and extended flags are honoured in all three forms.
// [MS-XLS] 2.5.240 ShortXLUnicodeString: 8-bit count.
bool readShortString(ByteReader& r, std::string& out);
// [MS-XLS] 2.5.294 XLUnicodeString: 16-bit count; formatting runs to `runs` when given.
bool readLongString(ByteReader& r, std::string& out, std::vector<FormatRun>* runs = nullptr);
// [MS-XLS] 2.5.296 XLUnicodeStringNoCch: the option byte and cch characters.
bool readStringNoCount(ByteReader& r, std::size_t cch, std::string& out);

}  // namespace tarnwick::xls
