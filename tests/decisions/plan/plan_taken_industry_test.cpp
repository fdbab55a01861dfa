// The marketing plan on the industry team A has just taken, reached as the
// team reaches it: the distribution OK'd in the North and the South, ARNO's
// mass communication in the North set to 900 in the mix, then the plan's tabs,
// markets and zones. The plan the sample holds is accepted, a change of 0
// reads 0, and no stored plan figure moves by a bit.
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/plan/mkt_plan_dialog.h"
#include "decisions/plan/mkt_plan_screen.h"
#include "shell/page_window.h"
#include "tests/app/support/frame_root.h"
#include "tests/app/support/program_with_industry.h"
#include "tests/ui/support/window_test.h"
#include "ui/fields/qn_edit.h"
#include "ui/report/qn_table.h"
#include "ui/sheet/qn_sheet.h"

namespace cv::test {
namespace {

constexpr int kNorth = 1, kSouth = 2;
constexpr int kMarket1 = 1, kMarket2 = 2;
constexpr int kSegmentSizes = 0, kBrandShares = 1, kBrandSales = 2, kSalesByChannel = 3, kBrandForecast = 4;
constexpr int kArnoTab = 1;

// Every element of the plan arrays, by zone, market and array.
using TPlanFigures = std::map<std::tuple<int, int, std::string>, std::vector<long double>>;

class PlanOnTakenIndustrySmallScreen : public ProgramWithSentIndustry {
protected:
    // Clicks the decisions page's button Name and runs Steps on the dialog it shows.
    void WithDialog(const char* name, const std::function<void(QWidget&)>& steps) {
        WhenModalShown shown(steps);
        QTest::mouseClick(&Child<QPushButton>(*decisions, name), Qt::LeftButton);
        ASSERT_TRUE(shown.Ran()) << name;
    }

    static void ClickOk(QWidget& dialog, const char* name) {
        QTest::mouseClick(&Child<QPushButton>(dialog, name), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible()) << "OK was refused";
    }

    static void ClickTab(QWidget& dialog, const char* name, int index) {
        auto& tabs = Child<TBrandTabBar>(dialog, name);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(index).center());
    }

    TPlanFigures PlanFigures() const {
        TCvInd& industry = *Session->Industry();
        TDataContext context = decisions->Data;
        TPlanFigures figures;
        for (int zone : {kNorth, kSouth})
            for (int market = 1; market <= industry.NbMarkets(); ++market)
                for (const char* name : {"MPSegSales", "MPBrdSegSales", "MPBrdChaSales"}) {
                    context.SelFta = static_cast<std::int16_t>(zone);
                    context.SelMarket = static_cast<std::int16_t>(market);
                    const TSimArr* array =
                        industry.PerDecisions(industry.DecPeriod()).FindSimArr(kCategoryFirmFtaMarket, context, name);
                    std::vector<long double>& elements = figures[{zone, market, name}];
                    for (std::size_t i = 0; array && i < array->Count(); ++i) elements.push_back(array->Real48At(i));
                }
        return figures;
    }

    TFoCv3Mod* decisions = nullptr;
};

// The brand-sales screen: a brand's change is "0", unsigned and in the
// cell's own colour, wherever its plan shows last period's figure.
void ExpectZeroChangesPlain(TMktPlanScr& plan) {
    const TSheetModel& model = plan.Table()->Sheet().Model();
    int zeros = 0;
    for (int brand = 1; brand <= plan.NbMktedBrds(); ++brand) {
        const int last = plan.FirstRow() + 3 * brand - 2;
        for (int column = plan.Column(3); !model.Text(plan.FirstRow(), column).empty(); ++column) {
            if (model.Text(last, column) != model.Text(last + 1, column)) continue;
            ++zeros;
            EXPECT_EQ(model.Text(last + 2, column), "0") << "brand " << brand << ", column " << column;
            EXPECT_EQ(model.Display(last + 2, column).colour, kNoFormatColour) << "brand " << brand;
        }
    }
    EXPECT_GT(zeros, 0) << "no brand plans last period's sales";
}

TEST_F(PlanOnTakenIndustrySmallScreen, MovingThroughThePlanKeepsItsFiguresAndThePlanIsAccepted) {
    TakeTheIndustry();
    decisions = &ShowPage("SpBDec");
    for (int zone : {kNorth, kSouth}) {
        ChooseZoneOnBar(zone);
        WithDialog("BBDistrib", [](QWidget& dialog) { ClickOk(dialog, "BBOk"); });
    }
    ChooseZoneOnBar(kNorth);
    WithDialog("BBBrdMMix", [](QWidget& dialog) {
        ClickTab(dialog, "QNTSBrand", kArnoTab);
        ASSERT_EQ(Child<TBrandTabBar>(dialog, "QNTSBrand").tabText(kArnoTab), "ARNO");
        auto& massCom = Child<TQNEdit>(dialog, "QNEMassComCurPer");
        massCom.setFocus(Qt::MouseFocusReason);
        massCom.selectAll();
        QTest::keyClick(&massCom, Qt::Key_Backspace);
        QTest::keyClicks(&massCom, "900");
        ClickOk(dialog, "BBOK");
    });
    const TPlanFigures stored = PlanFigures();
    root.ui.messageLists.clear();
    WithDialog("BBMktPlan", [this](QWidget& window) {
        auto& dialog = static_cast<TFoMktPlan&>(window);
        ClickTab(dialog, "TSMktPlan", kBrandSales);
        ClickTab(dialog, "TSMktPlan", kSalesByChannel);
        ChooseMarketOnBar(kMarket2);
        ClickTab(dialog, "TSMktPlan", kBrandSales);
        ASSERT_NE(dialog.PlanScreen(), nullptr);
        ExpectZeroChangesPlain(*dialog.PlanScreen());
        SaveScreenshot(dialog, "PlanOnTakenIndustry_ZeroChanges");
        ClickTab(dialog, "TSMktPlan", kBrandForecast);
        EXPECT_EQ(dialog.ShownKind(), kBrandForecast + 1) << "the plan was refused";
        EXPECT_TRUE(root.ui.messageLists.empty());
        // Every plan tab once more, in both zones and markets, touching nothing.
        for (int tab : {kSegmentSizes, kBrandShares, kBrandSales, kSalesByChannel}) {
            ClickTab(dialog, "TSMktPlan", tab);
            for (int zone : {kSouth, kNorth}) ChooseZoneOnBar(zone);
            ChooseMarketOnBar(tab % 2 == 0 ? kMarket1 : kMarket2);
        }
        ClickTab(dialog, "TSMktPlan", kBrandForecast);
        EXPECT_EQ(dialog.ShownKind(), kBrandForecast + 1);
    });
    const TPlanFigures after = PlanFigures();
    for (const auto& [where, figures] : stored)
        EXPECT_EQ(after.at(where), figures) << std::get<2>(where) << " of zone " << std::get<0>(where) << ", market "
                                            << std::get<1>(where) << " changed, though nothing was typed";
}

}  // namespace
}  // namespace cv::test
