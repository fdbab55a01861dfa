// The forecast of the marketing plan and the rest of the program: the plan
// check before it, a failed run, the results it leaves in the decision
// period (saved with the team's file, never shown by a page) and the screens
// that were open while it made those results anew.
#include <QPushButton>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/results/brand_result.h"
#include "shell/selector/cv_bar.h"
#include "tests/decisions/checks/message_keys.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "ui/report/cv_screen.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv::test {
namespace {

constexpr int kUnitsSoldRow = 3;
constexpr int kFirstBrandColumn = 6;

// Brand 1's forecast unit sales in the decision period, market Market of zone 1.
double ForecastUnits(const TDataContext& context) {
    TCvInd& industry = *Session->Industry();
    const TSimArr* report =
        industry.PerResults(industry.DecPeriod()).FindSimArr(kCategoryFirmFtaMarket, context, "BrdRpt");
    return report ? static_cast<double>(report->GetReal48({1, si::brUSold})) : -1;
}

// A brand planned to sell nothing fails the plan check: the forecast tab
// is not entered and the model does not run.
TEST_F(PlanDialogTest, APlanWithErrorsKeepsTheEntryTab) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        TMktPlanScr& plan = Plan(dialog);
        for (int s = 1; s <= 3; ++s)
            dialog.Screen()->Table()->SetCellNumber(plan.FirstRow() + 2, plan.Column(2 + s), 0);
        root.ui.messageLists.clear();
        EXPECT_EQ(GoToTab(dialog, 4), 2);
        EXPECT_EQ(dialog.PlanScreen(), &plan);
        EXPECT_EQ(runs, 0);
        ASSERT_EQ(root.ui.messageLists.size(), 1u);
        const std::vector<std::string> keys = MessageKeys(root.ui.messageLists[0].items);
        EXPECT_NE(std::find(keys.begin(), keys.end(), "MPErrBrdSales0"), keys.end());
    });
}

// A run that fails says why and leaves the dialog on the plan; no forecast stands.
TEST_F(PlanDialogTest, AFailedForecastKeepsThePlanTab) {
    failForecast = true;
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 1), 1);
        root.ui.errorBoxes.clear();
        EXPECT_EQ(GoToTab(dialog, 5), 1);
        EXPECT_EQ(runs, 1);
        ASSERT_EQ(root.ui.errorBoxes.size(), 1u);
        EXPECT_EQ(root.ui.errorBoxes[0], "the model stopped");
        EXPECT_FALSE(Session->ForecastDone);
        EXPECT_TRUE(dialog.PlanChanged);
        EXPECT_EQ(Plan(dialog).Kind(), TPlanScreenKind::BrandShares);
        failForecast = false;
        EXPECT_EQ(GoToTab(dialog, 5), 5);
        EXPECT_EQ(runs, 2);
        EXPECT_TRUE(Session->ForecastDone);
    });
}

// On a forecast tab the bar's market shows that market's forecast: the
// decision period stays the screen's period and the model does not run again.
TEST_F(PlanDialogTest, AMarketChosenOnAForecastTabShowsItsForecast) {
    WithDialog([this](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 4), 4);
        TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
        QTest::mouseClick(qobject_cast<QAbstractButton*>(markets->Buttons.at(1)), Qt::LeftButton);
        const TCVScreen& screen = *dialog.Screen();
        EXPECT_EQ(screen.Context().SelMarket, 2);
        EXPECT_EQ(screen.Context().CurPeriod, Session->Industry()->DecPeriod());
        EXPECT_EQ(screen.Context().SelPeriod, Session->Industry()->CurPeriod());
        EXPECT_EQ(Sheet(dialog).Model().Text(screen.Table()->OriginRow(), kFirstBrandColumn), "AMOR");
        EXPECT_EQ(Cell(dialog, screen.Table()->OriginRow() + kUnitsSoldRow, kFirstBrandColumn),
                  ForecastUnits(PlanContext(2)));
        EXPECT_EQ(runs, 1);
        // Back on a plan tab, the plan is the market's of the bar.
        ASSERT_EQ(GoToTab(dialog, 0), 0);
        EXPECT_EQ(Plan(dialog).Context().SelMarket, 2);
        EXPECT_EQ(Plan(dialog).Context().CurPeriod, Session->Industry()->CurPeriod());
    });
}

