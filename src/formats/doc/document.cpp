// Reading a .doc: the container and file-kind checks, then the WordDocument and table streams
// into doc::Document.
#include "formats/doc/document.h"

#include <algorithm>
#include <map>
#include <new>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "base/utf.h"
#include "formats/cfb/compound_file.h"
#include "formats/doc/errors.h"
#include "formats/doc/fkp.h"
#include "formats/doc/plc.h"
#include "formats/doc/sections.h"
#include "formats/doc/sprm.h"

namespace tarnwick::doc {
namespace {

constexpr std::size_t kMaxStyleDepth = 64;

// Calls f(prl) for each Prl a piece's Prm stands for.
template <class F>
void forEachPrmPrl(const Prm& prm, const std::vector<Bytes>& rgPrc, F&& f) {
    if (prm.none()) return;
    if (prm.fComplex()) {
        if (prm.igrpprl() >= rgPrc.size()) return;
        PrlReader r(rgPrc[prm.igrpprl()]);
        Prl p;
        while (r.next(p)) f(p);
        return;
    }
    const std::uint16_t opcode = sprmFromIsprm(prm.isprm());
    if (opcode == 0) return;
    const std::uint8_t val = prm.val();
    f(Prl{opcode, Bytes(&val, 1)});
}

class Reader {
public:
    Reader(Document& doc, const ReadLimits& limits) : doc_(doc), lim_(limits) {}

    Result<bool> read() {
        wd_ = doc_.wordDocumentStream;
        table_ = doc_.tableStream;
        auto steps = {&Reader::readFib,      &Reader::readPieces,   &Reader::readFormatting, &Reader::readStyles,
                      &Reader::readFonts,    &Reader::readDop,      &Reader::readSections,   &Reader::readHeaders,
                      &Reader::buildStories, &Reader::readFields,   &Reader::readShapes,     &Reader::checkDrawing};
        for (auto step : steps) {
            auto ok = (this->*step)();
            if (!ok) return ok;
        }
        return true;
    }

private:
    Result<Bytes> slice(FcLcbIndex index, const char* what) const {
        return tableSlice(table_, doc_.fib.fcLcb(index), what);
    }

    Result<bool> readFib() {
        auto fib = parseFib(wd_);
        if (!fib) return fib.error();
        doc_.fib = std::move(*fib);
        const FibRgLw97& lw = doc_.fib.rgLw;
        const std::int32_t lengths[kStoryKinds] = {lw.ccpText, lw.ccpFtn, lw.ccpHdd, lw.ccpMcr,
                                                   lw.ccpAtn,  lw.ccpEdn, lw.ccpTxbx, lw.ccpHdrTxbx};
        std::uint64_t at = 0;
        for (std::size_t i = 0; i < kStoryKinds; ++i) {
            if (lengths[i] < 0) return damaged("文件信息块中的文字长度是负数");
            const std::uint64_t end = at + static_cast<std::uint64_t>(lengths[i]);
            if (end > lim_.maxCps) return tooLarge();
            doc_.parts[i] = CpRange{static_cast<Cp>(at), static_cast<Cp>(end)};
            at = end;
        }
        storiesEnd_ = static_cast<Cp>(at);
        return true;
    }

    Result<bool> readPieces() {
        if (!doc_.fib.fcLcb(FcLcbIndex::Clx).present()) return damaged("没有片段表");
        auto bytes = slice(FcLcbIndex::Clx, "片段表");
        if (!bytes) return bytes.error();
        auto clx = parseClx(*bytes, lim_.maxPieces, lim_.maxPieces);
        if (!clx) return clx.error();
        clx_ = std::move(*clx);
        for (std::size_t i = 0; i < clx_.pcds.size(); ++i) {
            const Pcd& pcd = clx_.pcds[i];
            if (pcd.prm.fComplex() && pcd.prm.igrpprl() >= clx_.rgPrc.size()) return damaged("片段属性的编号超出范围");
            doc_.pieces.push_back(Piece{CpRange{clx_.cps[i], clx_.cps[i + 1]}, pcd.fc, pcd.prm});
        }
        auto text = readPieceText(wd_, clx_, lim_.maxCps);
        if (!text) return text.error();
        doc_.text = std::move(*text);
        if (doc_.text.size() < storiesEnd_) return damaged("文字比文件信息块所说的短");
        return true;
    }

