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

using test::CellText;

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
        return TCVScreen::Create<TDecSummary>(owner.get(), context, kind, 18, 0, 0, kWindowMode);
    }

    void CheckSegmentRows(int segments, int firstRow);

    test::ScreenData data;
    TSimArr* mix = nullptr;
    TSimArr* segmentTargets = nullptr;
};

// Segments of the first zone and market, and the first segment row:
// H+7 + (5 - segments) div 2.
void DecSummaryTest::CheckSegmentRows(int segments, int firstRow) {
    ReopenWithSeriesChanged([&](TCvData& industry) {
        TSeries& series = *industry.FindSeries("SegNorthM1");
        std::vector<std::string> labels;
        for (int s = 1; s <= segments; ++s) labels.push_back("S" + std::to_string(s));
        series.Assign(TSeries(series.Id(), series.Name(), 1, labels));
    });
    SetBrands(1, "B", 1);
    // Segment s targeted at 10 s %.
    for (int s = 1; s <= segments; ++s) segmentTargets->SetReal48({1, s}, s / 10.0);
    auto screen = Screen(1, FreeFirm());
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    if (firstRow > 7) {
        EXPECT_EQ(CellText(table, h + firstRow - 1, 5), "");
    }
    for (int s = 1; s <= segments; ++s) EXPECT_EQ(CellText(table, h + firstRow + s - 1, 5), std::to_string(10 * s));
    EXPECT_EQ(CellText(table, h + firstRow + segments, 5), "");
}

TEST_F(DecSummaryTest, ThreeSegmentsFillTheMiddleRows) { CheckSegmentRows(3, 8); }
TEST_F(DecSummaryTest, FourSegmentsStartAtTheFirstRow) { CheckSegmentRows(4, 7); }
TEST_F(DecSummaryTest, FiveSegmentsFillEveryRow) { CheckSegmentRows(5, 7); }

TEST_F(DecSummaryTest, PerceptualObjectives) {
    SetBrands(1, "B", 2);
    // Brand 1: a map objective of 12.5 on axis 2; brand 2: no objective at all.
    mix->SetReal48({1, si::CoType}, 1);
    mix->SetReal48({1, si::CoSOrP1}, 2);
    mix->SetReal48({1, si::CoVal1}, 12.5);
    auto screen = Screen(1, FreeFirm());
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h + 13, 5), "Performance");
    EXPECT_EQ(CellText(table, h + 14, 5), "12.5");
    EXPECT_EQ(CellText(table, h + 14, 4), "position");
    EXPECT_EQ(CellText(table, h + 15, 5), "None");  // second dimension 0
    EXPECT_EQ(CellText(table, h + 16, 5), "-");
    EXPECT_EQ(CellText(table, h + 13, 6), "None");
    EXPECT_EQ(CellText(table, h + 14, 6), "-");
}

TEST_F(DecSummaryTest, FifteenBrandsKeepTheirRowsAndTheTotalSumsThemAll) {
    SetBrands(1, "M1B", 8);
    SetBrands(2, "M2B", 7);
    auto screen = Screen(2, FreeFirm());
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h + 3, 2), "M1B1");
    EXPECT_EQ(CellText(table, h + 17, 2), "M2B7");  // the fifteenth brand row
    EXPECT_EQ(CellText(table, h + 18, 2), "TOTAL");
    EXPECT_EQ(CellText(table, h + 18, 5), "15");  // 15 brands x 1 %
}

TEST_F(DecSummaryTest, ABudgetDecreaseShowsAsAPositiveAmount) {
    const TSimArr* sampleTerms = Session->Industry()->PerDecisions(3).FindSimArr(kCategoryFirm, Context(3), "LoanVal");
    ASSERT_NE(sampleTerms, nullptr);
    TSimArr& terms = data.Reals(Session->Industry()->PerDecisions(3), kCategoryFirm, FreeFirm(), "LoanVal", {si::LoanTerms});
    terms.SetReal48({si::BgtChg}, -250000);
    terms.SetReal48({si::LoanDur}, 4);
    terms.SetReal48({si::LoanIR}, 850);
    auto screen = Screen(5, FreeFirm());
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h + 2, 5), "0");
    EXPECT_EQ(CellText(table, h + 3, 5), "250");
    EXPECT_EQ(CellText(table, h + 6, 5), "4");
    EXPECT_EQ(CellText(table, h + 7, 5), "8.5");
}

TEST_F(DecSummaryTest, RestrictedStudiesGetNoRowAndTheirRowsStayDashes) {
    auto screen = Screen(4, Context(3));
    const TQNTable& table = *screen->Table();
    const int firstBody = table.OriginRow() + 2;
    // One zone-level and eleven market-level studies; the sample restricts
    // the conjoint analysis and hides the sales-force experiment.
    for (int row = firstBody; row < firstBody + 12; ++row) {
        EXPECT_NE(CellText(table, row, 3), "Conjoint analysis");
        EXPECT_NE(CellText(table, row, 3), "Sales force experiment");
    }
    EXPECT_EQ(CellText(table, firstBody, 3), "Benchmark");
    EXPECT_EQ(CellText(table, firstBody + 9, 3), "Advertising experiment");
    EXPECT_EQ(CellText(table, firstBody + 10, 7), "-");
    EXPECT_EQ(CellText(table, firstBody + 11, 9), "-");
    EXPECT_EQ(CellText(table, firstBody + 12, 7), "");  // nothing below the body
}

TEST_F(DecSummaryTest, OneMarketPutsEveryOrderInOneColumn) {
    OpenOneMarketVariant();
    auto screen = Screen(4, Context(3));
    const TQNTable& table = *screen->Table();
    const int h = table.OriginRow();
    EXPECT_EQ(CellText(table, h, 4), "Ordered");
    EXPECT_EQ(CellText(table, h + 1, 3), "Benchmark");
    EXPECT_NE(CellText(table, h + 2, 5), "-");  // the consumer survey's order, in column 5
}

TEST_F(DecSummaryTest, AnUnknownKindBuildsNothing) {
    EXPECT_EQ(Screen(6, Context(3))->Table(), nullptr);
    EXPECT_EQ(root.ui.plainBoxes.back(), "Unknown decision summary screen 6");
}

}  // namespace
}  // namespace cv
