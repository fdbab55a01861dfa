// The marketing-plan dialog on the "complete" sample: its tabs, when the model
// runs, what the forecast tabs show, and what keeps the dialog on a tab.
#include <QPushButton>
#include <QTabBar>
#include <set>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/results/brand_result.h"
#include "reports/results/firm_result.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/screen_fit_check.h"
#include "tests/ui/support/window_test.h"
#include "ui/help_state.h"
#include "ui/screen_room.h"

namespace cv::test {
namespace {

// The brand contribution statement: rows below its first row, brands from column 6.
constexpr int kUnitsSoldRow = 3;
constexpr int kRevenueRow = 6;
constexpr int kContributionRow = 20;
constexpr int kFirstBrandColumn = 6;
constexpr int kTeamA = 1;

// The program's own decisions page opens the plan from its button.
TEST_F(DecisionPageTest, ThePlanButtonOpensTheMarketingPlan) {
    ShowPage(sample::TSampleDecisions::Complete);
    QPushButton& button = Child<QPushButton>(*page, "BBMktPlan");
    ASSERT_TRUE(button.isEnabled());
    std::string shown;
    WhenModalShown inspect([&](QWidget& dialog) {
        shown = dialog.objectName().toStdString();
        EXPECT_EQ(dialog.windowTitle(), "Marketing plan");
        EXPECT_EQ(page->PressedButton(), TDecisionArea::MarketingPlan);
        EXPECT_EQ(HelpState().HelpContext, 36);
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(shown, "FoMktPlan");
    EXPECT_EQ(page->Data.CurPeriod, Session->Industry()->CurPeriod());
}

TEST_F(PlanDialogTest, OpensOnTheSegmentSizesOfThePagesMarket) {
    WithDialog([this](TFoMktPlan& dialog) {
        EXPECT_EQ(Tabs(dialog).count(), 6);
        EXPECT_EQ(Tabs(dialog).tabText(4), "Brand forecast");
        EXPECT_EQ(dialog.ShownKind(), 1);
        EXPECT_TRUE(dialog.PlanChanged);
        TMktPlanScr& plan = Plan(dialog);
        EXPECT_EQ(plan.Kind(), TPlanScreenKind::SegmentSizes);
        EXPECT_EQ(plan.Context().SelMarket, 1);
        EXPECT_EQ(plan.Context().CurPeriod, page->Data.SelPeriod) << "last period's figures beside the plan";
        // Three segments in market 1, each plan in thousands as stored.
        const TSimArr& sizes = PlanArray("MPSegSales");
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(Cell(dialog, plan.FirstRow() + 1 + s, plan.Column(6)),
                      std::nearbyint(sizes.GetReal48({s}) / 1000));
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBSameLastPer").isVisible());
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBSameMktForeCast").isVisible());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBBrdSalesEstim").isVisible());
        SaveScreenshot(dialog, "PlanDialog_Tab1SegmentSizes");
        EXPECT_EQ(runs, 0);
    });
}

// A size typed in is stored, even where it is the figure the cell showed:
// 10 (thousand) typed over a stored 9,600 stores 10,000, while the size below,
// only passed through, keeps its 9,600.
TEST_F(PlanDialogTest, ASizeTypedIsStoredEvenAsTheFigureShown) {
    for (int segment : {1, 2}) PlanArray("MPSegSales").SetReal48({segment}, 9600);
    WithDialog([this](TFoMktPlan& dialog) {
        TMktPlanScr& plan = Plan(dialog);
        ASSERT_EQ(Cell(dialog, plan.FirstRow() + 2, plan.Column(6)), 10);
        Type(dialog, "10");
        EXPECT_EQ(plan.CurRow(), plan.FirstRow() + 3);
        ASSERT_EQ(GoToTab(dialog, 1), 1);
    });
    EXPECT_EQ(PlanArray("MPSegSales").GetReal48({1}), 10000);
    EXPECT_EQ(PlanArray("MPSegSales").GetReal48({2}), 9600);
}

// "Same as last period" fills every size: a size stored a unit off the figure
// it fills in, and so shown as that figure, is stored as filled.
TEST_F(PlanDialogTest, SizesFilledAreStoredEvenAsTheFiguresShown) {
    double lastPeriod = 0;
    WithDialog([this, &lastPeriod](TFoMktPlan& dialog) {
        const TMktPlanScr& plan = Plan(dialog);
        lastPeriod = Cell(dialog, plan.FirstRow() + 2, plan.Column(4));
    });
    PlanArray("MPSegSales").SetReal48({1}, lastPeriod * 1000 + 1);
    WithDialog([this](TFoMktPlan& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBSameLastPer"), Qt::LeftButton);
        ASSERT_EQ(GoToTab(dialog, 1), 1);
    });
    EXPECT_EQ(PlanArray("MPSegSales").GetReal48({1}), lastPeriod * 1000);
}

// Each plan tab shows the plan the sample holds: shares of the planned
// segment sizes, units, and the channel split that totals 100 %.
TEST_F(PlanDialogTest, TabsOneToFourShowThePlan) {
    WithDialog([this](TFoMktPlan& dialog) {
        const TSimArr& sizes = PlanArray("MPSegSales");
        const TSimArr& brands = PlanArray("MPBrdSegSales");
        const TSimArr& channels = PlanArray("MPBrdChaSales");
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        TMktPlanScr* plan = &Plan(dialog);
        EXPECT_EQ(plan->UnitMode(), TShareUnit::Percent);
        EXPECT_EQ(plan->NbMktedBrds(), 3);
        // ALBA's plan row in segment 1: its units as a share of the segment's planned size.
        const double share = 100 * brands.GetReal48({1, 1}) / sizes.GetReal48({1});
        EXPECT_NEAR(Cell(dialog, plan->FirstRow() + 2, plan->Column(3)), share, 0.0001);
        EXPECT_EQ(Sheet(dialog).Model().Text(plan->FirstRow() + 2, plan->Column(1)), "ALBA");
        SaveScreenshot(dialog, "PlanDialog_Tab2BrandShares");

        ASSERT_EQ(GoToTab(dialog, 2), 2);
        plan = &Plan(dialog);
        EXPECT_EQ(plan->UnitMode(), TShareUnit::Units);
        EXPECT_NEAR(Cell(dialog, plan->FirstRow() + 2, plan->Column(3)), brands.GetReal48({1, 1}), 0.5);

        ASSERT_EQ(GoToTab(dialog, 3), 3);
        plan = &Plan(dialog);
        EXPECT_EQ(plan->Kind(), TPlanScreenKind::ChannelSales);
        for (int b = 1; b <= 3; ++b) {
            EXPECT_DOUBLE_EQ(Cell(dialog, plan->FirstRow() + 2, plan->Column(3 + b)),
                             channels.GetReal48({b, 1}) / 1000);
            EXPECT_NEAR(Cell(dialog, plan->FirstRow() + 5, plan->Column(3 + b)), 100, 0.05) << "the SUM row";
        }
        EXPECT_TRUE(Child<QPushButton>(dialog, "BBBrdSalesEstim").isVisible());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBSameMktForeCast").isVisible());
        SaveScreenshot(dialog, "PlanDialog_Tab4ChannelSales");
        EXPECT_EQ(runs, 0);
    });
}

// The pixel sizes of the texts the shown table's sheet paints.
std::set<int> TextSizes(TFoMktPlan& dialog) {
    std::set<int> sizes;
    for (const PaintedText& text : Paint(PlanDialogTest::Sheet(dialog)).texts) sizes.insert(text.pixelSize);
    return sizes;
}

// Tab 5 runs the model once; the brand forecast it shows is what the model
// computes for the same decisions; tab 6 and back to 5 do not run it again,
// while a visit to a plan tab does, even when nothing was typed. Both
// forecasts read in the plan's text size.
TEST_F(PlanDialogTest, TheForecastRunsOncePerVisitToThePlanSmallScreen) {
    std::vector<double> shown;
    Session->ForecastDone = false;
    WithDialog([&](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 4), 4);
        EXPECT_EQ(runs, 1);
        EXPECT_FALSE(dialog.PlanChanged);
        EXPECT_TRUE(Session->ForecastDone);
        auto* brands = dynamic_cast<TBrdResult*>(dialog.Screen());
        ASSERT_NE(brands, nullptr);
        EXPECT_EQ(brands->Context().CurPeriod, Session->Industry()->DecPeriod());
        const int h = brands->Table()->OriginRow();
        for (int b = 0; b < 3; ++b)
            for (int row : {kUnitsSoldRow, kRevenueRow, kContributionRow})
                shown.push_back(Cell(dialog, h + row, kFirstBrandColumn + b));
        SaveScreenshot(dialog, "PlanDialog_Tab5BrandForecast");
        const std::set<int> brandSizes = TextSizes(dialog);

        ASSERT_EQ(GoToTab(dialog, 5), 5);
        EXPECT_EQ(runs, 1);
        ASSERT_NE(dynamic_cast<TFirResult*>(dialog.Screen()), nullptr);
        EXPECT_FALSE(CvBar->IsGroupActive(Session->Industry()->MktSeries()->Name())) << "not per market";
        SaveScreenshot(dialog, "PlanDialog_Tab6FirmForecast");
        const std::set<int> firmSizes = TextSizes(dialog);
        ASSERT_EQ(GoToTab(dialog, 4), 4);
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(CvBar->IsGroupActive(Session->Industry()->MktSeries()->Name()));
        ASSERT_EQ(GoToTab(dialog, 0), 0);
        EXPECT_TRUE(dialog.PlanChanged);
        EXPECT_EQ(brandSizes, TextSizes(dialog));
        EXPECT_EQ(firmSizes, TextSizes(dialog));
        ASSERT_EQ(GoToTab(dialog, 4), 4);
        EXPECT_EQ(runs, 2);
    });
    EXPECT_EQ(page->Data.CurPeriod, Session->Industry()->CurPeriod());

