// Every chart a team can open of the sample, on the graphs page and the
// market-studies page, for each zone and market: the chart's title, axis
// titles and legend name no missing text, no period before the first and no
// number that is not one. The installed sample is read at every period, and
// at the current one with each line of the combos above the chart; every other
// variant at its current period. The study screens are the screens test's,
// the design dialogs the design tools' own tests.
#include <QAction>
#include <QComboBox>
#include <gtest/gtest.h>

#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "graphs/page/graph_menu.h"
#include "graphs/page/graph_page.h"
#include "graphs/studies_page/studies_menu.h"
#include "graphs/studies_page/studies_page.h"
#include "tests/reports/support/believable_text.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/support/test_industry.h"
#include "ui/chart/cv_chart.h"

namespace cv {
namespace {

// Every text of a chart that titles it or what it shows, one a line.
std::string ChartTitles(const TCVChart& chart) {
    std::string text = chart.Title().text + "\n" + chart.Legend().text + "\n";
    for (int axis = 0; axis < 3; ++axis) text += chart.Axis(axis).title + "\n";
    return text;
}

// Whether the item of either page shows a chart: not a study screen (the
// sample's screens test reads those), nor a design dialog.
bool ShowsAChart(std::string_view item) {
    if (StudyChartOf(item) != TStudyChart::None) return true;
    const TGraphItem* graph = FindGraphItem(item);
    if (!graph) return false;
    switch (graph->kind) {
        case TGraphKind::StudyScreen:
        case TGraphKind::SegmentTable:
        case TGraphKind::DimensionTable:
        case TGraphKind::PerceptionDialog:
        case TGraphKind::SemanticTargetDialog:
        case TGraphKind::MapTargetDialog:
            return false;
        default:
            return true;
    }
}

class SampleChartTitlesTest : public test::ResultsTest {
protected:
    // The page on show at the end: the last chart or study screen read.
    QWidget* ShownWindow() override { return &Main(); }

    // Each item of Page's menu that the team may choose, at each period and
    // zone and, for the items of one market, each market.
    void ReadEveryChart(TGroupPage& page, const TPageMenu& menu, const std::string& variant, bool whole) {
        Main().ShowPage(&page);
        const TCvInd& industry = *Session->Industry();
        for (int period = whole ? 0 : industry.CurPeriod(); period <= industry.CurPeriod(); ++period) {
            test::ChoosePeriodOnBar(period);
            for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
                test::ChooseZoneOnBar(zone);
                for (const TPageMenuGroup& group : menu.groups)
                    for (const TPageItem& item : group.items) {
                        QAction* action = page.Item(item.name);
                        if (!action || !action->isEnabled() || !ShowsAChart(item.name)) continue;
                        for (int market = 1; market <= (item.perMarket ? industry.NbMarkets() : 1); ++market) {
                            action->trigger();
                            if (item.perMarket) test::ChooseMarketOnBar(market);
                            ReadShownChart(page, whole && period == industry.CurPeriod(), variant + ", " + std::string(item.name) + ", period " +
                                                     std::to_string(period) + ", zone " + std::to_string(zone) +
                                                     ", market " + std::to_string(market));
                        }
                    }
            }
        }
    }
    // The chart on show, then again for each line of each combo above it.
    void ReadShownChart(TGroupPage& page, bool everyCombo, const std::string& where) {
        ExpectBelievable(page, where);
        if (!everyCombo) return;
        for (int position = 1; position <= TPageCombos::kPositions; ++position) {
            QComboBox* combo = page.Combos().Combo(position);
            if (!combo || !combo->isVisible()) continue;
            for (int index = 0; index < combo->count(); ++index) {
                combo->setCurrentIndex(index);
                ExpectBelievable(page, where + ", combo " + std::to_string(position) + " line " + std::to_string(index));
            }
        }
    }
    void ExpectBelievable(TGroupPage& page, const std::string& where) {
        const TCVChart* chart = page.Display().Chart();
        if (!chart) return;
        ++charts_;
        for (const std::string& flaw : test::FlawsIn(ChartTitles(*chart))) ADD_FAILURE() << where << " shows " << flaw;
    }

    int charts_ = 0;  // the charts read
};

TEST_F(SampleChartTitlesTest, NoChartOfAnyVariantShowsAFlaw) {
    auto* graphs = Main().findChild<TFoGraph*>();
    auto* studies = Main().findChild<TFoMStudies*>();
    ASSERT_NE(graphs, nullptr);
    ASSERT_NE(studies, nullptr);
    for (const sample::TSampleVariant& v : test::EverySampleVariant()) {
        OpenVariant(v);
        Main().RefreshAll();
        const bool whole = &v == &test::EverySampleVariant().front();
        ReadEveryChart(*graphs, GraphPageMenu(), test::VariantName(v), whole);
        ReadEveryChart(*studies, StudiesPageMenu(), test::VariantName(v), whole);
    }
    EXPECT_GT(charts_, 0);
}

}  // namespace
}  // namespace cv
