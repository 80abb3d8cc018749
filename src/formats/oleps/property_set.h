// Property set streams ([MS-OLEPS]): "\005SummaryInformation" of Word and Excel files (author,
// application, times). Bounded like the other readers: every offset and count is checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::oleps {

// A string property. 8-bit strings (VT_LPSTR) are in the set's code page: `utf8` is filled when
// this reader can convert them (UTF-16 code page 1200, UTF-8 65001, Windows-1252/Latin-1, or
// plain ASCII in any code page); otherwise `bytes` keeps them for a converter of the platform.
struct StringValue {
    std::string bytes;  // as stored, without the terminating null
    std::uint16_t codePage = 0;
    bool wide = false;  // VT_LPWSTR: bytes are UTF-16LE
    std::optional<std::string> utf8;
};

// FILETIME: 100-nanosecond intervals since 1601-01-01 UTC.
struct FileTime {
    std::uint64_t value = 0;
};

using PropertyValue = std::variant<std::monostate, std::int32_t, std::uint32_t, bool, FileTime, StringValue>;

struct Property {
    std::uint32_t id = 0;
    std::uint16_t type = 0;  // VT_*
    PropertyValue value;     // monostate for types this reader does not decode
};

struct PropertySet {
    std::uint8_t fmtid[16] = {};
    std::uint16_t codePage = 0;  // property 1, when present
    std::vector<Property> properties;
    const Property* find(std::uint32_t id) const;
};

inline constexpr std::uint32_t kPidCodePage = 1;
inline constexpr std::uint32_t kPidTitle = 2;
inline constexpr std::uint32_t kPidSubject = 3;
inline constexpr std::uint32_t kPidAuthor = 4;
inline constexpr std::uint32_t kPidKeywords = 5;
inline constexpr std::uint32_t kPidComments = 6;
inline constexpr std::uint32_t kPidTemplate = 7;
inline constexpr std::uint32_t kPidLastAuthor = 8;
inline constexpr std::uint32_t kPidRevNumber = 9;
inline constexpr std::uint32_t kPidCreateTime = 12;
inline constexpr std::uint32_t kPidLastSaveTime = 13;
inline constexpr std::uint32_t kPidAppName = 18;

// The first property set of a PropertySetStream (the one a SummaryInformation stream holds).
// Damaged when the header, an offset or a value runs past the stream.
Result<PropertySet> readPropertySet(Bytes stream);

struct SummaryInformation {
    std::optional<StringValue> title, subject, author, keywords, comments, lastAuthor, appName;
    std::optional<FileTime> created, lastSaved;
};

// The properties of "\005SummaryInformation" the kit reads. WrongFormat when the stream holds
// another property set.
Result<SummaryInformation> readSummaryInformation(Bytes stream);

}  // namespace tarnwick::oleps
