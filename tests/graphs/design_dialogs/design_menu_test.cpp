// The graphs page's design group: its dialogs open modally with the help
// button lent when the team bought their study, and give way to the study's
// screen when it did not; the study screens of the group.

#include <QComboBox>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>

#include "graphs/page/graph_menu.h"
#include "reports/studies/studies.h"
#include "shell/main_window.h"
#include "team/team_page.h"
#include "tests/graphs/design_dialogs/design_dialog_fixture.h"
#include "ui/help_state.h"

namespace cv {
namespace {

using test::DesignDialogTest;

struct TDialogCase {
    const char* item;
    const char* form;
    int helpContext;
    int fallbackScreen;  // the study screen shown in M2, where the study was not bought
};

// Each dialog as the menu opens it, on both screens; once it has closed, the
// page buttons step from the chart shown.
TEST_F(DesignDialogTest, DesignDialogsOpenFromTheMenuSmallScreen) {
    ASSERT_TRUE(page->Item("MPGrDesign")->isEnabled());
    const TDialogCase cases[] = {
        {"MPGrDesSemCalcPerc", "FoPercEstim", TFoGraph::kSemanticPerceptionHelp, 9},
        {"MPGrDesMapCalcPerc", "FoPercEstim", TFoGraph::kMapPerceptionHelp, 12},
        {"MPGrDesSemEstimPhys", "FoSem2Att", TFoGraph::kSemanticTargetHelp, 9},
        {"MPGrDesMapEstimPhys", "FoMap2Att", TFoGraph::kMapTargetHelp, 12},
    };
    // The item the next-page button steps to from the chart the dialogs are opened over.
    Choose("MPGrPerfMS");
    ClickToolButton(7);
    const std::string afterTheChart = Remembered();
    Choose("MPGrPerfMS");
    for (const TDialogCase& c : cases) {
        page->Data.SelMarket = 1;
        EXPECT_TRUE(page->Item(c.item)->isEnabled()) << c.item;
        bool lent = false;
        int helpContext = 0;
        QSize size;
        test::WhenModalShown dialog(
            [&](QWidget& window) {
                EXPECT_EQ(window.objectName().toStdString(), c.form);
                lent = Main().ToolButton(2)->parentWidget() == &window;
                helpContext = HelpState().HelpContext;
                size = window.frameGeometry().size();
            },
            std::string("DesignMenu_") + c.item);
        Choose(c.item);
        EXPECT_TRUE(dialog.Ran()) << c.item;
        EXPECT_TRUE(lent) << c.item;
        EXPECT_EQ(helpContext, c.helpContext) << c.item;
        EXPECT_LE(size.width(), test::ScreenSize().width()) << c.item;
        EXPECT_LE(size.height(), test::ScreenSize().height()) << c.item;
        EXPECT_NE(Main().ToolButton(2)->parentWidget(), nullptr);
        EXPECT_EQ(HelpState().HelpContext, TFoGraph::kHelpContext);
        // The page shows its chart again and remembers it: coming back opens no dialog.
        EXPECT_EQ(Remembered(), "MPGrPerfMS") << c.item;
        EXPECT_NE(page->Display().Chart(), nullptr) << c.item;
        {
            test::WhenModalShown none([](QWidget&) {});
            Main().ShowPage(windows.teamPage);
            Main().ShowPage(page);
            EXPECT_FALSE(none.Ran()) << c.item;
        }
        // Another chart chosen, then the first again: the next-page button
        // steps on from the chart shown.
        Choose("MpGrMktSize");
        Choose("MPGrPerfMS");
        {
            test::WhenModalShown none([](QWidget&) {});
            ClickToolButton(7);
            EXPECT_FALSE(none.Ran()) << c.item;
        }
        EXPECT_EQ(Remembered(), afterTheChart) << c.item;
        Choose("MPGrPerfMS");

        // Team A bought no study of M2 in period 3: the study's screen instead.
        page->Data.SelMarket = 2;
        Choose(c.item);
        auto* screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
        ASSERT_NE(screen, nullptr) << c.item;
        EXPECT_EQ(screen->ScreenNumber(), c.fallbackScreen) << c.item;
        // Back in M1, where the study was bought, showing the page again opens no dialog.
        EXPECT_EQ(Remembered(), "MPGrPerfMS") << c.item;
        page->Data.SelMarket = 1;
        {
            test::WhenModalShown none([](QWidget&) {});
            Main().ShowPage(windows.teamPage);
            Main().ShowPage(page);
            EXPECT_FALSE(none.Ran()) << c.item;
        }
    }
}

// The next-page button steps through every item of the menu, from the first
// to the last, opening each design dialog and, once it has closed, going on
// past it while the page keeps what it showed before; the previous-page
// button steps back to the first the same way.
TEST_F(DesignDialogTest, ThePageButtonsStepPastTheDesignDialogs) {
    const std::map<std::string, int> dialogHelp = {{"MPGrDesSemCalcPerc", TFoGraph::kSemanticPerceptionHelp},
                                                   {"MPGrDesSemEstimPhys", TFoGraph::kSemanticTargetHelp},
                                                   {"MPGrDesMapCalcPerc", TFoGraph::kMapPerceptionHelp},
                                                   {"MPGrDesMapEstimPhys", TFoGraph::kMapTargetHelp}};
    std::vector<std::string> items;
    for (const TPageMenuGroup& group : GraphPageMenu().groups)
        for (const TPageItem& item : group.items)
            if (page->Item(group.name)->isEnabled() && page->Item(item.name)->isEnabled())
                items.emplace_back(item.name);
    ASSERT_EQ(items.front(), "MpGrMktSize");
    ASSERT_EQ(items.back(), "MPGrToolsGSP");
    const auto step = [&](int button, const std::string& to) {
        const std::string shown = Remembered();
        int helpContext = 0;
        test::WhenModalShown dialog([&helpContext](QWidget&) { helpContext = HelpState().HelpContext; });
        ClickToolButton(button);
        if (!dialogHelp.contains(to)) {
            EXPECT_FALSE(dialog.Ran()) << to;
            EXPECT_EQ(Remembered(), to);
            return;
        }
        EXPECT_TRUE(dialog.Ran()) << to;
        EXPECT_EQ(helpContext, dialogHelp.at(to));
        EXPECT_EQ(Remembered(), shown) << to;
    };
    Choose("MpGrMktSize");
    for (std::size_t next = 1; next < items.size(); ++next) step(7, items[next]);
    EXPECT_NE(page->Display().Chart(), nullptr);
    test::SaveScreenshot(Main(), "DesignMenu_SteppedPastTheDialogs");
    for (std::size_t previous = items.size() - 1; previous-- > 0;) step(6, items[previous]);
    EXPECT_EQ(Remembered(), "MpGrMktSize");
}

TEST_F(DesignDialogTest, DesignStudyScreensWithTheirSegmentAndDimensionCombos) {
    Choose("MPGrDesSemIVT");
    auto* screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->ScreenNumber(), 21);
    QComboBox* segments = page->Combos().Combo(2);
    ASSERT_NE(segments, nullptr);
    EXPECT_TRUE(segments->isVisible());
    EXPECT_EQ(segments->count(), 3);  // Leaders, Families, Savers
    segments->setCurrentIndex(2);
    EXPECT_EQ(page->Data.SelSegment, 3);
    test::SaveScreenshot(Main(), "DesignMenu_SemanticIdealPoints");
    Choose("MPGrDesMapRegress");
    screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->ScreenNumber(), 13);
    ASSERT_NE(page->Combos().Combo(2), nullptr);
    EXPECT_EQ(page->Combos().Combo(2)->count(), 3);  // Economy, Performance, Style
    page->Combos().Combo(2)->setCurrentIndex(1);
    EXPECT_EQ(page->Data.VertAxis, 2);
    EXPECT_EQ(page->Data.UnitsOrValue, 1);  // the option words stay as they were
    Choose("MPGrDesSemEstim");
    screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->ScreenNumber(), 8);
    test::SaveScreenshot(Main(), "DesignMenu_SemanticEstimation");
}

}  // namespace
}  // namespace cv
