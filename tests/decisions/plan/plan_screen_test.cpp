// The plan screens through the dialog: values typed into the sheet are
// checked when the selection leaves them, stored when the tab is left, and
// the three buttons fill the plan; each screen names its market and zone.
#include <QPushButton>
#include <cmath>
#include <string>
#include <tuple>

#include "core/base/text_format.h"

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr int kLast = 4, kPlan = 6, kGrowth = 7;

void Click(TFoMktPlan& dialog, const char* button) {
    QTest::mouseClick(&Child<QPushButton>(dialog, button), Qt::LeftButton);
}

void Select(TFoMktPlan& dialog, int row, int column) {
    PlanDialogTest::Sheet(dialog).Model().SetActiveCell(row, column);
}

TEST_F(PlanDialogTest, SegmentSizesTypedAreCheckedAndStored) {
    WithDialog([this](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        const int r = plan.FirstRow() + 2;
        const double last = Cell(dialog, r, plan.Column(kLast));
        ASSERT_GT(last, 0);
        // -5 beeps and becomes 0; the growth follows: -100 %.
        Type(dialog, "-5");
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(Cell(dialog, r, plan.Column(kPlan)), 0);
        EXPECT_EQ(Cell(dialog, r, plan.Column(kGrowth)), -100);
        EXPECT_EQ(plan.CurRow(), r + 1) << "Enter moves down";
        // A growth of -150 % on the second segment: beep, plan 0, growth -100.
        Select(dialog, r + 1, plan.Column(kGrowth));
        Type(dialog, "-150");
        EXPECT_EQ(beeps, 2);
        EXPECT_EQ(Cell(dialog, r + 1, plan.Column(kPlan)), 0);
        EXPECT_EQ(Cell(dialog, r + 1, plan.Column(kGrowth)), -100);
        // A planned size of 0 cannot leave the tab.
        root.ui.messageBoxes.clear();
        EXPECT_EQ(GoToTab(dialog, 1), 0);
        ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
        EXPECT_EQ(root.ui.messageBoxes[0].key, "MktPlanSegSizes");
        // +10 % on the first: round(1.1 x last) thousands; 1,234 thousand on the second.
        Select(dialog, r, plan.Column(kGrowth));
        Type(dialog, "10");
        EXPECT_EQ(Cell(dialog, r, plan.Column(kPlan)), std::nearbyint(1.1 * last));
        Select(dialog, r + 1, plan.Column(kPlan));
        Type(dialog, "1,234");
        EXPECT_EQ(beeps, 2);
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        const TSimArr& sizes = PlanArray("MPSegSales");
        EXPECT_EQ(sizes.GetReal48({1}), std::nearbyint(1.1 * last) * 1000);
        EXPECT_EQ(sizes.GetReal48({2}), 1234000);
    });
}

TEST_F(PlanDialogTest, BrandSharesAndUnitsAreHeldWithinTheSegment) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        TMktPlanScr* plan = &Plan(dialog);
        const int r = plan->FirstRow() + 2, column = plan->Column(3);
        const double last = Cell(dialog, r - 1, column);
        // A share of 120 % is 100 % with a beep; the change below follows.
        Type(dialog, "120");
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(Cell(dialog, r, column), 100);
        EXPECT_DOUBLE_EQ(Cell(dialog, r + 1, column), 100 - last);
        // A change taking the share below 0: plan 0, change minus last period's share.
        Select(dialog, r + 1, column);
        Type(dialog, "-500");
        EXPECT_EQ(beeps, 2);
        EXPECT_EQ(Cell(dialog, r, column), 0);
        EXPECT_DOUBLE_EQ(Cell(dialog, r + 1, column), -last);
        // A change of +2 on last period's share.
        Select(dialog, r + 1, column);
        Type(dialog, "2");
        EXPECT_DOUBLE_EQ(Cell(dialog, r, column), last + 2);
        EXPECT_EQ(beeps, 2);

        // Units: no more than the segment's planned size.
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        plan = &Plan(dialog);
        const double segmentPlan = plan->SegSalesPlan(1);
        Type(dialog, "999999999");
        EXPECT_EQ(beeps, 3);
        EXPECT_EQ(Cell(dialog, r, column), segmentPlan);
        // Stored as units: all of segment 1 for ALBA.
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        EXPECT_EQ(PlanArray("MPBrdSegSales").GetReal48({1, 1}), segmentPlan);
    });
}