// The forecast stays in the results of the decision period and goes into the
// team's file when the industry is saved.
TEST_F(PlanDialogTest, TheForecastReachesTheTeamsFileWhenSaved) {
    TCvInd* industry = Session->Industry();
    const int decision = industry->DecPeriod();
    ASSERT_EQ(ForecastUnits(PlanContext()), -1) << "the sample holds no forecast";
    WithDialog([](TFoMktPlan& dialog) { ASSERT_EQ(GoToTab(dialog, 4), 4); });
    const double units = ForecastUnits(PlanContext());
    ASSERT_GT(units, 0);
    const std::string file = Session->IndFullPath();
    Session->IndClose();
    ASSERT_TRUE(Session->IndOpen(file));
    industry = Session->Industry();
    ASSERT_EQ(industry->DecPeriod(), decision);
    EXPECT_EQ(ForecastUnits(PlanContext()), units);
    EXPECT_FALSE(Session->ForecastDone) << "a forecast belongs to the session that made it";
}

// The results and newsletter pages, open before the forecast and shown after
// it, stay on the periods that were simulated.
TEST_F(PlanDialogTest, PagesNeverShowTheDecisionPeriod) {
    auto* results = Main().findChild<TFoCv3Mod*>(QStringLiteral("FoResult"));
    auto* newsletter = Main().findChild<TFoCv3Mod*>(QStringLiteral("FoNLetter"));
    ASSERT_NE(results, nullptr);
    ASSERT_NE(newsletter, nullptr);
    Main().ShowPage(results);
    Main().ShowPage(page);
    WithDialog([](TFoMktPlan& dialog) { ASSERT_EQ(GoToTab(dialog, 5), 5); });
    const int current = Session->Industry()->CurPeriod();
    for (TFoCv3Mod* shown : {results, newsletter}) {
        Main().ShowPage(shown);
        QTRY_VERIFY(shown->isVisible());
        ASSERT_NE(shown->Display().Screen(), nullptr) << shown->objectName().toStdString();
        EXPECT_EQ(shown->Display().Screen()->Context().CurPeriod, current) << shown->objectName().toStdString();
        EXPECT_LE(shown->Data.SelPeriod, current);
        TBarGrpBtn* periods = CvBar->Group(Session->Industry()->PerSeries()->Name());
        ASSERT_NE(periods, nullptr);
        auto* spin = qobject_cast<TBarSpinBtn*>(periods->Buttons.at(0));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->MaxValue, current) << shown->objectName().toStdString();
    }
}

// A result screen of the decision period built before a forecast is built
// again afterwards on the results the forecast made anew, not on the freed ones.
TEST_F(PlanDialogTest, AResultScreenOpenDuringAForecastIsRebuiltOnItsResults) {
    ASSERT_TRUE(RunPlanForecast(*Session).Done);
    TDataContext context = PlanContext();
    context.CurPeriod = static_cast<std::int16_t>(Session->Industry()->DecPeriod());
    QWidget owner;
    owner.resize(1000, 700);
    auto screen = TCVScreen::Create<TBrdResult>(&owner, context, 2, kWindowLayout);
    const int row = screen->Table()->OriginRow() + kUnitsSoldRow;
    const double before = screen->Table()->CellNumber(row, kFirstBrandColumn);
    EXPECT_EQ(before, ForecastUnits(context));
    // Half of ALBA's planned sales in segment 1 go, and the plan is forecast again.
    TSimArr& plans = PlanArray("MPBrdSegSales");
    plans.SetReal48({1, 1}, plans.GetReal48({1, 1}) / 2);
    WithDialog([](TFoMktPlan& dialog) { ASSERT_EQ(GoToTab(dialog, 4), 4); });
    const double after = ForecastUnits(context);
    ASSERT_NE(after, before);
    screen->Build(context);
    EXPECT_EQ(screen->Table()->CellNumber(row, kFirstBrandColumn), after);
}

}  // namespace
}  // namespace cv::test