    Result<bool> readFormatting() {
        auto runs = [&](FcLcbIndex index, const char* what, bool paragraphs) -> Result<std::vector<FcRun>> {
            if (!doc_.fib.fcLcb(index).present()) return std::vector<FcRun>{};
            auto bytes = slice(index, what);
            if (!bytes) return bytes.error();
            auto bte = parsePlcBte(*bytes, lim_.maxFkpPages, what);
            if (!bte) return bte.error();
            return paragraphs ? readPapxRuns(wd_, *bte) : readChpxRuns(wd_, *bte);
        };
        auto chpx = runs(FcLcbIndex::PlcfBteChpx, "字符格式索引", false);
        if (!chpx) return chpx.error();
        auto papx = runs(FcLcbIndex::PlcfBtePapx, "段落格式索引", true);
        if (!papx) return papx.error();
        chpx_ = std::move(*chpx);
        papx_ = std::move(*papx);
        return true;
    }

    // Styles ---------------------------------------------------------------------------------

    struct ResolvedStyle {
        bool done = false;
        bool busy = false;
        Pap pap;
        Chp chp;
        std::vector<Bytes> chpxChain;  // base first
    };

    Result<bool> readStyles() {
        defaultChp_ = Chp{};
        if (doc_.fib.fcLcb(FcLcbIndex::Stshf).present()) {
            auto bytes = slice(FcLcbIndex::Stshf, "样式表");
            if (!bytes) return bytes.error();
            auto stsh = parseStsh(*bytes, lim_.maxStyles);
            if (!stsh) return stsh.error();
            stsh_ = std::move(*stsh);
        }
        const Stshi& s = stsh_.stshi;
        doc_.stshi = s;
        defaultChp_.rgftc = {s.ftcAsci, s.ftcFE, s.ftcOther};
        defaultChp_.ftcBi = s.ftcBi;
        resolved_.assign(stsh_.styles.size(), ResolvedStyle{});
        for (std::size_t i = 0; i < stsh_.styles.size(); ++i) {
            auto r = resolve(static_cast<std::uint16_t>(i), 0);
            if (!r) return r.error();
        }
        doc_.styles.resize(stsh_.styles.size());
        for (std::size_t i = 0; i < stsh_.styles.size(); ++i) {
            const Std& std = stsh_.styles[i];
            Style& out = doc_.styles[i];
            out.empty = std.empty;
            if (std.empty) continue;
            out.sti = std.sti;
            out.stk = std.stk;
            out.istdBase = std.istdBase;
            out.istdNext = std.istdNext;
            out.fHidden = std.fHidden;
            out.name = std.name;
            out.pap = resolved_[i].pap;
            out.chp = resolved_[i].chp;
        }
        return true;
    }

    bool hasStyle(std::uint16_t istd) const { return istd < stsh_.styles.size() && !stsh_.styles[istd].empty; }

    Result<const ResolvedStyle*> resolve(std::uint16_t istd, std::size_t depth) {
        if (!hasStyle(istd)) return &noStyle();
        ResolvedStyle& rs = resolved_[istd];
        if (rs.done) return &rs;
        if (rs.busy) return damaged("样式的基准样式循环引用");
        if (depth > kMaxStyleDepth) return damaged("样式的基准样式层数太多");
        rs.busy = true;
        const Std& std = stsh_.styles[istd];
        auto base = resolve(std.istdBase, depth + 1);
        if (!base) return base.error();
        ResolvedStyle out;
        out.pap = (*base)->pap;
        out.chp = (*base)->chp;
        out.chpxChain = (*base)->chpxChain;
        applyPapx(out.pap, std.papx);
        out.pap.istd = istd;
        applyChpx(out.chp, std.chpx, (*base)->chp);
        out.chpxChain.push_back(std.chpx);
        out.done = true;
        rs = std::move(out);
        return &rs;
    }

    const ResolvedStyle& noStyle() {
        if (!noStyle_.done) {
            noStyle_.chp = defaultChp_;
            noStyle_.done = true;
        }
        return noStyle_;
    }

