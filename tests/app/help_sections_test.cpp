// The help opens at the section of the page on show: F1 on each page of the
// sample industry scrolls the help window to that page's heading. Asked for
// inside a modal dialog, it comes up above the dialog at the dialog's context.
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

#include "decisions/page/decision_page.h"
#include "graphs/page/graph_page.h"
#include "shell/help_window.h"
#include "shell/main_window.h"
#include "shell/page_window.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/window_test.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_stack.h"

namespace cv::test {
namespace {

class HelpSectionsTest : public StartedProgramTest {
protected:
    HelpSectionsTest() {
        root.OpenSampleIndustry();
        Main().RefreshAll();
    }
    QWidget* ShownWindow() override { return Main().HelpWindow(); }
};

struct TPageSection {
    const char* page;
    const char* heading;
};

TEST_F(HelpSectionsTest, HelpShowsTheSectionOfThePageOnShow) {
    const TPageSection sections[] = {
        {"FoResult", "The results page"},        {"FoNLetter", "The newsletter"},
        {"FoMStudies", "The market studies page"}, {"FoGraph", "The graphs page"},
        {"FoDecision", "The decisions page"},     {"FoSimul", "The team page"},
    };
    for (const TPageSection& section : sections) {
        Main().ShowPage(Main().findChild<TFoCv3Mod*>(section.page));
        QTest::keyClick(Main().windowHandle(), Qt::Key_F1);
        THelpWindow* help = Main().HelpWindow();
        ASSERT_NE(help, nullptr);
        QTRY_VERIFY(help->isVisible());
        // The heading is in view (the top of the file shows none of them but the team page's).
        const QTextCursor heading =
            help->document()->find(QString::fromLatin1(section.heading), 0, QTextDocument::FindCaseSensitively);
        ASSERT_FALSE(heading.isNull()) << section.page;
        EXPECT_EQ(heading.block().text(), QString::fromLatin1(section.heading)) << section.page;
        const auto inView = [&] { return help->viewport()->rect().contains(help->cursorRect(heading).topLeft()); };
        QTRY_VERIFY2(inView(), section.page);
        if (section.page == std::string("FoResult")) SaveScreenshot(*help, "HelpSectionsTest_ResultsPage");
    }
}

struct TDialogHelp {
    const char* page;
    std::function<void(TFoCv3Mod&)> open;
    int context;
    const char* shot;
};

// The help is read, scrolled and closed while the dialog stays open, and
// stays where it is, above the program, once the dialog has closed; the
// second dialog finds it open still.
TEST_F(HelpSectionsTest, SmallScreenHelpAskedForInADialogComesAboveIt) {
    const TDialogHelp dialogs[] = {
        {"FoDecision",
         [](TFoCv3Mod& page) { dynamic_cast<TFoDecision&>(page).OpenArea(TDecisionArea::Distribution); }, 51,
         "HelpAboveTheDistributionDialog"},
        {"FoGraph",
         [](TFoCv3Mod& page) {
             auto& graphs = dynamic_cast<TFoGraph&>(page);
             graphs.Data.SelMarket = 1;
             graphs.Item("MPGrDesSemCalcPerc")->trigger();
         },
         TFoGraph::kSemanticPerceptionHelp, "HelpAboveADesignDialog"},
    };
    for (const TDialogHelp& dialog : dialogs) {
        auto* page = Main().findChild<TFoCv3Mod*>(dialog.page);
        Main().ShowPage(page);
        THelpWindow* help = nullptr;
        const auto expectHelpAbove = [&](QWidget& window) {
            help = Main().HelpWindow();
            ASSERT_NE(help, nullptr);
            QTRY_VERIFY2(help->isActiveWindow(), dialog.page);
            QTRY_VERIFY2(StackedAbove(*help, window), dialog.page);
            EXPECT_EQ(help->source().fragment(), THelpWindow::AnchorOf(dialog.context)) << dialog.page;
        };
        QRect helpPlace;
        WhenModalShown shown([&](QWidget& window) {
            QTRY_VERIFY(window.isActiveWindow());
            QTest::mouseClick(Main().ToolButton(2), Qt::LeftButton);
            expectHelpAbove(window);
            ExpectFitsTheScreen(*help);
            CloseThroughWindowManager(*help);
            QTRY_VERIFY2(!help->isVisible(), dialog.page);
            // Put over the screen's lower right quarter, as a person may: without
            // room beside the dialog it opens there again, the dialog below it.
            const QSize screen = ScreenSize();
            help->setGeometry(QRect(QPoint(screen.width() / 2, screen.height() / 2), screen / 2));
            QTest::keyClick(window.windowHandle(), Qt::Key_F1);
            expectHelpAbove(window);
            SaveScreenScreenshot(dialog.shot);
            QScrollBar& scroll = *help->verticalScrollBar();
            EXPECT_GT(scroll.value(), 0) << dialog.page;
            QTest::keyClick(help->windowHandle(), Qt::Key_Home);
            EXPECT_EQ(scroll.value(), 0) << dialog.page;
            // Back to the dialog, which the window manager raises with the
            // program, then closed.
            ActivateThroughWindowManager(window);
            QTRY_VERIFY(window.isActiveWindow());
            helpPlace = help->frameGeometry();
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
        });
        dialog.open(*page);
        ASSERT_TRUE(shown.Ran()) << dialog.page;
        EXPECT_TRUE(help->isVisible()) << dialog.page;
        EXPECT_EQ(help->frameGeometry(), helpPlace) << dialog.page;
        QTRY_VERIFY2(StackedAbove(*help, Main()), dialog.page);
    }
}

}  // namespace
}  // namespace cv::test
