// The study charts of the graphs page's design group in the started program
// on the sample industry: the semantic estimation chart and the map relations
// chart with the fitted line's ideal points, their combos, and the study
// screens that stand in for them where the study cannot be shown, the market
// and zone their text names. Team A bought every market study of M1 in
// period 3 and, of M2, only the distribution panel, the market forecast and
// the advertising experiment.
#include <QComboBox>
#include <gtest/gtest.h>

#include "core/store/series_index.h"
#include "graphs/maps/relation_graphs.h"
#include "graphs/page/graph_page.h"
#include "reports/studies/studies.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv {
namespace {

class GraphStudyChartsTest : public test::GroupPageTest<TFoGraph> {
protected:
    GraphStudyChartsTest() : GroupPageTest(si::rcAnalysisCateg) { Main().ShowPage(page); }
    template <class Chart>
    Chart* Shown() const {
        return dynamic_cast<Chart*>(page->Display().Chart());
    }
};

TEST_F(GraphStudyChartsTest, SemanticEstimationKeepsTheChosenScaleAndFollowsItsCombo) {
    EXPECT_TRUE(page->Item("MPGrDesSemEstimGraph")->isEnabled());
    page->Data.HorzAxis = 1;
    Choose("MPGrDesSemEstimGraph");
    auto* chart = Shown<TSemEstGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Characteristic(), 1);
    // Graphs page: the fit's text above the plot, not a title.
    EXPECT_TRUE(chart->Legend().visible);
    EXPECT_NE(chart->Legend().text.find("WEIGHT"), std::string::npos) << chart->Legend().text;
    QComboBox* scales = page->Combos().Combo(2);
    ASSERT_NE(scales, nullptr);
    EXPECT_EQ(scales->count(), 6);
    scales->setCurrentIndex(1);
    chart = Shown<TSemEstGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(page->Data.HorzAxis, 2);
    EXPECT_EQ(chart->Characteristic(), 2);
}

TEST_F(GraphStudyChartsTest, MapRelationsStartFromThePriceAndTheMarketsDefaultDimension) {
    page->Data.VertAxis = 2;
    Choose("MPGrDesMapRelations");
    auto* chart = Shown<TMapRelationsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Characteristic(), 6);
    EXPECT_EQ(chart->Dimension(), 1);  // the first market
    // The price's scale is automatic: every ideal point on the line is kept.
    EXPECT_TRUE(chart->Axis(0).automatic);
    EXPECT_GT(chart->IdealPointCount(), 0);
    page->Combos().Combo(3)->setCurrentIndex(2);
    chart = Shown<TMapRelationsGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Dimension(), 3);
    test::SaveScreenshot(Main(), "GraphStudyChartsTest_MapRelations");
}

// The same markets recur in each zone: the first line of each chart's text
// names the market and the zone chosen on the bar.
TEST_F(GraphStudyChartsTest, TheChartsTextNamesTheMarketAndTheZoneOnTheBarSmallScreen) {
    page->Data.HorzAxis = 1;
    const auto head = [this] {
        const TCVChart* chart = page->Display().Chart();
        const std::string text = chart ? chart->Legend().text : std::string();
        return text.substr(0, text.find('\r'));
    };
    ExpectEachZoneNamed(
        {
            {"MPGrDesSemEstimGraph", "Semantic scale WEIGHT in market M1 of zone NORTH"},
            {"MPGrDesMapRelations", "Characteristic PRICE and map dimension ECONOMY in market M1 of zone NORTH"},
        },
        head, "GraphStudyChartsTest_SouthZone_");
}

TEST_F(GraphStudyChartsTest, WithoutTheStudyTheStudyScreenStandsIn) {
    page->Data.SelMarket = 2;  // neither map study bought in M2
    Choose("MPGrDesSemEstimGraph");
    auto* screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->ScreenNumber(), 9);
    Choose("MPGrDesMapRelations");
    screen = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->ScreenNumber(), 12);
}

}  // namespace
}  // namespace cv
