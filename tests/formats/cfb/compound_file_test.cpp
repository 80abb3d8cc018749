#include "formats/cfb/compound_file.h"

#include <gtest/gtest.h>

#include <random>

#include "formats/cfb/cfb_builder.h"
#include "support/test_support.h"

namespace tarnwick::cfb {
namespace {

using test::CfbBuilder;

std::vector<std::uint8_t> pattern(std::size_t n, std::uint8_t seed) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 7);
    return v;
}

std::vector<std::uint8_t> corpusFile(const char* name) {
    const std::string s = test::readBytes(test::corpusPath(std::string("xls/") + name));
    return {s.begin(), s.end()};
}

TEST(CompoundFile, ReadsStreamsOfBothSectorSizes) {
    for (int version : {3, 4}) {
        CfbBuilder b(version);
        b.add("Workbook", pattern(5000, 1));
        b.add("Other", pattern(4096, 9));
        const auto file = b.build();
        auto cf = CompoundFile::open(file);
        ASSERT_TRUE(cf.ok()) << cf.error().message;
        // Streams of more than one sector come back whole only when the sector size was read right.
        auto wb = cf->stream("workbook");  // names match without regard to case
        ASSERT_TRUE(wb.ok()) << wb.error().message;
        EXPECT_EQ(*wb, pattern(5000, 1));
        auto other = cf->stream("OTHER");
        ASSERT_TRUE(other.ok());
        EXPECT_EQ(*other, pattern(4096, 9));
        EXPECT_EQ(cf->rootNames(), (std::vector<std::string>{"Workbook", "Other"}));
        EXPECT_FALSE(cf->stream("Book").ok());
        EXPECT_FALSE(cf->hasStream("Book"));
    }
}

TEST(CompoundFile, RefusesWhatIsNotACompoundFile) {
    auto empty = CompoundFile::open({});
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error().kind, ErrorKind::Empty);

    const std::vector<std::uint8_t> zip = {'P', 'K', 3, 4, 20, 0, 0, 0};
    auto z = CompoundFile::open(zip);
    ASSERT_FALSE(z.ok());
    EXPECT_EQ(z.error().kind, ErrorKind::NewerFormat);

    std::mt19937 rng(42);
    std::vector<std::uint8_t> noise(4096);
    for (auto& c : noise) c = static_cast<std::uint8_t>(rng());
    noise[0] = 0x12;
    auto n = CompoundFile::open(noise);
    ASSERT_FALSE(n.ok());
    EXPECT_EQ(n.error().kind, ErrorKind::NotCompoundFile);
}

TEST(CompoundFile, RefusesDamagedHeadersAndTruncation) {
    CfbBuilder b;
    b.add("Workbook", pattern(5000, 1));
    const auto good = b.build();

    auto shortHeader = std::vector<std::uint8_t>(good.begin(), good.begin() + 100);
    auto badOrder = good;
    test::put16(badOrder, 0x1C, 0x1234);
    auto badShift = good;
    test::put16(badShift, 0x1E, 12);  // version 3 with 4096-byte sectors
    for (const auto& bad : {shortHeader, badOrder, badShift}) {
        auto r = CompoundFile::open(bad);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().kind, ErrorKind::Damaged);
    }

    // Cut inside the stream: the container opens, the stream is shorter than it says.
    auto cut = std::vector<std::uint8_t>(good.begin(), good.end() - 1024);
    auto cf = CompoundFile::open(cut);
    if (cf.ok()) {
        auto s = cf->stream("Workbook");
        ASSERT_FALSE(s.ok());
        EXPECT_EQ(s.error().kind, ErrorKind::Damaged);
    }
}

TEST(CompoundFile, DetectsAFatChainThatLoops) {
    CfbBuilder b;
    b.add("Workbook", pattern(5000, 1));
    auto file = b.build();
    // The stream's third sector points back to its first.
    const std::size_t fat = (CfbBuilder::kFatSector + 1) * b.sectorSize();
    test::put32(file, fat + 4 * (CfbBuilder::kFirstDataSector + 2), CfbBuilder::kFirstDataSector);
    auto cf = CompoundFile::open(file);
    ASSERT_TRUE(cf.ok());
    auto s = cf->stream("Workbook");
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().kind, ErrorKind::Damaged);

    // A directory chain that loops onto itself.
    auto dirLoop = b.build();
    test::put32(dirLoop, fat + 4 * CfbBuilder::kDirSector, CfbBuilder::kDirSector);
    auto d = CompoundFile::open(dirLoop);
    ASSERT_FALSE(d.ok());
    EXPECT_EQ(d.error().kind, ErrorKind::Damaged);
}

TEST(CompoundFile, SurvivesADirectoryTreeThatCycles) {
    CfbBuilder b;
    b.add("First", pattern(4096, 1));
    b.add("Workbook", pattern(4096, 2));
    auto file = b.build();
    const std::size_t dir = (CfbBuilder::kDirSector + 1) * b.sectorSize();
    // Entry 2's right sibling points back at entry 1, and entry 1's left at itself.
    test::put32(file, dir + 2 * 128 + 0x48, 1);
    test::put32(file, dir + 1 * 128 + 0x44, 1);
    auto cf = CompoundFile::open(file);
    ASSERT_TRUE(cf.ok());
    EXPECT_EQ(cf->rootNames().size(), 2u);  // each entry once, and the walk ends
    EXPECT_TRUE(cf->stream("Workbook").ok());
}

TEST(CompoundFile, RefusesStreamSizesBeyondTheFile) {
    CfbBuilder b;
    b.add("Workbook", pattern(5000, 1));
    auto file = b.build();
    const std::size_t dir = (CfbBuilder::kDirSector + 1) * b.sectorSize();
    test::put32(file, dir + 128 + 0x78, 0x7FFFFFFF);
    auto cf = CompoundFile::open(file);
    ASSERT_TRUE(cf.ok());
    EXPECT_FALSE(cf->stream("Workbook").ok());
}

TEST(CompoundFile, ReadsCorpusFilesIncludingMiniStreams) {
    const auto file = corpusFile("SimpleWithColours.xls");
    auto cf = CompoundFile::open(file);
    ASSERT_TRUE(cf.ok()) << cf.error().message;
    auto wb = cf->stream("Workbook");
    ASSERT_TRUE(wb.ok()) << wb.error().message;
    ASSERT_GE(wb->size(), 8u);
    EXPECT_EQ((*wb)[0], 0x09);  // BOF
    EXPECT_EQ((*wb)[1], 0x08);
    // The summary stream is small enough to live in the mini stream; a property set starts
    // with the byte-order mark FFFE.
    auto summary = cf->stream("\x05SummaryInformation");
    ASSERT_TRUE(summary.ok()) << summary.error().message;
    ASSERT_GE(summary->size(), 2u);
    EXPECT_LT(summary->size(), 4096u);
    EXPECT_EQ((*summary)[0], 0xFE);
    EXPECT_EQ((*summary)[1], 0xFF);
}

TEST(CompoundFile, EveryTruncationOfARealFileFailsCleanly) {
    const auto file = corpusFile("3dFormulas.xls");
    for (std::size_t n = 0; n < file.size(); n += 97) {
        const std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        auto cf = CompoundFile::open(cut);
        if (!cf.ok()) {
            EXPECT_FALSE(cf.error().message.empty());
            continue;
        }
        auto s = cf->stream("Workbook");
        if (!s.ok()) {
            EXPECT_FALSE(s.error().message.empty());
        }
    }
}

}  // namespace
}  // namespace tarnwick::cfb
