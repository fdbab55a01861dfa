#include "ui/picture/metafile.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <random>

#include "tests/support/temp_dir.h"
#include "tools/metafile/metafile_writer.h"

namespace cv {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlank(255, 255, 255);

std::string Saved(const test::TempDir& dir, const std::string& name, const std::string& bytes) {
    test::WriteFileBytes(dir.path() / name, bytes);
    return dir / name;
}

// A red rectangle over the whole window of 1000 x 500 units from (100, 50).
TMetafileWriter FullRedPicture() {
    TMetafileWriter writer;
    writer.SetWindow(100, 50, 1000, 500);
    writer.SelectObject(writer.CreatePen(5, 0, 0));
    writer.SelectObject(writer.CreateBrush(0, TMetafileWriter::Rgb(255, 0, 0)));
    writer.Rectangle(100, 50, 1100, 550);
    return writer;
}

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kBlank);
    return image;
}

TEST(MetafileTest, PictureFillsExactlyTheGivenSizeWhateverItsHeaderSays) {
    test::TempDir dir;
    std::string bytes = FullRedPicture().PlaceableBytes();
    bytes[10] = 50;  // the header's bounding box claims 50 units on the right, unused
    QImage image = Blank(320, 220);
    {
        QPainter painter(&image);
        DrawMetafileFile(painter, QString::fromStdString(Saved(dir, "FULL.WMF", bytes)), 300, 200);
    }
    EXPECT_EQ(image.pixelColor(0, 0), kRed);
    EXPECT_EQ(image.pixelColor(299, 199), kRed);
    EXPECT_EQ(image.pixelColor(150, 100), kRed);
    EXPECT_EQ(image.pixelColor(300, 100), kBlank);
    EXPECT_EQ(image.pixelColor(150, 200), kBlank);
}

TEST(MetafileTest, PlayingLeavesThePainterAsItWas) {
    const TMetafile picture = [] {
        TMetafileWriter writer = FullRedPicture();
        writer.SelectObject(writer.CreateFont(-40, true, true, "Arial"));
        writer.SetTextColor(TMetafileWriter::Rgb(0, 0, 255));
        writer.TextOut(200, 200, "Text");
        const std::string bytes = writer.PlaceableBytes();
        return ReadMetafile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
                                .subspan(kPlaceableHeaderSize));
    }();
    QImage image = Blank(100, 100);
    QPainter painter(&image);
    painter.translate(5, 7);
    painter.setPen(QPen(kGreen, 3));
    painter.setBrush(Qt::Dense4Pattern);
    QFont font("Arial");
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setClipRect(0, 0, 90, 90);
    const QTransform transform = painter.worldTransform();
    const QRegion clip = painter.clipRegion();
    PlayMetafileScaled(painter, picture, 60, 40);
    EXPECT_EQ(painter.worldTransform(), transform);
    EXPECT_EQ(painter.pen(), QPen(kGreen, 3));
    EXPECT_EQ(painter.brush().style(), Qt::Dense4Pattern);
    EXPECT_EQ(painter.font(), font);
    EXPECT_EQ(painter.clipRegion(), clip);
    painter.end();
    // Drawn at the painter's origin: (5, 7) to (64, 46).
    EXPECT_EQ(image.pixelColor(5, 7), kRed);
    EXPECT_EQ(image.pixelColor(64, 46), kRed);
    EXPECT_EQ(image.pixelColor(65, 47), kBlank);
}

TEST(MetafileTest, SavedStateComesBackAndAnEmptyWindowDrawsNothing) {
    TMetafileWriter writer;
    writer.SetWindow(0, 0, 100, 100);
    const int green = writer.CreateBrush(0, TMetafileWriter::Rgb(0, 128, 0));
    const int red = writer.CreateBrush(0, TMetafileWriter::Rgb(255, 0, 0));
    writer.SelectObject(writer.CreatePen(5, 0, 0));
    writer.SelectObject(green);
    writer.SaveDC();
    writer.SelectObject(red);
    writer.SetWindow(0, 0, 0, 100);  // an empty extent: nothing can be placed
    writer.Rectangle(0, 0, 100, 100);
    writer.RestoreDC(-1);
    writer.Rectangle(0, 0, 50, 100);
    test::TempDir dir;
    QImage image = Blank(100, 100);
    {
        QPainter painter(&image);
        DrawMetafileFile(painter, QString::fromStdString(Saved(dir, "STATE.WMF", writer.PlaceableBytes())), 100, 100);
    }
    EXPECT_EQ(image.pixelColor(10, 50), kGreen);
    EXPECT_EQ(image.pixelColor(80, 50), kBlank);
}

