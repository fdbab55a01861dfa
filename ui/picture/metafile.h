#pragma once
// The program's pictures: placeable metafile files (".WMF"), drawn stretched
// into a given rectangle by our own player of the records they use.

#include <QPixmap>
#include <QSize>
#include <QString>

#include "core/base/errors.h"
#include "core/picture/metafile_reader.h"

class QLabel;
class QPainter;

namespace cv {

// A picture file that cannot be opened or is too short to be one.
class EPictureFileError : public ECvError {
public:
    using ECvError::ECvError;
};

// Reads the file at Path: skips the 22-byte placeable header unchecked (its
// bounding box and resolution are not used) and decodes the records after
// it. Raises EPictureFileError when the file cannot be opened or read, is
// shorter than the header, or is larger than any picture of ours; damaged
// records give a picture of what came before them.
TMetafile LoadPlaceableMetafile(const QString& path);

// Plays Picture stretched so that its window extent fills Width x Height at
// the painter's origin, clipped to that rectangle. The painter's state is
// unchanged afterwards.
void PlayMetafileScaled(QPainter& painter, const TMetafile& picture, int width, int height);

// LoadPlaceableMetafile, then PlayMetafileScaled.
void DrawMetafileFile(QPainter& painter, const QString& path, int width, int height);

// The file drawn into a pixmap of Size with a transparent background, as
// for an image control or a button's icon.
QPixmap MetafilePixmap(const QString& path, QSize size);

// Draws the file at the image's size, on a transparent background, as the
// image's pixmap.
void DrawMetafileOnImage(QLabel& image, const QString& path);

}  // namespace cv
