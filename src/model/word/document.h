// The word:: object model: what Word's Document, Range, Font, ParagraphFormat, PageSetup,
// Sections and the header pane report for a saved .doc, read from the file by formats/doc.
// Reads return Variants: a value the file cannot answer is a failed Variant with its reason,
// never a default. Lengths are points as single-precision values (Word's Single), enumerations
// and flags are Word's numbers, and a value that differs over a range is Word's mixed value
// ("" for a name, 9999999 for a number or a flag).
//
// The document in memory can lose paragraphs (Range.Delete, for the empty-paragraph pass); the
// file is never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"
#include "formats/doc/document.h"
#include "model/common/variant.h"
#include "model/word/constants.h"
#include "model/word/shapes.h"

namespace tarnwick::word {

using model::Variant;

// The document as read, and the paragraphs of the main text still in it.
struct DocumentData {
    doc::Document file;
    std::vector<std::size_t> paragraphs;  // indices into file.main.paragraphs, in order
    DrawingLayer drawings;                // read when the document is opened
    bool libreOffice = false;             // saved by LibreOffice: explanations say what it cannot store
};
using DocumentPtr = std::shared_ptr<DocumentData>;

// A stretch of the main text as it now stands: the paragraphs first..last (positions among the
// paragraphs still in the document), from `startOffset` characters into the first to
// `endOffset` characters into the last (both within that paragraph, mark included).
struct Span {
    std::size_t first = 0, last = 0;
    std::size_t startOffset = 0, endOffset = 0;
};

// A single-precision length or count as Word reports it, for comparisons with the rubrics'
// constants: Single(737.1) is the Single nearest to 737.1.
inline double Single(double v) { return static_cast<double>(static_cast<float>(v)); }

class Font {
public:
    Font(DocumentPtr doc, Span span, std::string failure)
        : doc_(std::move(doc)), span_(span), failure_(std::move(failure)) {}
    Variant Name() const;       // the font of each character's script; "" when they differ
    Variant Size() const;       // points
    Variant Color() const;      // WdColor (R + 256 G + 65536 B), wdColorAutomatic
    Variant Bold() const;       // -1 / 0
    Variant Italic() const;     // -1 / 0
    Variant Underline() const;  // WdUnderline: 0 none, 1 single, ...
private:
    template <class F>
    Variant foldRuns(F&& valueOf) const;
    DocumentPtr doc_;
    Span span_;
    std::string failure_;
};

// The format of every paragraph the range touches.
class ParagraphFormat {
public:
    ParagraphFormat(DocumentPtr doc, std::size_t first, std::size_t last, std::string failure)
        : doc_(std::move(doc)), first_(first), last_(last), failure_(std::move(failure)) {}
    Variant Alignment() const;                     // WdParagraphAlignment
    Variant LineSpacing() const;                   // points: |dyaLine| / 20 for every rule
    Variant CharacterUnitFirstLineIndent() const;  // characters; 0 when only a length is stored
    Variant CharacterUnitLeftIndent() const;
    Variant LineUnitBefore() const;                // lines; 0 when only a length is stored
    Variant LineUnitAfter() const;
private:
    template <class F>
    Variant foldParagraphs(F&& valueOf) const;
    // A character or line unit in hundredths, 0 where only a length is stored (then noted for a
    // LibreOffice file, which cannot store the unit).
    Variant unitRead(bool doc::Pap::*stored, std::int16_t doc::Pap::*hundredths, const char* libreOfficeNote) const;
    DocumentPtr doc_;
    std::size_t first_, last_;
    std::string failure_;
};

// A range of the main text: whole paragraphs (Paragraphs(i).Range, Range()) or any stretch of
// characters (Range(start, end)).
class Range {
public:
    Range(DocumentPtr doc, Span span) : doc_(std::move(doc)), span_(span) {}
    static Range failedRange(DocumentPtr doc, std::string why);

    bool failed() const { return !failure_.empty(); }
    const std::string& failure() const { return failure_; }