// A share is stored as units of the segment's planned size: a later change of
// the size shows another share but keeps the units.
TEST_F(PlanDialogTest, ChangingASegmentSizeKeepsTheBrandsUnits) {
    const long double units = PlanArray("MPBrdSegSales").GetReal48({1, 1});
    ASSERT_GT(units, 0);
    WithDialog([this, units](TFoMktPlan& dialog) {
        TMktPlanScr& sizes = Plan(dialog);
        const double size = Cell(dialog, sizes.FirstRow() + 2, sizes.Column(kPlan));
        Type(dialog, std::to_string(static_cast<long long>(2 * size)));
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        TMktPlanScr& shares = Plan(dialog);
        // Half the share of a segment twice the size.
        EXPECT_NEAR(Cell(dialog, shares.FirstRow() + 2, shares.Column(3)), 100 * units / (2 * size * 1000), 0.0001);
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        EXPECT_NEAR(PlanArray("MPBrdSegSales").GetReal48({1, 1}), units, 1);
    });
}

TEST_F(PlanDialogTest, ChannelSharesAreHeldWithin0And100) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        TMktPlanScr& plan = Plan(dialog);
        const int r = plan.FirstRow() + 2, column = plan.Column(4);
        Type(dialog, "150");
        EXPECT_EQ(Cell(dialog, r, column), 100);
        Type(dialog, "-3");
        EXPECT_EQ(Cell(dialog, r + 1, column), 0);
        EXPECT_EQ(beeps, 2);
        Type(dialog, "0");
        EXPECT_EQ(Cell(dialog, r + 3, column), 100) << "the SUM row";
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        const TSimArr& shares = PlanArray("MPBrdChaSales");
        EXPECT_EQ(shares.GetReal48({1, 1}), 100000);
        EXPECT_EQ(shares.GetReal48({1, 2}), 0);
        EXPECT_EQ(shares.GetReal48({1, 3}), 0);
    });
}

TEST_F(PlanDialogTest, SameAsLastPeriodFillsEveryPlanScreen) {
    WithDialog([this](TFoMktPlan& dialog) {
        TMktPlanScr* plan = &Plan(dialog);
        Click(dialog, "BBSameLastPer");
        for (int s = 1; s <= 3; ++s) {
            const int row = plan->FirstRow() + 1 + s;
            EXPECT_EQ(Cell(dialog, row, plan->Column(kPlan)), Cell(dialog, row, plan->Column(kLast)));
            EXPECT_EQ(Cell(dialog, row, plan->Column(kGrowth)), 0);
        }
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        plan = &Plan(dialog);
        Click(dialog, "BBSameLastPer");
        for (int b = 1; b <= 3; ++b)
            for (int s = 1; s <= 3; ++s) {
                const int planRow = plan->FirstRow() + 3 * b - 1;
                EXPECT_EQ(Cell(dialog, planRow, plan->Column(2 + s)), Cell(dialog, planRow - 1, plan->Column(2 + s)));
                EXPECT_EQ(Cell(dialog, planRow + 1, plan->Column(2 + s)), 0);
            }
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        plan = &Plan(dialog);
        Click(dialog, "BBSameLastPer");
        for (int b = 1; b <= 3; ++b)
            EXPECT_NEAR(Cell(dialog, plan->FirstRow() + 5, plan->Column(3 + b)), 100, 1e-9) << b;
        // ALTO is new in the decision period: all its sales in the last channel.
        EXPECT_EQ(Sheet(dialog).Model().Text(plan->FirstRow() + 1, plan->Column(6)), "ALTO");
        EXPECT_EQ(Cell(dialog, plan->FirstRow() + 2, plan->Column(6)), 0);
        EXPECT_EQ(Cell(dialog, plan->FirstRow() + 3, plan->Column(6)), 0);
        EXPECT_EQ(Cell(dialog, plan->FirstRow() + 4, plan->Column(6)), 100);
        EXPECT_EQ(beeps, 0);
    });
}

