// The newsletter page in the started program on the sample industry (period
// 3): the page opened first, the instructor's "rcNewsletter" restrictions,
// the selector groups of each page and the scorecard's presentation combo.
#include <gtest/gtest.h>

#include <QComboBox>

#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "team/team_page.h"
#include "reports/pages/newsletter_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

class NewsletterPageTest : public test::GroupPageTest<TFoNLetter> {
protected:
    NewsletterPageTest() : GroupPageTest(si::rcNewsletterCateg) {}
    TNewsScr* Shown() const { return dynamic_cast<TNewsScr*>(page->Display().Screen()); }
};

TEST_F(NewsletterPageTest, TheFirstActivationShowsTheStockMarket) {
    Main().ShowPage(page);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Page(), TNewsScr::kStockMarket);
    EXPECT_EQ(Remembered(), "MPNLSMktSPI");
    ExpectPageShown(TFoNLetter::kHelpContext, "MNLetter");
    EXPECT_EQ(page->Item("MPNLEcoMRS")->text(), "&Study prices");
    EXPECT_EQ(page->PresentationCombo(), nullptr);
    test::SaveScreenshot(Main(), "NewsletterPageTest_StockMarket");
}

TEST_F(NewsletterPageTest, EveryGroupRestrictedLeavesTheStockMarketRememberedButShowsNothing) {
    for (std::int8_t key : {si::NoStockMarket, si::NoEconomic, si::NoMarketReport}) Restrict("RestrictEnabled", key);
    Restrict("RestrictHidden", si::NoEconomic);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPNLSMktSPI");
    EXPECT_TRUE(page->Display().IsEmpty());
    ExpectRestricted({"MPNLSMkt", "MPNLSMktSCard", "MPNLEco", "MPNLEcoVars", "MPNLBrd", "MPNLBrdSales"},
                     {"MPNLEco", "MPNLEcoMRS"}, "MPNLSMkt");
}

TEST_F(NewsletterPageTest, AGroupRestrictedBetweenTwoActivationsGivesWayToTheFirstFreeGroup) {
    Main().ShowPage(page);
    Choose("MPNLSMktSCard");
    EXPECT_EQ(Shown()->Page(), TNewsScr::kScoreCard);
    Main().ShowPage(windows.teamPage);
    Restrict("RestrictHidden", si::NoStockMarket);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPNLEcoVars");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Page(), TNewsScr::kEconomicVariables);
    EXPECT_FALSE(page->Item("MPNLSMktSCard")->isVisible());
    // The economy restricted too: the market report is the first free group.
    Main().ShowPage(windows.teamPage);
    Restrict("RestrictEnabled", si::NoEconomic);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MPNLBrdAttr");
}

TEST_F(NewsletterPageTest, OnlyTheBrandPagesLetTheMarketBeChosen) {
    Main().ShowPage(page);
    ExpectMarketChoice({{"MPNLSMktSPI", false}, {"MPNLSMktSCard", false}, {"MPNLEcoVars", false},
                        {"MPNLEcoMRS", false}, {"MPNLBrdAttr", true}, {"MPNLBrdSales", true}});
    Choose("MPNLBrdAttr");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Page(), TNewsScr::kBrandCharacteristics);
    EXPECT_FALSE(Shown()->IsEmpty());
    test::SaveScreenshot(Main(), "NewsletterPageTest_BrandCharacteristics");
    Choose("MPNLBrdSales");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Page(), TNewsScr::kBrandSales);
    test::SaveScreenshot(Main(), "NewsletterPageTest_BrandSales");
}

TEST_F(NewsletterPageTest, TheScorecardComboChoosesThePresentationModeAndTheMenuResetsIt) {
    Main().ShowPage(page);
    Choose("MPNLSMktSCard");
    QComboBox* combo = page->PresentationCombo();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "Growth");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(page->Data.GraphOption, TNewsScr::kValuesMode);
    combo->setCurrentIndex(2);
    EXPECT_EQ(page->Data.GraphOption, TNewsScr::kIndexMode);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Context().GraphOption, TNewsScr::kIndexMode);
    EXPECT_EQ(page->PresentationCombo(), combo);
    test::SaveScreenshot(Main(), "NewsletterPageTest_ScoreCardIndex");
    // Chosen from the menu again, the scorecard starts as values.
    Choose("MPNLSMktSCard");
    EXPECT_EQ(page->Data.GraphOption, TNewsScr::kValuesMode);
    EXPECT_EQ(page->PresentationCombo()->currentIndex(), 0);
    // Another page hides the combo.
    Choose("MPNLEcoVars");
    EXPECT_EQ(page->PresentationCombo(), nullptr);
}

// A new period on the bar shows that period's scorecard, which starts as
// values again as it does whenever the page shows it anew.
TEST_F(NewsletterPageTest, AnotherPeriodOnTheBarShowsThatPeriodsScorecard) {
    Main().ShowPage(page);
    Choose("MPNLSMktSCard");
    page->PresentationCombo()->setCurrentIndex(2);
    ChoosePeriod(2);
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Page(), TNewsScr::kScoreCard);
    EXPECT_EQ(Shown()->Context().CurPeriod, 2);
    EXPECT_EQ(Shown()->Table()->Sheet().Captions().titleLines,
              std::vector<std::string>{"Scorecard of the industry in zone NORTH - period 2"});
    EXPECT_EQ(Shown()->Context().GraphOption, TNewsScr::kValuesMode);
    EXPECT_EQ(page->PresentationCombo()->currentIndex(), 0);
}

// In period 0 the scorecard has nothing to compare with: values, no combo.
TEST_F(NewsletterPageTest, ThePeriodZeroScorecardHasNoModeCombo) {
    Main().ShowPage(page);
    ChoosePeriod(0);
    Choose("MPNLSMktSCard");
    ASSERT_NE(Shown(), nullptr);
    EXPECT_EQ(Shown()->Context().CurPeriod, 0);
    EXPECT_EQ(page->PresentationCombo(), nullptr);
}

// The real previous-page and next-page buttons step through the menu, from
// the remembered item and after a menu choice.
TEST_F(NewsletterPageTest, ThePageButtonsStepThroughTheMenu) {
    ExpectPageButtonsStepThroughTheMenu("MPNLEcoMRS", "NewsletterPageTest_PageButtons");
}

}  // namespace
}  // namespace cv
