#include "tests/app/reads/modal_click.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/app/support/program_with_industry.h"

namespace cv::test {
namespace {

constexpr int kPollMs = 20;

}  // namespace

bool ClickAndCloseWhatOpens(QWidget& button, const std::function<void(QWidget&)>& whileShown) {
    QWidget* const clickedOn = button.window();
    QObject clicking;
    bool opened = false;
    // The window opened runs its own loop inside the click: the poll lives as long as the click.
    std::function<void()> poll = [&] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || modal == clickedOn || !modal->isVisible()) {
            QTimer::singleShot(kPollMs, &clicking, poll);
            return;
        }
        opened = true;
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal)) << modal->objectName().toStdString();
        if (whileShown) whileShown(*modal);
        if (modal && modal->isVisible()) QTest::keyClick(modal, Qt::Key_Escape);
    };
    QTimer::singleShot(0, &clicking, poll);
    ClickWhereItLies(button);
    return opened;
}

}  // namespace cv::test
