#include "formats/xls/unicode_string.h"

#include <algorithm>
#include <optional>

#include "base/utf.h"

namespace tarnwick::xls {

bool ContinuedReader::atEnd() const {
    for (std::size_t s = seg_; s < segs_.size(); ++s)
        if ((s == seg_ ? segs_[s].size() - std::min(pos_, segs_[s].size()) : segs_[s].size()) > 0) return false;
    return true;
}

bool ContinuedReader::nextSegment() {
    if (seg_ + 1 >= segs_.size()) return false;
    ++seg_;
    pos_ = 0;
    return true;
}

bool ContinuedReader::u8(std::uint8_t& v) {
    while (seg_ < segs_.size() && pos_ >= segs_[seg_].size())
        if (!nextSegment()) return false;
    if (seg_ >= segs_.size()) return false;
    v = segs_[seg_][pos_++];
    return true;
}

bool ContinuedReader::u16(std::uint16_t& v) {
    std::uint8_t a = 0, b = 0;
    if (!u8(a) || !u8(b)) return false;
    v = static_cast<std::uint16_t>(a | (b << 8));
    return true;
}

bool ContinuedReader::u32(std::uint32_t& v) {
    std::uint16_t a = 0, b = 0;
    if (!u16(a) || !u16(b)) return false;
    v = a | (std::uint32_t{b} << 16);
    return true;
}

bool ContinuedReader::skip(std::size_t n) {
    while (n > 0) {
        if (seg_ >= segs_.size()) return false;
        const std::size_t avail = segs_[seg_].size() - std::min(pos_, segs_[seg_].size());
        if (avail == 0) {
            if (!nextSegment()) return false;
            continue;
        }
        const std::size_t k = std::min(avail, n);
        pos_ += k;
        n -= k;
    }
    return true;
}

bool ContinuedReader::chars(std::size_t cch, bool highByte, std::string& out) {
    while (cch > 0) {
        if (seg_ >= segs_.size()) return false;
        if (pos_ >= segs_[seg_].size()) {
            // A seam inside the characters: the next record restates the option byte.
            if (!nextSegment()) return false;
            if (segs_[seg_].empty()) return false;
            highByte = (segs_[seg_][0] & 0x01) != 0;
            pos_ = 1;
            continue;
        }
        const Bytes s = segs_[seg_];
        const std::size_t width = highByte ? 2 : 1;
        const std::size_t avail = (s.size() - pos_) / width;
        if (avail == 0) return false;  // half a UTF-16 unit before a seam
        const std::size_t k = std::min(avail, cch);
        std::string piece = highByte ? utf16leToUtf8(s.data() + pos_, k * 2) : latin1ToUtf8(s.data() + pos_, k);
        if (out.empty())
            out = std::move(piece);  // the common case: the whole string in one record
        else
            out += piece;
        pos_ += k * width;
        cch -= k;
    }
    return true;
}

bool ContinuedReader::unicodeString(std::string& out, std::vector<FormatRun>* runs) {
    std::uint16_t cch = 0;
    std::uint8_t flags = 0;
    if (!u16(cch) || !u8(flags)) return false;
    std::uint16_t count = 0;
    std::uint32_t ext = 0;
    if ((flags & 0x08) && !u16(count)) return false;
    if ((flags & 0x04) && !u32(ext)) return false;
    if (!chars(cch, flags & 0x01, out)) return false;
    // The runs carry on across a record seam without an option byte.
    for (std::size_t k = 0; k < count; ++k) {
        FormatRun run;
        if (!u16(run.position) || !u16(run.font)) return false;
        if (runs && runs->size() < kMaxRunsPerString) runs->push_back(run);
    }
    return skip(ext);
}

namespace {

std::optional<std::string> stringAt(Bytes data, std::size_t offset, std::size_t cch, std::size_t* end,
                                    std::vector<FormatRun>* runList = nullptr) {
    std::uint8_t flags = 0;
    if (!readLE(data, offset, flags)) return std::nullopt;
    std::size_t p = offset + 1;
    std::uint16_t runs = 0;
    std::uint32_t ext = 0;
    if (flags & 0x08) {
        if (!readLE(data, p, runs)) return std::nullopt;
        p += 2;
    }
    if (flags & 0x04) {
        if (!readLE(data, p, ext)) return std::nullopt;
        p += 4;
    }
    const std::size_t bytes = cch * ((flags & 0x01) ? 2 : 1);
    if (p > data.size() || data.size() - p < bytes) return std::nullopt;
    std::string s = (flags & 0x01) ? utf16leToUtf8(data.data() + p, bytes) : latin1ToUtf8(data.data() + p, bytes);
    p += bytes;
    for (std::size_t k = 0; runList && k < runs && k < kMaxRunsPerString; ++k) {
        FormatRun run;
        if (!readLE(data, p + 4 * k, run.position) || !readLE(data, p + 4 * k + 2, run.font)) break;
        runList->push_back(run);
    }
    p += std::size_t{runs} * 4 + ext;
    if (end) *end = p;
    return s;
}

// The string at the reader's position once its count is read; the reader moves past it.
bool readAt(ByteReader& r, std::size_t start, std::size_t cch, std::string& out, std::vector<FormatRun>* runs) {
    std::size_t end = 0;
    std::vector<FormatRun> found;
    auto s = stringAt(r.data(), r.position(), cch, &end, runs ? &found : nullptr);
    if (!s || !r.seek(end)) {
        r.seek(start);
        return false;
    }
    out = std::move(*s);
    if (runs) runs->insert(runs->end(), found.begin(), found.end());
    return true;
}

}  // namespace

bool readShortString(ByteReader& r, std::string& out) {
    const std::size_t start = r.position();
    std::uint8_t cch = 0;
    return r.u8(cch) && readAt(r, start, cch, out, nullptr);
}

bool readLongString(ByteReader& r, std::string& out, std::vector<FormatRun>* runs) {
    const std::size_t start = r.position();
    std::uint16_t cch = 0;
    return r.u16(cch) && readAt(r, start, cch, out, runs);
}

bool readStringNoCount(ByteReader& r, std::size_t cch, std::string& out) {
    return readAt(r, r.position(), cch, out, nullptr);
}

}  // namespace tarnwick::xls
