// OfficeArt records: the 8-byte header every drawing record starts with, and the splitting of a
// container's body into its child records. Each child's length is checked against its parent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::odraw {

// Record types of the drawing records a Word document holds.
namespace rt {
inline constexpr std::uint16_t DggContainer = 0xF000;
inline constexpr std::uint16_t BStoreContainer = 0xF001;
inline constexpr std::uint16_t DgContainer = 0xF002;
inline constexpr std::uint16_t SpgrContainer = 0xF003;
inline constexpr std::uint16_t SpContainer = 0xF004;
inline constexpr std::uint16_t SolverContainer = 0xF005;
inline constexpr std::uint16_t FDGGBlock = 0xF006;
inline constexpr std::uint16_t FBSE = 0xF007;
inline constexpr std::uint16_t FDG = 0xF008;
inline constexpr std::uint16_t FSPGR = 0xF009;
inline constexpr std::uint16_t FSP = 0xF00A;
inline constexpr std::uint16_t OPT = 0xF00B;
inline constexpr std::uint16_t ClientTextbox = 0xF00D;
inline constexpr std::uint16_t ChildAnchor = 0xF00F;
inline constexpr std::uint16_t ClientAnchor = 0xF010;
inline constexpr std::uint16_t ClientData = 0xF011;
inline constexpr std::uint16_t RegroupItems = 0xF118;
inline constexpr std::uint16_t SecondaryOPT = 0xF121;
inline constexpr std::uint16_t TertiaryOPT = 0xF122;
}  // namespace rt

inline constexpr std::size_t kHeaderSize = 8;

struct RecordHeader {
    std::uint8_t recVer = 0;        // 4 bits; 0xF marks a container
    std::uint16_t recInstance = 0;  // 12 bits
    std::uint16_t recType = 0;
    std::uint32_t recLen = 0;       // length of the body that follows the header
    bool isContainer() const { return recVer == 0xF; }
};

struct Record {
    RecordHeader header;
    Bytes body;              // exactly recLen bytes
    std::size_t offset = 0;  // of the header, from the start of the bytes first handed to the reader
};

// Reads a header at offset, or returns false when fewer than 8 bytes remain.
bool readHeader(Bytes data, std::size_t offset, RecordHeader& out);

// How far one read may go: nesting of containers and records in all.
struct Limits {
    std::size_t maxDepth = 32;          // containers inside containers
    std::size_t maxRecords = 200'000;   // records of one read, all levels together
    std::size_t maxShapes = 50'000;     // shapes of one read, all drawings together
};

// Counts the records and shapes of one read against its limits.
class Budget {
public:
    explicit Budget(const Limits& limits) : limits_(limits) {}
    const Limits& limits() const { return limits_; }
    // False once more records than the limit were taken.
    bool takeRecords(std::size_t n);
    bool takeShape();

private:
    Limits limits_;
    std::size_t records_ = 0;
    std::size_t shapes_ = 0;
};

// Splits a container body (or any run of sibling records) into records. A record whose length
// runs past the span, or a partial header at the end, is an error; so is going over the budget.
// baseOffset is added to the offsets reported (the span's own position in the outer bytes).
Result<std::vector<Record>> splitRecords(Bytes span, std::size_t baseOffset, Budget& budget);

// The error readers return for structures that contradict themselves.
Error damaged(const char* what);

}  // namespace tarnwick::odraw
