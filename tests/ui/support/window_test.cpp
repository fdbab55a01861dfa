#include "tests/ui/support/window_test.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace cv::test {
namespace {

constexpr int kPollMs = 20;
constexpr int kWatchdogMs = 10000;
constexpr int kActivationWaitMs = 5000;
// Time for the X server to draw what the windows painted last.
constexpr int kScreenPaintMs = 100;

void CloseModal(QWidget& window) {
    if (auto* dialog = qobject_cast<QDialog*>(&window)) dialog->reject();
    else window.close();
}

// "<Suite>_<Test>" for the running test's first window, then "_2", "_3".
std::string ShotNameForRunningTest() {
    static std::string lastTest;
    static int shots = 0;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "_" + info->name() : "window";
    // Parameterised tests name themselves Prefix/Suite.Test/Value: one file name.
    std::replace(test.begin(), test.end(), '/', '_');
    shots = test == lastTest ? shots + 1 : 1;
    lastTest = test;
    return shots == 1 ? test : test + "_" + std::to_string(shots);
}

}  // namespace

QSize ScreenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

namespace {

// build/screenshots/<TestName>[_<width>x<height>].png
QString ScreenshotPath(const std::string& testName) {
    QDir().mkpath(QStringLiteral(CV_SCREENSHOT_DIR));
    QString name = QString::fromStdString(testName);
    if (const QSize size = ScreenSize(); size != QSize(1024, 768))
        name += QStringLiteral("_%1x%2").arg(size.width()).arg(size.height());
    return QStringLiteral(CV_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
}

}  // namespace

std::string SaveScreenshot(QWidget& window, const std::string& testName) {
    const QString path = ScreenshotPath(testName);
    QApplication::processEvents();
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
    return path.toStdString();
}

std::string SaveScreenshotOfRunningTest(QWidget& window) { return SaveScreenshot(window, ShotNameForRunningTest()); }

std::string SaveScreenScreenshot(const std::string& testName) {
    const QString path = ScreenshotPath(testName);
    // The screen shows what the X server drew: every window shown is waited
    // for until it is exposed and has had the time to paint, a window made
    // anew (as the help is when it comes in front of a dialog) included.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowHandle())
            [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(window->windowHandle());
    QTest::qWait(kScreenPaintMs);
    QApplication::processEvents();
    QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_TRUE(screen && screen->grabWindow(0).save(path)) << path.toStdString();
    return path.toStdString();
}

WhenModalShown::WhenModalShown(std::function<void(QWidget&)> inspect, std::string shotName)
    : inspect_(std::move(inspect)), shotName_(std::move(shotName)) {
    QTimer::singleShot(0, &context_, [this] { Poll(); });
}

WhenModalShown::~WhenModalShown() = default;

// Waits for a visible modal window, as a modal call shows its window only
// after entering its loop.
void WhenModalShown::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        ran_ = true;
        // Keys and focus reach the window only once it is active: wait for it
        // rather than assume it (a loaded machine activates late).
        modal->activateWindow();
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(modal, kActivationWaitMs);
        if (shotName_.empty()) SaveScreenshotOfRunningTest(*modal);
        else SaveScreenshot(*modal, shotName_);
        try {
            inspect_(*modal);
        } catch (const MissingChild& missing) {
            // Thrown on through the window's event loop it would leave the window open.
            ADD_FAILURE() << missing.what();
        }
        if (QWidget* still = QApplication::activeModalWidget(); still == modal && modal->isVisible()) CloseModal(*modal);
        return;
    }
    if (++polls_ * kPollMs >= kWatchdogMs) {
        ADD_FAILURE() << "no modal window appeared";
        return;
    }
    QTimer::singleShot(kPollMs, &context_, [this] { Poll(); });
}

}  // namespace cv::test
