// The results page in the started program on the sample industry: the screen
// it opens first, the instructor's "rcReport" restrictions, the selector
// groups of each screen, rebuilding for another period or zone and stepping
// through the menu with the previous and next page buttons.
#include <QLabel>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "reports/results/firm_result.h"
#include "team/team_page.h"
#include "reports/pages/results_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

class ResultPageTest : public test::GroupPageTest<TFoResult> {
protected:
    ResultPageTest() : GroupPageTest(si::rcReportCateg) {}
    TFirResult* FirmScreen() const { return dynamic_cast<TFirResult*>(page->Display().Screen()); }
};

TEST_F(ResultPageTest, TheFirstActivationShowsTheScorecardThenTheMessages) {
    Main().ShowPage(page);
    ASSERT_NE(FirmScreen(), nullptr);
    EXPECT_EQ(FirmScreen()->Kind(), TFirResult::kScoreCard);
    EXPECT_EQ(Remembered(), "MPFirSCard");
    ExpectPageShown(TFoResult::kHelpContext, "MResult");
    EXPECT_EQ(page->Item("MPFirSCard")->text(), "&Scorecard");
    test::SaveScreenshot(Main(), "ResultPageTest_ScoreCard");
    Choose("MPAllMsgs");
    ASSERT_NE(FirmScreen(), nullptr);
    EXPECT_EQ(FirmScreen()->Kind(), TFirResult::kMessages);
    EXPECT_FALSE(FirmScreen()->IsEmpty());
    test::SaveScreenshot(Main(), "ResultPageTest_Messages");
}

TEST_F(ResultPageTest, EveryGroupRestrictedLeavesTheScorecardRememberedButShowsNothing) {
    for (std::int8_t key : {si::NoCompanyResults, si::NoBrandResults, si::NoRD, si::NoCumulResults, si::NoMessages,
                            si::NoPastDecs})
        Restrict("RestrictEnabled", key);
    Restrict("RestrictHidden", si::NoMessages);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPFirSCard");
    EXPECT_TRUE(page->Display().IsEmpty());
    ExpectRestricted({"MPFirSCard", "MPFirLoanSched", "MPBrdGMC", "MPRnDPrjAll", "MPCumMkt", "MPAllMsgs", "MPPDecsLoan",
                      "MPFir", "MPBrd", "MPRnD", "MPCum", "MPMsgs", "MPPDecs"},
                     {"MPAllMsgs", "MPMsgs"}, "MPFir");
}

TEST_F(ResultPageTest, AGroupRestrictedBetweenTwoActivationsGivesWayToTheFirstFreeGroup) {
    Main().ShowPage(page);
    Choose("MPFirNetCtb");
    EXPECT_EQ(FirmScreen()->Kind(), TFirResult::kNetContribution);
    Main().ShowPage(windows.teamPage);
    Restrict("RestrictEnabled", si::NoCompanyResults);
    Restrict("RestrictHidden", si::NoBrandResults);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPRnDPrjAll");
    EXPECT_FALSE(page->Display().IsEmpty());
    EXPECT_EQ(FirmScreen(), nullptr);
    EXPECT_FALSE(page->Item("MPFirNetCtb")->isEnabled());
}

TEST_F(ResultPageTest, OnlyTheScreensAboutOneMarketLetTheMarketBeChosen) {
    Main().ShowPage(page);
    ExpectMarketChoice({{"MPFirSCard", false}, {"MPFirNetCtb", false}, {"MPFirLoanSched", false}, {"MPBrdGMC", true},
                        {"MPBrdMktRes", true}, {"MPRnDPrjAll", true}, {"MPRnDPrjAvail", true},
                        {"MPRnDPrjOnGoing", true}, {"MPCumBrd", false}, {"MPCumMkt", false}, {"MPAllMsgs", false},
                        {"MPPDecsBrd", true}, {"MPPDecsSlf", false}, {"MPPDecsRnD", true}, {"MPPDecsStu", false},
                        {"MPPDecsLoan", false}});
}

// A new period on the bar's spin field reaches the page, which builds the screen again.
TEST_F(ResultPageTest, AnotherPeriodOnTheBarRebuildsTheScreen) {
    Main().ShowPage(page);
    ChoosePeriod(1);
    ASSERT_NE(FirmScreen(), nullptr);
    EXPECT_EQ(FirmScreen()->Context().CurPeriod, 1);
    EXPECT_EQ(page->Data.DecPeriod, 1);
    EXPECT_EQ(FirmScreen()->Table()->Sheet().Captions().titleLines,
              std::vector<std::string>{"Scorecard of firm A in zone NORTH - period 1"});
}

// The sample's two zones hold the same markets: the title names the zone on
// the bar, and the brand contribution its period.
TEST_F(ResultPageTest, AnotherZoneOnTheBarIsNamedInTheTitle) {
    Main().ShowPage(page);
    Choose("MPBrdGMC");
    const auto title = [this]() -> std::string {
        const TCVScreen* screen = page->Display().Screen();
        const QLabel* label = screen && screen->Table() ? screen->Table()->TitleLabel() : nullptr;
        return label && label->isVisible() ? label->text().toStdString() : std::string();
    };
    QTRY_COMPARE(title(), "Brand contribution in market M1 of zone NORTH, firm A - period 3");
    test::ChooseZoneOnBar(2);
    QTRY_COMPARE(title(), "Brand contribution in market M1 of zone SOUTH, firm A - period 3");
    EXPECT_EQ(page->Data.SelFta, 2);
    test::SaveScreenshot(Main(), "ResultPageTest_SouthZoneTitle");
}

TEST_F(ResultPageTest, PreviousAndNextWrapAroundTheMenu) {
    Restrict("RestrictHidden", si::NoPastDecs);
    Main().ShowPage(page);
    Main().sbPrevPageClick();
    EXPECT_EQ(Remembered(), "MPAllMsgs");
    EXPECT_EQ(FirmScreen()->Kind(), TFirResult::kMessages);
    Main().sbNextPageClick();
    EXPECT_EQ(Remembered(), "MPFirSCard");
    Main().sbNextPageClick();
    EXPECT_EQ(Remembered(), "MPFirNetCtb");
}

// The real previous-page and next-page buttons step through the menu, from
// the remembered item and after a menu choice.
TEST_F(ResultPageTest, ThePageButtonsStepThroughTheMenu) {
    ExpectPageButtonsStepThroughTheMenu("MPBrdGMC", "ResultPageTest_PageButtons");
}

}  // namespace
}  // namespace cv