TEST_F(PlanDialogTest, MarketForecastTakesTheStudysSegmentSizes) {
    TCvInd& industry = *Session->Industry();
    TSimArr* orders =
        industry.PerDecisions(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "DecStuMkt");
    ASSERT_NE(orders, nullptr);
    const TSimArr* sizes =
        industry.PerResults(industry.CurPeriod()).FindSimArr(kCategoryFtaMarket, PlanContext(), "SegSizes");
    ASSERT_NE(sizes, nullptr);
    WithDialog([&](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        const int r = plan.FirstRow() + 2;
        const double before = Cell(dialog, r, plan.Column(kPlan));
        SetElement(*orders, {si::MarketForecast}, 0);
        root.ui.messageBoxes.clear();
        Click(dialog, "BBSameMktForeCast");
        ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
        EXPECT_EQ(root.ui.messageBoxes[0].key, "NoMarketForecast");
        EXPECT_EQ(Cell(dialog, r, plan.Column(kPlan)), before);
        SetElement(*orders, {si::MarketForecast}, 1);
        Click(dialog, "BBSameMktForeCast");
        EXPECT_EQ(root.ui.messageBoxes.size(), 1u);
        for (int s = 1; s <= 3; ++s)
            EXPECT_DOUBLE_EQ(Cell(dialog, r + s - 1, plan.Column(kPlan)),
                             std::nearbyint(sizes->GetReal48({s, si::StuSizeP1}) / 1000));
    });
}

// The planned sizes are whole thousands, and their total is the sum of the
// sizes shown, with thousands separators, the same when the plan is opened
// again: the market forecast's sizes are taken to the nearest thousand.
TEST_F(PlanDialogTest, SmallScreenSegmentTotalIsTheSumOfTheSizesShown) {
    TCvInd& industry = *Session->Industry();
    TSimArr* orders =
        industry.PerDecisions(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "DecStuMkt");
    ASSERT_NE(orders, nullptr);
    SetElement(*orders, {si::MarketForecast}, 1);
    const auto number = [](std::string text) {
        std::erase(text, ThousandsSeparator());
        return std::stod(text);
    };
    std::string total;
    WithDialog([&](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        Click(dialog, "BBSameMktForeCast");
        const TSheetModel& model = Sheet(dialog).Model();
        const int first = plan.FirstRow() + 2, footer = first + 3;  // three segments in market 1
        double sum = 0;
        for (int r = first; r < footer; ++r) {
            EXPECT_EQ(Cell(dialog, r, plan.Column(kPlan)), std::nearbyint(Cell(dialog, r, plan.Column(kPlan)))) << r;
            sum += number(model.Text(r, plan.Column(kPlan)));
        }
        total = model.Text(footer, plan.Column(kPlan));
        EXPECT_EQ(total, FormatThousands(sum, 0));
        EXPECT_EQ(model.Text(footer, plan.Column(kLast)),
                  FormatThousands(Cell(dialog, footer, plan.Column(kLast)), 0));
        SaveScreenshotOfRunningTest(dialog);
        Click(dialog, "BBClose");
    });
    WithDialog([&](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        EXPECT_EQ(Sheet(dialog).Model().Text(plan.FirstRow() + 5, plan.Column(kPlan)), total);
    });
}

// Each brand's total of last period, plan and change reads as its segments'
// figures do: in units with thousands separators, in percent its share of the
// market with one decimal; its change signed (three segments: the total in
// column 3 + 3 + 1).
TEST_F(PlanDialogTest, SmallScreenBrandTotalsReadAsTheirSegmentsFigures) {
    WithDialog([](TFoMktPlan& dialog) {
        for (const auto& [tab, decimals, unit] : {std::tuple{1, 1, "%"}, std::tuple{2, 0, ""}}) {
            ASSERT_EQ(GoToTab(dialog, tab), tab);
            TMktPlanScr& plan = Plan(dialog);
            const TSheetModel& model = Sheet(dialog).Model();
            const int total = plan.Column(7);
            for (int row = plan.FirstRow() + 1; row <= plan.FirstRow() + 3; ++row) {
                const double value = Cell(dialog, row, total);
                const std::string sign = value >= 0 && row == plan.FirstRow() + 3 ? "+" : "";
                EXPECT_EQ(model.Text(row, total), sign + FormatThousands(value, decimals) + unit) << tab << " " << row;
            }
            test::SaveScreenshot(dialog, "PlanDialogTest_BrandTotalsOfTab" + std::to_string(tab));
        }
        ASSERT_GE(Cell(dialog, Plan(dialog).FirstRow() + 1, Plan(dialog).Column(7)), 1000)
            << "a total with a separator to show";
    });
}

