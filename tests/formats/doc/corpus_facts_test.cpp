// Every .doc fact of tests/data/office-corpus/FACTS.tsv that a reader of the file format can
// answer, checked against the reader. Facts it cannot answer are listed below with the reason
// (docs/reading-model/doc-format.md); a fact that is neither checked nor listed fails the test.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>

#include "base/utf.h"
#include "formats/doc/doc_test_util.h"
#include "support/corpus_facts.h"

namespace tarnwick::doc {
namespace {

using namespace tarnwick::doc::test;

using Fact = tarnwick::test::CorpusFact;

std::vector<Fact> docFacts() { return tarnwick::test::corpusFacts("doc/"); }

// Facts a format reader cannot (or, by design, does not) answer, by file and the start of `what`.
struct NotAnswerable {
    const char* file;
    const char* whatPrefix;
    const char* reason;
};
const NotAnswerable kNotAnswerable[] = {
    {"doc/Word95.doc", "main text", "Word 6/95 files are refused as an older format"},
    {"doc/Word95.doc", "number of sections", "Word 6/95 files are refused as an older format"},
    {"doc/Bug51944.doc", "font table", "Word 6/95 files are refused as an older format"},
    {"doc/Bug51944.doc", "text (", "Word 6/95 files are refused as an older format"},
    {"doc/word2.doc", "opening with the Word 6/95 reader", "there is no Word 6/95 reader"},
    {"doc/password_tika_binaryrc4.doc", "encryption kind", "encrypted files are refused, not decrypted"},
    {"doc/password_tika_binaryrc4.doc", "open password", "encrypted files are refused, not decrypted"},
    {"doc/password_tika_binaryrc4.doc", "decrypted document text", "encrypted files are refused, not decrypted"},
    {"doc/FloatingPictures.doc", "number of distinct pictures", "picture data: the drawing/picture reader"},
    {"doc/FloatingPictures.doc", "character runs that hold an inline picture",
     "needs the picture data in the Data stream to tell pictures from other 0x01 objects"},
    {"doc/FloatingPictures.doc", "character runs that are floating-drawing anchors",
     "whether an anchor points at a picture is in the OfficeArt drawing"},
    {"doc/FloatingPictures.doc", "character runs that are \\u0008 anchors without",
     "whether an anchor points at a picture is in the OfficeArt drawing"},
    {"doc/Fuzzed.doc", "corrupted input", "POI's converters fail on parts this reader does not read"},
    {"doc/two_images.doc", "number of pictures", "picture data: the drawing/picture reader"},
    {"doc/two_images.doc", "picture ", "picture data: the drawing/picture reader"},
    {"doc/two_images.doc", "revision-mark author table", "SttbfRMark is not read"},
    {"doc/rasp.doc", "reading the picture table", "picture data: the drawing/picture reader"},
    {"doc/PerPageHeadFoot.doc", "footer shown on page", "choosing a story per page is the object model's"},
    {"doc/HeaderFooterUnicode.doc", "paragraph 1 character runs 1 and 2 font name",
     "POI ignores STSHI.rgftcStandardChpStsh: the runs have no sprmCRgFtc0, so the default font is ftcAsci 3, "
     "Calibri (checked in real_files_test), not font 0"},
};

const NotAnswerable* notAnswerable(const Fact& f) {
    for (const NotAnswerable& n : kNotAnswerable)
        if (f.file == n.file && f.what.starts_with(n.whatPrefix)) return &n;
    return nullptr;
}

// Paragraph texts numbered as POI numbers them: a page-break character inside a paragraph ends
// a paragraph of its own there (Word does not do that; see PageBreakStaysInsideItsParagraph).
std::vector<std::string> poiParagraphs(const Document& d, const Story& s) {
    std::vector<std::string> out;
    for (const Paragraph& p : s.paragraphs) {
        Cp start = p.cps.start;
        for (Cp cp = p.cps.start; cp + 1 < p.cps.end; ++cp) {
            if (d.text[cp] != 0x0C) continue;
            out.push_back(d.utf8(CpRange{start, cp + 1}));
            start = cp + 1;
        }
        out.push_back(d.utf8(CpRange{start, p.cps.end}));
    }
    return out;
}

// POI's HeaderStories report a story of only "\r\r" (left by a removed header) as empty.
std::string poiHeaderText(const Document& d, const HeaderStory& h) {
    const std::string t = d.utf8(h.story.cps);
    return t == "\r\r" ? std::string() : t;
}

// The text with field codes removed: from each begin to its separator (or end) and the end mark.
std::string withoutFieldCodes(const Document& d, CpRange range, const std::vector<Field>& fields) {
    std::vector<bool> drop(range.size(), false);
    for (const Field& f : fields) {
        if (!range.contains(f.begin)) continue;
        const Cp codeEnd = f.separator ? *f.separator : f.end;
        for (Cp cp = f.begin; cp <= codeEnd && cp < range.end; ++cp) drop[cp - range.start] = true;
        if (range.contains(f.end)) drop[f.end - range.start] = true;
    }
    std::u16string kept;
    for (Cp cp = range.start; cp < range.end; ++cp)
        if (!drop[cp - range.start]) kept += d.text[cp];
    return toUtf8(kept);
}

std::string hex(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "0x%x", v);
    return b;
}

class FactChecker {
public:
    // nullopt: the fact has no handler. Otherwise the empty string when it holds, else why not.
    std::optional<std::string> check(const Fact& f) {
        std::smatch m;
        const std::string& w = f.what;
        const std::string& e = f.expected;
        auto expect = [&](const std::string& actual) -> std::string {
            return actual == e ? std::string() : "expected [" + e + "] got [" + actual + "]";
        };

        if (w == "file format" || w.starts_with("opening (no password known)") || w == "listed among password-protected files") {
            auto r = readDocument(Bytes(bytes(f.file)));
            if (r.ok()) return "opened, expected a refusal";
            ErrorKind want = ErrorKind::OlderFormat;
            if (f.file.find("Password") != std::string::npos) want = ErrorKind::Encrypted;
            return r.error().kind == want ? "" : "wrong error: " + r.error().message;
        }

        const Document& d = doc(f.file);
        if (w.starts_with("main text: number of paragraphs")) return expect(std::to_string(poiParagraphs(d, d.main).size()));
        if (std::regex_match(w, m, std::regex(R"(main text paragraph (\d+) text.*)"))) {
            const auto paras = poiParagraphs(d, d.main);
            const std::size_t i = std::stoul(m[1]) - 1;
            return i < paras.size() ? expect(paras[i]) : "no paragraph " + m[1].str();
        }
        if (w.starts_with("main document text length")) return expect(std::to_string(d.main.cps.size()));
        if (w.starts_with("main document text")) return expect(storyText(d, d.main));
        if (w.starts_with("number of sections")) return expect(std::to_string(d.sections.size()));
        if (w.starts_with("length of all stories together")) return expect(std::to_string(d.text.size()));
        if (w == "number of styles in the style sheet") return expect(std::to_string(d.styles.size()));
        if (w.starts_with("document author")) return expect(summaryString(d, &oleps::SummaryInformation::author));
        if (w.starts_with("document keywords")) return expect(summaryString(d, &oleps::SummaryInformation::keywords));
        if (w.find("extracted text contains") != std::string::npos)
            return storyText(d, d.main).find(e) != std::string::npos ? "" : "text does not contain " + e;

        // Paragraph runs: "paragraph N ('...') number of character runs", "paragraph N character
        // runs [1 and 2] font name|font size|style name".
        if (std::regex_match(w, m, std::regex(R"(paragraph (\d+) .*number of character runs)")))
            return expect(std::to_string(paragraph(d, m[1]).runCount));
        if (std::regex_match(w, m, std::regex(R"(paragraph (\d+) character runs .*(font name|font size|style name).*)"))) {
            const Paragraph& p = paragraph(d, m[1]);
            for (const CharacterRun& r : runsOf(d.main, p)) {
                std::string actual;
                if (m[2] == "font name") actual = d.font(r.chp.rgftc[0]) ? d.font(r.chp.rgftc[0])->name : "?";
                if (m[2] == "font size") actual = std::to_string(r.chp.hps);
                if (m[2] == "style name") actual = d.style(p.pap.istd) ? d.style(p.pap.istd)->name : "?";
                if (actual != e) return "a run has [" + actual + "], expected [" + e + "]";
            }
            return "";
        }
        if (std::regex_match(w, m, std::regex(R"(paragraph (\d+) outline level.*)")))
            return expect(std::to_string(paragraph(d, m[1]).pap.lvl));
        if (std::regex_match(w, m, std::regex(R"(paragraph (\d+) list level.*)")))
            return expect(std::to_string(paragraph(d, m[1]).pap.ilvl));

        // Sections and headers.
        if (std::regex_match(w, m, std::regex(R"(section 1 (first-page|even-page|primary \(odd-page\)) (header|footer) text(.*))"))) {
            const bool header = m[2] == "header";
            HeaderKind kind = header ? HeaderKind::OddHeader : HeaderKind::OddFooter;
            if (m[1] == "first-page") kind = header ? HeaderKind::FirstHeader : HeaderKind::FirstFooter;
            if (m[1] == "even-page") kind = header ? HeaderKind::EvenHeader : HeaderKind::EvenFooter;
            const HeaderStory& h = d.sections.at(0).headers[static_cast<std::size_t>(kind)];
            if (m[3].str().find("stripped") != std::string::npos)
                return expect(withoutFieldCodes(d, h.story.cps, d.fields[static_cast<std::size_t>(StoryKind::Header)]));
            return expect(poiHeaderText(d, h));
        }
        if (w.starts_with("whole header/footer story")) return expect(d.utf8(d.part(StoryKind::Header)));
        if (std::regex_match(w, m, std::regex(R"((header|footer) text as WordExtractor.*)"))) {
            // POI's extractor: the odd story without its final guard mark, \r as \n.
            const auto kind = m[1] == "header" ? HeaderKind::OddHeader : HeaderKind::OddFooter;
            std::string t = d.utf8(d.sections.at(0).headers[static_cast<std::size_t>(kind)].story.cps);
            if (!t.empty()) t.pop_back();
            for (char& c : t)
                if (c == '\r') c = '\n';
            return expect(t);
        }
        if (std::regex_match(w, m, std::regex(R"(section holding paragraph '(.*)': (top|bottom|left|right) margin.*)"))) {
            const Sep& s = sectionOf(d, m[1]);
            const std::string side = m[2];
            const int v = side == "top" ? s.dyaTop : side == "bottom" ? s.dyaBottom : side == "left" ? s.dxaLeft : s.dxaRight;
            return expect(std::to_string(v));
        }
        if (std::regex_match(w, m, std::regex(R"(section holding paragraph '(.*)': number of text columns)")))
            return expect(std::to_string(sectionOf(d, m[1]).ccolM1 + 1));

        // Piece table.
        if (w == "piece table: number of text pieces") return expect(std::to_string(d.pieces.size()));
        if (w == "piece table: all pieces stored as 16-bit Unicode") {
            bool all = true;
            for (const Piece& p : d.pieces) all = all && !p.fc.fCompressed;
            return expect(all ? "true" : "false");
        }
        if (w == "piece table: piece character ranges [start,end)" || w == "piece table: piece 1 character range [start,end)") {
            std::string out;
            for (const Piece& p : d.pieces)
                out += (out.empty() ? "" : " ") + ("[" + std::to_string(p.cps.start) + "," + std::to_string(p.cps.end) + ")");
            return expect(out);
        }
        if (w.starts_with("piece table: piece 1 stored as 8-bit text"))
            return expect(d.pieces.at(0).fc.fCompressed ? "true" : "false");
        if (w == "piece table: piece 1 text starts with")
            return d.utf8(d.pieces.at(0).cps).starts_with(e) ? "" : "piece 1 does not start with " + e;

        // Fields per story.
        if (std::regex_match(w, m, std::regex(R"((.*) story: (number of fields|field type codes.*|field PLC entries.*))"))) {
            const StoryKind kind = storyKind(m[1]);
            const auto& fields = d.fields[static_cast<std::size_t>(kind)];
            const auto& chars = d.fieldChars[static_cast<std::size_t>(kind)];
            const Cp base = d.part(kind).start;
            const std::string what = m[2];
            if (what == "number of fields") return expect(std::to_string(fields.size()));
            if (what.starts_with("field type codes")) {
                std::string out;
                for (const Field& field : fields) out += (out.empty() ? "" : "|") + hex(field.flt);
                return expect(out);
            }
            // "[cp,next) 0xCH 0xGRF; ...": the next CP of the last entry is the PLC's closing CP,
            // which is not a field character and is not kept.
            std::string got, want;
            std::regex entry(R"(\[(\d+),(\d+)\) (0x[0-9a-f]+) (0x[0-9a-f]+))");
            std::size_t k = 0;
            for (std::sregex_iterator it(e.begin(), e.end(), entry), end; it != end; ++it, ++k) {
                const std::smatch& em = *it;
                want += "[" + em[1].str() + (std::next(it) == end ? "" : "," + em[2].str()) + ") " + em[3].str() + " " + em[4].str() + "; ";
                if (k >= chars.size()) continue;
                got += "[" + std::to_string(chars[k].cp - base) +
                       (k + 1 < chars.size() && std::next(it) != end ? "," + std::to_string(chars[k + 1].cp - base) : "") + ") " +
                       hex(chars[k].ch) + " " + hex(chars[k].grffld) + "; ";
            }
            if (k != chars.size()) return "expected " + std::to_string(k) + " field characters, got " + std::to_string(chars.size());
            return got == want ? "" : "expected [" + want + "] got [" + got + "]";
        }
        return std::nullopt;
    }

private:
    const std::vector<std::uint8_t>& bytes(const std::string& file) {
        auto& b = bytes_[file];
        if (b.empty()) b = fileBytes(tarnwick::test::corpusPath(file));
        return b;
    }
    const Document& doc(const std::string& file) {
        auto& d = docs_[file];
        if (!d) d = std::make_unique<Document>(mustRead(bytes(file)));
        return *d;
    }
    static const Paragraph& paragraph(const Document& d, const std::string& oneBased) {
        return d.main.paragraphs.at(std::stoul(oneBased) - 1);
    }
    static const Sep& sectionOf(const Document& d, const std::string& paragraphText) {
        const Paragraph* p = findParagraph(d, d.main, paragraphText);
        if (!p) throw std::runtime_error("no paragraph " + paragraphText);
        for (const Section& s : d.sections)
            if (s.cps.contains(p->cps.start)) return s.sep;
        throw std::runtime_error("no section holds " + paragraphText);
    }
    static std::string summaryString(const Document& d, std::optional<oleps::StringValue> oleps::SummaryInformation::*field) {
        if (!d.summary || !(*d.summary.*field)) return "";
        return (*d.summary.*field)->utf8.value_or("?");
    }
    static StoryKind storyKind(const std::string& name) {
        if (name == "main") return StoryKind::Main;
        if (name == "footnote") return StoryKind::Footnote;
        if (name == "header/footer") return StoryKind::Header;
        if (name == "annotation (comment)") return StoryKind::Annotation;
        if (name == "endnote") return StoryKind::Endnote;
        if (name == "text-box") return StoryKind::Textbox;
        if (name == "header/footer text-box") return StoryKind::HeaderTextbox;
        throw std::runtime_error("unknown story " + name);
    }

    std::map<std::string, std::vector<std::uint8_t>> bytes_;
    std::map<std::string, std::unique_ptr<Document>> docs_;
};

TEST(CorpusFacts, EveryAnswerableDocFactHolds) {
    const auto facts = docFacts();
    ASSERT_GT(facts.size(), 200u);
    FactChecker checker;
    std::size_t checked = 0, skipped = 0;
    for (const Fact& f : facts) {
        SCOPED_TRACE("FACTS.tsv line " + std::to_string(f.line) + ": " + f.file + " / " + f.what);
        if (notAnswerable(f)) {
            ++skipped;
            continue;
        }
        std::optional<std::string> result;
        try {
            result = checker.check(f);
        } catch (const std::exception& ex) {
            result = std::string("exception: ") + ex.what();
        }
        if (!result) {
            ADD_FAILURE() << "no check for this fact and not listed as unanswerable";
            continue;
        }
        EXPECT_EQ(*result, "");
        ++checked;
    }
    // The split is part of the result: a handler that stops matching moves facts out of `checked`.
    EXPECT_EQ(checked + skipped, facts.size());
    EXPECT_EQ(skipped, 43u);
}

}  // namespace
}  // namespace tarnwick::doc
