#pragma once
// The hourglass for as long as the object lives: while a window builds itself
// or a long computation runs. The cursor comes back however the scope ends.

#include <QApplication>

namespace cv {

struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace cv
