// Bounds-checked little-endian reads over a byte span. Every read checks the remaining length
// first; a failed read leaves the reader positioned where it was and returns false.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace tarnwick {

using Bytes = std::span<const std::uint8_t>;

// Reads an unsigned little-endian integer of sizeof(T) bytes at offset, or returns false.
template <class T>
inline bool readLE(Bytes data, std::size_t offset, T& out) {
    static_assert(sizeof(T) <= 8);
    if (offset > data.size() || data.size() - offset < sizeof(T)) return false;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) v |= std::uint64_t{data[offset + i]} << (8 * i);
    out = static_cast<T>(v);
    return true;
}

class ByteReader {
public:
    explicit ByteReader(Bytes data) : data_(data) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    Bytes data() const { return data_; }

    bool seek(std::size_t pos) {
        if (pos > data_.size()) return false;
        pos_ = pos;
        return true;
    }
    bool skip(std::size_t n) {
        if (n > remaining()) return false;
        pos_ += n;
        return true;
    }

    bool u8(std::uint8_t& v) { return take(v); }
    bool u16(std::uint16_t& v) { return take(v); }
    bool u32(std::uint32_t& v) { return take(v); }
    bool u64(std::uint64_t& v) { return take(v); }
    bool i16(std::int16_t& v) {
        std::uint16_t u;
        if (!take(u)) return false;
        v = static_cast<std::int16_t>(u);
        return true;
    }
    bool i32(std::int32_t& v) {
        std::uint32_t u;
        if (!take(u)) return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool f64(double& v) {
        std::uint64_t u;
        if (!take(u)) return false;
        std::memcpy(&v, &u, sizeof v);
        return true;
    }
    // A sub-span of n bytes from the current position.
    bool bytes(std::size_t n, Bytes& out) {
        if (n > remaining()) return false;
        out = data_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

private:
    template <class T>
    bool take(T& v) {
        if (!readLE(data_, pos_, v)) return false;
        pos_ += sizeof(T);
        return true;
    }

    Bytes data_;
    std::size_t pos_ = 0;
};

}  // namespace tarnwick
