// Entry point of the window tests: one application object, the program's own,
// for the whole run, in the X server that the test command starts (the
// offscreen platform when there is no display), with the locale, font
// resolution and scaling pinned so that texts and layouts do not depend on the
// machine; the guard of /dev/null decides the exit status as in the
// display-free test programs. A window manager frames the windows when the
// environment names one.
#include <QLocale>
#include <cstdlib>
#include <iostream>
#include <gtest/gtest.h>

#include "tests/support/device_guard.h"
#include "tests/support/read_table_watch.h"
#include "tests/ui/support/window_manager.h"
#include "ui/cv_application.h"

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("QT_SCALE_FACTOR", "1", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    cv::TCvApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    cv::test::InstallDeviceGuard();
    const cv::test::TTestWindowManager windowManager;
    if (!windowManager.Ready()) return 1;
    const cv::test::ReadTableWatch reads;
    const int result = cv::test::GuardedExitCode(RUN_ALL_TESTS());
    if (reads.Uncovered().empty()) return result;
    std::cerr << "Read, and not as the table of what the program reads holds:\n" << reads.Report();
    return 1;
}
