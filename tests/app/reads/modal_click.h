#pragma once
// A click that may open a modal window, driven as a person drives it.

#include <QWidget>
#include <functional>

namespace cv::test {

// Clicks Button where it lies. A modal window the click opens (another than
// the one Button lies on) is handed to WhileShown once it is active, then
// closed by Escape when it is still shown. Whether one opened.
bool ClickAndCloseWhatOpens(QWidget& button, const std::function<void(QWidget&)>& whileShown = {});

}  // namespace cv::test