    // The model's own run on the same decisions gives the same figures.
    ASSERT_TRUE(RunPlanForecast(*Session).Done);
    TCvInd& industry = *Session->Industry();
    const TForecastView forecast(industry, industry.DecPeriod());
    std::size_t i = 0;
    for (int b = 1; b <= 3; ++b) {
        EXPECT_EQ(shown[i++], static_cast<double>(forecast.Brand(kTeamA, 1, 1, b, si::brUSold)));
        EXPECT_EQ(shown[i++], static_cast<double>(forecast.Brand(kTeamA, 1, 1, b, si::brRev)) / 1000);
        EXPECT_EQ(shown[i++], static_cast<double>(forecast.Brand(kTeamA, 1, 1, b, si::brCAM)) / 1000);
    }
    EXPECT_GT(shown[0], 0);
}

// "Same as last period" on each plan tab of M2, whose brands all sold last
// period, gives a plan the check accepts: the brand forecast runs at once.
TEST_F(PlanDialogTest, SameAsLastPeriodOnEveryTabGivesAnAcceptedPlan) {
    page->Data.SelMarket = 2;
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(Plan(dialog).Context().SelMarket, 2);
        for (int tab = 0; tab <= 3; ++tab) {
            ASSERT_EQ(GoToTab(dialog, tab), tab);
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBSameLastPer"), Qt::LeftButton);
        }
        // The segment sizes hold the brands' last-period units in whole thousands, rounded up.
        const TSimArr& sizes = PlanArray("MPSegSales", 2);
        const TSimArr& brands = PlanArray("MPBrdSegSales", 2);
        for (int s = 1; s <= 5; ++s)
            EXPECT_GE(sizes.GetReal48({s}), brands.GetReal48({1, s}) + brands.GetReal48({2, s})) << "segment " << s;
        root.ui.messageBoxes.clear();
        EXPECT_EQ(GoToTab(dialog, 4), 4);
        EXPECT_EQ(runs, 1);
        EXPECT_TRUE(root.ui.messageBoxes.empty());
        SaveScreenshot(dialog, "PlanDialog_SameAsLastPeriodForecast");
    });
}

