// Test-only access to the drawing bytes of real files, before a Word reader exists: the
// DggInfo slice of a .doc's table stream (through the FIB), and the OfficeArt containers found in
// a .ppt's main stream or a .doc's Data stream. Also a small builder for synthetic records.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "formats/odraw/drawing.h"

namespace tarnwick::test {

using Buf = std::vector<std::uint8_t>;

// The OfficeArtContent of a .doc (empty when lcbDggInfo is 0). Throws on a file the helper cannot read.
Buf dggInfoOf(const std::filesystem::path& doc);

// A whole stream of a compound file; throws when it is missing.
Buf streamOf(const std::filesystem::path& file, const std::string& name);

// Every drawing container found by scanning a stream for their headers (PowerPoint keeps them
// inside its own records) that reads without error.
std::vector<odraw::Drawing> drawingsIn(const Buf& stream);

// Every shape container found by scanning a stream for their headers that reads without error
// (Word keeps inline shapes in the Data stream, after a picture descriptor).
std::vector<odraw::Shape> shapesIn(const Buf& stream);

// ---- synthetic records
void add16(Buf& b, std::uint16_t v);
void add32(Buf& b, std::uint32_t v);
Buf record(std::uint8_t ver, std::uint16_t instance, std::uint16_t type, const Buf& body);
Buf container(std::uint16_t type, std::initializer_list<Buf> children, std::uint16_t instance = 0);
Buf cat(std::initializer_list<Buf> parts);

struct Prop {
    std::uint16_t id;
    std::uint32_t value = 0;
    Buf data{};         // non-empty: a complex property (value is then the data length unless forced)
    bool forceValue = false;
};
// An OPT-like record (type OPT, SecondaryOPT or TertiaryOPT) with the given properties.
Buf opt(std::initializer_list<Prop> props, std::uint16_t type = odraw::rt::OPT);
Buf fsp(std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags);
Buf utf16z(const std::u16string& text);  // UTF-16LE with a closing NUL

// A shape container with an FSP and the given further records.
Buf spContainer(std::uint16_t shapeType, std::uint32_t spid, std::uint32_t flags, std::initializer_list<Buf> more = {});
// A DggContainer with an FDGGBlock and the given further records.
Buf dggContainer(std::initializer_list<Buf> more = {});
// A DgContainer with an FDG, a patriarch group holding the given shapes, then more records.
Buf dgContainer(std::initializer_list<Buf> members, std::initializer_list<Buf> after = {});

}  // namespace tarnwick::test
