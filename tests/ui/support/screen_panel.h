#pragma once
// A panel along the screen's right edge, as a desktop's dock: a window that
// reserves a strip of the screen, which the window manager then takes from
// the screen's available area until the panel is gone.

#include <cstdint>

namespace cv::test {

class TScreenPanel {
public:
    // Shows a panel Width pixels wide; nothing without an X server.
    explicit TScreenPanel(int width);
    // Takes the panel away.
    ~TScreenPanel();
    TScreenPanel(const TScreenPanel&) = delete;
    TScreenPanel& operator=(const TScreenPanel&) = delete;

private:
    std::uint32_t window_ = 0;
};

}  // namespace cv::test