TEST_F(PlanDialogTest, AChannelSplitThatIsNot100KeepsTheTab) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        TMktPlanScr& plan = Plan(dialog);
        const int row = plan.FirstRow() + 2, column = plan.Column(4);
        dialog.Screen()->Table()->SetCellNumber(row, column, Cell(dialog, row, column) + 0.2);
        root.ui.messageBoxes.clear();
        EXPECT_EQ(GoToTab(dialog, 4), 3);
        ASSERT_EQ(root.ui.messageBoxes.size(), 1u);
        EXPECT_EQ(root.ui.messageBoxes[0].key, "MktPlanBrdChaSales");
        EXPECT_EQ(dialog.PlanScreen(), &plan) << "the screen stays";
        EXPECT_EQ(runs, 0);
        // 0.04 over passes: 100.04 % shows as 100.0 %.
        dialog.Screen()->Table()->SetCellNumber(row, column, Cell(dialog, row, column) - 0.16);
        EXPECT_EQ(GoToTab(dialog, 4), 4);
        EXPECT_EQ(runs, 1);
    });
}

// On the channel tab with a split that does not total 100, the market of the
// bar cannot change: the bar and the page show the old market again.
TEST_F(PlanDialogTest, ARefusedSelectorChangeIsUndoneOnTheBar) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        TMktPlanScr& plan = Plan(dialog);
        dialog.Screen()->Table()->SetCellNumber(plan.FirstRow() + 2, plan.Column(4), 0);
        TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
        ASSERT_NE(markets, nullptr);
        auto* market1 = qobject_cast<QAbstractButton*>(markets->Buttons.at(0));
        auto* market2 = qobject_cast<QAbstractButton*>(markets->Buttons.at(1));
        QTest::mouseClick(market2, Qt::LeftButton);
        EXPECT_EQ(page->Data.SelMarket, 1);
        EXPECT_EQ(dialog.Context.SelMarket, 1);
        EXPECT_TRUE(market1->isChecked());
        EXPECT_FALSE(market2->isChecked());
        EXPECT_EQ(plan.Context().SelMarket, 1);
        ASSERT_FALSE(root.ui.messageBoxes.empty());
        EXPECT_EQ(root.ui.messageBoxes.back().key, "MktPlanBrdChaSales");
        // Put right, the change goes through: the screen shows market 2's brands.
        dialog.Screen()->Table()->SetCellNumber(plan.FirstRow() + 2, plan.Column(4),
                                                PlanArray("MPBrdChaSales").GetReal48({1, 1}) / 1000);
        QTest::mouseClick(market2, Qt::LeftButton);
        EXPECT_EQ(page->Data.SelMarket, 2);
        EXPECT_EQ(Plan(dialog).Context().SelMarket, 2);
        EXPECT_EQ(Plan(dialog).NbMktedBrds(), 2);
        EXPECT_TRUE(market2->isChecked());
    });
}

