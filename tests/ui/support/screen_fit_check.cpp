#include "tests/ui/support/screen_fit_check.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include "tests/ui/support/window_manager.h"

namespace cv::test {
namespace {

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// The window with its frame as the X server has them: the widget's own copy
// of the frame can keep a reading taken while the manager was reparenting it.
QRect Framed(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameGeometry() : window.frameGeometry();
}

}  // namespace

void ExpectFitsTheScreen(QWidget& window, std::initializer_list<const char*> children) {
    ASSERT_TRUE(window.isWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowManagerWaitMs));
    if (WindowManagerRuns()) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window.windowHandle() && !window.windowHandle()->frameMargins().isNull(); }, kWindowManagerWaitMs))
            << "the window manager did not frame " << window.objectName().toStdString();
    }
    const QRect area = AvailableArea(window);
    // The window keeps itself in the area once its frame is known: wait for it.
    [[maybe_unused]] const bool settled = QTest::qWaitFor([&] { return area.contains(Framed(window)); }, kWindowManagerWaitMs);
    const QRect framed = Framed(window);
    EXPECT_TRUE(area.contains(framed)) << window.objectName().toStdString() << " with its frame at " << framed.x() << ","
                                       << framed.y() << " " << framed.width() << "x" << framed.height()
                                       << " on an area of " << area.width() << "x" << area.height();
    for (const char* name : children) {
        const QWidget* child = window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(child, nullptr) << name;
        const QRect placed(child->mapTo(&window, QPoint(0, 0)), child->size());
        EXPECT_TRUE(window.rect().contains(placed)) << name << " lies outside " << window.objectName().toStdString();
    }
}

}  // namespace cv::test
