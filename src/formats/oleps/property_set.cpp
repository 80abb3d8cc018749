#include "formats/oleps/property_set.h"

#include <cstring>

#include "base/utf.h"

namespace tarnwick::oleps {
namespace {

constexpr std::uint16_t VT_I2 = 0x0002;
constexpr std::uint16_t VT_I4 = 0x0003;
constexpr std::uint16_t VT_BOOL = 0x000B;
constexpr std::uint16_t VT_UI4 = 0x0013;
constexpr std::uint16_t VT_LPSTR = 0x001E;
constexpr std::uint16_t VT_LPWSTR = 0x001F;
constexpr std::uint16_t VT_FILETIME = 0x0040;
constexpr std::size_t kMaxProperties = 4096;

// FMTID_SummaryInformation {F29F85E0-4FF9-1068-AB91-08002B27B3D9} as stored (GUID byte order).
constexpr std::uint8_t kSummaryFmtid[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                            0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

Error damaged(const char* what) {
    return Error{ErrorKind::Damaged, std::string("文档属性已损坏，无法读取（") + what + "）。"};
}

std::optional<std::string> decode8(const std::string& bytes, std::uint16_t codePage) {
    if (codePage == 65001) return bytes;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (codePage == 1252) return cp1252ToUtf8(data, bytes.size());
    if (codePage == 28591) return latin1ToUtf8(data, bytes.size());
    for (unsigned char c : bytes)
        if (c >= 0x80) return std::nullopt;
    return bytes;
}

// [MS-OLEPS] 2.15 TypedPropertyValue at `at` (relative to the set); monostate for other types.
Result<PropertyValue> readValue(Bytes set, std::size_t at, std::uint16_t type, std::uint16_t codePage) {
    ByteReader r(set);
    if (!r.seek(at + 4)) return damaged("属性值超出范围");
    switch (type) {
        case VT_I2: {
            std::int16_t v = 0;
            if (!r.i16(v)) return damaged("属性值超出范围");
            return PropertyValue{std::int32_t{v}};
        }
        case VT_I4: {
            std::int32_t v = 0;
            if (!r.i32(v)) return damaged("属性值超出范围");
            return PropertyValue{v};
        }
        case VT_UI4: {
            std::uint32_t v = 0;
            if (!r.u32(v)) return damaged("属性值超出范围");
            return PropertyValue{v};
        }
        case VT_BOOL: {
            std::uint16_t v = 0;
            if (!r.u16(v)) return damaged("属性值超出范围");
            return PropertyValue{v != 0};
        }
        case VT_FILETIME: {
            std::uint64_t v = 0;
            if (!r.u64(v)) return damaged("属性值超出范围");
            return PropertyValue{FileTime{v}};
        }
        case VT_LPSTR:
        case VT_LPWSTR: {
            // [MS-OLEPS] 2.5 CodePageString (size in bytes) / 2.7 UnicodeString (size in
            // characters); both null-terminated. Code page 1200 makes VT_LPSTR UTF-16 too.
            std::uint32_t size = 0;
            if (!r.u32(size)) return damaged("属性值超出范围");
            const bool wide = type == VT_LPWSTR || codePage == 1200;
            const std::uint64_t bytes = type == VT_LPWSTR ? std::uint64_t{size} * 2 : size;
            Bytes data;
            if (bytes > r.remaining() || !r.bytes(static_cast<std::size_t>(bytes), data)) return damaged("属性值超出范围");
            StringValue s;
            s.codePage = codePage;
            s.wide = wide;
            std::size_t len = data.size();
            if (wide) {
                len = utf16leBytesBeforeNul(data.data(), len);
                s.bytes.assign(reinterpret_cast<const char*>(data.data()), len);
                s.utf8 = utf16leToUtf8(data.data(), len);
            } else {
                const void* nul = std::memchr(data.data(), 0, data.size());
                if (nul) len = static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - data.data());
                s.bytes.assign(reinterpret_cast<const char*>(data.data()), len);
                s.utf8 = decode8(s.bytes, codePage);
            }
            return PropertyValue{std::move(s)};
        }
        default: return PropertyValue{};
    }
}

}  // namespace

const Property* PropertySet::find(std::uint32_t id) const {
    for (const Property& p : properties)
        if (p.id == id) return &p;
    return nullptr;
}

Result<PropertySet> readPropertySet(Bytes stream) {
    // [MS-OLEPS] 2.21 PropertySetStream: ByteOrder, Version, SystemIdentifier, CLSID,
    // NumPropertySets, then FMTID0 and Offset0.
    ByteReader r(stream);
    std::uint16_t byteOrder = 0, version = 0;
    std::uint32_t systemId = 0, numSets = 0, offset = 0;
    Bytes clsid, fmtid;
    if (!r.u16(byteOrder) || !r.u16(version) || !r.u32(systemId) || !r.bytes(16, clsid) || !r.u32(numSets) ||
        !r.bytes(16, fmtid) || !r.u32(offset))
        return damaged("属性集头不完整");
    if (byteOrder != 0xFFFE) return damaged("字节序标记不正确");
    if (numSets == 0) return damaged("没有属性集");
    PropertySet out;
    std::memcpy(out.fmtid, fmtid.data(), 16);
    // [MS-OLEPS] 2.20 PropertySet: Size, NumProperties, PropertyIdentifierAndOffset array.
    if (offset > stream.size()) return damaged("属性集位置超出范围");
    std::uint32_t size = 0, count = 0;
    ByteReader sr(stream.subspan(offset));
    if (!sr.u32(size) || !sr.u32(count)) return damaged("属性集不完整");
    if (size < 8 || size > stream.size() - offset) return damaged("属性集长度不正确");
    if (count > kMaxProperties || std::size_t{count} * 8 > size - 8) return damaged("属性太多");
    const Bytes set = stream.subspan(offset, size);
    struct Entry {
        std::uint32_t id, at;
    };
    std::vector<Entry> entries(count);
    for (Entry& e : entries) {
        sr.u32(e.id);
        sr.u32(e.at);
    }
    // The code page first: 8-bit strings depend on it.
    for (const Entry& e : entries) {
        if (e.id != kPidCodePage) continue;
        std::uint16_t type = 0, cp = 0;
        if (readLE(set, e.at, type) && type == VT_I2 && readLE(set, std::size_t{e.at} + 4, cp)) out.codePage = cp;
    }
    out.properties.reserve(count);
    for (const Entry& e : entries) {
        if (e.id == 0) continue;  // the dictionary
        std::uint16_t type = 0;
        if (!readLE(set, e.at, type)) return damaged("属性值超出范围");
        auto value = readValue(set, e.at, type, out.codePage);
        if (!value) return value.error();
        out.properties.push_back(Property{e.id, type, std::move(*value)});
    }
    return out;
}

Result<SummaryInformation> readSummaryInformation(Bytes stream) {
    auto set = readPropertySet(stream);
    if (!set) return set.error();
    if (std::memcmp(set->fmtid, kSummaryFmtid, 16) != 0)
        return Error{ErrorKind::WrongFormat, "文档属性流中不是摘要信息。"};
    SummaryInformation out;
    auto str = [&](std::uint32_t id) -> std::optional<StringValue> {
        const Property* p = set->find(id);
        if (p && std::holds_alternative<StringValue>(p->value)) return std::get<StringValue>(p->value);
        return std::nullopt;
    };
    auto time = [&](std::uint32_t id) -> std::optional<FileTime> {
        const Property* p = set->find(id);
        if (p && std::holds_alternative<FileTime>(p->value)) return std::get<FileTime>(p->value);
        return std::nullopt;
    };
    out.title = str(kPidTitle);
    out.subject = str(kPidSubject);
    out.author = str(kPidAuthor);
    out.keywords = str(kPidKeywords);
    out.comments = str(kPidComments);
    out.lastAuthor = str(kPidLastAuthor);
    out.appName = str(kPidAppName);
    out.created = time(kPidCreateTime);
    out.lastSaved = time(kPidLastSaveTime);
    return out;
}

}  // namespace tarnwick::oleps
