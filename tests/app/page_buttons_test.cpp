// The previous-page and next-page buttons of the started program, used as a
// team uses them: the instructor's industry taken from the team page, a page
// shown by its button on the bar, then the bar's buttons clicked where they
// lie on the screen, after a menu choice, after a visit to another page, and
// from the keyboard.

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>

#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr int kPreviousPage = 6;
constexpr int kNextPage = 7;
// Every control of the main window is reached in fewer Tab presses.
constexpr int kMostTabs = 40;

// The program started on an exchange directory holding what the instructor
// sent for the sample, and team A's industry taken from the team page.
class ProgramPageButtonsSmallScreen : public ProgramWithSentIndustry {
protected:
    // Clicks the bar's tool button Number where it lies, once it is shown and usable.
    void ClickPageButton(int number) {
        QToolButton& button = *Main().ToolButton(number);
        QTRY_VERIFY(button.isVisible() && button.isEnabled());
        ClickWhereItLies(button);
    }

    static std::string Remembered(const TFoCv3Mod& page) {
        const QAction* item = page.RememberedItem();
        return item ? item->objectName().toStdString() : std::string();
    }


};

TEST_F(ProgramPageButtonsSmallScreen, TheResultsPageStepsThroughItsMenuByClicks) {
    TakeTheIndustry();
    TFoCv3Mod& results = ShowPage("SpBResult");
    const std::string first = Remembered(results);
    ASSERT_FALSE(first.empty());
    ClickPageButton(kNextPage);
    QTRY_VERIFY(Remembered(results) != first);
    SaveScreenshot(Main(), "ProgramPageButtons_ResultsNext");
    ClickPageButton(kPreviousPage);
    QTRY_COMPARE(Remembered(results), first);
    // After a menu choice the buttons step from the chosen item.
    ChooseFromTheMenu(results, "MPBrdGMC");
    QTRY_COMPARE(Remembered(results), std::string("MPBrdGMC"));
    ClickPageButton(kNextPage);
    QTRY_COMPARE(Remembered(results), std::string("MPBrdMktRes"));
    SaveScreenshot(Main(), "ProgramPageButtons_ResultsAfterAChoice");
    // After a visit to another page they step from the item left there.
    ShowPage("SpBNLetter");
    ASSERT_EQ(&ShowPage("SpBResult"), &results);
    ClickPageButton(kPreviousPage);
    QTRY_COMPARE(Remembered(results), std::string("MPBrdGMC"));
}

TEST_F(ProgramPageButtonsSmallScreen, TheNextPageButtonAnswersTheKeyboard) {
    TakeTheIndustry();
    TFoCv3Mod& results = ShowPage("SpBResult");
    const std::string first = Remembered(results);
    QToolButton& next = *Main().ToolButton(kNextPage);
    // Keys reach the main window once the window manager has given it back
    // the activation the closed dialog held.
    QTRY_VERIFY(Main().isActiveWindow());
    for (int tab = 0; tab < kMostTabs && QApplication::focusWidget() != &next; ++tab)
        QTest::keyClick(Main().windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &next) << "Tab never reaches the next-page button";
    QTest::keyClick(Main().windowHandle(), Qt::Key_Space);
    QTRY_VERIFY(Remembered(results) != first);
    SaveScreenshot(Main(), "ProgramPageButtons_Keyboard");
}

// On every page each tool button shown on the bar lies on top where it is
// drawn: nothing of the selector bar beside it takes its clicks.
TEST_F(ProgramPageButtonsSmallScreen, EveryShownToolButtonTakesTheClicksOnIt) {
    TakeTheIndustry();
    for (const char* name : {"SpBDec", "SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph", "SpBInterface"}) {
        ShowPage(name);
        for (QToolButton* button : Main().findChildren<QToolButton*>()) {
            if (!button->isVisible() || button->parentWidget()->objectName() != QStringLiteral("Bar")) continue;
            const QPoint middle = button->mapTo(&Main(), button->rect().center());
            EXPECT_EQ(Main().childAt(middle), button)
                << name << ": " << button->objectName().toStdString() << " lies under "
                << Main().childAt(middle)->objectName().toStdString();
        }
    }
}

// Every page that shows the buttons steps on a click of the next-page one.
TEST_F(ProgramPageButtonsSmallScreen, EveryPageWithTheButtonsStepsOnAClick) {
    TakeTheIndustry();
    for (const char* name : {"SpBResult", "SpBNLetter", "SpBStudies", "SpBGraph"}) {
        TFoCv3Mod& page = ShowPage(name);
        const std::string first = Remembered(page);
        ClickPageButton(kNextPage);
        QTRY_VERIFY(Remembered(page) != first) << name << " stays on " << first;
        SaveScreenshot(Main(), std::string("ProgramPageButtons_") + name);
    }
}

}  // namespace
}  // namespace cv::test
