// The figures behind the checks' decisions: rounding of shares, the budget's
// tolerance and its split, the dumping floor, the lists of groups not taken,
// restrictions and the administrator view.
#include "core/base/text_format.h"
#include "core/session/fta_budget.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "tests/decisions/checks/sample_decisions.h"

namespace cv::test {
namespace {

constexpr int kNorth = 1;
constexpr int kAlba = 1;
constexpr int kArno = 2;

class CheckFigures : public SampleDecisions {
public:
    TQnInfos Errors() {
        TQnInfos messages;
        TCheckDec(Industry(), Context(kNorth)).CheckDecisions(messages, Context(kNorth));
        return messages;
    }
    TQnInfos Status(bool adminView = false) {
        TQnInfos messages;
        TCheckDec(Industry(), Context(kNorth), adminView).CheckDecStatus(messages, Context(kNorth));
        return messages;
    }
    void SetTargets(double s1, double s2, double s3) {
        TSimArr& targets = Decision("SegStrat", kCategoryFirmFtaMarket, kNorth, 1);
        targets.SetReal48({kAlba, 1}, s1);
        targets.SetReal48({kAlba, 2}, s2);
        targets.SetReal48({kAlba, 3}, s3);
    }
    // The budget of the North as the checks see it, before any change.
    TFtaBudget& Budget() {
        Industry().Budget()->Init(Industry(), Context(kNorth));
        Industry().Budget()->Recalculate();
        return *Industry().Budget();
    }
    // Sets the North's net budget so that the balance becomes Balance.
    void SetBalance(double balance) {
        TFtaBudget& budget = Budget();
        const double netBudget = budget.NetBudget - budget.Balance + balance;
        Industry().PerResults(3).FindSimArr(kCategoryFirmFta, Context(kNorth), "FFXRpt")->SetReal48({si::ffxNPB}, netBudget);
    }
};

// The targets are fractions: 0.5 + 0.3 + 0.196 = 0.996 is 99.6 %, rounded 100.
TEST_F(CheckFigures, SegmentTargetsCompareAsRoundedPercentages) {
    SetTargets(0.5, 0.3, 0.196);
    EXPECT_TRUE(Keys(Errors()).empty());
    SetTargets(0.5, 0.3, 0.1);
    EXPECT_EQ(Keys(Errors()), std::vector<std::string>{"ErrSegStratNot100"});
    SetTargets(0, 0, 0);
    EXPECT_EQ(Keys(Errors()), std::vector<std::string>{"ErrSegStrat0"});
}

// Channel 1: market 1 gives 0.333 + 0.333 (66.6 %, rounded 67) and market 2
// 0.334 (33.4 %, rounded 33): 100 in all.
TEST_F(CheckFigures, ChannelSharesRoundPerMarketBeforeTheyAddUp) {
    TSimArr& market1 = Decision("SlfAlloc", kCategoryFirmFtaMarket, kNorth, 1);
    TSimArr& market2 = Decision("SlfAlloc", kCategoryFirmFtaMarket, kNorth, 2);
    for (int brand = 1; brand <= 5; ++brand) {
        market1.SetReal48({1, brand}, 0);
        market2.SetReal48({1, brand}, 0);
    }
    market1.SetReal48({1, 1}, 0.333);
    market1.SetReal48({1, 2}, 0.333);
    market2.SetReal48({1, 1}, 0.334);
    EXPECT_TRUE(Keys(Errors()).empty());
    market2.SetReal48({1, 1}, 0.344);  // 34.4 % rounds to 34: 101 in all
    EXPECT_EQ(Keys(Errors()), std::vector<std::string>{"ErrSlfAllocNot100"});
}

TEST_F(CheckFigures, BudgetMayBeOverspentByUpTo1000) {
    SetBalance(-999.5);
    EXPECT_TRUE(Keys(Errors()).empty());
    SetBalance(-1000.5);
    EXPECT_EQ(Keys(Errors()), std::vector<std::string>{"Err1Budget"});
}

// An overspend of 250,000 lies within the advertising (the allowance): all of
// it within, nothing beyond.
TEST_F(CheckFigures, OverspendWithinTheAllowance) {
    SetBalance(-250000);
    const TQnInfos messages = Errors();
    ASSERT_EQ(Keys(messages), std::vector<std::string>{"Err1Budget"});
    const std::string expected = "Your budget of " + TCheckDec::FormatUnits(Budget().NetBudget) +
                                 " is overspent by K$ 250: K$ 250 within the allowance and K$ 0 beyond it.";
    EXPECT_EQ(messages[0].Lines.at(0), expected);
}

// An overspend of the whole advertising plus 40,000: the advertising within,
// 40,000 beyond.
TEST_F(CheckFigures, OverspendBeyondTheAllowance) {
    TFtaBudget& budget = Budget();
    const double advertising = budget.BrandCosts[0][0][bcAdvertOther] + budget.BrandCosts[0][0][bcAdvertQual];
    SetBalance(-(advertising + 40000));
    const TQnInfos messages = Errors();
    ASSERT_EQ(Keys(messages), std::vector<std::string>{"Err1Budget"});
    EXPECT_NE(messages[0].Lines.at(0).find(TCheckDec::FormatUnits(advertising) + " within the allowance and K$ 40 beyond"),
              std::string::npos)
        << messages[0].Lines.at(0);
}

// The unit cost follows the experience curve. With the prototype PALBA at a
// unit cost of 400 after 100,000 units, ALBA producing 100,000 more, batches of
// 100,000 and a cost factor of 0.81 per doubling (multiple 3): exponent
// ln 0.81 / ln 3 = -0.19181; (200,000 / 100,000)^-0.19181 = 0.87560; unit cost
// round(400 x 0.87560) = 350. Margins of 200, 300 and 400 thousandths average
// 30 %: the floor is 350 / 0.7 = 500 (give or take the binary fractions).
TEST_F(CheckFigures, DumpingFloorFromTheExperienceCurveAndTheMargins) {
    const TDataContext market1 = Context(kNorth, 1);
    for (auto [name, value] : {std::pair{"ExpEffReduc", 0.81}, {"ExpEffMult", 3.0}, {"ExpEffBatch", 100000.0},
                               {"MaxPriVar1", 0.999}})
        Industry().ConstPart().SetReal(kCategoryFtaMarket, market1, name, value);
    TCvPerData& results = Industry().PerResults(3);
    TSimArr* prototypes = results.FindSimArr(kCategoryFirmMarket, market1, "ProFins");
    prototypes->SetReal48({1, si::ProReqUC}, 400);
    prototypes->SetReal48({1, si::ProCumProd}, 100000);
    TSimArr* channels = results.FindSimArr(kCategoryFta, market1, "XFXRes");
    for (int channel = 1; channel <= 3; ++channel) channels->SetReal48({channel, si::Margin}, 100.0 + 100 * channel);
    TSimArr& mix = Decision("DecBrdCv3", kCategoryFirmFtaMarket, kNorth, 1);
    mix.SetReal48({kAlba, si::Production}, 100000);
    mix.SetReal48({kAlba, si::Price}, 501);
    EXPECT_TRUE(Keys(Errors()).empty());
    mix.SetReal48({kAlba, si::Price}, 499);
    const TQnInfos messages = Errors();
    ASSERT_EQ(Keys(messages), std::vector<std::string>{"ErrDumping"});
    EXPECT_EQ(messages[0].Lines.at(0), "The price of 499 is below the minimum of 500: a unit cost of 350 and an "
                                       "average distributor margin of 30 %.");
}

// Margins of 100 % leave nothing of the price to the firm: no floor is kept
// rather than a division by zero that would flag every price.
TEST_F(CheckFigures, FullDistributorMarginKeepsNoFloor) {
    TSimArr* channels = Industry().PerResults(3).FindSimArr(kCategoryFta, Context(kNorth), "XFXRes");
    for (int channel = 1; channel <= 3; ++channel) channels->SetReal48({channel, si::Margin}, 1000);
    EXPECT_TRUE(Keys(Errors()).empty());
}

TEST_F(CheckFigures, PriceExactlyAtTheLargestRiseIsAccepted) {
    Industry().ConstPart().SetReal(kCategoryFtaMarket, Context(kNorth, 1), "MaxPriVar1", 0.25);
    const TSimArr* report = Industry().PerResults(3).FindSimArr(kCategoryFirmFtaMarket, Context(kNorth, 1), "BrdRpt");
    const double previous = static_cast<double>(report->GetReal48({kAlba, si::brRPrice}));
    Decision("DecBrdCv3", kCategoryFirmFtaMarket, kNorth, 1).SetReal48({kAlba, si::Price}, previous * 1.25);
    EXPECT_TRUE(Keys(Errors()).empty());
}

TEST_F(CheckFigures, BrandsNotTakenAreListedByNameAndZone) {
    TSimArr& mix = Decision("DecBrdCv3", kCategoryFirmFtaMarket, kNorth, 1);
    mix.SetReal48({kAlba, si::BrdDecStatus}, 0);
    mix.SetReal48({kArno, si::BrdDecStatus}, 0);
    const TQnInfos messages = Status();
    ASSERT_EQ(messages.Count(), 1u);
    EXPECT_EQ(messages[0].Lines.at(0), "Brands not decided yet: ALBA (North), ARNO (North).");
}

// A brand of status 2 is neither taken nor missing: skipped by the checks.
TEST_F(CheckFigures, StatusWrittenForAllSomeOrNoneTaken) {
    TCheckDec checker(Industry(), Context(kNorth));
    TQnInfos messages;
    EXPECT_EQ(checker.CheckDecStatus(messages, Context(kNorth)), 1);
    EXPECT_EQ(NewDecs().GetSmallint(kCategoryFirm, Context(), "DecStatus"), dsAllTaken);
    NewDecs().SetSmallint(kCategoryFirmFta, Context(kNorth), "StudiesDecStatus", 0);
    EXPECT_EQ(checker.CheckDecStatus(messages, Context(kNorth)), 0);
    EXPECT_EQ(NewDecs().GetSmallint(kCategoryFirm, Context(), "DecStatus"), dsSomeTaken);
}

TEST_F(CheckFigures, RestrictedSalesForceIsNeitherMissingNorTaken) {
    NewDecs().SetSmallint(kCategoryFirmFta, Context(kNorth), "SlfDecStatus", 0);
    Restrict("RestrictEnabled", "rcDecisions", "NoSlf");
    EXPECT_TRUE(Keys(Status()).empty());
    // The administrator sees through every restriction.
    EXPECT_EQ(Keys(Status(true)), std::vector<std::string>{"SlfDecsNotYetTaken"});
}

TEST_F(CheckFigures, RestrictedProjectsAreNotListed) {
    Decision("PrjFins", kCategoryFirmMarket, 0, 1).SetReal48({1, si::ProDecStatus}, 0);
    Restrict("RestrictEnabled", "rcDecisions", "NoRnD");
    EXPECT_TRUE(Keys(Status()).empty());
    EXPECT_EQ(Keys(Status(true)), std::vector<std::string>{"PrjDecsNotYetTaken"});
}

// Amounts in thousands with the money unit: 1,234,567 is "K$ 1,235".
TEST_F(CheckFigures, AmountsInThousandsWithTheMoneyUnit) {
    EXPECT_EQ(TCheckDec::FormatUnits(1234567), "K$ 1,235");
}

}  // namespace
}  // namespace cv::test