    // The style of a paragraph: its own when it is a paragraph style, else Normal (istd 0).
    const ResolvedStyle& paragraphStyle(std::uint16_t istd) {
        if (hasStyle(istd) && stsh_.styles[istd].stk == kStkParagraph) return resolved_[istd];
        if (hasStyle(0)) return resolved_[0];
        return noStyle();
    }

    // The paragraph style's CHP with a character style applied: its toggles flip the paragraph
    // style's, its other properties replace them.
    Chp withCharacterStyle(std::uint16_t paraIstd, std::uint16_t charIstd) {
        const auto key = std::make_pair(paraIstd, charIstd);
        if (auto it = charStyleCache_.find(key); it != charStyleCache_.end()) return it->second;
        const Chp& para = paragraphStyle(paraIstd).chp;
        Chp out = para;
        if (charIstd != 10 && hasStyle(charIstd) && stsh_.styles[charIstd].stk == kStkCharacter &&
            resolved_[charIstd].done) {
            Chp toggles;
            for (Bytes grpprl : resolved_[charIstd].chpxChain) {
                PrlReader r(grpprl);
                Prl p;
                while (r.next(p)) {
                    if (isToggleSprm(p.sprm))
                        applyChpPrl(toggles, p, toggles);
                    else
                        applyChpPrl(out, p, out);
                }
            }
            xorToggles(out, toggles);
        }
        out.istd = charIstd;
        charStyleCache_.emplace(key, out);
        return out;
    }

    Result<bool> readFonts() {
        if (!doc_.fib.fcLcb(FcLcbIndex::SttbfFfn).present()) return true;
        auto bytes = slice(FcLcbIndex::SttbfFfn, "字体表");
        if (!bytes) return bytes.error();
        auto fonts = parseSttbfFfn(*bytes, lim_.maxFonts);
        if (!fonts) return fonts.error();
        doc_.fonts = std::move(*fonts);
        return true;
    }

    Result<bool> readDop() {
        if (!doc_.fib.fcLcb(FcLcbIndex::Dop).present()) return true;
        auto bytes = slice(FcLcbIndex::Dop, "文档设置");
        if (!bytes) return bytes.error();
        doc_.dop = parseDop(*bytes);
        return true;
    }

    // Sections and headers -------------------------------------------------------------------

    Result<bool> readSections() {
        const CpRange main = doc_.part(StoryKind::Main);
        if (!doc_.fib.fcLcb(FcLcbIndex::PlcfSed).present()) {
            Section s;
            s.cps = main;
            doc_.sections.push_back(std::move(s));
            return true;
        }
        auto bytes = slice(FcLcbIndex::PlcfSed, "分节表");
        if (!bytes) return bytes.error();
        auto plc = parsePlcfSed(*bytes, lim_.maxSections);
        if (!plc) return plc.error();
        for (std::size_t i = 0; i < plc->seds.size(); ++i) {
            const Cp start = std::min(plc->cps[i], main.end);
            const Cp end = std::min(plc->cps[i + 1], main.end);
            if (start >= end) break;  // sections past the main text hold nothing
            Section s;
            s.cps = CpRange{start, end};
            if (plc->seds[i].fcSepx != 0xFFFFFFFF) {
                auto sepx = parseSepx(wd_, plc->seds[i].fcSepx);
                if (!sepx) return sepx.error();
                applySepx(s.sep, *sepx);
            }
            doc_.sections.push_back(std::move(s));
        }
        if (doc_.sections.empty()) {
            Section s;
            s.cps = main;
            doc_.sections.push_back(std::move(s));
        }
        // The last section runs to the end of the main text.
        doc_.sections.back().cps.end = main.end;
        for (const Section& s : doc_.sections) sectionEnds_.push_back(s.cps.end);
        return true;
    }

    Result<bool> readHeaders() {
        const CpRange hdr = doc_.part(StoryKind::Header);
        if (hdr.empty() || !doc_.fib.fcLcb(FcLcbIndex::PlcfHdd).present()) return true;
        auto bytes = slice(FcLcbIndex::PlcfHdd, "页眉页脚表");
        if (!bytes) return bytes.error();
        auto cps = parsePlcfHdd(*bytes, 6 + 6 * lim_.maxSections);
        if (!cps) return cps.error();
        hddCps_ = std::move(*cps);
        if (hddCps_.back() > hdr.size()) return damaged("页眉页脚超出页眉文字");
        return true;
    }

