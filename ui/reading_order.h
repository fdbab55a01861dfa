#pragma once
// The Tab order of a window as a page is read: the controls of a container
// row by row from the top, left to right in a row, a group box or panel
// taking its turn as a whole with its own controls in the same order inside
// it. Controls another window lends (the main window's selector groups and
// tool buttons) come after the window's own, so that the first Tab stop, and
// the focus when the window opens, stay on its first field.

class QWidget;

namespace cv {

// Marks Control as lent to the window it now sits on.
void MarkLent(QWidget& control);
bool IsLent(const QWidget& control);

// Marks Control as a Tab stop at times only (a field that looks disabled
// until a choice opens it): it keeps its place in the order while it takes
// no focus, so that once open it is reached where it is read.
void MarkStopAtTimes(QWidget& control);

// Orders the Tab stops of Window's controls as described above.
void SetReadingOrder(QWidget& window);

// Orders them each time Window is shown. A window that builds controls while
// shown calls SetReadingOrder itself afterwards.
void KeepReadingOrder(QWidget& window);

}  // namespace cv
