#include "tests/app/support/program_with_industry.h"

#include <QAction>
#include <QListWidget>
#include <QTest>

#include "core/session/session.h"
#include "team/team_page.h"
#include "tests/support/sent_files.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {

void ClickWhereItLies(QWidget& widget) {
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget.mapTo(window, widget.rect().center()));
}

ProgramWithSentIndustry::ProgramWithSentIndustry() {
    CopySentFiles(root.RootPath() / "Exchange");
    WriteFileBytes(root.RootPath() / "CV3TEAM.ini", "[Session]\r\nExchangeDir=Exchange/\r\n");
    windows = StartProgramPastSplash(root.Services());
}

void ProgramWithSentIndustry::TakeTheIndustry() {
    WhenModalShown dialog([](QWidget& window) {
        auto& list = Child<QListWidget>(window, "FLBTeamFile");
        ASSERT_TRUE(QTest::qWaitFor([&] { return list.count() > 0; }));
        for (int row = 0; row < list.count(); ++row)
            if (list.item(row)->text() == QStringLiteral("SAMPLE.mrA")) list.setCurrentRow(row);
        auto& password = Child<TQNEdit>(window, "QNEPwd");
        QTRY_VERIFY(window.isActiveWindow());
        QTRY_VERIFY(password.hasFocus());
        QTest::keyClicks(&password, "CV3-4817");
        QTest::keyClick(&password, Qt::Key_Return);
    });
    windows.teamPage->findChild<QAction*>("MPTransferFromAdm")->trigger();
    ASSERT_TRUE(dialog.Ran());
    ASSERT_NE(Session->Industry(), nullptr);
}

TFoCv3Mod& ProgramWithSentIndustry::ShowPage(const char* name) {
    auto& button = Child<QToolButton>(Main(), name);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.isEnabled(); })) << name;
    ClickWhereItLies(button);
    EXPECT_TRUE(QTest::qWaitFor([] { return TFoCv3Mod::Current() && TFoCv3Mod::Current()->isVisible(); }));
    return *TFoCv3Mod::Current();
}

}  // namespace cv::test
