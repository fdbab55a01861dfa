#pragma once
// Showing a further modal dialog from a decision dialog: the main window lends
// it the help tool button at its top right corner, the help context becomes
// the sub-dialog's while it is shown, and both are put back afterwards.

#include <QDialog>

namespace cv {

// Shows Dialog modally with the help context HelpContext and returns its
// result. The main window is found through Dialog's owners; without one
// (a dialog shown on its own) nothing is lent.
int ShowSubDialog(QDialog& dialog, int helpContext);

}  // namespace cv
