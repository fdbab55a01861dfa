#pragma once
// A window manager for the window tests, as a desktop has one: it frames every
// window with its title bar and borders, so that the tests see the room a
// person's screen leaves. The run starts the program named by the environment
// variable CV_TEST_WINDOW_MANAGER (for example "openbox") on its display and
// stops it at the end; without the variable the windows stay unframed.

#include <memory>

class QProcess;

namespace cv::test {

class TTestWindowManager {
public:
    // Starts the window manager when the environment names one, and waits
    // until it frames a window.
    TTestWindowManager();
    ~TTestWindowManager();
    TTestWindowManager(const TTestWindowManager&) = delete;
    TTestWindowManager& operator=(const TTestWindowManager&) = delete;

    // False when a window manager was asked for but did not start or frame a
    // window in time: the run then fails, as its fitting checks would prove
    // nothing.
    bool Ready() const { return ready_; }

private:
    std::unique_ptr<QProcess> process_;
    bool ready_ = true;
};

// Whether this run's windows are framed by a window manager.
bool WindowManagerRuns();

}  // namespace cv::test