    // The i-th header document story, or an empty one past the end of Plcfhdd.
    Result<bool> headerStory(std::size_t i, HeaderStory& out) {
        if (i + 1 >= hddCps_.size()) return true;
        const Cp base = doc_.part(StoryKind::Header).start;
        out.inHeaderDocument = CpRange{hddCps_[i], hddCps_[i + 1]};
        if (out.inHeaderDocument.empty()) return true;
        return buildStory(CpRange{base + hddCps_[i], base + hddCps_[i + 1]}, false, out.story);
    }

    // Stories --------------------------------------------------------------------------------

    Result<bool> buildStories() {
        auto ok = buildStory(doc_.part(StoryKind::Main), true, doc_.main);
        if (!ok) return ok;
        const std::pair<StoryKind, Story*> others[] = {
            {StoryKind::Footnote, &doc_.footnotes}, {StoryKind::Annotation, &doc_.annotations},
            {StoryKind::Endnote, &doc_.endnotes},   {StoryKind::Textbox, &doc_.textboxes},
            {StoryKind::HeaderTextbox, &doc_.headerTextboxes}};
        for (auto [kind, story] : others) {
            ok = buildStory(doc_.part(kind), false, *story);
            if (!ok) return ok;
        }
        for (std::size_t i = 0; i < 6; ++i) {
            ok = headerStory(i, doc_.separators[i]);
            if (!ok) return ok;
        }
        for (std::size_t s = 0; s < doc_.sections.size(); ++s) {
            for (std::size_t k = 0; k < 6; ++k) {
                ok = headerStory(6 + 6 * s + k, doc_.sections[s].headers[k]);
                if (!ok) return ok;
            }
        }
        return true;
    }

    std::size_t pieceAt(Cp cp) const {
        auto it = std::upper_bound(clx_.cps.begin(), clx_.cps.end(), cp);
        return static_cast<std::size_t>(it - clx_.cps.begin()) - 1;
    }

    std::uint32_t fcOf(std::size_t piece, Cp cp) const {
        const FcCompressed& fc = clx_.pcds[piece].fc;
        return fc.byteOffset() + (cp - clx_.cps[piece]) * fc.bytesPerChar();
    }

    bool endsParagraph(Cp cp, bool mainStory) const {
        const char16_t c = doc_.text[cp];
        if (c == 0x0D || c == 0x07) return true;
        // 0x0C is a section mark at the end of a section, a page break anywhere else.
        return c == 0x0C && mainStory && std::binary_search(sectionEnds_.begin(), sectionEnds_.end(), cp + 1);
    }

    Result<bool> buildStory(CpRange range, bool mainStory, Story& story) {
        story.cps = range;
        Cp start = range.start;
        for (Cp cp = range.start; cp < range.end; ++cp) {
            if (!endsParagraph(cp, mainStory)) continue;
            auto ok = addParagraph(CpRange{start, cp + 1}, story);
            if (!ok) return ok;
            start = cp + 1;
        }
        if (start < range.end) return addParagraph(CpRange{start, range.end}, story);
        return true;
    }

    Result<bool> addParagraph(CpRange cps, Story& story) {
        if (++paragraphs_ > lim_.maxParagraphs) return tooLarge();
        Paragraph para;
        para.cps = cps;
        // Paragraph properties sit at the paragraph mark's FC.
        const Cp mark = cps.end - 1;
        const std::size_t piece = pieceAt(mark);
        para.pap = papFor(findRun(papx_, fcOf(piece, mark)), clx_.pcds[piece].prm);
        para.firstRun = story.runs.size();
        Cp cp = cps.start;
        while (cp < cps.end) {
            const std::size_t k = pieceAt(cp);
            const Cp segmentEnd = std::min(cps.end, clx_.cps[k + 1]);
            const FcCompressed& fc = clx_.pcds[k].fc;
            const std::uint32_t at = fcOf(k, cp);
            const FcRun* run = findRun(chpx_, at);
            // Where this run of formatting ends: its own end, or the next run's start in a gap.
            std::uint64_t fcEnd = 0;
            if (run) {
                fcEnd = run->fcEnd;
            } else {
                auto next = std::upper_bound(chpx_.begin(), chpx_.end(), at,
                                             [](std::uint32_t v, const FcRun& r) { return v < r.fcStart; });
                fcEnd = next == chpx_.end() ? UINT64_MAX : next->fcStart;
            }
            Cp end = segmentEnd;
            if (fcEnd != UINT64_MAX) {
                const std::uint64_t chars = (fcEnd - at + fc.bytesPerChar() - 1) / fc.bytesPerChar();
                end = static_cast<Cp>(std::min<std::uint64_t>(segmentEnd, std::uint64_t{cp} + std::max<std::uint64_t>(chars, 1)));
            }
            if (++runs_ > lim_.maxRuns) return tooLarge();
            story.runs.push_back(CharacterRun{CpRange{cp, end}, chpFor(para.pap.istd, run, clx_.pcds[k].prm)});
            cp = end;
        }
        para.runCount = story.runs.size() - para.firstRun;
        story.paragraphs.push_back(std::move(para));
        return true;
    }

