#pragma once
// What the window tests share: screenshots of what they show, and driving a
// modal window from inside its own event loop.

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace cv::test {

// Thrown by Child for a child that is not there. GoogleTest fails the running
// test on it and goes on with the next one; inside a modal window driven by
// WhenModalShown the failure is recorded and the window closed.
class MissingChild : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Window's child of type T named Name; MissingChild when there is none.
template <typename T>
T& Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    if (!child) throw MissingChild(std::string("no child ") + name + " in " + window.objectName().toStdString());
    return *child;
}

// Saves Window as it is drawn now to build/screenshots/<TestName>.png; on a
// screen other than 1024 x 768 the name ends in "_<width>x<height>". Returns
// the file's path.
std::string SaveScreenshot(QWidget& window, const std::string& testName);

// Saves Window under the running test's name: "<Suite>_<Test>" for its first
// screenshot, then "_2", "_3".
std::string SaveScreenshotOfRunningTest(QWidget& window);

// The same for the whole screen as it is shown now, so that a window's place
// on the screen can be seen.
std::string SaveScreenScreenshot(const std::string& testName);

// The screen's size, for tests that differ between the small and the normal
// screen.
QSize ScreenSize();

// Runs Inspect on the active modal window once its event loop runs, after
// saving its screenshot under ShotName, or under the running test's name when
// it is empty (see SaveScreenshotOfRunningTest); Inspect may close it,
// otherwise it is rejected afterwards. A watchdog rejects a
// window still open after ten seconds and fails the test, so that a failed
// check never hangs the run. Keep the object alive across the modal call.
class WhenModalShown {
public:
    explicit WhenModalShown(std::function<void(QWidget&)> inspect, std::string shotName = {});
    ~WhenModalShown();
    WhenModalShown(const WhenModalShown&) = delete;
    WhenModalShown& operator=(const WhenModalShown&) = delete;

    bool Ran() const { return ran_; }

private:
    void Poll();

    std::function<void(QWidget&)> inspect_;
    std::string shotName_;
    QObject context_;
    bool ran_ = false;
    int polls_ = 0;
};

}  // namespace cv::test
