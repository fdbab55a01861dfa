#pragma once
// The title a window shows in its frame: what the program asked the X server
// to show (the window's _NET_WM_NAME), which the platform may have made
// longer than the window's own title.

#include <QString>

class QWidget;

namespace cv::test {

// Window's title as its frame shows it; empty when it cannot be read.
QString ShownTitle(QWidget& window);

}  // namespace cv::test
