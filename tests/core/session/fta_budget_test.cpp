#include "core/session/fta_budget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "tests/support/checks.h"
#include "tests/support/test_industry.h"
#include "tests/support/recording_ui.h"

namespace cv {
namespace {

constexpr int kFirmA = 1;
constexpr int kFirmE = 2;
constexpr int kNorth = 1;
constexpr int kM1 = 1;
constexpr int kM2 = 2;
constexpr int kM3 = 3;
constexpr int kDecisionPeriod = 4;
constexpr int kCurrentPeriod = 3;

// The sample with, in zone North, a money factor of exactly 1.25 for the decision period: exchange rate 1 (the
// sample's), cumulated "Salaries" inflation 0.25, the period's inflation and deflator 0, so 1 x 1.25 x (1 + 0 + 0).
class BudgetOnSample : public ::testing::Test {
protected:
    BudgetOnSample() {
        TCvPerData& constant = Ind().ConstPart();
        const TDataContext north = Context(kFirmA, kNorth);
        constant.GetSimArr(kCategoryFta, north, "Economics").SetReal48({kDecisionPeriod, si::InflationRate}, 0);
        constant.GetSimArr(kCategoryFta, north, "DeflatFacs").SetReal48({kDecisionPeriod, si::Salaries}, 0);
        constant.GetSimArr(kCategoryFta, north, "CumInflation").SetReal48({kDecisionPeriod, si::Salaries}, 0.25L);
        // Firing a North salesperson costs 12,004 x 1.25 = 15,005: odd, so that halves occur.
        constant.SetReal(kCategoryFta, north, "SlpFireCost", 12004);
        // Firm A's advertising: budget and quality share per brand (ALBA, ARNO, ALTO in M1; AMOR, AVEN in M2). Quality
        // and other advertising, halves to even: ALBA 1,000,002 each, ARNO 500,002 each, ALTO 750,000 and 2,250,000,
        // AMOR 1,125,000 and 375,000, AVEN 500,000 each; M1 6,000,008, M2 2,500,000, all 8,500,008.
        SetAdvertising(kM1, 1, 2000005, 0.5L);
        SetAdvertising(kM1, 2, 1000003, 0.5L);
        SetAdvertising(kM1, 3, 3000000, 0.25L);
        SetAdvertising(kM2, 1, 1500000, 0.75L);
        SetAdvertising(kM2, 2, 1000000, 0.5L);
    }

    TCvInd& Ind() { return sample_.Industry(); }
    static TDataContext Context(int firm, int zone) { return test::OpenSampleIndustry::Context(firm, zone); }
    static TDataContext Context(int firm, int zone, int market) {
        TDataContext context = Context(firm, zone);
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }

    TCvPerData& Decisions() { return Ind().PerDecisions(kDecisionPeriod); }
    TSimArr& DecisionArray(int category, const TDataContext& context, const char* name) {
        if (TSimArr* array = Decisions().FindSimArr(category, context, name)) return *array;
        throw std::logic_error(std::string("the sample lacks ") + name);
    }

    void SetAdvertising(int market, int brand, long double budget, long double quality) {
        TSimArr& mix = DecisionArray(kCategoryFirmFtaMarket, Context(kFirmA, kNorth, market), "DecBrdCV3");
        mix.SetReal48({brand, si::AdvertBgt}, budget);
        mix.SetReal48({brand, si::AdvertQual}, quality);
    }

    void SetNetBudget(int firm, int zone, long double budget) {
        Ind().PerResults(kCurrentPeriod).GetSimArr(kCategoryFirmFta, Context(firm, zone), "FFXRpt")
            .SetReal48({si::ffxNPB}, budget);
    }

    TFtaBudget& Recalculated(int firm, int zone) { return Recalculated(Context(firm, zone)); }
    TFtaBudget& Recalculated(const TDataContext& context) {
        budget_.Init(Ind(), context);
        budget_.Recalculate();
        return budget_;
    }