// On a 640 x 480 screen the dialog is 640 x 480 less what the window
// manager's frame takes, with the close button centred 30 pixels above the
// bottom; the window and its frame fit the screen, and every tab's table fits
// its frame.
TEST_F(PlanDialogTest, SmallScreenDialogFitsTheScreen) {
    WithDialog([](TFoMktPlan& dialog) {
        ExpectFitsTheScreen(dialog, {"BBClose", "TSMktPlan", "Bevel"});
        SaveScreenScreenshot("PlanDialog_OnScreen");
        const bool small = ScreenSize().width() == 640;
        EXPECT_EQ(dialog.size(), small ? QSize(640, 480).boundedTo(RoomOnScreen(dialog)) : QSize(780, 561));
        const QPushButton& close = Child<QPushButton>(dialog, "BBClose");
        if (small) {
            EXPECT_EQ(close.x(), (dialog.width() - close.width()) / 2);
            EXPECT_EQ(close.y(), dialog.height() - 30);
        }
        const QWidget& frame = Child<QWidget>(dialog, "Bevel");
        // Every tab's caption shows whole: the bar is as high as its tabs and ends above Close.
        const QTabBar& tabs = Child<QTabBar>(dialog, "TSMktPlan");
        for (int tab = 0; tab < tabs.count(); ++tab) EXPECT_LE(tabs.tabRect(tab).bottom(), tabs.height() - 1) << tab;
        EXPECT_LE(tabs.geometry().bottom(), close.y()) << "the tabs run under Close";
        for (int tab = 0; tab < 6; ++tab) {
            ASSERT_EQ(GoToTab(dialog, tab), tab);
            const TQNTable& table = *dialog.Screen()->Table();
            EXPECT_GE(table.Left(), 0) << tab;
            EXPECT_LE(table.RightEdge(), frame.width()) << tab;
            EXPECT_LE(table.BottomEdge(), frame.height()) << tab;
            if (tab == 1) SaveScreenshot(dialog, "PlanDialog_SmallScreenTab2");
        }
        SaveScreenshot(dialog, "PlanDialog_SmallScreenTab6");
    });
}

}  // namespace
}  // namespace cv::test
