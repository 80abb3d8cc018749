// Files that are not readable Word 97-2003 documents: each gives its kind of error and one
// sentence, never a crash or a hang.
#include <gtest/gtest.h>

#include <random>

#include "formats/doc/doc_test_util.h"

namespace tarnwick::doc {
namespace {

using namespace tarnwick::doc::test;

Error errorOf(const std::vector<std::uint8_t>& bytes, const ReadLimits& limits = {}) {
    auto r = readDocument(Bytes(bytes), limits);
    if (r.ok()) return Error{ErrorKind::NotFound, "opened"};
    return r.error();
}
Error errorOf(const std::string& text) { return errorOf(std::vector<std::uint8_t>(text.begin(), text.end())); }
Error errorOf(const Streams& s, const ReadLimits& limits = {}) {
    auto r = s.read(limits);
    if (r.ok()) return Error{ErrorKind::NotFound, "opened"};
    return r.error();
}

TEST(BadInputs, OtherKindsOfFileAreNamed) {
    EXPECT_EQ(errorOf(std::vector<std::uint8_t>{}).kind, ErrorKind::Empty);
    const Error docx = errorOf(std::string("PK\x03\x04\x14\x00\x06\x00", 8) + std::string(100, 'x'));
    EXPECT_EQ(docx.kind, ErrorKind::NewerFormat);
    EXPECT_NE(docx.message.find(".docx"), std::string::npos);

    const Error rtf = errorOf("{\\rtf1\\ansi\\deff0 hello}");
    EXPECT_EQ(rtf.kind, ErrorKind::WrongFormat);
    EXPECT_NE(rtf.message.find("RTF"), std::string::npos);
    for (const std::string& html : {std::string("<html><body>x</body></html>"), std::string("\xEF\xBB\xBF  \r\n<!DOCTYPE HTML PUBLIC>"),
                                   std::string("<META http-equiv=x>"), std::string("\n<Head>"),
                                   std::string("\xFF\xFE<\0h\0t\0m\0l\0>\0", 14)}) {
        const Error e = errorOf(html);
        EXPECT_EQ(e.kind, ErrorKind::WrongFormat);
        EXPECT_NE(e.message.find("HTML"), std::string::npos) << e.message;
        EXPECT_NE(e.message, rtf.message);
    }
    EXPECT_EQ(errorOf("<?xml version=\"1.0\"?><w:wordDocument/>").kind, ErrorKind::WrongFormat);
    EXPECT_EQ(errorOf("just some text that is not a document").kind, ErrorKind::NotCompoundFile);

    // A workbook saved as .doc: a compound file without WordDocument.
    const Error xls = errorOf(fileBytes(tarnwick::test::corpusPath("xls/sumifformula.xls")));
    EXPECT_EQ(xls.kind, ErrorKind::WrongFormat);
    EXPECT_NE(xls.message.find("Excel"), std::string::npos);
}

TEST(BadInputs, OlderWordVersionsAreNamedApart) {
    const Error word95 = errorOf(corpusDoc("Word95.doc"));
    EXPECT_EQ(word95.kind, ErrorKind::OlderFormat);
    EXPECT_NE(word95.message.find("Word 6.0/95"), std::string::npos);
    // Another Word 6/95 file, from an East Asian Word (wIdent 0xA699).
    EXPECT_EQ(errorOf(corpusDoc("Bug51944.doc")).message, word95.message);
    const Error word2 = errorOf(corpusDoc("word2.doc"));
    EXPECT_EQ(word2.kind, ErrorKind::OlderFormat);
    EXPECT_NE(word2.message.find("Word 2.0"), std::string::npos);
}

TEST(BadInputs, EncryptedDocuments) {
    for (const char* name : {"PasswordProtected.doc", "password_tika_binaryrc4.doc"}) {
        const Error e = errorOf(corpusDoc(name));
        EXPECT_EQ(e.kind, ErrorKind::Encrypted) << name;
        EXPECT_NE(e.message.find("密码"), std::string::npos);
    }
}

TEST(BadInputs, EveryPrefixOfAFileFailsCleanly) {
    // The container's sectors cut off: no stream of the document is complete until the cut
    // passes the last sector the streams use (the summary stream after them is optional).
    const auto full = corpusDoc("HeaderFooterUnicode.doc");
    for (std::size_t n = 0; n < full.size(); n += 97) {
        auto r = readDocument(Bytes(full.data(), n));
        if (n < full.size() / 2) {
            ASSERT_FALSE(r.ok()) << n;
        }
        if (r.ok()) continue;
        const ErrorKind k = r.error().kind;
        EXPECT_TRUE(k == ErrorKind::Empty || k == ErrorKind::NotCompoundFile || k == ErrorKind::Damaged) << n;
        EXPECT_FALSE(r.error().message.empty());
    }
}

TEST(BadInputs, EveryPrefixOfEachStreamFailsCleanly) {
    // Cut the table stream and the WordDocument stream at every structure boundary (every byte
    // of the table stream, every 16 bytes of the text stream): damage, never a crash.
    const Streams full = streamsOf(loSample("lo_header_footer.doc"));
    std::size_t opened = 0;
    for (std::size_t n = 0; n < full.table.size(); ++n) {
        Streams s = full;
        s.table.resize(n);
        auto r = s.read();
        if (r.ok()) {
            ++opened;
            continue;
        }
        EXPECT_EQ(r.error().kind, ErrorKind::Damaged) << n << ": " << r.error().message;
    }
    // Only cuts past the last structure can still be read.
    EXPECT_LT(opened, 64u);
    for (std::size_t n = 0; n < full.wordDocument.size(); n += 16) {
        Streams s = full;
        s.wordDocument.resize(n);
        auto r = s.read();
        if (!r.ok()) {
            EXPECT_EQ(r.error().kind, ErrorKind::Damaged) << n << ": " << r.error().message;
        }
    }
}

TEST(BadInputs, RandomBytesAndFlippedBytes) {
    std::mt19937 rng(12345);
    for (int i = 0; i < 200; ++i) {
        std::vector<std::uint8_t> junk(static_cast<std::size_t>(rng() % 4096 + 1));
        for (auto& b : junk) b = static_cast<std::uint8_t>(rng());
        auto r = readDocument(Bytes(junk));
        EXPECT_FALSE(r.ok());
    }
    // A real document with bytes of its streams changed at random: any outcome but a crash.
    const Streams base = streamsOf(corpusDoc("rasp.doc"));
    for (int i = 0; i < 300; ++i) {
        Streams s = base;
        auto& target = (i % 2) ? s.table : s.wordDocument;
        for (int k = 0; k < 8; ++k) target[rng() % target.size()] = static_cast<std::uint8_t>(rng());
        auto r = s.read();
        if (!r.ok()) {
            EXPECT_FALSE(r.error().message.empty());
        }
    }
}

TEST(BadInputs, PiecesAndFormattingPagesThatPointAway) {
    const Streams base = streamsOf(corpusDoc("HeaderFooterUnicode.doc"));
    {
        // A piece whose text lies past the end of the WordDocument stream.
        Streams s = base;
        set32(s.table, pcdOffset(s, 1) + 2, 0x00F00000);
        const Error e = errorOf(s);
        EXPECT_EQ(e.kind, ErrorKind::Damaged);
        EXPECT_NE(e.message.find("文字超出"), std::string::npos) << e.message;
    }
    {
        // A Prm1 naming a Prc the Clx does not have.
        Streams s = base;
        set16(s.table, pcdOffset(s, 0) + 6, (5 << 1) | 1);
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
    {
        // The character bin table names the same FKP page twice: the runs would repeat.
        Streams s = streamsOf(corpusDoc("FloatingPictures.doc"));
        const FcLcb bte = fcLcbOf(s, FcLcbIndex::PlcfBteChpx);
        const std::size_t n = (bte.lcb - 4) / 8;
        ASSERT_GE(n, 2u);
        const std::size_t pns = bte.fc + 4 * (n + 1);
        set32(s.table, pns + 4, get32(s.table, pns));
        const Error e = errorOf(s);
        EXPECT_EQ(e.kind, ErrorKind::Damaged);
        EXPECT_NE(e.message.find("重复"), std::string::npos) << e.message;
    }
    {
        // A page number past the stream.
        Streams s = base;
        const FcLcb bte = fcLcbOf(s, FcLcbIndex::PlcfBtePapx);
        const std::size_t n = (bte.lcb - 4) / 8;
        set32(s.table, bte.fc + 4 * (n + 1), 0x3FFFFF);
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
    {
        // An FKP run whose CHPX offset points back into the page's own arrays.
        Streams s = base;
        const FcLcb bte = fcLcbOf(s, FcLcbIndex::PlcfBteChpx);
        const std::size_t n = (bte.lcb - 4) / 8;
        const std::size_t page = std::size_t{get32(s.table, bte.fc + 4 * (n + 1))} * 512;
        const std::size_t crun = s.wordDocument[page + 511];
        s.wordDocument[page + (crun + 1) * 4] = 1;  // offset 2
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
}

TEST(BadInputs, FibAndTableStructuresOutOfBounds) {
    const Streams base = streamsOf(corpusDoc("HeaderFooterUnicode.doc"));
    auto withFcLcb = [&](FcLcbIndex index, std::uint32_t fc, std::uint32_t lcb) {
        Streams s = base;
        set32(s.wordDocument, fcLcbOffset(index), fc);
        set32(s.wordDocument, fcLcbOffset(index) + 4, lcb);
        return errorOf(s);
    };
    for (FcLcbIndex i : {FcLcbIndex::Clx, FcLcbIndex::Stshf, FcLcbIndex::PlcfBteChpx, FcLcbIndex::PlcfSed,
                         FcLcbIndex::PlcfHdd, FcLcbIndex::SttbfFfn, FcLcbIndex::PlcfFldHdr, FcLcbIndex::DggInfo}) {
        const Error e = withFcLcb(i, static_cast<std::uint32_t>(base.table.size()) - 8, 64);
        EXPECT_EQ(e.kind, ErrorKind::Damaged) << static_cast<int>(i);
        EXPECT_NE(e.message.find("超出表格流"), std::string::npos) << e.message;
    }
    EXPECT_EQ(withFcLcb(FcLcbIndex::Clx, 0, 0).kind, ErrorKind::Damaged);  // no piece table
    {
        Streams s = base;
        set32(s.wordDocument, 0x4C, 0x80000000u);  // ccpText negative
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
        set32(s.wordDocument, 0x4C, 100000);  // more text than the pieces hold
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
    {
        Streams s = base;
        set16(s.wordDocument, 0, 0x1234);  // wIdent
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
    {
        Streams s = base;
        set16(s.wordDocument, 152, 0xFFFF);  // cbRgFcLcb past the stream
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
    {
        // A section whose SEPX lies past the WordDocument stream.
        Streams s = base;
        const FcLcb sed = fcLcbOf(s, FcLcbIndex::PlcfSed);
        set32(s.table, sed.fc + 8 + 2, 0x7FFFFFF0);
        EXPECT_EQ(errorOf(s).kind, ErrorKind::Damaged);
    }
}

TEST(BadInputs, CapsGiveTooLarge) {
    const auto bytes = corpusDoc("HeaderFooterUnicode.doc");
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxFileBytes = 1000}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxCps = 200}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxPieces = 2}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxParagraphs = 11}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxRuns = 18}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxStyles = 21}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(bytes, ReadLimits{.maxFonts = 5}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(corpusDoc("FloatingPictures.doc"), ReadLimits{.maxSections = 1}).kind, ErrorKind::TooLarge);
    EXPECT_EQ(errorOf(corpusDoc("test-fields.doc"), ReadLimits{.maxFields = 20}).kind, ErrorKind::TooLarge);
    // At the caps themselves the file still opens.
    auto atCaps = readDocument(Bytes(bytes), ReadLimits{.maxParagraphs = 100, .maxStyles = 22, .maxFonts = 6});
    EXPECT_TRUE(atCaps.ok());
}

}  // namespace
}  // namespace tarnwick::doc