// Shopping habits made by hand: segment s buys only in channel s, so each
// brand's channels take its planned sales of the segments in their order.
TEST_F(PlanDialogTest, EstimateSplitsThePlannedSalesByShoppingHabits) {
    TCvInd& industry = *Session->Industry();
    TSimArr* habits =
        industry.PerResults(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "MostRecentStuBH");
    TSimArr* orders =
        industry.PerDecisions(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "DecStuMkt");
    ASSERT_NE(habits, nullptr);
    ASSERT_NE(orders, nullptr);
    WithDialog([&](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        TMktPlanScr& plan = Plan(dialog);
        const int r = plan.FirstRow() + 2;
        const double before = Cell(dialog, r, plan.Column(4));
        for (int s = 1; s <= 3; ++s)
            for (int c = 1; c <= 3; ++c) SetElement(*habits, {s, c}, 0);
        root.ui.messageBoxes.clear();
        Click(dialog, "BBBrdSalesEstim");
        ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
        EXPECT_EQ(root.ui.messageBoxes[0].key, "NeverShoppingHabits");
        EXPECT_EQ(Cell(dialog, r, plan.Column(4)), before);

        for (int s = 1; s <= 3; ++s) SetElement(*habits, {s, s}, 1000);
        SetElement(*orders, {si::ConsumerSurvey}, 0);
        Click(dialog, "BBBrdSalesEstim");
        ASSERT_EQ(root.ui.messageBoxes.size(), 2u);
        EXPECT_EQ(root.ui.messageBoxes[1].key, "NoShoppingHabits");
        const TSimArr& planned = PlanArray("MPBrdSegSales");
        for (int b = 1; b <= 3; ++b) {
            const double total = planned.GetReal48({b, 1}) + planned.GetReal48({b, 2}) + planned.GetReal48({b, 3});
            for (int c = 1; c <= 2; ++c)
                EXPECT_NEAR(Cell(dialog, r + c - 1, plan.Column(3 + b)), 100 * planned.GetReal48({b, c}) / total, 1e-9);
            EXPECT_NEAR(Cell(dialog, r + 3, plan.Column(3 + b)), 100, 1e-9);
        }
    });
}

// The same markets recur in each zone: every plan screen names the zone
// chosen on the bar under its title.
TEST_F(PlanDialogTest, EachPlanScreenNamesTheZoneOnTheBarSmallScreen) {
    ChooseZoneOnBar(2);
    ASSERT_EQ(page->Data.SelFta, 2);
    WithDialog([](TFoMktPlan& dialog) {
        for (int tab = 0; tab <= 3; ++tab) {
            ASSERT_EQ(GoToTab(dialog, tab), tab);
            const TCaptionBlock& captions = Sheet(dialog).Captions();
            EXPECT_EQ(captions.noteLines, std::vector<std::string>{"Market M1 of zone SOUTH, period 4"}) << tab;
        }
        EXPECT_EQ(Sheet(dialog).Captions().titleLines,
                  std::vector<std::string>{"Marketing plan of firm A: brand sales by channel"});
        test::SaveScreenshot(dialog, "PlanDialogTest_SouthZone");
    });
}

// Team A markets nothing in market 3: one line says so, no button shows, and
// leaving the tab writes no plan.
TEST_F(PlanDialogTest, AMarketWithoutBrandsHasNothingToPlan) {
    page->Data.SelMarket = 3;
    TCvInd& industry = *Session->Industry();
    TCvPerData& decisions = industry.PerDecisions(industry.DecPeriod());
    const TSimArr* before = decisions.FindSimArr(kCategoryFirmFtaMarket, PlanContext(3), "MPSegSales");
    const std::vector<long double> sizes =
        before ? std::vector<long double>{before->GetReal48({1}), before->GetReal48({2})} : std::vector<long double>{};
    WithDialog([&](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        EXPECT_EQ(plan.Context().SelMarket, 3);
        EXPECT_TRUE(plan.IsEmpty());
        const std::string line = Sheet(dialog).Model().Text(plan.FirstRow(), plan.Column(1));
        EXPECT_EQ(line, "Firm A markets no brand in market M3 of zone NORTH: there is nothing to plan.");
        for (const char* button : {"BBSameLastPer", "BBSameMktForeCast", "BBBrdSalesEstim"})
            EXPECT_FALSE(Child<QPushButton>(dialog, button).isVisible()) << button;
        EXPECT_EQ(GoToTab(dialog, 3), 3);
        EXPECT_TRUE(dialog.Screen()->IsEmpty());
    });
    const TSimArr* after = decisions.FindSimArr(kCategoryFirmFtaMarket, PlanContext(3), "MPSegSales");
    EXPECT_EQ(after == nullptr, before == nullptr);
    if (after) {
        EXPECT_EQ((std::vector<long double>{after->GetReal48({1}), after->GetReal48({2})}), sizes);
    }
}

}  // namespace
}  // namespace cv::test