    Pap papFor(const FcRun* run, Prm prm) {
        const auto key = std::make_pair(run, prm.raw);
        if (auto it = papCache_.find(key); it != papCache_.end()) return it->second;
        // The style: the PAPX's istd, unless the piece's PRM sets another with sprmPIstd.
        std::uint16_t istd = run ? run->istd : 0;
        forEachPrmPrl(prm, clx_.rgPrc, [&](const Prl& p) {
            if (p.sprm == sprm::PIstd && p.operand.size() >= 2) readLE(p.operand, 0, istd);
        });
        Pap pap = paragraphStyle(istd).pap;
        if (run) applyPapx(pap, run->grpprl);
        forEachPrmPrl(prm, clx_.rgPrc, [&](const Prl& p) {
            if (Sprm{p.sprm}.sgc() == kSgcParagraph) applyPapPrl(pap, p);
        });
        pap.istd = istd;
        papCache_.emplace(key, pap);
        return pap;
    }

    Chp chpFor(std::uint16_t paraIstd, const FcRun* run, Prm prm) {
        const auto key = std::make_tuple(paraIstd, run, prm.raw);
        if (auto it = chpCache_.find(key); it != chpCache_.end()) return it->second;
        // Character style: the last sprmCIstd of the CHPX, then of the PRM.
        std::uint16_t charIstd = 10;
        auto findIstd = [&](const Prl& p) {
            if (p.sprm == sprm::CIstd && p.operand.size() >= 2) readLE(p.operand, 0, charIstd);
        };
        if (run) {
            PrlReader r(run->grpprl);
            Prl p;
            while (r.next(p)) findIstd(p);
        }
        forEachPrmPrl(prm, clx_.rgPrc, findIstd);
        const Chp style = withCharacterStyle(paraIstd, charIstd);
        Chp chp = style;
        if (run) applyChpx(chp, run->grpprl, style);
        forEachPrmPrl(prm, clx_.rgPrc, [&](const Prl& p) {
            if (Sprm{p.sprm}.sgc() == kSgcCharacter) applyChpPrl(chp, p, style);
        });
        chp.istd = charIstd;
        chpCache_.emplace(key, chp);
        return chp;
    }

    // Fields, shapes, drawings ---------------------------------------------------------------

    Result<bool> readFields() {
        const std::pair<FcLcbIndex, StoryKind> plcs[] = {
            {FcLcbIndex::PlcfFldMom, StoryKind::Main},          {FcLcbIndex::PlcfFldHdr, StoryKind::Header},
            {FcLcbIndex::PlcfFldFtn, StoryKind::Footnote},      {FcLcbIndex::PlcfFldAtn, StoryKind::Annotation},
            {FcLcbIndex::PlcfFldEdn, StoryKind::Endnote},       {FcLcbIndex::PlcfFldTxbx, StoryKind::Textbox},
            {FcLcbIndex::PlcfFldHdrTxbx, StoryKind::HeaderTextbox}};
        std::size_t total = 0;
        for (auto [index, kind] : plcs) {
            if (!doc_.fib.fcLcb(index).present()) continue;
            auto bytes = slice(index, "域表");
            if (!bytes) return bytes.error();
            auto flds = parsePlcFld(*bytes, lim_.maxFields);
            if (!flds) return flds.error();
            total += flds->size();
            if (total > lim_.maxFields) return tooLarge();
            const CpRange part = doc_.part(kind);
            std::vector<Fld>& out = doc_.fieldChars[static_cast<std::size_t>(kind)];
            for (Fld f : *flds) {
                if (f.cp >= part.size()) continue;  // outside its story: not a field of this document
                f.cp += part.start;
                out.push_back(f);
            }
            doc_.fields[static_cast<std::size_t>(kind)] = pairFields(out);
        }
        return true;
    }

