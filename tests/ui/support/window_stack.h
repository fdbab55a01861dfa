#pragma once
// The window manager's view of the program's windows: the order in which it
// stacks them and whether it shows them, and asking it, as a person does, to
// activate, minimise or close one.

#include <cstdint>

class QWidget;

namespace cv::test {

// Whether the window manager stacks Upper above Lower (both shown and
// framed), as its _NET_CLIENT_LIST_STACKING tells.
bool StackedAbove(QWidget& upper, QWidget& lower);

// Asks the window manager, as a person does through a task bar, to activate
// Window (_NET_ACTIVE_WINDOW): it raises the window as for a click.
void ActivateThroughWindowManager(QWidget& window);

// The same to close Window (_NET_CLOSE_WINDOW), as its close button does.
void CloseThroughWindowManager(QWidget& window);

// The same to minimise Window (WM_CHANGE_STATE), as its minimise button does.
void MinimiseThroughWindowManager(QWidget& window);

// How the window manager shows a window (its WM_STATE).
enum class TWmState : std::uint32_t { Withdrawn = 0, Normal = 1, Iconic = 3 };
TWmState WindowManagerState(QWidget& window);

}  // namespace cv::test
