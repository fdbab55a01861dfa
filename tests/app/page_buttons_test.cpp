// The previous-page and next-page buttons of the started program, used as a
// team uses them: the instructor's industry taken from the team page, a page
// shown by its button on the bar, then the bar's buttons clicked where they
// lie on the screen, after a menu choice, after a visit to another page, and
// from the keyboard.

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <filesystem>
#include <string>

#include "core/session/session.h"
#include "shell/page_window.h"
#include "team/team_page.h"
#include "tests/app/support/program_root.h"
#include "tests/support/sent_files.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

constexpr int kPreviousPage = 6;
constexpr int kNextPage = 7;
// Every control of the main window is reached in fewer Tab presses.
constexpr int kMostTabs = 40;

// Clicks the middle of Widget as a person does: the press goes to the window
// at that point, which hands it to whatever lies on top there.
void ClickWhereItLies(QWidget& widget) {
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget.mapTo(window, widget.rect().center()));
}

// The program started on an exchange directory holding what the instructor
// sent for the sample, and team A's industry taken from the team page.
class ProgramPageButtonsSmallScreen : public ::testing::Test {
protected:
    ProgramPageButtonsSmallScreen() {
        CopySentFiles(root.RootPath() / "Exchange");
        WriteFileBytes(root.RootPath() / "CV3TEAM.ini", "[Session]\r\nExchangeDir=Exchange/\r\n");
        windows = StartProgramPastSplash(root.Services());
    }

    TFoCv3Main& Main() { return *windows.mainWindow; }

    // File, Take the instructor's industry: team A's descriptor and its
    // password typed into the focused field, then Enter.
    void TakeTheIndustry() {
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

    // Shows the page of the bar's button Name by a click on it.
    TFoCv3Mod& ShowPage(const char* name) {
        auto& button = Child<QToolButton>(Main(), name);
        EXPECT_TRUE(QTest::qWaitFor([&] { return button.isEnabled(); })) << name;
        ClickWhereItLies(button);
        EXPECT_TRUE(QTest::qWaitFor([] { return TFoCv3Mod::Current() && TFoCv3Mod::Current()->isVisible(); }));
        return *TFoCv3Mod::Current();
    }

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

    // Opens the menu of Page's menu bar holding Item by a click on its title,
    // then clicks the item.
    static void ChooseFromTheMenu(TFoCv3Mod& page, const char* item) {
        QAction* chosen = page.findChild<QAction*>(item);
        ASSERT_NE(chosen, nullptr) << item;
        QMenuBar& bar = *page.PageMenuBar();
        for (QAction* title : bar.actions()) {
            QMenu* menu = title->menu();
            if (!menu || !menu->actions().contains(chosen)) continue;
            QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(title).center());
            QTRY_VERIFY(menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
            QTRY_VERIFY(!menu->isVisible());
            return;
        }
        FAIL() << item << " is in no menu of the page";
    }

    ProgramRoot root;
    TProgramWindows windows;
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
