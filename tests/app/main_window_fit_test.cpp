// The started program's main window on a desktop: with the window manager's
// title bar and borders it fits the screen's available area, and on every
// page, shown through the bar, each visible control lies whole in the part of
// the window that is on the screen (the bottom buttons, the status panel).

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// The window's client area on the screen, cut to the screen's available area.
QRect ShownClientArea(const QWidget& window) {
    const QRect area = window.screen() ? window.screen()->availableGeometry() : QRect();
    return QRect(window.mapToGlobal(QPoint(0, 0)), window.size()).intersected(area);
}

// Every visible widget inside Parent lies whole in what the window shows.
void ExpectEveryShownControlInside(const QWidget& parent, const std::string& page) {
    const QRect shown = ShownClientArea(*parent.window());
    for (const QWidget* child : parent.findChildren<QWidget*>()) {
        if (!child->isVisible() || child->isWindow() || child->size().isEmpty()) continue;
        const QRect placed(child->mapToGlobal(QPoint(0, 0)), child->size());
        EXPECT_TRUE(shown.contains(placed))
            << page << ": " << child->metaObject()->className() << " " << child->objectName().toStdString()
            << " at " << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height()
            << " outside the shown " << shown.x() << "," << shown.y() << " " << shown.width() << "x"
            << shown.height();
    }
}

class MainWindowFitSmallScreen : public ProgramWithSentIndustry {};

TEST_F(MainWindowFitSmallScreen, EveryPageShowsWholeInTheRoomTheFrameLeaves) {
    TakeTheIndustry();
    ExpectFitsTheScreen(Main());
    for (const char* name : {"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph", "SpBInterface"}) {
        TFoCv3Mod& page = ShowPage(name);
        QTest::qWait(0);
        ExpectEveryShownControlInside(*Main().Bar(), name);
        ExpectEveryShownControlInside(page, name);
        SaveScreenshot(Main(), std::string("MainWindowFit_") + name);
    }
    SaveScreenScreenshot("MainWindowFit_Screen");
}

}  // namespace
}  // namespace cv::test
