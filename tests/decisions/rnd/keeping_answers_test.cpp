// The R&D questions whose Yes loses something (a project, one of the
// period's few estimates) answer Enter with No: in the program's own box,
// Enter keeps what the team has.
#include <QApplication>
#include <QLabel>

#include "decisions/rnd/query_dialog.h"
#include "tests/decisions/rnd/rnd_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "ui/qt_ui_services.h"

namespace cv::test {
namespace {

// Presses Enter in the message box Act opens, as a person answering it would.
void AnswerWithEnter(const std::function<void()>& act, const std::string& shotName) {
    TQtUiServices realBoxes;
    WhenModalShown box(
        [](QWidget& question) {
            QTRY_VERIFY(question.isActiveWindow());
            QTRY_VERIFY(question.focusWidget() != nullptr);
            QTest::keyClick(question.focusWidget(), Qt::Key_Return);
        },
        shotName);
    act();
    EXPECT_TRUE(box.Ran());
}

TEST_F(RnDDialogTest, EnterOnTheAbandonQuestionKeepsTheProject) {
    Open(1);
    AnswerWithEnter([this] { QTest::mouseClick(&Button("BBAbandonProj"), Qt::LeftButton); },
                    "RnDDialogTest_AbandonQuestion");
    EXPECT_EQ(TabTexts(), "PAXIS PAVIA");
    EXPECT_EQ(rnd->NbPrjs, 2);
}

TEST_F(RnDDialogTest, EnterOnTheEstimateQuestionSpendsNoEstimate) {
    Open(1);
    ClickWithSubDialog(Button("BBEstimUC"), [](QWidget& query) {
        auto& ask = Child<QPushButton>(query, "BBQuery");
        ASSERT_TRUE(ask.isEnabled());
        const int made = Child<TQNEdit>(query, "QNENbQueries").IntValue();
        AnswerWithEnter([&ask] { QTest::mouseClick(&ask, Qt::LeftButton); }, "RnDDialogTest_EstimateQuestion");
        EXPECT_EQ(Child<TQNEdit>(query, "QNENbQueries").IntValue(), made);
        EXPECT_TRUE(Child<QLabel>(query, "EMinMUC2").text().isEmpty()) << "no answer shown";
        EXPECT_TRUE(ask.isEnabled());
        SaveScreenshotOfRunningTest(query);
        QTest::mouseClick(&Child<QPushButton>(query, "BBClose"), Qt::LeftButton);
    });
}

}  // namespace
}  // namespace cv::test
