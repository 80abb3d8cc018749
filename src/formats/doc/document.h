// A Word 97-2003 document as read from its compound file: the text of every story by CP, the
// paragraphs and character runs of each story with their resolved properties, sections with
// their page setup and header/footer stories, styles, fonts, fields, shape anchors and document
// properties. Values are the file's; the word:: object model turns them into what Word reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/clx.h"
#include "formats/doc/dop.h"
#include "formats/doc/fib.h"
#include "formats/doc/fields.h"
#include "formats/doc/fonts.h"
#include "formats/doc/properties.h"
#include "formats/doc/shapes.h"
#include "formats/doc/stsh.h"
#include "formats/oleps/property_set.h"

namespace tarnwick::doc {

// The document parts in CP order: each starts where the one before ends.
enum class StoryKind : std::uint8_t { Main, Footnote, Header, Macro, Annotation, Endnote, Textbox, HeaderTextbox };
inline constexpr std::size_t kStoryKinds = 8;

struct CharacterRun {
    CpRange cps;
    Chp chp;
};

struct Paragraph {
    CpRange cps;  // including the paragraph mark (0x0D, 0x07 cell/row end, or a section's 0x0C)
    Pap pap;
    std::size_t firstRun = 0;  // into Story::runs
    std::size_t runCount = 0;  // the runs cover the paragraph, mark included
};

struct Story {
    CpRange cps;  // absolute CPs
    std::vector<Paragraph> paragraphs;
    std::vector<CharacterRun> runs;
};

// Header document stories per section, in file order.
enum class HeaderKind : std::uint8_t { EvenHeader, OddHeader, EvenFooter, OddFooter, FirstHeader, FirstFooter };

struct HeaderStory {
    CpRange inHeaderDocument;  // as Plcfhdd stores it; empty: the section has no story of its own
    Story story;               // absolute CPs
    bool empty() const { return inHeaderDocument.empty(); }
};

struct Section {
    CpRange cps;  // in the main document, its 0x0C (or the final mark) included
    Sep sep;
    std::array<HeaderStory, 6> headers;  // by HeaderKind
};

struct Piece {
    CpRange cps;
    FcCompressed fc;
    Prm prm;
};

// A style with its properties resolved through istdBase. For a character style `chp` holds
// the style chain applied to the defaults (toggles as the chain sets them).
struct Style {
    bool empty = true;
    std::uint16_t sti = 0;
    std::uint8_t stk = 0;
    std::uint16_t istdBase = kIstdNil;
    std::uint16_t istdNext = 0;
    bool fHidden = false;
    std::string name;
    Pap pap;
    Chp chp;
};

struct Document {
    Fib fib;
    std::u16string text;  // every CP of every part, one UTF-16 code unit each
    std::vector<Piece> pieces;
    std::array<CpRange, kStoryKinds> parts;  // by StoryKind

    Story main;
    Story footnotes, annotations, endnotes, textboxes, headerTextboxes;
    std::array<HeaderStory, 6> separators;  // the first six header document stories
    std::vector<Section> sections;

    Stshi stshi;
    std::vector<Style> styles;  // index = istd
    std::vector<Ffn> fonts;     // index = ftc
    Dop dop;
    std::array<std::vector<Fld>, kStoryKinds> fieldChars;  // absolute CPs, by StoryKind
    std::array<std::vector<Field>, kStoryKinds> fields;    // absolute CPs, by StoryKind
    std::vector<ShapeAnchor> mainShapes;    // PlcSpaMom, absolute CPs
    std::vector<ShapeAnchor> headerShapes;  // PlcSpaHdr, absolute CPs
    std::optional<oleps::SummaryInformation> summary;

    // The streams, for readers of pictures and drawings.
    std::vector<std::uint8_t> wordDocumentStream;
    std::vector<std::uint8_t> tableStream;
    // The OfficeArtContent (drawing group and drawings) in the table stream; empty when none.
    Bytes dggInfo() const;

    CpRange part(StoryKind kind) const { return parts[static_cast<std::size_t>(kind)]; }
    std::u16string_view textOf(CpRange range) const;  // clamped to the text
    std::string utf8(CpRange range) const;
    const Style* style(std::uint16_t istd) const;  // nullptr for an empty or missing index
    const Ffn* font(std::uint16_t ftc) const;
    // The header story shown for a section: its own, else the same kind of the nearest earlier
    // section that has one; nullptr when no section up to this one has it.
    const HeaderStory* inheritedHeader(std::size_t section, HeaderKind kind) const;
};

// Caps on what a document may ask for; over a cap the read fails with TooLarge.
struct ReadLimits {
    std::size_t maxFileBytes = 64u << 20;
    std::size_t maxCps = 16u << 20;
    std::size_t maxPieces = 1u << 17;
    std::size_t maxParagraphs = 500'000;
    std::size_t maxRuns = 1'000'000;
    std::size_t maxStyles = 0x0FFE;
    std::size_t maxFonts = 0x7FF0;
    std::size_t maxSections = 10'000;
    std::size_t maxFields = 200'000;
    std::size_t maxShapes = 100'000;
    std::size_t maxFkpPages = 1u << 16;
};

// Reads a .doc file. Errors: Empty, NewerFormat (.docx), WrongFormat (RTF, HTML, XML, another
// Office file), OlderFormat (Word 6/95, Word 2), NotCompoundFile, Encrypted, Damaged, TooLarge.
Result<Document> readDocument(Bytes file, const ReadLimits& limits = {});

// Reads the streams of a document already taken out of its container (the table stream is the
// one FibBase.fWhichTblStm names). The Data stream (inline pictures' bytes) is not read.
Result<Document> readDocumentStreams(Bytes wordDocument, Bytes table, const ReadLimits& limits = {});

// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
std::string toUtf8(std::u16string_view text);

}  // namespace tarnwick::doc
