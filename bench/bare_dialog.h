#pragma once
// The baseline of the dialog-opening benchmarks: the time to build and draw a
// bare dialog holding as many labels, number fields and check boxes as a
// dialog in a grid, and a table of the shape of each of its sheets holding the
// same texts. The ratio to it is what loading the decisions and the dialog's
// own layout add.

class QDialog;
class QWidget;

namespace cv::bench {

// Seconds per bare copy of Dialog, built on Owner (the mean of several).
double BareDialogSeconds(const QDialog& dialog, QWidget& owner);

}  // namespace cv::bench