// The rectangle of everything not blank.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kBlank) box |= QRect(x, y, 1, 1);
    return box;
}

// A painter that is already scaled scales the picture's text as it scales
// its shapes: drawn at 100 x 50 under a scale of 2, the text covers what it
// covers drawn at 200 x 100 unscaled (within a pixel or two of rounding).
TEST(MetafileTest, TextFollowsThePaintersOwnScale) {
    TMetafileWriter writer;
    writer.SetWindow(0, 0, 1000, 500);
    writer.SelectObject(writer.CreateFont(-200, true, false, "Arial"));
    writer.SetBkMode(true);
    writer.SetTextAlign(6 | 24);  // centred on its baseline
    writer.TextOut(500, 350, "Tx");
    const std::string bytes = writer.PlaceableBytes();
    const TMetafile picture = ReadMetafile(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()).subspan(kPlaceableHeaderSize));
    QImage scaled = Blank(220, 120);
    QImage plain = Blank(220, 120);
    {
        QPainter painter(&scaled);
        painter.scale(2, 2);
        PlayMetafileScaled(painter, picture, 100, 50);
    }
    {
        QPainter painter(&plain);
        PlayMetafileScaled(painter, picture, 200, 100);
    }
    const QRect expected = InkBox(plain);
    const QRect drawn = InkBox(scaled);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_NEAR(drawn.left(), expected.left(), 2);
    EXPECT_NEAR(drawn.right(), expected.right(), 2);
    EXPECT_NEAR(drawn.top(), expected.top(), 2);
    EXPECT_NEAR(drawn.bottom(), expected.bottom(), 2);
}

// Text that a damaged window extent stretches far
// beyond any picture's needs is left out, and the picture's shapes are drawn
// as without it: a window 2 units wide and 2000 high drawn at 300 x 300
// stretches the 12-pixel font 1000 times more across than down, and the font
// engine failed on such glyphs and brought the program down.
struct TStretchedText {
    int windowWidth;
    int windowHeight;
    int fontHeight;  // 0: the player's own font
};

class StretchedTextTest : public ::testing::TestWithParam<TStretchedText> {};

TEST_P(StretchedTextTest, IsLeftOutAndTheShapesAreDrawn) {
    const TStretchedText& stretched = GetParam();
    const auto picture = [&stretched](bool withText) {
        TMetafileWriter writer;
        writer.SetWindow(0, 0, stretched.windowWidth, stretched.windowHeight);
        writer.SelectObject(writer.CreatePen(5, 0, 0));
        writer.SelectObject(writer.CreateBrush(0, TMetafileWriter::Rgb(255, 0, 0)));
        writer.Rectangle(0, 0, stretched.windowWidth / 2, stretched.windowHeight / 2);
        if (withText) {
            if (stretched.fontHeight != 0)
                writer.SelectObject(writer.CreateFont(stretched.fontHeight, false, false, "Arial"));
            writer.TextOut(stretched.windowWidth / 2, stretched.windowHeight / 2, "AW");
        }
        const std::string bytes = writer.PlaceableBytes();
        return ReadMetafile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())
                                .subspan(kPlaceableHeaderSize));
    };
    const auto drawn = [](const TMetafile& played) {
        QImage image = Blank(300, 300);
        QPainter painter(&image);
        PlayMetafileScaled(painter, played, 300, 300);
        painter.end();
        return image;
    };
    EXPECT_EQ(drawn(picture(true)), drawn(picture(false)));
}

INSTANTIATE_TEST_SUITE_P(MetafileTest, StretchedTextTest,
                         ::testing::Values(TStretchedText{2, 2000, 0}, TStretchedText{2, 32767, 0},
                                           TStretchedText{2, 32767, -12}));

