#pragma once
// The window manager's view of the program's windows: the order in which it
// stacks them, and asking it, as a person does, to activate or close one.

class QWidget;

namespace cv::test {

// Whether the window manager stacks Upper above Lower (both shown and
// framed), as its _NET_CLIENT_LIST_STACKING tells.
bool StackedAbove(QWidget& upper, QWidget& lower);

// Asks the window manager to activate Window, which it raises as for a click
// (_NET_ACTIVE_WINDOW).
void ActivateThroughWindowManager(QWidget& window);

// Asks the window manager to close Window, as its close button does
// (_NET_CLOSE_WINDOW).
void CloseThroughWindowManager(QWidget& window);

}  // namespace cv::test
