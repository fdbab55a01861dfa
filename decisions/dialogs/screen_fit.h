#pragma once
// A report screen shown in a dialog's frame: a table wider or higher than
// the frame is shown at the scale that makes it fit.

class QWidget;

namespace cv {

class TCVScreen;

void FitScreenInto(TCVScreen* screen, const QWidget& area);

}  // namespace cv