    Result<bool> readShapes() {
        const std::tuple<FcLcbIndex, StoryKind, std::vector<ShapeAnchor>*> plcs[] = {
            {FcLcbIndex::PlcSpaMom, StoryKind::Main, &doc_.mainShapes},
            {FcLcbIndex::PlcSpaHdr, StoryKind::Header, &doc_.headerShapes}};
        for (auto [index, kind, out] : plcs) {
            if (!doc_.fib.fcLcb(index).present()) continue;
            auto bytes = slice(index, "图形位置表");
            if (!bytes) return bytes.error();
            auto anchors = parsePlcfSpa(*bytes, lim_.maxShapes);
            if (!anchors) return anchors.error();
            const CpRange part = doc_.part(kind);
            for (ShapeAnchor a : *anchors) {
                if (a.cp >= part.size()) continue;
                a.cp += part.start;
                out->push_back(a);
            }
        }
        return true;
    }

    Result<bool> checkDrawing() {
        const FcLcb dgg = doc_.fib.fcLcb(FcLcbIndex::DggInfo);
        if (!dgg.present()) return true;
        auto bytes = slice(FcLcbIndex::DggInfo, "绘图数据");
        if (!bytes) return bytes.error();
        return true;
    }

    Document& doc_;
    const ReadLimits& lim_;
    Bytes wd_, table_;
    Cp storiesEnd_ = 0;
    Clx clx_;
    std::vector<FcRun> chpx_, papx_;
    Stsh stsh_;
    Chp defaultChp_;
    std::vector<ResolvedStyle> resolved_;
    ResolvedStyle noStyle_;
    std::vector<Cp> sectionEnds_;
    std::vector<Cp> hddCps_;
    std::size_t paragraphs_ = 0, runs_ = 0;
    std::map<std::pair<const FcRun*, std::uint16_t>, Pap> papCache_;
    std::map<std::tuple<std::uint16_t, const FcRun*, std::uint16_t>, Chp> chpCache_;
    std::map<std::pair<std::uint16_t, std::uint16_t>, Chp> charStyleCache_;
};

// The FibBase, when it is one of a Word 97-2003 document that is not encrypted.
Result<FibBase> checkFibBase(Bytes wordDocument) {
    if (wordDocument.size() < 32) return damaged("文件信息块不完整");
    ByteReader r(wordDocument);
    const FibBase base = parseFibBase(r);
    if (base.wIdent == 0xA59B || base.wIdent == 0xA5DB) return word2OrOlder();
    // Word 6 writes nFib 101, Word 95 104 and 105; their wIdent differs by language.
    if (base.nFib < 0x6A || (base.wIdent != kWordIdent && base.nFib < 0xC1)) return word6Or95();
    if (base.wIdent != kWordIdent) return damaged("文档标识不正确");
    if (base.fEncrypted) return encrypted();
    return base;
}

// The FibBase has been checked (checkFibBase) before.
Result<Document> readStreams(std::vector<std::uint8_t> wordDocument, std::vector<std::uint8_t> table, const ReadLimits& limits) {
    Document doc;
    doc.wordDocumentStream = std::move(wordDocument);
    doc.tableStream = std::move(table);
    Reader reader(doc, limits);
    auto ok = reader.read();
    if (!ok) return ok.error();
    return doc;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

// What a text file saved as .doc starts with, ASCII only (UTF-16 text is narrowed).
std::string leadingText(Bytes file) {
    std::string out;
    std::size_t i = 0, step = 1;
    if (file.size() >= 3 && file[0] == 0xEF && file[1] == 0xBB && file[2] == 0xBF) i = 3;
    if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xFE) i = 2, step = 2;
    for (; i < file.size() && out.size() < 64; i += step) {
        const char c = static_cast<char>(file[i]);
        if (out.empty() && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) continue;
        out.push_back(c);
    }
    return out;
}

Result<Document> readFile(Bytes file, const ReadLimits& limits) {
    if (file.empty()) return emptyFile();
    if (file.size() > limits.maxFileBytes) return tooLarge();
    if (file.size() >= 4 && file[0] == 'P' && file[1] == 'K' && file[2] == 0x03 && file[3] == 0x04) return newerFormat();
    const std::string lead = leadingText(file);
    if (startsWithIgnoreCase(lead, "{\\rtf")) return rtfFile();
    for (std::string_view tag : {"<html", "<!doctype html", "<head", "<meta", "<body", "<title", "<!--"})
        if (startsWithIgnoreCase(lead, tag)) return htmlFile();
    if (startsWithIgnoreCase(lead, "<?xml")) return xmlFile();
    std::uint16_t ident = 0;
    if (readLE(file, 0, ident) && (ident == 0xA59B || ident == 0xA5DB)) return word2OrOlder();

    auto cf = cfb::CompoundFile::open(file);
    if (!cf) {
        if (cf.error().kind == ErrorKind::NotCompoundFile) return notCompoundFile();
        return cf.error();
    }
    auto wd = cf->stream("WordDocument");
    if (!wd) {
        if (wd.error().kind != ErrorKind::NotFound) return wd.error();
        if (cf->hasStream("Workbook") || cf->hasStream("Book")) return excelWorkbook();
        if (cf->hasStream("PowerPoint Document")) return powerPointFile();
        return noWordDocument();
    }
    // The FIB says which table stream; old and encrypted files are recognised before it is needed.
    auto base = checkFibBase(*wd);
    if (!base) return base.error();
    const char* tableName = base->fWhichTblStm ? "1Table" : "0Table";
    auto table = cf->stream(tableName);
    if (!table) {
        if (table.error().kind == ErrorKind::NotFound) return damaged(std::string("缺少表格流 ") + tableName);
        return table.error();
    }
    auto doc = readStreams(std::move(*wd), std::move(*table), limits);
    if (!doc) return doc;
    if (auto si = cf->stream("\x05SummaryInformation")) {
        auto summary = oleps::readSummaryInformation(*si);
        if (summary) doc->summary = std::move(*summary);
    }
    return doc;
}

}  // namespace

Bytes Document::dggInfo() const {
    // Checked against the table stream when the document was read.
    auto bytes = tableSlice(Bytes(tableStream), fib.fcLcb(FcLcbIndex::DggInfo), "绘图数据");
    return bytes ? *bytes : Bytes{};
}

std::u16string_view Document::textOf(CpRange range) const {
    const std::size_t start = std::min<std::size_t>(range.start, text.size());
    const std::size_t end = std::clamp<std::size_t>(range.end, start, text.size());
    return std::u16string_view(text).substr(start, end - start);
}

std::string Document::utf8(CpRange range) const { return toUtf8(textOf(range)); }

const Style* Document::style(std::uint16_t istd) const {
    if (istd >= styles.size() || styles[istd].empty) return nullptr;
    return &styles[istd];
}

const Ffn* Document::font(std::uint16_t ftc) const { return ftc < fonts.size() ? &fonts[ftc] : nullptr; }

const HeaderStory* Document::inheritedHeader(std::size_t section, HeaderKind kind) const {
    const auto k = static_cast<std::size_t>(kind);
    for (std::size_t s = std::min(section + 1, sections.size()); s-- > 0;)
        if (!sections[s].headers[k].empty()) return &sections[s].headers[k];
    return nullptr;
}

std::string toUtf8(std::u16string_view text) { return utf16ToUtf8(text); }

Result<Document> readDocument(Bytes file, const ReadLimits& limits) {
    return guardedRead([&] { return readFile(file, limits); }, tooLarge);
}

Result<Document> readDocumentStreams(Bytes wordDocument, Bytes table, const ReadLimits& limits) {
    return guardedRead(
        [&]() -> Result<Document> {
            auto base = checkFibBase(wordDocument);
            if (!base) return base.error();
            return readStreams(std::vector<std::uint8_t>(wordDocument.begin(), wordDocument.end()),
                               std::vector<std::uint8_t>(table.begin(), table.end()), limits);
        },
        tooLarge);
}

}  // namespace tarnwick::doc
