// The figures the plan screens derive from what is typed and stored: the
// segments' total growth, a brand's share of the whole market, last period's
// shares against segments rounded to thousands, and a brand's margin over
// its channel split.
#include <cmath>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr int kSegments = 3;

class PlanFiguresTest : public PlanDialogTest {
protected:
    TSimArr& LastPeriodResults(int category, const char* name) {
        TCvInd& industry = *Session->Industry();
        TSimArr* array = industry.PerResults(industry.CurPeriod()).FindSimArr(category, PlanContext(), name);
        EXPECT_NE(array, nullptr) << name;
        return *array;
    }
    // The brand's index in last period's brand names of the market.
    int LastPeriodBrand(const std::string& name) {
        const TSimArr& names = LastPeriodResults(kCategoryFtaMarket, "BrdNames");
        for (int k = names.LB(1); k <= names.UB(1); ++k)
            if (names.GetZts({k}) == name) return k;
        return 0;
    }
};

// The footer's growth is that of the segments' totals, not the mean of their
// growths: the first segment doubled, the others kept, grows the market by
// the first segment's part of it.
TEST_F(PlanFiguresTest, SegmentFooterGrowsByTheTotals) {
    WithDialog([](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        const int first = plan.FirstRow() + 2, footer = first + kSegments;
        const int lastColumn = plan.Column(4), planColumn = plan.Column(6), growthColumn = plan.Column(7);
        double lastTotal = 0;
        for (int s = 0; s < kSegments; ++s) lastTotal += Cell(dialog, first + s, lastColumn);
        const double firstLast = Cell(dialog, first, lastColumn);
        ASSERT_GT(firstLast, 0);
        ASSERT_LT(firstLast, lastTotal);
        for (int s = 0; s < kSegments; ++s) {
            const double planned = (s == 0 ? 2 : 1) * Cell(dialog, first + s, lastColumn);
            Type(dialog, std::to_string(static_cast<long long>(planned)));
        }
        EXPECT_EQ(Cell(dialog, footer, lastColumn), lastTotal);
        EXPECT_EQ(Cell(dialog, footer, planColumn), lastTotal + firstLast);
        EXPECT_NEAR(Cell(dialog, footer, growthColumn), firstLast / lastTotal * 100, 1e-9);
        SaveScreenshotOfRunningTest(dialog);
    });
}

// A brand's total in percent is its planned units over the planned market:
// 100 x sum of its units / sum of the segment sizes, to 0.0001 %. (Leaving the
// sizes' tab stores them as shown, in whole thousands: they are read after.)
TEST_F(PlanFiguresTest, BrandTotalIsItsShareOfThePlannedMarket) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        const TSimArr& sizes = PlanArray("MPSegSales");
        const TSimArr& units = PlanArray("MPBrdSegSales");
        double market = 0;
        for (int s = 1; s <= kSegments; ++s) market += static_cast<double>(sizes.GetReal48({s}));
        ASSERT_GT(market, 0);
        const auto brandUnits = [&units](int brand) {
            double sum = 0;
            for (int s = 1; s <= kSegments; ++s) sum += static_cast<double>(units.GetReal48({brand, s}));
            return sum;
        };
        TMktPlanScr& plan = Plan(dialog);
        const int total = plan.Column(kSegments + 4);
        for (int b = 1; b <= 3; ++b)
            EXPECT_NEAR(Cell(dialog, plan.FirstRow() + 3 * b - 1, total), 100 * brandUnits(b) / market, 0.0002) << b;
        // Half of the first segment for ALBA, typed.
        const double firstSegment = static_cast<double>(sizes.GetReal48({1}));
        const double albaOthers = brandUnits(1) - static_cast<double>(units.GetReal48({1, 1}));
        Type(dialog, "50");
        EXPECT_NEAR(Cell(dialog, plan.FirstRow() + 2, total), 100 * (firstSegment / 2 + albaOthers) / market, 0.0002);
        SaveScreenshotOfRunningTest(dialog);
    });
}

// Last period's shares are taken of each segment's sales rounded to
// thousands: ALBA and another brand sold 5,200 units each in the first
// segment, 10,400 in all, shown as 10 thousand; ALBA's share is 5,200 of
// 10,000: 52 %, not 50 %.
TEST_F(PlanFiguresTest, LastPeriodSharesAreOfSegmentsRoundedToThousands) {
    TSimArr& sales = LastPeriodResults(kCategoryFtaMarket, "BrdUSales");
    const int alba = LastPeriodBrand("ALBA");
    ASSERT_GT(alba, 0);
    const int other = alba == sales.LB(1) ? alba + 1 : sales.LB(1);
    for (int k = sales.LB(1); k <= sales.UB(1); ++k)
        for (int c = sales.LB(3); c <= sales.UB(3); ++c) sales.SetReal48({k, 1, c}, 0);
    sales.SetReal48({alba, 1, sales.LB(3)}, 5200);
    sales.SetReal48({other, 1, sales.LB(3)}, 5200);
    WithDialog([](TFoMktPlan& dialog) {
        TMktPlanScr& sizes = Plan(dialog);
        EXPECT_EQ(Cell(dialog, sizes.FirstRow() + 2, sizes.Column(4)), 10) << "thousands";
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        TMktPlanScr& shares = Plan(dialog);
        ASSERT_EQ(Sheet(dialog).Model().Text(shares.FirstRow() + 2, shares.Column(1)), "ALBA");
        EXPECT_DOUBLE_EQ(Cell(dialog, shares.FirstRow() + 1, shares.Column(3)), 52);
        SaveScreenshotOfRunningTest(dialog);
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        EXPECT_DOUBLE_EQ(Cell(dialog, Plan(dialog).FirstRow() + 1, Plan(dialog).Column(3)), 5200);
    });
}

// A brand's margin over its channels weighs each channel's margin (last
// period's, in thousandths) by the brand's share of sales there.
TEST_F(PlanFiguresTest, BrandMarginWeighsTheChannelMarginsBySales) {
    const TSimArr& channels = LastPeriodResults(kCategoryFta, "XFXRes");
    std::vector<double> margins;
    for (int c = 1; c <= 3; ++c) margins.push_back(static_cast<double>(channels.GetReal48({c, si::Margin})) / 1000);
    ASSERT_NE(margins[0], margins[2]) << "the weights must matter";
    WithDialog([&margins](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        TMktPlanScr& plan = Plan(dialog);
        const int column = plan.Column(4);
        for (const char* share : {"20", "30", "50"}) Type(dialog, share);
        EXPECT_EQ(Cell(dialog, plan.FirstRow() + 5, column), 100) << "the SUM row";
        EXPECT_NEAR(Cell(dialog, plan.FirstRow() + 6, column), 20 * margins[0] + 30 * margins[1] + 50 * margins[2],
                    1e-9);
        SaveScreenshotOfRunningTest(dialog);
    });
}

}  // namespace
}  // namespace cv::test
