// The help opens at the section of the page on show: F1 on each page of the
// sample industry scrolls the help window to that page's heading. Asked for
// inside a modal dialog, it comes up above the dialog at the dialog's context.
// Every help file has a section for every context the program sets.
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <gtest/gtest.h>

#include "decisions/page/decision_page.h"
#include "graphs/page/graph_page.h"
#include "shell/help_window.h"
#include "shell/main_window.h"
#include "shell/page_window.h"
#include "tests/app/support/help_shown.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/window_test.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_stack.h"

namespace cv::test {
namespace {

namespace fs = std::filesystem;

// The block each named anchor of Document lies in.
std::map<QString, QTextBlock> AnchoredBlocks(const QTextDocument& document) {
    std::map<QString, QTextBlock> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            for (const QString& name : fragment.fragment().charFormat().anchorNames()) blocks.emplace(name, block);
    return blocks;
}

// A section is a heading followed by what it says.
TEST(HelpFileTest, EveryContextTheProgramSetsHasItsSection) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(CV_HELP_FILE).parent_path())) {
        if (entry.path().extension() != ".html") continue;
        ++files;
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream html;
        html << file.rdbuf();
        QTextDocument document;
        document.setHtml(QString::fromStdString(html.str()));
        const std::map<QString, QTextBlock> sections = AnchoredBlocks(document);
        for (const THelpContext context : kHelpContexts) {
            const auto section = sections.find(THelpWindow::AnchorOf(context));
            if (section == sections.end()) {
                ADD_FAILURE() << entry.path() << ": no section for context " << context;
                continue;
            }
            const QTextBlock heading = section->second;
            const QTextBlock text = heading.next();
            EXPECT_GE(heading.blockFormat().headingLevel(), 2) << entry.path() << " " << context;
            EXPECT_FALSE(heading.text().trimmed().isEmpty()) << entry.path() << " " << context;
            EXPECT_EQ(text.blockFormat().headingLevel(), 0) << entry.path() << " " << context;
            EXPECT_FALSE(text.text().trimmed().isEmpty()) << entry.path() << " " << context;
        }
    }
    EXPECT_GT(files, 0);
}

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
    THelpContext context;
    const char* heading;
};

TEST_F(HelpSectionsTest, HelpShowsTheSectionOfThePageOnShow) {
    const TPageSection sections[] = {
        {"FoResult", hcResultsPage, "The results page"},
        {"FoNLetter", hcNewsletterPage, "The newsletter"},
        {"FoMStudies", hcStudiesPage, "The market studies page"},
        {"FoGraph", hcGraphsPage, "The graphs page"},
        {"FoDecision", hcDecisionsPage, "The decisions page"},
        {"FoSimul", hcTeamPage, "The team page"},
    };
    for (const TPageSection& section : sections) {
        Main().ShowPage(Main().findChild<TFoCv3Mod*>(section.page));
        QTest::keyClick(Main().windowHandle(), Qt::Key_F1);
        // The heading is in view (the top of the file shows none of them but the team page's).
        ExpectHelpShowsSection(Main(), section.context, section.heading);
        if (section.context == hcResultsPage) SaveScreenshot(*Main().HelpWindow(), "HelpSectionsTest_ResultsPage");
    }
}

struct TDialogHelp {
    const char* page;
    std::function<void(TFoCv3Mod&)> open;
    THelpContext context;
    const char* shot;
};

// The help is read, scrolled and closed while the dialog stays open, and
// stays where it is, above the program, once the dialog has closed; the
// second dialog finds it open still.
TEST_F(HelpSectionsTest, SmallScreenHelpAskedForInADialogComesAboveIt) {
    const TDialogHelp dialogs[] = {
        {"FoDecision",
         [](TFoCv3Mod& page) { dynamic_cast<TFoDecision&>(page).OpenArea(TDecisionArea::Distribution); }, hcDistribution,
         "HelpAboveTheDistributionDialog"},
        {"FoDecision", [](TFoCv3Mod& page) { dynamic_cast<TFoDecision&>(page).OpenArea(TDecisionArea::RnD); }, hcRnD,
         "HelpAboveTheRnDDialog"},
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
