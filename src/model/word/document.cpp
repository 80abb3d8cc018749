#include "model/word/document.h"

#include <cmath>
#include <new>
#include <optional>
#include <stdexcept>

#include "base/read_file.h"
#include "base/utf.h"
#include "formats/doc/errors.h"
#include "model/common/fold.h"
#include "model/word/font_slot.h"
#include "model/word/names.h"

namespace tarnwick::word {
namespace {

constexpr std::uint16_t kProductLibreOffice = 0x204D;  // FibBase.nProduct of LibreOffice/OpenOffice

const doc::Paragraph& paragraphAt(const DocumentData& d, std::size_t live) {
    return d.file.main.paragraphs[d.paragraphs[live]];
}

// The code points of a CP range of the text; surrogate pairs joined, a lone half kept as U+FFFD.
template <class F>
void forEachCodePoint(const std::u16string& text, doc::CpRange range, F&& f) {
    const std::size_t end = std::min<std::size_t>(range.end, text.size());
    if (range.start < end) tarnwick::forEachCodePoint(std::u16string_view(text).substr(range.start, end - range.start), f);
}

// The runs of a paragraph, each cut to the paragraph (the mark's run included).
template <class F>
void forEachRun(const doc::Story& story, const doc::Paragraph& p, doc::CpRange within, F&& f) {
    for (std::size_t k = 0; k < p.runCount && p.firstRun + k < story.runs.size(); ++k) {
        const doc::CharacterRun& run = story.runs[p.firstRun + k];
        const doc::Cp b = std::max(run.cps.start, within.start), e = std::min(run.cps.end, within.end);
        if (b < e) f(run, doc::CpRange{b, e});
    }
}

// The part of live paragraph i that a span covers, in absolute CPs.
doc::CpRange clip(const DocumentData& d, const Span& span, std::size_t i) {
    const doc::CpRange p = paragraphAt(d, i).cps;
    doc::CpRange r = p;
    if (i == span.first) r.start = std::min<doc::Cp>(p.end, p.start + static_cast<doc::Cp>(span.startOffset));
    if (i == span.last) r.end = std::min<doc::Cp>(p.end, p.start + static_cast<doc::Cp>(span.endOffset));
    if (r.end < r.start) r.end = r.start;
    return r;
}

Span wholeParagraphs(const DocumentData& d, std::size_t first, std::size_t last) {
    return Span{first, last, 0, paragraphAt(d, last).cps.size()};
}

// The text of a stretch of the text as Range.Text gives it: a table cell's end mark reads "\r\a".
std::u16string rangeText(const doc::Document& file, doc::CpRange cps) {
    std::u16string s(file.textOf(cps));
    if (!s.empty() && s.back() == u'\x07') {
        s.back() = u'\r';
        s += u'\x07';
    }
    return s;
}

// WdColor of a character: the RGB value (sprmCCv) wins over the palette index (sprmCIco).
int wdColorOf(const doc::Chp& chp) {
    if (chp.hasCv) {
        if ((chp.cv >> 24) == 0xFF) return wd::ColorAutomatic;
        return static_cast<int>(chp.cv & 0xFFFFFF);
    }
    // Ico ([MS-DOC] 2.9.119) as R + 256 G + 65536 B.
    static constexpr int kIco[17] = {wd::ColorAutomatic, 0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF,
                                     0x00FFFF, 0xFFFFFF, 0x800000, 0x808000, 0x008000, 0x800080, 0x000080,
                                     0x008080, 0x808080, 0xC0C0C0};
    return chp.ico < 17 ? kIco[chp.ico] : wd::ColorAutomatic;
}

Variant flag(bool on) { return Variant::number(on ? wd::True : wd::False); }

const char* kNoParagraph = "文档中没有这个段落。";

// Remarks on reads that LibreOffice cannot store the way Word does.
const char* kLoMarks = "用 LibreOffice 保存时段落标记没有字符格式，整段读作各处不同";
const char* kLoCharUnits = "LibreOffice 不能在 .doc 中保存以字符为单位的缩进";
const char* kLoLineUnits = "LibreOffice 不能在 .doc 中保存以行为单位的间距";
const char* kLoPaper = "LibreOffice 保存的纸张尺寸与 Word 的不完全相同";
const char* kLoTopMargin = "LibreOffice 把页眉的高度也算进了上边距";

Variant noted(Variant v, bool libreOffice, const char* note) { return libreOffice ? v.withNote(note) : v; }

}  // namespace

// ---- Font ----

template <class F>
Variant Font::foldRuns(F&& valueOf) const {
    if (!failure_.empty()) return Variant::failed(failure_);
    const DocumentData& d = *doc_;
    model::Fold fold(Variant::number(wd::Undefined));
    for (std::size_t i = span_.first; i <= span_.last && i < d.paragraphs.size(); ++i) {
        bool more = true;
        forEachRun(d.file.main, paragraphAt(d, i), clip(d, span_, i), [&](const doc::CharacterRun& run, doc::CpRange) {
            if (more) more = fold.add(valueOf(run.chp));
        });
        if (!more) break;
    }
    const Variant v = fold.result();
    return v.isMixed() ? noted(v, d.libreOffice, kLoMarks) : v;
}

Variant Font::Name() const {
    if (!failure_.empty()) return Variant::failed(failure_);
    const DocumentData& d = *doc_;
    model::Fold fold(Variant::text(""));
    bool more = true;
    std::optional<std::uint16_t> lastFtc;  // a font added again changes nothing
    for (std::size_t i = span_.first; more && i <= span_.last && i < d.paragraphs.size(); ++i) {
        forEachRun(d.file.main, paragraphAt(d, i), clip(d, span_, i), [&](const doc::CharacterRun& run, doc::CpRange cps) {
            forEachCodePoint(d.file.text, cps, [&](char32_t c) {
                if (!more) return;
                const std::uint16_t ftc = run.chp.rgftc[static_cast<std::size_t>(fontSlotOf(c, run.chp))];
                if (lastFtc == ftc) return;
                lastFtc = ftc;
                const doc::Ffn* ffn = d.file.font(ftc);
                more = fold.add(ffn ? Variant::text(ffn->name)
                                    : Variant::failed("文字所用的字体在字体表中找不到，文档可能已损坏。"));
            });
        });
    }
    const Variant v = fold.result();
    return v.isMixed() ? noted(v, d.libreOffice, kLoMarks) : v;
}

Variant Font::Size() const { return foldRuns([](const doc::Chp& c) { return Variant::number(Single(c.hps / 2.0)); }); }
Variant Font::Color() const {
    return foldRuns([](const doc::Chp& c) { return Variant::number(wdColorOf(c)); }).withNames(&colorName);
}
Variant Font::Bold() const { return foldRuns([](const doc::Chp& c) { return flag(c.fBold); }).withNames(&flagName); }
Variant Font::Italic() const { return foldRuns([](const doc::Chp& c) { return flag(c.fItalic); }).withNames(&flagName); }
Variant Font::Underline() const {
    return foldRuns([](const doc::Chp& c) { return Variant::number(c.kul); }).withNames(&underlineName);
}

// ---- ParagraphFormat ----

template <class F>
Variant ParagraphFormat::foldParagraphs(F&& valueOf) const {
    if (!failure_.empty()) return Variant::failed(failure_);
    const DocumentData& d = *doc_;
    model::Fold fold(Variant::number(wd::Undefined));
    for (std::size_t i = first_; i <= last_ && i < d.paragraphs.size(); ++i)
        if (!fold.add(valueOf(paragraphAt(d, i).pap))) break;
    return fold.result();
}

Variant ParagraphFormat::Alignment() const {
    return foldParagraphs([](const doc::Pap& p) { return Variant::number(p.jc); }).withNames(&paragraphAlignmentName);
}
Variant ParagraphFormat::LineSpacing() const {
    return foldParagraphs([](const doc::Pap& p) { return Variant::number(Single(std::abs(p.lspd.dyaLine) / 20.0)); });
}
Variant ParagraphFormat::unitRead(bool doc::Pap::*stored, std::int16_t doc::Pap::*hundredths, const char* loNote) const {
    const Variant v =
        foldParagraphs([&](const doc::Pap& p) { return Variant::number(Single(p.*stored ? p.*hundredths / 100.0 : 0)); });
    return equals(v, 0.0) ? noted(v, doc_->libreOffice, loNote) : v;
}
Variant ParagraphFormat::CharacterUnitFirstLineIndent() const {
    return unitRead(&doc::Pap::hasDxcLeft1, &doc::Pap::dxcLeft1, kLoCharUnits);
}
Variant ParagraphFormat::CharacterUnitLeftIndent() const {
    return unitRead(&doc::Pap::hasDxcLeft, &doc::Pap::dxcLeft, kLoCharUnits);
}
Variant ParagraphFormat::LineUnitBefore() const {
    return unitRead(&doc::Pap::hasDylBefore, &doc::Pap::dylBefore, kLoLineUnits);
}
Variant ParagraphFormat::LineUnitAfter() const { return unitRead(&doc::Pap::hasDylAfter, &doc::Pap::dylAfter, kLoLineUnits); }

// ---- Range ----

Range Range::failedRange(DocumentPtr doc, std::string why) {
    Range r(std::move(doc), Span{});
    r.failure_ = std::move(why);
    return r;
}

Variant Range::Text() const {
    if (failed()) return Variant::failed(failure_);
    std::u16string s;
    for (std::size_t i = span_.first; i <= span_.last && i < doc_->paragraphs.size(); ++i)
        s += rangeText(doc_->file, clip(*doc_, span_, i));
    return Variant::text(doc::toUtf8(s));
}

Variant Range::Start() const {
    if (failed()) return Variant::failed(failure_);
    std::size_t start = span_.startOffset;
    for (std::size_t i = 0; i < span_.first && i < doc_->paragraphs.size(); ++i) start += paragraphAt(*doc_, i).cps.size();
    return Variant::number(static_cast<double>(start));
}

Variant Range::End() const {
    if (failed()) return Variant::failed(failure_);
    std::size_t end = span_.endOffset;
    for (std::size_t i = 0; i < span_.last && i < doc_->paragraphs.size(); ++i) end += paragraphAt(*doc_, i).cps.size();
    return Variant::number(static_cast<double>(end));
}

word::Font Range::Font() const { return word::Font(doc_, span_, failure_); }
word::ParagraphFormat Range::ParagraphFormat() const {
    return word::ParagraphFormat(doc_, span_.first, span_.last, failure_);
}

void Range::Delete() {
    auto& live = doc_->paragraphs;
    if (failed() || live.empty() || span_.first > span_.last || span_.last >= live.size()) return;
    if (span_.startOffset != 0 || span_.endOffset != paragraphAt(*doc_, span_.last).cps.size()) return;
    std::size_t last = span_.last;
    if (last == live.size() - 1) {  // the final paragraph mark stays
        if (last == span_.first) return;
        --last;
    }
    live.erase(live.begin() + static_cast<std::ptrdiff_t>(span_.first), live.begin() + static_cast<std::ptrdiff_t>(last + 1));
}

// ---- Paragraphs ----

std::int32_t Paragraphs::Count() const { return static_cast<std::int32_t>(doc_->paragraphs.size()); }

Paragraph Paragraphs::operator()(std::int32_t index) const {
    if (index < 1 || static_cast<std::size_t>(index) > doc_->paragraphs.size())
        return Paragraph(word::Range::failedRange(doc_, kNoParagraph));
    const auto i = static_cast<std::size_t>(index - 1);
    return Paragraph(word::Range(doc_, wholeParagraphs(*doc_, i, i)));
}

// ---- PageSetup ----

template <class F>
Variant PageSetup::foldSections(F&& valueOf) const {
    const auto& sections = doc_->file.sections;
    if (sections.empty()) return Variant::failed("文档中没有节的页面设置。");
    model::Fold fold(Variant::number(wd::Undefined));
    for (const doc::Section& s : sections)
        if (!fold.add(valueOf(s.sep))) break;
    return fold.result();
}

Variant PageSetup::PageWidth() const {
    return noted(foldSections([](const doc::Sep& s) { return Variant::number(Single(s.xaPage / 20.0)); }),
                 doc_->libreOffice, kLoPaper);
}
Variant PageSetup::PageHeight() const {
    return noted(foldSections([](const doc::Sep& s) { return Variant::number(Single(s.yaPage / 20.0)); }),
                 doc_->libreOffice, kLoPaper);
}
Variant PageSetup::TopMargin() const {
    const bool header = doc_->file.sections.empty() ? false : doc_->file.inheritedHeader(0, doc::HeaderKind::OddHeader) != nullptr;
    return noted(foldSections([](const doc::Sep& s) { return Variant::number(Single(std::abs(s.dyaTop) / 20.0)); }),
                 doc_->libreOffice && header, kLoTopMargin);
}
Variant PageSetup::BottomMargin() const {
    return foldSections([](const doc::Sep& s) { return Variant::number(Single(std::abs(s.dyaBottom) / 20.0)); });
}
Variant PageSetup::LeftMargin() const {
    return foldSections([](const doc::Sep& s) { return Variant::number(Single(s.dxaLeft / 20.0)); });
}
Variant PageSetup::RightMargin() const {
    return foldSections([](const doc::Sep& s) { return Variant::number(Single(s.dxaRight / 20.0)); });
}
Variant PageSetup::Orientation() const {
    return foldSections([](const doc::Sep& s) {
               return Variant::number(s.dmOrientPage == 2 ? wd::OrientLandscape : wd::OrientPortrait);
           })
        .withNames(&orientationName);
}

// ---- Sections, headers and footers, page numbers ----

std::int32_t Sections::Count() const { return static_cast<std::int32_t>(doc_->file.sections.size()); }

Section Sections::operator()(std::int32_t index) const {
    if (index < 1 || static_cast<std::size_t>(index) > doc_->file.sections.size())
        return Section(doc_, 0, "文档中没有这一节。");
    return Section(doc_, static_cast<std::size_t>(index - 1), "");
}

HeaderFooter HeadersFooters::operator()(std::int32_t index) const {
    if (!failure_.empty()) return HeaderFooter(doc_, nullptr, failure_);
    doc::HeaderKind kind;
    switch (index) {
        case wd::HeaderFooterPrimary: kind = footers_ ? doc::HeaderKind::OddFooter : doc::HeaderKind::OddHeader; break;
        case wd::HeaderFooterFirstPage: kind = footers_ ? doc::HeaderKind::FirstFooter : doc::HeaderKind::FirstHeader; break;
        case wd::HeaderFooterEvenPages: kind = footers_ ? doc::HeaderKind::EvenFooter : doc::HeaderKind::EvenHeader; break;
        default: return HeaderFooter(doc_, nullptr, "页眉页脚的序号无效。");
    }
    const doc::HeaderStory* h = doc_->file.inheritedHeader(section_, kind);
    if (!h) return HeaderFooter(doc_, nullptr, footers_ ? "这一节没有页脚。" : "这一节没有页眉。");
    return HeaderFooter(doc_, &h->story, "");
}

Variant HeaderFooter::Text() const {
    if (!story_) return Variant::failed(failure_);
    return Variant::text(doc_->file.utf8(story_->cps));
}

Variant PageNumber::Alignment() const {
    if (!footer_) return Variant::failed(failure_.empty() ? "页脚中没有页码。" : failure_ + "页脚中没有页码。");
    // The index-th PAGE field of the story, outer fields only.
    std::int32_t seen = 0;
    const auto& fields = doc_->file.fields[static_cast<std::size_t>(doc::StoryKind::Header)];
    for (const doc::Field& f : fields) {
        if (f.flt != doc::kFltPage || f.begin < footer_->cps.start || f.begin >= footer_->cps.end) continue;
        if (++seen != index_) continue;
        for (const doc::Paragraph& p : footer_->paragraphs) {
            if (f.begin < p.cps.start || f.begin >= p.cps.end) continue;
            auto named = [](int alignment) { return Variant::number(alignment).withNames(&pageNumberAlignmentName); };
            if (p.pap.framed) {
                // XAS_plusOne: 0 left, -4 centre, -8 right, -12 inside, -16 outside; else a position.
                switch (p.pap.dxaAbs) {
                    case 0: return named(wd::AlignPageNumberLeft);
                    case -4: return named(wd::AlignPageNumberCenter);
                    case -8: return named(wd::AlignPageNumberRight);
                    case -12: return named(wd::AlignPageNumberInside);
                    case -16: return named(wd::AlignPageNumberOutside);
                    default: return Variant::failed("页码框放在一个具体位置上，没有对齐方式。");
                }
            }
            switch (p.pap.jc) {
                case 1: return named(wd::AlignPageNumberCenter);
                case 2: return named(wd::AlignPageNumberRight);
                default: return named(wd::AlignPageNumberLeft);
            }
        }
        return Variant::failed("页码不在页脚的任何段落中，文档可能已损坏。");
    }
    return Variant::failed("页脚中没有页码。");
}

// ---- the header pane ----

Variant Pane::SelectionText() const {
    const doc::Document& file = doc_->file;
    std::u16string story;
    if (seekView_ == wd::SeekCurrentPageHeader || seekView_ == wd::SeekCurrentPageFooter) {
        if (file.sections.empty()) return Variant::failed("文档中没有节。");
        // Page 1 of section 1: its first-page story when the section has a different first page,
        // else the primary (odd page) one. A section without a story of its own shows nothing.
        const bool header = seekView_ == wd::SeekCurrentPageHeader;
        const bool first = file.sections[0].sep.fTitlePage;
        const doc::HeaderKind kind = header ? (first ? doc::HeaderKind::FirstHeader : doc::HeaderKind::OddHeader)
                                            : (first ? doc::HeaderKind::FirstFooter : doc::HeaderKind::OddFooter);
        const doc::HeaderStory* h = file.inheritedHeader(0, kind);
        story = h ? std::u16string(file.textOf(h->story.cps)) : std::u16string(u"\r");  // an empty header
    } else {
        for (std::size_t i = 0; i < doc_->paragraphs.size(); ++i) story += rangeText(file, paragraphAt(*doc_, i).cps);
    }
    const std::size_t b = static_cast<std::size_t>(std::max<std::int32_t>(start_, 0));
    const std::size_t e = static_cast<std::size_t>(std::max<std::int32_t>(end_, start_));
    if (b >= story.size()) return Variant::text("");
    return Variant::text(doc::toUtf8(std::u16string_view(story).substr(b, std::min(e, story.size()) - b)));
}

// ---- Document ----

Result<Document> Document::open(Bytes file) {
    auto read = doc::readDocument(file);
    if (!read) return read.error();
    return guardedRead(
        [&]() -> Result<Document> {
            auto data = std::make_shared<DocumentData>();
            data->file = std::move(*read);
            data->paragraphs.resize(data->file.main.paragraphs.size());
            for (std::size_t i = 0; i < data->paragraphs.size(); ++i) data->paragraphs[i] = i;
            data->drawings = readDrawingLayer(data->file.dggInfo());
            Document d(std::move(data));
            d.doc_->libreOffice = d.savedBy().libreOffice;
            return d;
        },
        &doc::tooLarge);
}

Result<Document> Document::open(const std::filesystem::path& file) {
    auto bytes = readWholeFile(file, kMaxDocumentBytes,
                               {"找不到文档文件。", "文档的位置上是一个文件夹或特殊文件，不是普通文件。",
                                "没有读取文档文件的权限。", "文档文件太大（超过 64 MB），不像是练习用的文档。",
                                "无法打开文档文件（可能正被其他程序占用）。", "无法完整读取文档文件。",
                                "文档太大或已损坏，无法读取。"});
    if (!bytes) return bytes.error();
    return open(Bytes(bytes.value()));
}

word::Range Document::Range() const {
    if (doc_->paragraphs.empty()) return word::Range::failedRange(doc_, "文档中没有文字。");
    return word::Range(doc_, wholeParagraphs(*doc_, 0, doc_->paragraphs.size() - 1));
}

word::Range Document::Range(std::int32_t start, std::int32_t end) const {
    const auto& live = doc_->paragraphs;
    if (live.empty()) return word::Range::failedRange(doc_, "文档中没有文字。");
    const std::size_t b = static_cast<std::size_t>(std::max(start, 0));
    const std::size_t e = static_cast<std::size_t>(std::max(end, start < 0 ? 0 : start));
    // Find the paragraphs holding the two positions; past the end is the end of the last one.
    Span span{live.size() - 1, live.size() - 1, paragraphAt(*doc_, live.size() - 1).cps.size(),
              paragraphAt(*doc_, live.size() - 1).cps.size()};
    std::size_t at = 0;
    bool startFound = false;
    for (std::size_t i = 0; i < live.size(); ++i) {
        const std::size_t n = paragraphAt(*doc_, i).cps.size();
        if (!startFound && b < at + n) {
            span.first = i;
            span.startOffset = b - at;
            startFound = true;
        }
        if (startFound && e <= at + n) {
            span.last = i;
            span.endOffset = e - at;
            break;
        }
        at += n;
    }
    return word::Range(doc_, span);
}

std::int32_t Document::InlineShapesCount() const {
    std::int32_t n = 0;
    const doc::Story& main = doc_->file.main;
    for (const std::size_t i : doc_->paragraphs) {
        const doc::Paragraph& p = main.paragraphs[i];
        forEachRun(main, p, p.cps, [&](const doc::CharacterRun& run, doc::CpRange cps) {
            if (!run.chp.fSpec) return;
            for (const char16_t c : doc_->file.textOf(cps)) n += c == u'\x01' ? 1 : 0;
        });
    }
    return n;
}

SavedBy Document::savedBy() const {
    SavedBy s;
    s.product = doc_->file.fib.base.nProduct;
    if (doc_->file.summary && doc_->file.summary->appName && doc_->file.summary->appName->utf8)
        s.application = *doc_->file.summary->appName->utf8;
    s.libreOffice = s.product == kProductLibreOffice || s.application.find("LibreOffice") != std::string::npos ||
                    s.application.find("OpenOffice") != std::string::npos;
    return s;
}

}  // namespace tarnwick::word
