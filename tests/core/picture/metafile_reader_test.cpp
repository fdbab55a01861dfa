#include "core/picture/metafile_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "tools/metafile/metafile_writer.h"

namespace cv {
namespace {

std::vector<std::uint8_t> StandardPart(const TMetafileWriter& writer) {
    const std::string bytes = writer.PlaceableBytes();
    return {bytes.begin() + kPlaceableHeaderSize, bytes.end()};
}

// One record of each kind a picture of ours uses.
TMetafileWriter SamplePicture() {
    TMetafileWriter writer;
    writer.SetWindow(-10, 20, 300, 200);
    const int pen = writer.CreatePen(1, 3, TMetafileWriter::Rgb(255, 0, 0));
    const int brush = writer.CreateBrush(0, TMetafileWriter::Rgb(0, 0, 255));
    const int font = writer.CreateFont(-24, true, false, "Arial");
    writer.SelectObject(pen);
    writer.SaveDC();
    writer.MoveTo(1, 2);
    writer.LineTo(3, 4);
    writer.Rectangle(10, 20, 30, 40);
    writer.Ellipse(50, 60, 70, 80);
    writer.Polygon({{0, 0}, {10, 0}, {5, 8}});
    writer.PolyPolygon({{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{25, 25}, {75, 25}, {75, 75}}});
    writer.RestoreDC(-1);
    writer.SelectObject(brush);
    writer.SelectObject(font);
    writer.SetTextColor(TMetafileWriter::Rgb(0, 128, 0));
    writer.TextOut(7, 9, "Hello");
    writer.DeleteObject(pen);
    return writer;
}

TEST(MetafileReaderTest, DecodesEachRecordWithItsNumbersInReadingOrder) {
    const TMetafile picture = ReadMetafile(StandardPart(SamplePicture()));
    EXPECT_EQ(picture.Fault, "");
    EXPECT_EQ(picture.ObjectSlots, 3);
    ASSERT_EQ(picture.Records.size(), 19u);
    const auto& r = picture.Records;
    // Record, operation and its first two numbers, as SamplePicture writes them.
    const struct {
        std::size_t index;
        TWmfOp op;
        std::int32_t first, second;
    } numbers[] = {{0, TWmfOp::SetWindowOrg, -10, 20}, {1, TWmfOp::SetWindowExt, 300, 200},
                   {2, TWmfOp::CreatePen, 1, 3},       {4, TWmfOp::CreateFont, -24, 700},
                   {9, TWmfOp::Rectangle, 10, 20},     {10, TWmfOp::Ellipse, 50, 60},
                   {13, TWmfOp::RestoreDC, -1, 0},     {17, TWmfOp::TextOut, 7, 9}};
    for (const auto& n : numbers) {
        EXPECT_EQ(r[n.index].Op, n.op) << n.index;
        EXPECT_EQ(r[n.index].Args[0], n.first) << n.index;
        if (n.second != 0) {
            EXPECT_EQ(r[n.index].Args[1], n.second) << n.index;
        }
    }
    EXPECT_EQ(r[9].Args, (std::array<std::int32_t, 4>{10, 20, 30, 40}));
    EXPECT_EQ(r[10].Args, (std::array<std::int32_t, 4>{50, 60, 70, 80}));
    // Colours as 0x00BBGGRR: red pen, blue brush, green text.
    EXPECT_EQ(r[2].Color, 0x0000FFu);
    EXPECT_EQ(r[3].Color, 0xFF0000u);
    EXPECT_EQ(r[16].Color, 0x008000u);
    EXPECT_EQ(r[4].Text, "Arial");
    EXPECT_EQ(r[17].Text, "Hello");
    EXPECT_EQ(r[11].Points.size(), 3u);
    EXPECT_EQ(r[11].Points[2].Y, 8);
    EXPECT_EQ(r[12].Op, TWmfOp::PolyPolygon);
    EXPECT_EQ(r[12].PolygonSizes, (std::vector<std::uint16_t>{4, 3}));
    EXPECT_EQ(r[12].Points[4].X, 25);
    EXPECT_EQ(r[18].Op, TWmfOp::DeleteObject);
}

void ExpectPrefixOf(const TMetafile& part, const TMetafile& whole) {
    ASSERT_LE(part.Records.size(), whole.Records.size());
    for (std::size_t i = 0; i < part.Records.size(); ++i) EXPECT_EQ(part.Records[i].Op, whole.Records[i].Op) << i;
}

TEST(MetafileReaderTest, EveryTruncationKeepsTheRecordsBeforeTheCutAndNamesTheFault) {
    const std::vector<std::uint8_t> bytes = StandardPart(SamplePicture());
    const TMetafile whole = ReadMetafile(bytes);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const TMetafile part = ReadMetafile(std::span(bytes).first(length));
        SCOPED_TRACE(length);
        EXPECT_NE(part.Fault, "");
        ExpectPrefixOf(part, whole);
    }
}

TEST(MetafileReaderTest, AbsurdSizesAndCountsStopTheReadingAtTheDamagedRecord) {
    struct Case {
        const char* name;
        std::uint16_t function;
        std::vector<std::uint16_t> params;
        const char* fault;
    };
    // Each damaged record follows one good rectangle, which is kept.
    const std::vector<Case> cases{
        {"polygon claims 65535 points in 2 words", 0x0324, {0xFFFF, 1, 2}, "record parameters cut short"},
        {"poly-polygon sizes beyond the record", 0x0538, {2, 40000, 40000, 0, 0}, "record parameters cut short"},
        {"text longer than its record", 0x0521, {500, 0x4141}, "record parameters cut short"},
        {"pen without its colour", 0x02FA, {0, 1}, "record parameters cut short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMetafileWriter writer;
        writer.Rectangle(0, 0, 5, 5);
        writer.Record(c.function, c.params);
        writer.Rectangle(1, 1, 2, 2);
        const TMetafile picture = ReadMetafile(StandardPart(writer));
        ASSERT_EQ(picture.Records.size(), 1u);
        EXPECT_EQ(picture.Fault.rfind(c.fault, 0), 0u) << picture.Fault;
    }
    // A record size of 0, 2 or 2^31 words.
    for (std::uint32_t size : {0u, 2u, 0x80000000u}) {
        TMetafileWriter writer;
        writer.Rectangle(0, 0, 5, 5);
        std::vector<std::uint8_t> bytes = StandardPart(writer);
        const std::size_t endRecord = bytes.size() - 6;
        for (int i = 0; i < 4; ++i) bytes[endRecord + i] = static_cast<std::uint8_t>(size >> (8 * i));
        bytes[endRecord + 4] = 0x1B;  // a rectangle function instead of the end
        bytes[endRecord + 5] = 0x04;
        const TMetafile picture = ReadMetafile(bytes);
        EXPECT_EQ(picture.Records.size(), 1u) << size;
        EXPECT_EQ(picture.Fault, "record size out of range at offset " + std::to_string(endRecord));
    }
    EXPECT_EQ(ReadMetafile(std::vector<std::uint8_t>(18, 0)).Fault, "not a standard metafile header");
}

// Random damage (a fixed seed, so that a failure can be replayed): whatever
// is decoded is consistent, and nothing reads outside the bytes given, which
// the sanitizers check.
TEST(MetafileReaderTest, RandomlyDamagedPicturesDecodeConsistentlyWithoutReadingOutside) {
    const std::vector<std::uint8_t> original = StandardPart(SamplePicture());
    std::mt19937 random(14);
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::uint8_t> bytes = original;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        if (round % 3 == 0) bytes.resize(random() % bytes.size());
        const TMetafile picture = ReadMetafile(bytes);
        EXPECT_LE(picture.ObjectSlots, kMaxMetafileObjects);
        for (const TWmfRecord& record : picture.Records) {
            if (record.Op != TWmfOp::PolyPolygon) continue;
            std::size_t total = 0;
            for (std::uint16_t size : record.PolygonSizes) total += size;
            ASSERT_EQ(total, record.Points.size()) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace cv
