#pragma once
// A decision dialog that opens a further modal dialog lends it the main
// window's help button, at its top right corner, and sets the help context to
// the further dialog's. When it closes, the tool buttons are back where they
// were (on the decision dialog) and the help context is the decision dialog's.

#include <QDialog>

namespace cv {

// Shows Dialog modally for Opener (a window inside the main window, or a
// dialog opened from one); returns the modal result.
int ExecSubDialog(QWidget& opener, QDialog& dialog, int helpContext);

}  // namespace cv
