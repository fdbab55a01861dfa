// A widget a window test does not find fails that test alone: the test
// program goes on with the tests after it, and a modal window being driven is
// closed rather than left open over them.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

TEST(WindowTestSupport, AMissingChildFailsItsTestOnly) {
    QDialog window;
    EXPECT_THROW(Child<QLabel>(window, "NoSuchLabel"), MissingChild);
    EXPECT_NONFATAL_FAILURE(
        {
            QDialog dialog;
            WhenModalShown inspect([](QWidget& shown) { Child<QLabel>(shown, "NoSuchLabel").setText("seen"); });
            dialog.exec();
        },
        "no child NoSuchLabel");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace cv::test
