// The plan's brand rows belong to their brand: when the portfolio moves a
// brand to another row, its planned sales by segment and by channel go along,
// and the plan screens show each brand's figures under its name.
#include <QPushButton>
#include <map>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/portfolio/portfolio_grid.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// A brand's row of each plan array.
struct TBrandPlan {
    std::vector<long double> segments;
    std::vector<long double> channels;
    bool operator==(const TBrandPlan&) const = default;
};

class PlanBrandRowsTest : public PlanDialogTest {
protected:
    std::map<std::string, TBrandPlan> StoredPlans() {
        const TSimArr& port = PlanArray("DecBrdPort");
        const TSimArr& segments = PlanArray("MPBrdSegSales");
        const TSimArr& channels = PlanArray("MPBrdChaSales");
        std::map<std::string, TBrandPlan> plans;
        for (int row = 1; row <= 5; ++row) {
            const std::string name = port.GetZts({row, si::BrdName});
            if (name.empty()) continue;
            TBrandPlan& plan = plans[name];
            for (int s = segments.LB(2); s <= segments.UB(2); ++s)
                plan.segments.push_back(segments.GetReal48({row, s}));
            for (int c = channels.LB(2); c <= channels.UB(2); ++c)
                plan.channels.push_back(channels.GetReal48({row, c}));
        }
        return plans;
    }

    // In the page's portfolio dialog: Brand withdrawn, then taken back, then OK.
    void WithdrawAndUndo(const std::string& brand) {
        WhenModalShown portfolio([&brand](QWidget& shown) {
            auto& marketed = Child<TPortfolioGrid>(shown, "SGMktBrd");
            const int row = marketed.FindRow(brand);
            ASSERT_GE(row, 0) << brand;
            QTest::mouseClick(marketed.viewport(), Qt::LeftButton, {},
                              marketed.visualRect(marketed.model()->index(row, 0)).center());
            QTest::mouseClick(&Child<QPushButton>(shown, "BBWithDraw"), Qt::LeftButton);
            QTest::mouseClick(&Child<QPushButton>(shown, "BBUndo"), Qt::LeftButton);
            EXPECT_EQ(marketed.Names().back(), brand);
            QTest::mouseClick(&Child<QPushButton>(shown, "BBOk"), Qt::LeftButton);
        });
        QTest::mouseClick(&Child<QPushButton>(*page, "BBBrdPF"), Qt::LeftButton);
        EXPECT_TRUE(portfolio.Ran());
    }
};

// ALBA, ARNO and ALTO in market 1, each with a channel split of its own:
// ARNO withdrawn and taken back comes last, ALTO moves up to row 2. Nothing
// was changed, so every brand's plan is the same, and the plan screens show
// each brand's split and planned units under its name.
TEST_F(PlanBrandRowsTest, WithdrawnAndTakenBackBrandKeepsItsPlan) {
    const std::map<std::string, std::vector<int>> splits{
        {"ALBA", {50, 30, 20}}, {"ARNO", {10, 60, 30}}, {"ALTO", {0, 25, 75}}};
    const TSimArr& port = PlanArray("DecBrdPort");
    TSimArr& channels = PlanArray("MPBrdChaSales");
    for (int row = 1; row <= 3; ++row) {
        const std::vector<int>& split = splits.at(port.GetZts({row, si::BrdName}));
        for (int c = 1; c <= 3; ++c) channels.SetReal48({row, c}, 1000 * split[static_cast<std::size_t>(c - 1)]);
    }
    const std::map<std::string, TBrandPlan> before = StoredPlans();
    ASSERT_EQ(before.size(), 3u);
    ASSERT_NE(before.at("ARNO").segments, before.at("ALTO").segments) << "the plans must differ to tell them apart";
    WithdrawAndUndo("ARNO");
    EXPECT_EQ(PlanArray("DecBrdPort").GetZts({3, si::BrdName}), "ARNO");
    EXPECT_EQ(StoredPlans(), before);

    WithDialog([&before](TFoMktPlan& dialog) {
        ASSERT_EQ(GoToTab(dialog, 2), 2);
        TMktPlanScr* plan = &Plan(dialog);
        for (int b = 1; b <= 3; ++b) {
            const int planRow = plan->FirstRow() + 3 * b - 1;
            const std::string name = Sheet(dialog).Model().Text(planRow, plan->Column(1));
            ASSERT_EQ(before.count(name), 1u) << name;
            const std::vector<long double>& units = before.at(name).segments;
            for (std::size_t s = 0; s < units.size(); ++s)
                EXPECT_NEAR(Cell(dialog, planRow, plan->Column(3 + static_cast<int>(s))), static_cast<double>(units[s]), 1)
                    << name << " segment " << s + 1;
        }
        ASSERT_EQ(GoToTab(dialog, 3), 3);
        plan = &Plan(dialog);
        for (int b = 1; b <= 3; ++b) {
            const int column = plan->Column(3 + b);
            const std::string name = Sheet(dialog).Model().Text(plan->FirstRow() + 1, column);
            ASSERT_EQ(before.count(name), 1u) << name;
            const std::vector<long double>& shares = before.at(name).channels;
            for (std::size_t c = 0; c < shares.size(); ++c)
                EXPECT_DOUBLE_EQ(Cell(dialog, plan->FirstRow() + 2 + static_cast<int>(c), column),
                                 static_cast<double>(shares[c]) / 1000)
                    << name << " channel " << c + 1;
        }
        SaveScreenshotOfRunningTest(dialog);
    });
    EXPECT_EQ(StoredPlans().at("ARNO").channels, before.at("ARNO").channels) << "stored as shown";
}

}  // namespace
}  // namespace cv::test
