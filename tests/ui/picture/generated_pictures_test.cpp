// The pictures that the build draws into the media directory.
#include <gtest/gtest.h>

#include <QDir>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include "tests/ui/support/window_test.h"
#include "ui/picture/metafile.h"

namespace cv {
namespace {

QStringList PictureFiles() { return QDir(CV_MEDIA_DIR).entryList({"*.WMF"}, QDir::Files, QDir::Name); }

// All pictures on one sheet, to be looked at: buttons square, others 5 : 3.
void SaveContactSheet(const QStringList& files) {
    QWidget sheet;
    auto* grid = new QGridLayout(&sheet);
    for (int i = 0; i < files.size(); ++i) {
        const bool button = files[i].startsWith("SB") || files[i].startsWith("SPB");
        auto* image = new QLabel(&sheet);
        image->setFixedSize(button ? QSize(48, 48) : QSize(200, 120));
        DrawMetafileOnImage(*image, QString(CV_MEDIA_DIR "/") + files[i]);
        auto* caption = new QLabel(files[i], &sheet);
        grid->addWidget(image, (i / 6) * 2, i % 6);
        grid->addWidget(caption, (i / 6) * 2 + 1, i % 6);
    }
    sheet.show();
    test::SaveScreenshot(sheet, "generated_pictures");
}

// Every picture the windows and documents name is there, is read to its end
// record, and draws more than one colour.
TEST(GeneratedPicturesTest, EveryNamedPictureIsCompleteAndDrawsSomething) {
    const QStringList files = PictureFiles();
    for (const char* name : {"SPLASH.WMF", "SPLASH1.WMF", "SPLASH2.WMF", "SPLASH3.WMF", "SPLASH4.WMF", "MAINNIND.WMF",
                             "MAININD.WMF", "LOGOCR.WMF", "LOGONL.WMF", "LOGOCV.WMF", "LOGODEC.WMF", "LOGOBGT.WMF",
                             "LOGOPLAN.WMF", "SPBDEC.WMF", "SPBRESULT.WMF", "SPBNLETTER.WMF", "SPBSTUDIES.WMF",
                             "SPBGRAPH.WMF", "SPBINTERFACE.WMF"})
        EXPECT_TRUE(files.contains(name)) << name;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const TMetafile picture = LoadPlaceableMetafile(QString(CV_MEDIA_DIR "/") + file);
        EXPECT_EQ(picture.Fault, "");
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PlayMetafileScaled(painter, picture, image.width(), image.height());
        }
        bool varied = false;
        for (int y = 0; y < image.height() && !varied; ++y)
            for (int x = 0; x < image.width() && !varied; ++x) varied = image.pixel(x, y) != image.pixel(0, 0);
        EXPECT_TRUE(varied);
    }
    SaveContactSheet(files);
}

}  // namespace
}  // namespace cv
