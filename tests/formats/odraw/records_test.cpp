// Record headers, the splitting of containers, and property tables with their merge rules.
#include <gtest/gtest.h>

#include "formats/odraw/odraw_fixtures.h"
#include "formats/odraw/properties.h"
#include "formats/odraw/record.h"

namespace tarnwick::odraw {
namespace {

using namespace tarnwick::test;

TEST(OdrawRecord, HeaderFieldsAreSplitFromTheirBits) {
    const Buf b = record(0x3, 0xABC, 0xF00B, Buf(5, 0));
    RecordHeader h;
    ASSERT_TRUE(readHeader(b, 0, h));
    EXPECT_EQ(h.recVer, 3);
    EXPECT_EQ(h.recInstance, 0xABC);
    EXPECT_EQ(h.recType, 0xF00B);
    EXPECT_EQ(h.recLen, 5u);
    EXPECT_FALSE(h.isContainer());
    EXPECT_FALSE(readHeader(b, b.size() - 7, h));  // fewer than 8 bytes left
}

TEST(OdrawRecord, ChildrenMustFitTheirParent) {
    Budget budget{Limits{}};
    const Buf two = cat({record(0, 1, 0xF011, Buf(4, 1)), record(0, 2, 0xF010, Buf(2, 2))});
    auto ok = splitRecords(two, 100, budget);
    ASSERT_TRUE(ok.ok());
    ASSERT_EQ(ok->size(), 2u);
    EXPECT_EQ((*ok)[1].offset, 112u);
    EXPECT_EQ((*ok)[1].body.size(), 2u);

    Buf pastEnd = two;
    pastEnd[4] = 40;  // first record claims 40 bytes of a 22-byte span
    auto bad = splitRecords(pastEnd, 0, budget);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().kind, ErrorKind::Damaged);
    EXPECT_NE(bad.error().message.find("超出"), std::string::npos) << bad.error().message;

    Buf partial = two;
    partial.push_back(0);  // a stray byte cannot be a header
    EXPECT_FALSE(splitRecords(partial, 0, budget).ok());
}

TEST(OdrawRecord, RecordCountIsCappedOverTheWholeRead) {
    Budget budget{Limits{.maxDepth = 32, .maxRecords = 3, .maxShapes = 10}};
    const Buf two = cat({record(0, 0, 0xF011, {}), record(0, 0, 0xF011, {})});
    ASSERT_TRUE(splitRecords(two, 0, budget).ok());
    auto over = splitRecords(two, 0, budget);  // 4 records taken in all
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.error().kind, ErrorKind::TooLarge);
}

Result<PropertyList> parse(const Buf& optRecord) {
    RecordHeader h;
    readHeader(optRecord, 0, h);
    return parsePropertyTable(Bytes(optRecord).subspan(8), h.recInstance, PropertySource::Primary);
}

TEST(OdrawProperties, SimpleAndComplexPropertiesKeepTheirData) {
    auto list = parse(opt({{pid::FillColor, 0x0000FFFF}, {pid::GtextUnicode, 0, utf16z(u"Hi")}, {pid::Pib, 3},
                           {pid::GtextFont, 0, utf16z(u"Impact")}}));
    ASSERT_TRUE(list.ok());
    ASSERT_EQ(list->properties.size(), 4u);
    EXPECT_EQ(list->dropped, 0u);
    EXPECT_EQ(list->properties[1].data, utf16z(u"Hi"));
    EXPECT_EQ(list->properties[3].data, utf16z(u"Impact"));  // complex data are taken in entry order
    EXPECT_TRUE(list->properties[3].isComplex);
}

TEST(OdrawProperties, ComplexDataPastTheRecordIsDroppedWithWhatFollows) {
    // The first complex property claims 100 bytes; only 6 follow. Both complex ones go, the
    // simple properties before and after stay.
    auto list = parse(opt({{pid::FillColor, 1},
                           {pid::GtextUnicode, 100, {}, true},
                           {pid::LineColor, 2},
                           {pid::GtextFont, 0, utf16z(u"Ab")}}));
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list->dropped, 2u);
    ASSERT_EQ(list->properties.size(), 2u);
    EXPECT_EQ(list->properties[0].id, pid::FillColor);
    EXPECT_EQ(list->properties[1].id, pid::LineColor);

    // Entries that do not fit are not a table at all.
    Buf shortTable = opt({{pid::FillColor, 1}});
    shortTable[0] = static_cast<std::uint8_t>(shortTable[0] | 0x20);  // recInstance 3: 18 bytes of entries in 6
    EXPECT_FALSE(parse(shortTable).ok());
}

TEST(OdrawProperties, LaterTablesOverrideAndBooleanSetsMergeByTheirUseBits) {
    PropertyTable t;
    t.merge({{pid::FillColor, false, false, 0x000000FF, {}, PropertySource::Group},
             {pid::LineBooleans, false, false, 0x00080008, {}, PropertySource::Group}});  // fLine on
    t.merge({{pid::FillColor, false, false, 0x0000FF00, {}, PropertySource::Primary},
             {pid::LineBooleans, false, false, 0x00040000, {}, PropertySource::Primary}});  // hit-test off, fLine untouched
    t.merge({{pid::GroupShapeBooleans, false, false, 0x00220000, {}, PropertySource::Primary}});
    t.merge({{pid::GroupShapeBooleans, false, false, 0x82008200, {}, PropertySource::Tertiary}});
    EXPECT_EQ(t.value(pid::FillColor), 0x0000FF00u);
    EXPECT_EQ(t.find(pid::FillColor)->source, PropertySource::Primary);
    EXPECT_EQ(t.value(pid::LineBooleans), 0x000C0008u);
    EXPECT_EQ(t.flag(pid::LineBooleans, 3), true);
    EXPECT_EQ(t.flag(pid::LineBooleans, 2), false);
    EXPECT_EQ(t.flag(pid::LineBooleans, 0), std::nullopt);  // use bit clear: default applies
    EXPECT_EQ(t.value(pid::GroupShapeBooleans), 0x82228200u);  // the two tables carry different bits
    EXPECT_EQ(t.flag(pid::GroupShapeBooleans, 5), false);
    EXPECT_EQ(t.flag(pid::GroupShapeBooleans, 9), true);
    EXPECT_EQ(t.flag(pid::FillColor, 16), std::nullopt);
}

}  // namespace
}  // namespace tarnwick::odraw
