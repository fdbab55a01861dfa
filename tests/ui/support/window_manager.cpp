#include "tests/ui/support/window_manager.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace cv::test {
namespace {

// A loaded machine starts the window manager late: wait long rather than fail.
constexpr int kFramingWaitMs = 60000;
constexpr int kStopWaitMs = 5000;
bool managerRuns = false;

// Shows a probe window until the window manager has framed it.
bool FramesAWindow() {
    QWidget probe;
    probe.resize(100, 60);
    probe.show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kFramingWaitMs) {
        QTest::qWait(50);
        if (probe.windowHandle() && !probe.windowHandle()->frameMargins().isNull()) return true;
    }
    return false;
}

}  // namespace

TTestWindowManager::TTestWindowManager() {
    const char* program = std::getenv("CV_TEST_WINDOW_MANAGER");
    if (!program || !*program || !std::getenv("DISPLAY")) return;
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->setStandardOutputFile(QProcess::nullDevice());
    process_->start(QString::fromLocal8Bit(program), {});
    ready_ = process_->waitForStarted(kFramingWaitMs) && FramesAWindow();
    managerRuns = ready_;
    if (!ready_) std::fprintf(stderr, "The window manager %s did not frame a window in time.\n", program);
}

TTestWindowManager::~TTestWindowManager() {
    if (!process_ || process_->state() == QProcess::NotRunning) return;
    process_->terminate();
    if (!process_->waitForFinished(kStopWaitMs)) process_->kill();
    process_->waitForFinished(kStopWaitMs);
}

bool WindowManagerRuns() { return managerRuns; }

}  // namespace cv::test
