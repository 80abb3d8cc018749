// Shared helpers of the Word document reader tests: loading corpus and sample files, text of
// CP ranges, and small byte builders for patching documents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "formats/cfb/compound_file.h"
#include "formats/doc/document.h"
#include "support/test_support.h"

namespace tarnwick::doc::test {

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    const std::string s = tarnwick::test::readBytes(path);
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

inline std::vector<std::uint8_t> corpusDoc(std::string_view name) {
    return fileBytes(tarnwick::test::corpusPath("doc/" + std::string(name)));
}

inline std::vector<std::uint8_t> loSample(std::string_view name) {
    return fileBytes(tarnwick::test::dataPath("doc/lo-samples/" + std::string(name)));
}

// Reads a file that must open; the failure message is the reader's sentence.
inline Document mustRead(const std::vector<std::uint8_t>& bytes) {
    auto r = readDocument(Bytes(bytes));
    if (!r) throw std::runtime_error(r.error().message);
    return std::move(r).value();
}

inline std::string storyText(const Document& d, const Story& s) { return d.utf8(s.cps); }
inline std::string paraText(const Document& d, const Paragraph& p) { return d.utf8(p.cps); }

// The runs of one paragraph.
inline std::vector<CharacterRun> runsOf(const Story& s, const Paragraph& p) {
    return std::vector<CharacterRun>(s.runs.begin() + static_cast<std::ptrdiff_t>(p.firstRun),
                            s.runs.begin() + static_cast<std::ptrdiff_t>(p.firstRun + p.runCount));
}

// The first paragraph of a story whose text starts with `prefix` (UTF-8), or nullptr.
inline const Paragraph* findParagraph(const Document& d, const Story& s, std::string_view prefix) {
    for (const Paragraph& p : s.paragraphs)
        if (paraText(d, p).starts_with(prefix)) return &p;
    return nullptr;
}

// The first run of a paragraph whose text starts with `prefix`, or nullptr.
inline const CharacterRun* findRun(const Document& d, const Story& s, const Paragraph& p, std::string_view prefix) {
    for (std::size_t i = p.firstRun; i < p.firstRun + p.runCount; ++i)
        if (d.utf8(s.runs[i].cps).starts_with(prefix)) return &s.runs[i];
    return nullptr;
}

inline std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint32_t v = 0;
    readLE(Bytes(b), at, v);
    return v;
}
inline void set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void set16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// The two streams of a document file the reader reads, to be patched and read with
// readDocumentStreams.
struct Streams {
    std::vector<std::uint8_t> wordDocument, table;
    Result<Document> read(const ReadLimits& limits = {}) const {
        return readDocumentStreams(Bytes(wordDocument), Bytes(table), limits);
    }
};
inline Streams streamsOf(const std::vector<std::uint8_t>& file) {
    auto cf = cfb::CompoundFile::open(Bytes(file));
    if (!cf) throw std::runtime_error(cf.error().message);
    Streams s;
    s.wordDocument = cf->stream("WordDocument").value();
    const bool one = (s.wordDocument.at(11) & 0x02) != 0;  // fWhichTblStm
    s.table = cf->stream(one ? "1Table" : "0Table").value();
    return s;
}

// Offset of the fc of FibRgFcLcb pair `index` in the WordDocument stream (Word 97 FIB layout:
// 32 + 2 + 28 + 2 + 88 + 2 bytes before the pairs).
inline std::size_t fcLcbOffset(FcLcbIndex index) { return 154 + 8 * static_cast<std::size_t>(index); }

inline FcLcb fcLcbOf(const Streams& s, FcLcbIndex index) {
    return FcLcb{get32(s.wordDocument, fcLcbOffset(index)), get32(s.wordDocument, fcLcbOffset(index) + 4)};
}

// Offset in the table stream of Pcd i of the piece table (after the Prc entries and the Pcdt
// header and the n + 1 CPs).
inline std::size_t pcdOffset(const Streams& s, std::size_t i) {
    const FcLcb clx = fcLcbOf(s, FcLcbIndex::Clx);
    std::size_t at = clx.fc;
    while (s.table.at(at) == 0x01) at += 3 + (s.table.at(at + 1) | (s.table.at(at + 2) << 8));
    const std::uint32_t lcb = get32(s.table, at + 1);
    const std::size_t n = (lcb - 4) / 12;
    return at + 5 + (n + 1) * 4 + i * 8;
}

}  // namespace tarnwick::doc::test
