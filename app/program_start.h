#pragma once
// The program's start: one copy per user, the windows created in their order,
// the splash shown once, then the message loop until the main window closes.

#include <QApplication>
#include <functional>
#include <memory>

#include "shell/main_window.h"

namespace cv {

class TFoSimul;

// The windows of a started program; the main window owns the pages.
struct TProgramWindows {
    std::unique_ptr<TFoCv3Main> mainWindow;
    TFoSimul* teamPage = nullptr;
};

// Creates the main window and the page windows, shows the main window, shows
// the splash window modally and then the team page, the session's current
// page. Empty when the program may not run (the executable named like a
// sibling program): nothing is shown then.
TProgramWindows StartProgramWindows(TMainWindowServices services);

// Brings Window to the front of the desktop, restored when minimised.
void BringToFront(QWidget& window);

// The whole program: returns the process's exit code. A second copy asks the
// first one to come to the front and returns 0 without showing a window.
int RunProgram(QApplication& application, TMainWindowServices services);

}  // namespace cv