TEST(MetafileTest, MissingAndShortFilesAreRefusedWithAPictureError) {
    test::TempDir dir;
    EXPECT_THROW(LoadPlaceableMetafile(QString::fromStdString(dir / "NONE.WMF")), EPictureFileError);
    const std::string bytes = FullRedPicture().PlaceableBytes();
    EXPECT_THROW(LoadPlaceableMetafile(QString::fromStdString(Saved(dir, "SHORT.WMF", bytes.substr(0, 21)))),
                 EPictureFileError);
    // Exactly the header: a picture with no records.
    const TMetafile empty = LoadPlaceableMetafile(QString::fromStdString(Saved(dir, "HEAD.WMF", bytes.substr(0, 22))));
    EXPECT_TRUE(empty.Records.empty());
    EXPECT_NE(empty.Fault, "");
}

TEST(MetafileTest, ImageControlShowsThePictureAtItsOwnSize) {
    test::TempDir dir;
    QLabel image;
    image.resize(120, 80);
    DrawMetafileOnImage(image, QString::fromStdString(Saved(dir, "FULL.WMF", FullRedPicture().PlaceableBytes())));
    const QImage drawn = image.pixmap().toImage();
    EXPECT_EQ(drawn.size(), QSize(120, 80));
    EXPECT_EQ(drawn.pixelColor(119, 79), kRed);
}

// A picture is drawn once per size: the same file at the same size gives the
// pixmap already drawn; another size, or the file changed on disk, is drawn anew.
TEST(MetafileTest, APictureIsDrawnOncePerSizeAndAgainWhenItsFileChanges) {
    test::TempDir dir;
    const QString file = QString::fromStdString(Saved(dir, "ONCE.WMF", FullRedPicture().PlaceableBytes()));
    const QPixmap first = MetafilePixmap(file, QSize(60, 40));
    EXPECT_EQ(MetafilePixmap(file, QSize(60, 40)).cacheKey(), first.cacheKey());
    EXPECT_NE(MetafilePixmap(file, QSize(61, 40)).cacheKey(), first.cacheKey());
    // Green over the red, one record longer than before.
    TMetafileWriter changed = FullRedPicture();
    changed.SelectObject(changed.CreateBrush(0, TMetafileWriter::Rgb(0, 128, 0)));
    changed.Rectangle(100, 50, 1100, 550);
    Saved(dir, "ONCE.WMF", changed.PlaceableBytes());
    const QPixmap redrawn = MetafilePixmap(file, QSize(60, 40));
    EXPECT_NE(redrawn.cacheKey(), first.cacheKey());
    EXPECT_EQ(redrawn.toImage().pixelColor(30, 20), kGreen);
}

// Damaged and truncated pictures (a fixed seed) never draw outside their
// rectangle and never bring the player down.
TEST(MetafileTest, DamagedPicturesDrawOnlyInsideTheirRectangle) {
    TMetafileWriter writer = FullRedPicture();
    writer.SelectObject(writer.CreateFont(-30, false, false, "Arial"));
    writer.SelectObject(writer.CreatePen(1, 2, TMetafileWriter::Rgb(0, 0, 255)));
    writer.TextOut(300, 300, "Damaged");
    writer.PolyPolygon({{{100, 50}, {600, 50}, {600, 300}}, {{200, 100}, {300, 100}, {300, 200}}});
    writer.Ellipse(150, 100, 900, 500);
    const std::string original = writer.PlaceableBytes();
    std::mt19937 random(14);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = original;
        for (int i = 0, flips = 1 + static_cast<int>(random() % 6); i < flips; ++i)
            bytes[kPlaceableHeaderSize + random() % (bytes.size() - kPlaceableHeaderSize)] = static_cast<char>(random());
        if (round % 3 == 0) bytes.resize(kPlaceableHeaderSize + random() % (bytes.size() - kPlaceableHeaderSize));
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        const TMetafile picture = ReadMetafile(std::span(data, bytes.size()).subspan(kPlaceableHeaderSize));
        QImage image = Blank(80, 60);
        {
            QPainter painter(&image);
            painter.translate(10, 10);
            PlayMetafileScaled(painter, picture, 60, 40);
        }
        QImage outside = image;
        {
            QPainter blank(&outside);
            blank.fillRect(10, 10, 60, 40, kBlank);
        }
        ASSERT_EQ(outside, Blank(80, 60)) << "round " << round;
    }
}

}  // namespace
}  // namespace cv
