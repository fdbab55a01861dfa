#pragma once
// Drawing a picture of the media directory into a picture control.

#include <QIcon>
#include <QLabel>
#include <QSize>
#include <string>

namespace cv {

// Draws the placeable metafile File stretched to the whole of Image. A file
// that is missing or cannot be read leaves the image empty, without a message:
// pictures are drawn while windows are shown and painted.
void DrawPictureOnImage(QLabel& image, const std::string& file);

// The picture File drawn at Size as an icon; a null icon when the file is
// missing or cannot be read.
QIcon PictureIcon(const std::string& file, QSize size);

}  // namespace cv