    test::RecordingUi ui_;
    test::OpenSampleIndustry sample_;
    TFtaBudget budget_;
};

// Firm A in the North, decision period 4, money factor F = 1.25.
// Sales force: new size N = 8 + 4 + 4 = 16, previous P = "ffxSlp" of period 3 = 9 + 4 + 4 = 17.
// Per person: salary 30,000 x 1.25 = 37,500; firing 15,005. Salaries 16 x 37,500 = 600,000, hiring 0,
// firing 1 x 15,005. Channel shares 8/16, 4/16, 4/16.
TEST_F(BudgetOnSample, SalesForceCostsAreSharedOverChannelsWithHalvesToEven) {
    EXPECT_EQ(Recalculated(kFirmA, kNorth).MoneyFactor(), 1.25);
    EXPECT_EQ(budget_.NbChannels(), 3);
    // Rows: channel 0 sums the channels; columns: total, salaries, hiring, firing.
    const std::pair<int, decltype(TFtaBudget::SlfCosts)> cases[] = {
        // Salaries: 300,000, 150,000, 150,000. Firing: 7,502.5 -> 7,502 (even), 3,751.25 -> 3,751 twice.
        {kFirmA, {{{615004, 600000, 0, 15004}, {307502, 300000, 0, 7502},
                   {153751, 150000, 0, 3751}, {153751, 150000, 0, 3751}}}},
        // Team E grows from 5 + 5 + 4 = 14 to 6 + 5 + 5 = 16: hiring 2 x 8,000 x 1.25 = 20,000 shared
        // 6/16, 5/16, 5/16 = 7,500, 6,250, 6,250; salaries 600,000 as 225,000, 187,500, 187,500; no firing.
        {kFirmE, {{{620000, 600000, 20000, 0}, {232500, 225000, 7500, 0},
                   {193750, 187500, 6250, 0}, {193750, 187500, 6250, 0}}}},
    };
    for (const auto& [firm, costs] : cases) EXPECT_EQ(Recalculated(firm, kNorth).SlfCosts, costs) << "firm " << firm;
}

TEST_F(BudgetOnSample, EmptyOrFirstSalesForceHasNoShareAndNoChange) {
    // A total new size of 0 gives 0 in every channel, although 17 people are fired.
    TSimArr& sizes = DecisionArray(kCategoryFirmFta, Context(kFirmA, kNorth), "SlfSize");
    for (int channel = 1; channel <= 3; ++channel) sizes.SetReal48({channel}, 0);
    const TFtaBudget& empty = Recalculated(kFirmA, kNorth);
    for (const auto& channel : empty.SlfCosts)
        for (std::int32_t cost : channel) EXPECT_EQ(cost, 0);
    EXPECT_EQ(empty.BrandCosts[0][0][bcSlfFiring], 0);

    // Before the first period (current period -1, decisions of period 0) the previous size is the new
    // one: a history report of 5 people does not make 17 - 5 hirings.
    TDataContext first = Context(kFirmA, kNorth);
    first.CurPeriod = -1;
    first.DecPeriod = 0;
    Ind().PerResults(-1).GetSimArr(kCategoryFirmFta, first, "FFXRpt").SetReal48({si::ffxSlp}, 5);
    const TFtaBudget& opening = Recalculated(first);
    EXPECT_EQ(opening.SlfCosts[0][scHiring], 0);
    EXPECT_EQ(opening.SlfCosts[0][scFiring], 0);
    EXPECT_GT(opening.SlfCosts[0][scSalaries], 0);
    // From period 0 on the report counts: 5 people in period 0's report make hirings.
    first.CurPeriod = 0;
    first.DecPeriod = 1;
    Ind().PerResults(0).GetSimArr(kCategoryFirmFta, first, "FFXRpt").SetReal48({si::ffxSlp}, 5);
    EXPECT_GT(Recalculated(first).SlfCosts[0][scHiring], 0);
}

// Studies at their price x 1.25. Firm A, period 4: the benchmark (firm + period odd) 40,000 -> 50,000. Market study s
// when s + 1 + market + 4 is a multiple of 3: M1 studies 3, 6, 9 (40,000, 20,000, 45,000 -> 50,000, 25,000, 56,250); M2
// studies 2, 5, 8, 11 (60,000 + 30,000 + 30,000 + 55,000 = 175,000 -> 218,750); M3 studies 1, 4, 7, 10 (50,000 +
// 25,000 + 35,000 + 45,000 = 155,000 -> 193,750). Projects keep their fractions and are not converted: M1 PAXIS
// 312,500.75 + PAVIA 180,000, M3 PVELA 150,000. Brand costs are advertising plus a fifth of the sales force
// (600,000 + 15,005) per brand: M1 6,000,008 + 3 x 123,001 = 6,369,011; M2 2,500,000 + 2 x 123,001 = 2,746,002.
TEST_F(BudgetOnSample, StudiesAndProjectsMakeTheMarketExpenses) {
    const TFtaBudget& budget = Recalculated(kFirmA, kNorth);
    EXPECT_EQ(budget.NbProjects[kM1], 2);
    EXPECT_EQ(budget.NbProjects[kM2], 0);
    EXPECT_EQ(budget.ProjectNames[kM1][1], "PAXIS");
    // Expenses: M1 6,369,011 + 492,500.75 + 131,250; M2 2,746,002 + 218,750; M3 150,000 + 193,750 = 343,750;
    // all 50,000 + the three: 10,351,263.75.
    // Every figure is a binary fraction, exact in a double.
    const auto& m1Studies = budget.MktStudyCosts[kM1];
    EXPECT_TRUE(test::AllEqual<double>(
        {{budget.StudyMoneyFactor(), 1.25}, {budget.FtaStudyCosts[1], 50000}, {budget.FtaStudyCosts[0], 50000},
         {m1Studies[3], 50000}, {m1Studies[6], 25000}, {m1Studies[9], 56250}, {m1Studies[1], 0}, {m1Studies[0], 131250},
         {budget.MktStudyCosts[kM2][0], 218750}, {budget.MktStudyCosts[kM3][0], 193750},
         {budget.MktStudyCosts[0][0], 543750}, {budget.ProjectCosts[kM1][1], 312500.75},
         {budget.ProjectCosts[kM1][0], 492500.75}, {budget.ProjectCosts[kM3][0], 150000},
         {budget.ProjectCosts[0][0], 642500.75}, {budget.MktExpenses[kM1], 6992761.75},
         {budget.MktExpenses[kM2], 2964752}, {budget.MktExpenses[kM3], 343750},
         {budget.MktExpenses[0], 10351263.75}}));
}

// Budget 10,000,000; loan 1,000,000 requested and not acknowledged. Balance 10,000,000 + 1,000,000
// + 0 - 10,351,263.75 = 648,736.25. All advertising: 8,500,008.
TEST_F(BudgetOnSample, BalanceAndTheSplitOfAnExcess) {
    SetNetBudget(kFirmA, kNorth, 10000000);
    const TFtaBudget& budget = Recalculated(kFirmA, kNorth);
    EXPECT_TRUE(test::AllEqual<double>({{budget.NetBudget, 10000000}, {budget.LoanCap, 1000000}, {budget.BgtChg, 0},
                                        {budget.LoanAck, 0}, {budget.BgtChgAck, 0}}));
    const struct {
        long double netBudget;
        double balance, advertCut, deficitLeft;
    } cases[] = {
        {10000000, 648736.25, 0, 0},
        // No budget: excess 10,351,263.75 - 1,000,000 = 9,351,263.75; advertising takes 8,500,008.
        {0, -9351263.75, 8500008, 851255.75},
        // An excess equal to all advertising: budget 9,351,263.75 - 8,500,008 = 851,255.75.
        {851255.75L, -8500008, 8500008, 0},
        // A balance of exactly 0 is no excess: nothing of the last split remains.
        {9351263.75L, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SetNetBudget(kFirmA, kNorth, c.netBudget);
        Recalculated(kFirmA, kNorth);
        EXPECT_TRUE(test::AllEqual<double>(
            {{budget.Balance, c.balance}, {budget.AdvertCut, c.advertCut}, {budget.DeficitLeft, c.deficitLeft},
             {budget.DeficitReserved, 0}}))
            << static_cast<double>(c.netBudget);
    }
}

TEST_F(BudgetOnSample, LimitsRaiseAndKeepTheLastFigures) {
    const TFtaBudget& budget = Recalculated(kFirmA, kNorth);
    const double balance = budget.Balance;

    // A sixth brand in a market: range check error, the figures stay those of the last run.
    Decisions().SetSmallint(kCategoryFirmFtaMarket, Context(kFirmA, kNorth, kM1), "NbMktedBrds", 6);
    EXPECT_THROW(budget_.Recalculate(), ERangeError);
    EXPECT_EQ(budget.Balance, balance);
    EXPECT_EQ(budget.NbBrands[kM1], 3);
    Decisions().SetSmallint(kCategoryFirmFtaMarket, Context(kFirmA, kNorth, kM1), "NbMktedBrds", 3);

    // A sixth project.
    Decisions().SetSmallint(kCategoryFirmMarket, Context(kFirmA, kNorth, kM1), "NbPrjs", 6);
    EXPECT_THROW(budget_.Recalculate(), ERangeError);
    Decisions().SetSmallint(kCategoryFirmMarket, Context(kFirmA, kNorth, kM1), "NbPrjs", 2);

    // Two brands of 2,000,000,000 of advertising exceed a 32-bit total.
    SetAdvertising(kM1, 1, 2000000000, 0);
    SetAdvertising(kM1, 2, 2000000000, 0);
    EXPECT_THROW(budget_.Recalculate(), EOverflowError);
    EXPECT_EQ(budget.Balance, balance);

    // A fourth channel in the zone: Init refuses it and keeps its binding.
    Ind().ChaSeries(kNorth)->InsertLabel(3, "Kiosk");
    EXPECT_THROW(budget_.Init(Ind(), Context(kFirmA, kNorth)), ERangeError);
    EXPECT_EQ(budget_.NbChannels(), 3);

    // A zone the industry does not have.
    EXPECT_THROW(budget_.Init(Ind(), Context(kFirmA, 3)), ERangeError);
}

// A North salesperson costs a salary of 30,000 x 1.25 = 37,500, and a hiring of 8,000 x 1.25 = 10,000 but
// for the 17 employed now: N people cost 47,500 N - 170,000. One figure holds 2,147,483,647: 45,213 people
// (2,147,447,500); one more passes it (2,147,495,000).
TEST_F(BudgetOnSample, ASalesForceIsCostedUpToWhatOneFigureHolds) {
    Ind().ConstPart().SetReal(kCategoryFta, Context(kFirmA, kNorth), "SlpBaseCost", 30000);
    Ind().ConstPart().SetReal(kCategoryFta, Context(kFirmA, kNorth), "SlpHireCost", 8000);
    budget_.Init(Ind(), Context(kFirmA, kNorth));
    // That many in one channel, nobody in the others and no advertising: the budget costs it.
    TSimArr& sizes = DecisionArray(kCategoryFirmFta, Context(kFirmA, kNorth), "SlfSize");
    for (int channel = 1; channel <= 3; ++channel) sizes.SetReal48({channel}, channel == 1 ? 45213 : 0);
    for (const auto& [market, brand] : {std::pair{kM1, 1}, {kM1, 2}, {kM1, 3}, {kM2, 1}, {kM2, 2}})
        SetAdvertising(market, brand, 0, 0);
    EXPECT_NO_THROW(budget_.Recalculate());
    const std::int32_t carried = budget_.SlfCosts[0][0];
    EXPECT_EQ(carried, 2147447500);
    sizes.SetReal48({1}, 45214);
    EXPECT_ANY_THROW(budget_.Recalculate());
    EXPECT_EQ(budget_.SlfCosts[0][0], carried) << "the figures of the force carried";
}

TEST_F(BudgetOnSample, AFirmWithoutDataRaisesTheFirstArrayMissingAndKeepsTheFigures) {
    // Firm 5 has no cell in the sample: the first array the budget reads is
    // named, no box is shown, and the figures worked out before stay.
    const double balance = Recalculated(kFirmA, kNorth).Balance;
    EXPECT_EQ(test::ErrorText<EDataError>([&] { Recalculated(5, kNorth); }),
              "array FFXRpt missing in the results of period 3, firm 5, zone 1");
    EXPECT_EQ(budget_.Balance, balance);
    EXPECT_TRUE(ui_.errorBoxes.empty());
}

}  // namespace
}  // namespace cv