    // The characters as Word's Range.Text gives them: each paragraph with its mark (a table
    // cell's end as "\r\a"), the special characters of pictures, shapes and fields included.
    Variant Text() const;
    Variant Start() const;  // character positions in the document as it now stands
    Variant End() const;
    word::Font Font() const;  // over every character, paragraph marks included
    word::ParagraphFormat ParagraphFormat() const;
    // Removes whole paragraphs from the document in memory (a range that is not made of whole
    // paragraphs is left alone). The last paragraph mark of a document cannot be deleted: a range
    // ending in it keeps it, and a range of only that paragraph deletes nothing.
    void Delete();

private:
    DocumentPtr doc_;
    Span span_;
    std::string failure_;
};

class Paragraph {
public:
    explicit Paragraph(word::Range range) : range_(std::move(range)) {}
    word::Range Range() const { return range_; }
private:
    word::Range range_;
};

class Paragraphs {
public:
    explicit Paragraphs(DocumentPtr doc) : doc_(std::move(doc)) {}
    std::int32_t Count() const;
    Paragraph operator()(std::int32_t index) const;  // 1-based; out of range: every read fails
private:
    DocumentPtr doc_;
};

class PageSetup {
public:
    explicit PageSetup(DocumentPtr doc) : doc_(std::move(doc)) {}
    Variant PageWidth() const;  // points; 9999999 when the sections differ
    Variant PageHeight() const;
    Variant TopMargin() const;
    Variant BottomMargin() const;
    Variant LeftMargin() const;
    Variant RightMargin() const;
    Variant Orientation() const;  // 0 portrait, 1 landscape
private:
    template <class F>
    Variant foldSections(F&& valueOf) const;
    DocumentPtr doc_;
};

class PageNumber {
public:
    PageNumber(DocumentPtr doc, const doc::Story* footer, std::int32_t index, std::string failure)
        : doc_(std::move(doc)), footer_(footer), index_(index), failure_(std::move(failure)) {}
    // WdPageNumberAlignment. A page number Word inserted is a frame holding a PAGE field: the
    // frame's horizontal position (left, centre, right, inside, outside). A PAGE field in a
    // paragraph of its own without a frame (LibreOffice, later Word versions): the paragraph's
    // alignment. No PAGE field: a failed read.
    Variant Alignment() const;
private:
    DocumentPtr doc_;
    const doc::Story* footer_;
    std::int32_t index_;
    std::string failure_;
};

class PageNumbers {
public:
    PageNumbers(DocumentPtr doc, const doc::Story* story, std::string failure)
        : doc_(std::move(doc)), story_(story), failure_(std::move(failure)) {}
    PageNumber operator()(std::int32_t index) const { return PageNumber(doc_, story_, index, failure_); }
private:
    DocumentPtr doc_;
    const doc::Story* story_;
    std::string failure_;
};

class HeaderFooter {
public:
    HeaderFooter(DocumentPtr doc, const doc::Story* story, std::string failure)
        : doc_(std::move(doc)), story_(story), failure_(std::move(failure)) {}
    word::PageNumbers PageNumbers() const { return word::PageNumbers(doc_, story_, failure_); }
    Variant Text() const;  // the story's text; failed when the section has no such story
private:
    DocumentPtr doc_;
    const doc::Story* story_;  // nullptr: none
    std::string failure_;
};

class HeadersFooters {
public:
    HeadersFooters(DocumentPtr doc, std::size_t section, bool footers, std::string failure)
        : doc_(std::move(doc)), section_(section), footers_(footers), failure_(std::move(failure)) {}
    // wdHeaderFooterPrimary 1 (odd pages), wdHeaderFooterFirstPage 2, wdHeaderFooterEvenPages 3.
    HeaderFooter operator()(std::int32_t index) const;
private:
    DocumentPtr doc_;
    std::size_t section_;
    bool footers_;
    std::string failure_;
};

class Section {
public:
    Section(DocumentPtr doc, std::size_t index, std::string failure)
        : doc_(std::move(doc)), index_(index), failure_(std::move(failure)) {}
    HeadersFooters Headers() const { return HeadersFooters(doc_, index_, false, failure_); }
    HeadersFooters Footers() const { return HeadersFooters(doc_, index_, true, failure_); }
private:
    DocumentPtr doc_;
    std::size_t index_;
    std::string failure_;
};

class Sections {
public:
    explicit Sections(DocumentPtr doc) : doc_(std::move(doc)) {}
    std::int32_t Count() const;
    Section operator()(std::int32_t index) const;  // 1-based
private:
    DocumentPtr doc_;
};

// ActiveWindow.ActivePane of a freshly opened document: its view, and a selection at the start
// of the document (page 1 of section 1).
class Pane {
public:
    explicit Pane(DocumentPtr doc) : doc_(std::move(doc)) {}
    void SetViewType(int type) { viewType_ = type; }
    // wdSeekCurrentPageHeader (9) moves the selection into the header shown on the current page,
    // wdSeekMainDocument (0) back into the text.
    void SetSeekView(int seek) { seekView_ = seek; }
    void SetSelectionStart(std::int32_t start) { start_ = start; }
    void SetSelectionEnd(std::int32_t end) { end_ = end; }
    // The selected characters of the story the selection is in (positions relative to it).
    Variant SelectionText() const;
private:
    DocumentPtr doc_;
    int viewType_ = 1;
    int seekView_ = wd::SeekMainDocument;
    std::int32_t start_ = 0, end_ = 0;
};

// Who saved the file, for explanations: a property LibreOffice cannot store as Word does reads
// as Word reads such a file.
struct SavedBy {
    std::uint16_t product = 0;  // FibBase.nProduct
    std::string application;    // the summary's application name, when stored
    bool libreOffice = false;   // LibreOffice or OpenOffice wrote the file
};

class Document {
public:
    static Result<Document> open(Bytes file);
    static Result<Document> open(const std::filesystem::path& file);

    word::Paragraphs Paragraphs() const { return word::Paragraphs(doc_); }
    word::Range Range() const;  // the whole main text
    // Characters start..end of the main text as it now stands (clamped to it).
    word::Range Range(std::int32_t start, std::int32_t end) const;
    word::PageSetup PageSetup() const { return word::PageSetup(doc_); }
    word::Sections Sections() const { return word::Sections(doc_); }
    Pane ActivePane() const { return Pane(doc_); }
    // The floating shapes of the main text, in the order of their anchors.
    word::Shapes Shapes() const {
        return mainTextShapes(doc_, doc_->file.mainShapes, doc_->drawings, doc_->libreOffice);
    }
    // Pictures and objects in line with the text (special characters 0x01 of the main text).
    std::int32_t InlineShapesCount() const;
    SavedBy savedBy() const;

    const doc::Document& file() const { return doc_->file; }
    const DocumentPtr& data() const { return doc_; }

private:
    explicit Document(DocumentPtr doc) : doc_(std::move(doc)) {}
    DocumentPtr doc_;
};

inline constexpr std::uintmax_t kMaxDocumentBytes = 64u << 20;

}  // namespace tarnwick::word
