// The help opens at the section of the page on show: F1 on each page of the
// sample industry scrolls the help window to that page's heading.
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "shell/help_window.h"
#include "shell/main_window.h"
#include "shell/page_window.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/window_test.h"
#include "tests/ui/support/gtest_qtry.h"

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

}  // namespace
}  // namespace cv::test
