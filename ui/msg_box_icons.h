#pragma once
// The four pictures of the message box, drawn in code: a warning triangle, an
// error disc, an information disc and a question disc.

#include <QPixmap>

#include "core/base/ui_services.h"

namespace cv {

// The picture of Type in a Width x Height pixmap with a transparent
// background; an empty pixmap for the custom type.
QPixmap MessageIcon(TMsgDlgType type, int width, int height);

}  // namespace cv
