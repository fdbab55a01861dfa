#include "ui/picture/metafile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPixmapCache>

#include "ui/picture/metafile_player.h"

namespace cv {
namespace {

// Far above any picture of ours; a larger file is refused unread.
constexpr qint64 kMaxPictureBytes = 16 * 1024 * 1024;

}  // namespace

TMetafile LoadPlaceableMetafile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EPictureFileError("cannot open the picture " + path.toStdString() + ": " + file.errorString().toStdString());
    if (file.size() > kMaxPictureBytes) throw EPictureFileError("picture too large: " + path.toStdString());
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) throw EPictureFileError("cannot read the picture " + path.toStdString());
    if (static_cast<std::size_t>(bytes.size()) < kPlaceableHeaderSize)
        throw EPictureFileError("not a picture (shorter than its header): " + path.toStdString());
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return ReadMetafile(std::span(data, static_cast<std::size_t>(bytes.size())).subspan(kPlaceableHeaderSize));
}

void PlayMetafileScaled(QPainter& painter, const TMetafile& picture, int width, int height) {
    TMetafilePlayer(painter, picture.ObjectSlots, QSize(width, height)).Play(picture.Records);
}

void DrawMetafileFile(QPainter& painter, const QString& path, int width, int height) {
    PlayMetafileScaled(painter, LoadPlaceableMetafile(path), width, height);
}

namespace {

// The file drawn into a new pixmap of Size.
QPixmap DrawnMetafile(const QString& path, QSize size) {
    const TMetafile picture = LoadPlaceableMetafile(path);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        PlayMetafileScaled(painter, picture, size.width(), size.height());
    }
    return pixmap;
}

}  // namespace

// Each file is drawn once per size and kept in the pixmap cache under its
// path, size, length and modification time: windows made again (the main
// window at every start) show the same pictures without drawing them again,
// and a file changed on disk is drawn afresh.
QPixmap MetafilePixmap(const QString& path, QSize size) {
    const QFileInfo info(path);
    const QString key = QStringLiteral("metafile|%1|%2x%3|%4|%5")
                            .arg(path)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(info.size())
                            .arg(info.lastModified().toMSecsSinceEpoch());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = DrawnMetafile(path, size);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

void DrawMetafileOnImage(QLabel& image, const QString& path) { image.setPixmap(MetafilePixmap(path, image.size())); }

}  // namespace cv
