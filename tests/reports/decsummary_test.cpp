// The past-decision summaries at period 3: the sample's own study orders of
// firm A, and chosen decisions of a firm whose cells the sample leaves free.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/reports/support/screen_data.h"

namespace cv {
namespace {

class DecSummaryTest : public test::ResultsTest {
protected:
    TDataContext FreeFirm(int market = 1) const {
        TDataContext context = Context(3);
        context.SelFirm = test::kFreeFirm;
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    // Count brands named Prefix1.. in Market's decisions of the free firm.
    void SetBrands(int market, const std::string& prefix, int count) {
        TCvPerData& decisions = Session->Industry()->PerDecisions(3);
        const TDataContext context = FreeFirm(market);
        const TSeries& brands = data.Numbered(prefix, count);
        decisions.SetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds", static_cast<std::int16_t>(count));
        TSimArr& portfolio = data.Texts(decisions, kCategoryFirmFtaMarket, context, "DecBrdPort", {&brands, si::DecBrdPort});
        for (int j = 1; j <= count; ++j) portfolio.SetZts({j, si::BrdName}, prefix + std::to_string(j));
        mix = &data.Reals(decisions, kCategoryFirmFtaMarket, context, "DecBrdCV3", {&brands, si::DecBrdCV3});
        TSimArr& allocation = data.Reals(decisions, kCategoryFirmFtaMarket, context, "SlfAlloc",
                                         {Session->Industry()->ChaSeries(1), &brands});
        for (int c = 1; c <= 3; ++c)
            for (int j = 1; j <= count; ++j) allocation.SetReal48({c, j}, 0.01);
        segmentTargets = &data.Reals(decisions, kCategoryFirmFtaMarket, context, "SegStrat",
                                     {&brands, Session->Industry()->SegSeries(1, market)});
    }
    std::unique_ptr<TDecSummary> Screen(int kind, const TDataContext& context) {
        return TCVScreen::Create<TDecSummary>(owner.get(), context, kind, kWindowLayout);
    }

    test::ScreenData data;
    TSimArr* mix = nullptr;
    TSimArr* segmentTargets = nullptr;
};

// The segments of the first zone and market fill rows 7 + (5 - segments) div 2
// on: three the middle rows, four and five from the first. Segment s is
// targeted at 10 s %.
class DecSummarySegmentsTest : public DecSummaryTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(DecSummarySegmentsTest, SegmentRowsFollowTheSegmentCount) {
    // Plain names, not a structured binding: the lambda below captures the count.
    const int segments = GetParam().first;
    const int firstRow = GetParam().second;
    ReopenWithSeriesChanged([&](TCvData& industry) {
        TSeries& series = *industry.FindSeries("SegNorthM1");
        std::vector<std::string> labels;
        for (int s = 1; s <= segments; ++s) labels.push_back("S" + std::to_string(s));
        series.Assign(TSeries(series.Id(), series.Name(), 1, labels));
    });
    SetBrands(1, "B", 1);
    for (int s = 1; s <= segments; ++s) segmentTargets->SetReal48({1, s}, s / 10.0);
    auto screen = Screen(1, FreeFirm());
    for (int s = 1; s <= segments; ++s) test::ExpectCells(*screen->Table(), {{firstRow + s - 1, 5, std::to_string(10 * s)}});
    test::ExpectCells(*screen->Table(), {{firstRow + segments, 5, ""}});
    if (firstRow > 7) test::ExpectCells(*screen->Table(), {{firstRow - 1, 5, ""}});
}

INSTANTIATE_TEST_SUITE_P(ThreeFourFive, DecSummarySegmentsTest,
                         ::testing::Values(std::pair{3, 8}, std::pair{4, 7}, std::pair{5, 7}));

TEST_F(DecSummaryTest, PerceptualObjectives) {
    SetBrands(1, "B", 2);
    // Brand 1: a map objective of 12.5 on axis 2; brand 2: no objective at all.
    mix->SetReal48({1, si::CoType}, 1);
    mix->SetReal48({1, si::CoSOrP1}, 2);
    mix->SetReal48({1, si::CoVal1}, 12.5);
    // Rows 13..16 of brand 1 (column 5) and brand 2 (column 6); the second dimension is 0.
    test::ExpectCells(*Screen(1, FreeFirm())->Table(), {{13, 5, "Performance"}, {14, 5, "12.5"}, {14, 4, "position"},
                                                        {15, 5, "None"}, {16, 5, "-"}, {13, 6, "None"}, {14, 6, "-"}});
}

// An objective stored on an axis the market lacks (M1's map has three) names
// none, as the mix dialog selects none for it; the other objective shows.
TEST_F(DecSummaryTest, AnObjectiveOnAnAxisTheMarketLacksShowsNone) {
    SetBrands(1, "B", 1);
    mix->SetReal48({1, si::CoType}, 1);
    mix->SetReal48({1, si::CoSOrP1}, 5);
    mix->SetReal48({1, si::CoVal1}, 10);
    mix->SetReal48({1, si::CoSOrP2}, 2);
    mix->SetReal48({1, si::CoVal2}, -4);
    test::ExpectCells(*Screen(1, FreeFirm())->Table(),
                      {{13, 5, "None"}, {14, 5, "-"}, {15, 5, "Performance"}, {16, 5, "-4.0"}});
}

TEST_F(DecSummaryTest, FifteenBrandsKeepTheirRowsAndTheTotalSumsThemAll) {
    SetBrands(1, "M1B", 8);
    SetBrands(2, "M2B", 7);
    // The fifteenth brand row, then the total of 15 brands x 1 %.
    test::ExpectCells(*Screen(2, FreeFirm())->Table(),
                      {{3, 2, "M1B1"}, {17, 2, "M2B7"}, {18, 2, "TOTAL"}, {18, 5, "15"}});
}

TEST_F(DecSummaryTest, ABudgetDecreaseShowsAsAPositiveAmount) {
    const TSimArr* sampleTerms = Session->Industry()->PerDecisions(3).FindSimArr(kCategoryFirm, Context(3), "LoanVal");
    ASSERT_NE(sampleTerms, nullptr);
    TSimArr& terms = data.Reals(Session->Industry()->PerDecisions(3), kCategoryFirm, FreeFirm(), "LoanVal", {si::LoanTerms});
    terms.SetReal48({si::BgtChg}, -250000);
    terms.SetReal48({si::LoanDur}, 4);
    terms.SetReal48({si::LoanIR}, 850);
    // Rows 2 budget increase, 3 decrease, 6 duration, 7 rate in percent.
    test::ExpectCells(*Screen(5, FreeFirm())->Table(), {{2, 5, "0"}, {3, 5, "250"}, {6, 5, "4"}, {7, 5, "8.5"}});
}

TEST_F(DecSummaryTest, OneMarketPutsEveryOrderInOneColumn) {
    OpenOneMarketVariant();
    auto screen = Screen(4, Context(3));
    test::ExpectCells(*screen->Table(), {{0, 4, "Ordered"}, {1, 3, "Benchmark"}});
    // The consumer survey's order, in column 5.
    EXPECT_NE(test::CellText(*screen->Table(), screen->Table()->OriginRow() + 2, 5), "-");
}

}  // namespace
}  // namespace cv
