#pragma once
// A window inside the main window that opens a modal dialog lends it the main
// window's help button, at its top right corner, and sets the help context to
// the dialog's. When it closes, the tool buttons are back where they were (on
// the bar, or on the dialog that opened it) and the help context is the
// opener's.

#include <QDialog>

#include "ui/help_contexts.h"

namespace cv {

// Shows Dialog modally for Opener (a window inside the main window, or a
// dialog opened from one); returns the modal result.
int ExecWithHelp(QWidget& opener, QDialog& dialog, THelpContext helpContext);

}  // namespace cv
