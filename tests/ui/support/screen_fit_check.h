#pragma once
// Whether a top-level window fits the screen as a person sees it: the window
// with the window manager's frame inside the screen's available area, and the
// controls that matter whole inside the window.

#include <initializer_list>

class QWidget;

namespace cv::test {

// How long a window test waits for the window manager to frame, move or
// activate a window: a loaded machine does it late.
inline constexpr int kWindowManagerWaitMs = 20000;

// Waits until the window manager (when one runs) has framed Window and the
// window has settled where it keeps itself, then checks that its frame lies
// in the available area and that each named child lies whole in the window.
void ExpectFitsTheScreen(QWidget& window, std::initializer_list<const char*> children = {});

}  // namespace cv::test
