#include "shell/picture_image.h"

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
        return QIcon(MetafilePixmap(QString::fromStdString(file), size));
    } catch (const EPictureFileError&) {
        return {};
    }
}

}  // namespace cv
