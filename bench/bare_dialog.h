#pragma once
// The baseline of the dialog-opening benchmarks: building and drawing a bare
// dialog holding as many labels, number fields and check boxes as a dialog in
// a grid, and a table of the shape of each of its sheets holding the same
// texts. The ratio to it is what loading the decisions and the dialog's own
// layout add.

#include <memory>

class QDialog;
class QWidget;

namespace cv::bench {

// What the bare copy of a dialog holds: its counts of controls and its sheets' shapes and texts.
class TBareDialogShape {
public:
    explicit TBareDialogShape(const QDialog& dialog);
    ~TBareDialogShape();
    TBareDialogShape(const TBareDialogShape&) = delete;
    TBareDialogShape& operator=(const TBareDialogShape&) = delete;

    // Builds one bare copy on Owner and draws it.
    void BuildAndDraw(QWidget& owner) const;

private:
    struct TContents;
    std::unique_ptr<TContents> contents_;
};

}  // namespace cv::bench
