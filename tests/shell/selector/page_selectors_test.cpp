#include "shell/selector/cv_bar.h"

#include <QToolButton>
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series.h"
#include "team/team_page.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr int kAll = 32767;

class PageSelectorsTest : public StartedProgramTest {
protected:
    PageSelectorsTest() {
        root.OpenSampleIndustry();
        windows.mainWindow->RefreshAll();
    }
    TFoSimul& Page() { return *windows.teamPage; }
    TCvInd& Industry() { return *Session->Industry(); }
    TBarSpeedBtn* MarketButton(int market) {
        return static_cast<TBarSpeedBtn*>(CvBar->Group(Industry().MktSeries()->Name())->Buttons.at(market - 1));
    }
};

TEST_F(PageSelectorsTest, TheBarHoldsTheIndustrysGroupsAndThePeriodRange) {
    // The sample has two zones and two markets: all four groups, in this order.
    std::vector<std::string> names;
    for (const TBarGrpBtn* group : CvBar->Groups()) names.push_back(group->objectName().toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{Industry().PerSeries()->Name(), Industry().FtaSeries()->Name(),
                                                Industry().MktSeries()->Name(), Industry().FirSeries()->Name()}));
    Page().SetupBar();
    // The team page is no decisions page: the period stops at the current one, 3.
    auto* spin = static_cast<TBarSpinBtn*>(CvBar->Group(Industry().PerSeries()->Name())->Buttons[0]);
    EXPECT_EQ(spin->MaxValue, 3);
    EXPECT_EQ(spin->Value(), 3);
    EXPECT_TRUE(CvBar->IsGroupActive(Industry().PerSeries()->Name()));
    EXPECT_FALSE(CvBar->IsGroupActive(Industry().MktSeries()->Name()));
    SaveScreenshot(*windows.mainWindow, "PageSelectors_TeamPagePeriod");
}

// A page that says it works on the decision period, whatever its name.
class DecisionPeriodPage : public TFoCv3Mod {
public:
    explicit DecisionPeriodPage(QWidget* owner)
        : TFoCv3Mod(owner, QStringLiteral("FoPlanning"), {.decisionPeriod = true}) {
        RegisterPage(nullptr);
    }
};

TEST_F(PageSelectorsTest, APageOnTheDecisionPeriodDecidesOnePastWhatItShowsAndTheBarReachesIt) {
    auto* page = new DecisionPeriodPage(windows.mainWindow->PageArea());
    windows.mainWindow->AddPage(page);
    windows.mainWindow->ShowPage(page);
    // The sample's current period is 3: the page decides for period 4.
    EXPECT_EQ(page->Data.CurPeriod, 3);
    EXPECT_EQ(page->Data.DecPeriod, 4);
    page->SetPeriodSelector(2, 4, true);
    page->SetupBar();
    auto* spin = static_cast<TBarSpinBtn*>(CvBar->Group(Industry().PerSeries()->Name())->Buttons[0]);
    EXPECT_EQ(spin->MaxValue, 4);
    EXPECT_EQ(spin->Value(), 4);
    page->Data.SelPeriod = 2;
    page->ShowItemAtCurrentPeriod(nullptr);
    EXPECT_EQ(page->Data.CurPeriod, 2);
    EXPECT_EQ(page->Data.DecPeriod, 3);
}

TEST_F(PageSelectorsTest, IndexSelectorsTakeTheirListsAndModeThreeShowsDisabled) {
    Page().SetIndexSelector(Industry().FirSeries()->Name(), 3, {2, 2}, {kAll});
    EXPECT_EQ(Page().Selectors.Fir.Mode, 1);
    EXPECT_EQ(Page().Selectors.Fir.Down[1], 1);
    // List form 1: one value per element; firms 1 and 3 selected give bits 0 and 2.
    Page().SetIndexSelector(Industry().FirSeries()->Name(), 2, {1, 1, 0, 1}, {0});
    EXPECT_EQ(Page().Data.HomeFirm, 5);
    EXPECT_EQ(Page().Selectors.Fir.Enabled[2], 1);
    EXPECT_EQ(Page().Selectors.Fir.Enabled[1], 1);
    EXPECT_EQ(Page().Selectors.Fir.Enabled[3], 0);
    // A series that is no firm, zone or market changes nothing.
    const TPageSelectors before = Page().Selectors;
    Page().SetIndexSelector(Industry().PerSeries()->Name(), 2, {kAll}, {kAll});
    EXPECT_EQ(Page().Selectors, before);
}

TEST_F(PageSelectorsTest, UnselectingMarketsInMultipleChoiceMovesToTheNextSelectedOne) {
    Page().SetIndexSelector(Industry().MktSeries()->Name(), 4, {2, 3}, {kAll});
    Page().SetupBar();
    ASSERT_TRUE(MarketButton(1)->isChecked());
    ASSERT_TRUE(MarketButton(2)->isChecked());
    MarketButton(1)->click();
    EXPECT_EQ(Page().Data.HomeMarket, 2);  // only market 2's bit is left
    EXPECT_EQ(Page().Data.SelMarket, 2);
    MarketButton(2)->click();
    EXPECT_EQ(Page().Data.HomeMarket, 0);
    EXPECT_EQ(Page().Data.SelMarket, 2);  // no market left: the market stays
}

TEST_F(PageSelectorsTest, AfterTheIndustryClosesEveryGroupIsHidden) {
    Page().SetupBar();
    Session->IndClose();
    windows.mainWindow->RefreshAll();
    Page().SetupBar();
    for (const TBarGrpBtn* group : CvBar->Groups()) EXPECT_EQ(group->Mode, bgmHidden) << group->objectName().toStdString();
}

}  // namespace
}  // namespace cv::test
