#include "shell/picture_image.h"

#include <QPainter>
#include <QPixmap>

#include "ui/picture/metafile.h"

namespace cv {

void DrawPictureOnImage(QLabel& image, const std::string& file) {
    try {
        DrawMetafileOnImage(image, QString::fromStdString(file));
    } catch (const EPictureFileError&) {
        image.clear();
    }
}

QIcon PictureIcon(const std::string& file, QSize size) {
    try {
        const TMetafile picture = LoadPlaceableMetafile(QString::fromStdString(file));
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PlayMetafileScaled(painter, picture, size.width(), size.height());
        painter.end();
        return QIcon(pixmap);
    } catch (const EPictureFileError&) {
        return {};
    }
}

}  // namespace cv
