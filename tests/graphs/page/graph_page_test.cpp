// The graphs page in the started program on the sample industry: the market
// share over the periods and for one period, the benchmarking chart with the
// rivals masked where the team did not buy the study, the growth-share
// portfolio, the study screens shown instead of charts whose study was not
// bought, and the menu under each restriction variant of the sample.
#include <QApplication>
#include <QCategoryAxis>
#include <QRegularExpression>
#include <QClipboard>
#include <QAbstractButton>
#include <QComboBox>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/stats/cv_interf.h"
#include "core/store/series_index.h"
#include "graphs/analysis/period_values.h"
#include "graphs/charts/gsp_graph.h"
#include "graphs/maps/perc_map.h"
#include "graphs/maps/relation_graphs.h"
#include "graphs/page/graph_page.h"
#include "graphs/studies_page/studies_page.h"
#include "reports/studies/studies.h"
#include "team/team_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/reports/support/hard_copy_cells.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/chart_labels.h"
#include "tests/ui/support/document_files.h"
#include "tests/ui/support/gtest_qtry.h"
#include <set>
#include "core/stats/cv_interf.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"
#include "tools/sample_industry/sample_industry.h"
#include "ui/chart/label_placement.h"
#include "ui/report/qn_table.h"

namespace cv {
namespace {

constexpr int kFirms = 4;  // A, E, I, O; team A is firm 1

class GraphPageTest : public test::GroupPageTest<TFoGraph> {
protected:
    GraphPageTest() : GroupPageTest(si::rcAnalysisCateg) {}
    template <class Chart>
    Chart* Shown() const {
        return dynamic_cast<Chart*>(page->Display().Chart());
    }
    // Picks line Index (from 0) of the combo at Position, as the user does.
    void PickCombo(int position, int index) {
        QComboBox* combo = page->Combos().Combo(position);
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(combo->isVisible());
        combo->setCurrentIndex(index);
    }
    bool ComboShown(int position) const {
        const QComboBox* combo = page->Combos().Combo(position);
        return combo && combo->isVisible();
    }
    void ReopenSample(sample::TSampleRestrictions restrictions) {
        Session->IndClose();
        root.OpenSampleIndustry({sample::TSampleDecisions::Sample, restrictions});
        Main().RefreshAll();
    }
    // The sum over the firms of the values in a row: series k's y in column 2k, or column k of a one-row chart.
    static double RowSum(const TQNChart& chart, int row, int stride) {
        double sum = 0;
        for (int column = stride; column <= chart.ColumnCount(); column += stride) sum += chart.Data(row, column).value_or(0);
        return sum;
    }
};

// The map regression offers its dimensions where brands are marketed (M1),
// and no choice in M3, where no brand is yet: the team sees only the screen.
TEST_F(GraphPageTest, TheMapRegressionOffersItsDimensionsOnlyWhereBrandsAreMarketed) {
    Main().ShowPage(page);
    Choose("MPGrDesMapRegress");
    EXPECT_TRUE(ComboShown(2));
    TBarGrpBtn* markets = CvBar->Group(Session->Industry()->MktSeries()->Name());
    ASSERT_NE(markets, nullptr);
    QTest::mouseClick(qobject_cast<QAbstractButton*>(markets->Buttons.at(2)), Qt::LeftButton);
    QTRY_COMPARE(page->Data.SelMarket, 3);
    EXPECT_FALSE(ComboShown(2));
    test::SaveScreenshot(Main(), "GraphPageTest_MapRegressionWithoutBrands");
}

// The map regression's hard copy prints every cell whole: its long row
// headings and verdicts are wider than the document's columns. A verdict
// wraps there: its row is as high as its lines, which read in order, in the
// PDF and in the "H" file.
TEST_F(GraphPageTest, TheMapRegressionsHardCopyCutsNoCell) {
    // Two lines of 8-point type need at least 16 points; a row of one is lower.
    const char rowHeights[] = R"(import openpyxl,sys
ws=openpyxl.load_workbook(sys.argv[1]).active
height={str(r[0].value).strip():ws.row_dimensions[r[0].row].height for r in ws.iter_rows(max_col=1) if r[0].value}
print('verdict', height['Verdict']>=16, 't value', height['t value']<16)
)";
    Main().ShowPage(page);
    Choose("MPGrDesMapRegress");
    ASSERT_TRUE(ComboShown(2));
    const std::string file = Session->PrivateDir() + "MapRegression.pdf";
    test::ScriptedPrinter none(std::nullopt);
    none.pdfAnswer = file;
    QToolButton* print = Main().ToolButton(1);
    QTRY_VERIFY(print->isVisible() && print->isEnabled());
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(file));
    const std::string text = test::RunCommand("pdftotext '" + file + "' -");
    EXPECT_NE(text.find("M1"), std::string::npos) << text;
    EXPECT_EQ(text.find("\u2026"), std::string::npos) << text;
    test::ExpectPrintedRowWhole(file, *page->Display().Screen()->Table(), "t value", "Verdict", "Quality of the fit");
    EXPECT_EQ(test::RunPython(rowHeights, Session->PrivateDir() + "SAMPLEHA03.xlsx"), "verdict True t value True\n");
    test::RenderPdfPage(file, 1, "GraphPageTest_MapRegressionHardCopy");
}

TEST_F(GraphPageTest, MarketShareOverThePeriodsIsALinePerFirmAddingUpToTheWholeMarket) {
    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    TFirGraph* chart = Shown<TFirGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->EffectiveCode(), 1001);  // all markets
    EXPECT_EQ(chart->ChartType(), kChartXY);
    // Periods 0 to 3, one row each; two columns per firm.
    ASSERT_EQ(chart->RowCount(), 4);
    ASSERT_EQ(chart->ColumnCount(), 2 * kFirms);
    for (int row = 1; row <= 4; ++row) {
        for (int firm = 1; firm <= kFirms; ++firm) EXPECT_EQ(chart->Data(row, 2 * firm - 1), row - 1) << firm;
        // The firms' unit shares of the zone, in percent, make up the whole of it.
        EXPECT_NEAR(RowSum(*chart, row, 2), 100.0, 0.5) << row;
    }
    // Three combos: the markets, units or value, evolution or one period.
    EXPECT_TRUE(page->Combos().Combo(1)->isVisible());
    EXPECT_EQ(page->Combos().Combo(2)->currentIndex(), 0);
    EXPECT_EQ(page->Combos().Combo(3)->currentIndex(), 0);
    EXPECT_GE(chart->y(), page->Combos().Combo(3)->geometry().bottom());
    // Copy puts the chart's picture on the clipboard.
    page->CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), chart->size());
    test::SaveScreenshot(Main(), "GraphPageTest_MarketShareEvolution");
}

// A firm and a segment keep their colours from the perceptual map of the
// studies page to the charts of the graphs page: team A's brands on the map
// and team A's market-share line, the first segment's trail over the periods
// and its size line.
TEST_F(GraphPageTest, AFirmAndASegmentKeepTheirColoursFromTheMapsToTheCharts) {
    auto* studies = Main().findChild<TFoMStudies*>();
    ASSERT_NE(studies, nullptr);
    Main().ShowPage(studies);
    ChoosePeriod(3);
    studies->Item("MPStuMapGraph")->trigger();
    auto* map = dynamic_cast<TStdPercMap*>(studies->Display().Chart());
    ASSERT_NE(map, nullptr);
    // The map's items: the ideal points, then the marketed brands in order.
    const TDataContext mapContext = map->Context();
    const TCvPerData& results = Session->Industry()->PerResults(3);
    const int segments = map->Items().idealPointCount;
    std::optional<QColor> firmA;
    for (int j = segments + 1; j <= static_cast<int>(map->Items().items.size()); ++j) {
        int firm = 0, firmBrand = 0;
        TCvInterf().BrandLinks(results, mapContext, j - segments, firm, firmBrand);
        const std::optional<QColor> colour = map->SeriesStyle(j)->points.at(1).colour;
        ASSERT_TRUE(colour.has_value()) << j;
        if (firm != 1) continue;
        if (!firmA) firmA = colour;
        EXPECT_EQ(*colour, *firmA) << j;
    }
    ASSERT_TRUE(firmA.has_value());
    test::SaveScreenshot(Main(), "GraphPageTest_FirmColourOnTheMap");
    studies->Item("MPStuMapIPHist1")->trigger();
    auto* trails = dynamic_cast<THistPercMap*>(studies->Display().Chart());
    ASSERT_NE(trails, nullptr);
    const std::optional<QColor> firstSegment = trails->SeriesStyle(1)->points.at(1).colour;
    ASSERT_TRUE(firstSegment.has_value());

    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    TFirGraph* shares = Shown<TFirGraph>();
    ASSERT_NE(shares, nullptr);
    for (int row = 1; row <= shares->RowCount(); ++row)
        EXPECT_EQ(shares->SeriesStyle(1)->points.at(row).colour, *firmA) << row;
    test::SaveScreenshot(Main(), "GraphPageTest_FirmColourOnTheChart");
    Choose("MpGrMktSegSize");
    ASSERT_NE(page->Display().Chart(), nullptr);
    const TSeriesStyle* sizes = page->Display().Chart()->SeriesStyle(1);
    ASSERT_NE(sizes, nullptr);
    for (const auto& [row, point] : sizes->points) EXPECT_EQ(point.colour, *firstSegment) << row;
}

// The print button makes the page's hard copy of the chart shown: one job
// through the print dialog, and the "H" file under the header that names the
// graphs, with the chart's picture.
TEST_F(GraphPageTest, PrintMakesTheHardCopyOfTheChart) {
    const char readBack[] = R"(import openpyxl,sys,zipfile
ws=openpyxl.load_workbook(sys.argv[1]).active
print('header', '|'.join(p.text or '' for p in (ws.oddHeader.left,ws.oddHeader.center,ws.oddHeader.right)))
print('pictures', len([n for n in zipfile.ZipFile(sys.argv[1]).namelist() if n.startswith('xl/media/')]))
)";
    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    ASSERT_NE(Shown<TFirGraph>(), nullptr);
    test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
    QToolButton* print = Main().ToolButton(1);
    QTRY_VERIFY(print->isVisible() && print->isEnabled());
    QTest::mouseClick(print, Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].dialog);
    EXPECT_GT(printer.jobs[0].bytes, 0);
    EXPECT_EQ(test::RunPython(readBack, Session->PrivateDir() + "SAMPLEHA03.xlsx"),
              "header &BFirm A|&BGraphs|&BPeriod 3\npictures 1\n");
    EXPECT_EQ(test::BoxKeys(root.ui), std::vector<std::string>{});
}

// The money charts' value axis reads in millions with one decimal in the
// first period, when the figures are small, and in whole millions later.
TEST_F(GraphPageTest, TheMoneyAxisReadsOneDecimalInTheFirstPeriodOnly) {
    struct TCase {
        int period;
        const char* label;  // every label of the value axis
    };
    Main().ShowPage(page);
    for (const TCase& c : {TCase{0, R"(-?\d{1,3}(,\d{3})*\.\d)"}, TCase{3, R"(-?\d{1,3}(,\d{3})*)"}}) {
        ChoosePeriod(c.period);
        const QRegularExpression label(QRegularExpression::anchoredPattern(c.label));
        for (const char* item : {"MPGrPerfRSales", "MPGrPerfCBM", "MPGrPerfCAM", "MPGrPerfNC", "MPGrPerfCNC", "MPGrPerfSpi"}) {
            Choose(item);
            const TFirGraph* chart = Shown<TFirGraph>();
            ASSERT_NE(chart, nullptr) << item;
            const QList<QAbstractAxis*> axes = chart->chart()->axes(Qt::Vertical);
            ASSERT_EQ(axes.size(), 1) << item;
            auto* values = qobject_cast<QCategoryAxis*>(axes.front());
            ASSERT_NE(values, nullptr) << item;
            const QStringList texts = values->categoriesLabels();
            EXPECT_GE(texts.size(), 2) << item;
            for (const QString& text : texts)
                EXPECT_TRUE(label.match(text).hasMatch()) << item << " in period " << c.period << ": " << text.toStdString();
        }
    }
    test::SaveScreenshot(Main(), "GraphPageTest_MoneyAxisLaterPeriod");
}

TEST_F(GraphPageTest, MarketShareOfOnePeriodIsAPieWithTheFirmsShares) {
    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    PickCombo(3, 1);  // one period
    TFirGraph* chart = Shown<TFirGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ChartType(), kChartPie);
    ASSERT_EQ(chart->RowCount(), 1);
    ASSERT_EQ(chart->ColumnCount(), kFirms);
    EXPECT_NEAR(RowSum(*chart, 1, 1), 100.0, 0.5);
    const std::string label = chart->SeriesStyle(1)->points.at(1).label.text;
    EXPECT_EQ(label.rfind("A (", 0), 0u) << label;
    EXPECT_EQ(label.substr(label.size() - 3), "%U)") << label;
    test::SaveScreenshot(Main(), "GraphPageTest_MarketSharePie");
}

TEST_F(GraphPageTest, BenchmarkingMasksTheRivalsInThePeriodWithoutTheStudy) {
    Main().ShowPage(page);
    ChoosePeriod(2);  // team A bought the benchmark in periods 0 and 2, not in 1
    Choose("MPGrBenchRSales");
    TBenchGraph* chart = Shown<TBenchGraph>();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->RowCount(), 3);
    // The team's own line has all three periods.
    for (int row = 1; row <= 3; ++row) EXPECT_TRUE(chart->Data(row, 2).has_value()) << row;
    for (int rival = 2; rival <= kFirms; ++rival) {
        EXPECT_TRUE(chart->Data(1, 2 * rival).has_value()) << rival;
        EXPECT_FALSE(chart->Data(2, 2 * rival).has_value()) << rival;  // period 1
        EXPECT_TRUE(chart->Data(3, 2 * rival).has_value()) << rival;
    }
    test::SaveScreenshot(Main(), "GraphPageTest_BenchmarkMasked");
    // Cumulated, a rival unknown in one period has no bar at all.
    PickCombo(3, 2);
    chart = Shown<TBenchGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ChartType(), kChartBars);
    // One horizontal and one vertical axis, those of the bars.
    EXPECT_EQ(chart->chart()->axes(Qt::Horizontal).size(), 1);
    EXPECT_EQ(chart->chart()->axes(Qt::Vertical).size(), 1);
    EXPECT_TRUE(chart->Data(1, 1).has_value());
    for (int rival = 2; rival <= kFirms; ++rival) EXPECT_FALSE(chart->Data(1, rival).has_value()) << rival;
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "GraphPageTest_BenchmarkCumulated");
}

// An industry without a team of its own ("WhichTeam" 0) shows the charts of
// the context's firm, here A: A's own line is whole in every period, the
// rivals are masked in period 1, where A did not buy the study.
TEST_F(GraphPageTest, WithoutATeamOfItsOwnBenchmarkingIsTheContextFirms) {
    Session->Industry()->ConstPart().SetSmallint(kCategoryIndustry, TDataContext{}, "WhichTeam", 0);
    Main().ShowPage(page);
    ChoosePeriod(2);
    ASSERT_EQ(page->Data.SelFirm, 1);
    Choose("MPGrBenchRSales");
    TBenchGraph* chart = Shown<TBenchGraph>();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->RowCount(), 3);
    for (int row = 1; row <= 3; ++row) EXPECT_TRUE(chart->Data(row, 2).has_value()) << row;
    for (int rival = 2; rival <= kFirms; ++rival) {
        EXPECT_FALSE(chart->Data(2, 2 * rival).has_value()) << rival;
        EXPECT_TRUE(chart->Data(3, 2 * rival).has_value()) << rival;
    }
    test::SaveScreenshot(Main(), "GraphPageTest_BenchmarkingOfTheContextFirm");
}

TEST_F(GraphPageTest, ChartsWhoseStudyWasNotBoughtShowTheStudyScreenInstead) {
    Main().ShowPage(page);
    // Period 3: team A did not buy the benchmark.
    Choose("MPGrBenchRSales");
    EXPECT_EQ(page->Display().Chart(), nullptr);
    auto* benchmark = dynamic_cast<TStuFta*>(page->Display().Screen());
    ASSERT_NE(benchmark, nullptr);
    EXPECT_EQ(benchmark->ScreenNumber(), 55);
    EXPECT_EQ(benchmark->GetStatus(), ssNotBought);
    test::SaveScreenshot(Main(), "GraphPageTest_BenchmarkFallback");
    // Team A bought every study of market M1 in period 3; of M2 the
    // distribution panel, not the consumer panel.
    Choose("MPGrPerfMSSeg");
    EXPECT_NE(Shown<TFirGraph>(), nullptr);
    page->Data.SelMarket = 2;
    Choose("MPGrPerfMSSeg");
    auto* panel = dynamic_cast<TStuMkt*>(page->Display().Screen());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->ScreenNumber(), 4);
    EXPECT_EQ(panel->GetStatus(), ssNotBought);
    Choose("MPGrPerfMSCha");
    EXPECT_NE(Shown<TFirGraph>(), nullptr);
}

// The portfolio of team A on the installed sample, drawn on both screens: the
// growth axis from the segments' expected growths, the bubbles of its brands,
// the axis markers.
TEST_F(GraphPageTest, GrowthSharePortfolioSmallScreen) {
    Main().ShowPage(page);
    Choose("MPGrToolsGSP");
    TGspGraph* chart = Shown<TGspGraph>();
    ASSERT_NE(chart, nullptr);
    // Segments grow 1 %, 2 %, 3 % in M1 and 2 % .. 6 % in M2 (M3 markets no
    // brand and is left out): 0.01 .. 0.06, widened by a tenth of 0.05 on each
    // side to 0.005 .. 0.065, rounded outwards to steps of 0.05: 0 .. 0.10.
    EXPECT_NEAR(chart->Axes().growthMin, 0.0, 1e-9);
    EXPECT_NEAR(chart->Axes().growthMax, 0.10, 1e-9);
    ASSERT_GE(chart->BubbleCount(), 1);
    ASSERT_EQ(chart->RowCount(), chart->BubbleCount() + 3);
    for (int row = 1; row <= chart->BubbleCount(); ++row) {
        const double growth = *chart->Data(row, 2);
        EXPECT_NEAR(growth * 100, std::round(growth * 100), 0.05) << row;  // whole percents
        EXPECT_GE(growth, 0.01 - 1e-4);
        EXPECT_LE(growth, 0.06 + 1e-4);
        EXPECT_GT(*chart->Data(row, 3), 0.0);
        EXPECT_GT(chart->DrawnMarkerSize(1, row), 0.0) << row;
    }
    // The axis markers: the share maximum at the right, 1.0, the minimum 0.1 at the left.
    const int markers = chart->BubbleCount() + 1;
    EXPECT_EQ(chart->Data(markers, 1), 1.0);
    EXPECT_EQ(chart->Data(markers + 2, 1), 0.0);
    EXPECT_EQ(chart->SeriesStyle(1)->points.at(markers + 2).label.text, "0.1");
    EXPECT_EQ(chart->SeriesStyle(1)->points.at(markers + 1).label.text, "1.0");
    EXPECT_EQ(chart->Data(markers, 3), 0.0);
    EXPECT_TRUE(chart->HasBackdropPicture());
    // The quadrants meet where the share-1 line crosses the middle growth: the
    // sample's largest relative share is below 5, so the axis runs 0.1 .. 5 and
    // 1 stands at log(1 / 0.1) / log(5 / 0.1) = 1 / 1.699 = 0.589 of the width.
    EXPECT_EQ(chart->Axes().shareMax, 5.0);
    const QRectF plot = chart->PlotArea();
    EXPECT_NEAR(chart->BackdropSplit().x(), plot.left() + 0.589 * plot.width(), 1.0);
    EXPECT_NEAR(chart->BackdropSplit().y(), plot.center().y(), 1.0);
    EXPECT_STREQ(TGspGraph::PictureName(test::ScreenSize().width()),
                 test::ScreenSize().width() == 640 ? "GSPVGA.WMF" : "GSPSVGA.WMF");
    test::SaveScreenshot(Main(), "GraphPageTest_GrowthShare");
}

// The cumulated items are one period's bars whatever was chosen: no
// evolution combo; with one market there is no markets combo either, and the
// firm charts read every market.
TEST_F(GraphPageTest, CumulatedItemsOfferNoEvolutionAndOneMarketNoMarketChoice) {
    Main().ShowPage(page);
    for (const char* item : {"MPGrPerfCNC", "MPGrPerfCROI"}) {
        Choose(item);
        ASSERT_NE(Shown<TFirGraph>(), nullptr) << item;
        EXPECT_EQ(Shown<TFirGraph>()->ChartType(), kChartBars) << item;
        EXPECT_FALSE(ComboShown(3)) << item;
    }
    OpenOneMarketVariant();
    Main().RefreshAll();
    Choose("MPGrPerfMS");
    ASSERT_NE(Shown<TFirGraph>(), nullptr);
    EXPECT_FALSE(ComboShown(1));
    EXPECT_EQ(page->Data.GraphOption, 1);
    EXPECT_EQ(Shown<TFirGraph>()->EffectiveCode(), 1001);
    EXPECT_TRUE(ComboShown(3));
}

// A combo change builds the chart shown again in place and draws it once,
// at the end, not after each of its points.
TEST_F(GraphPageTest, AComboChangeDrawsTheRebuiltChartOnce) {
    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    TFirGraph* chart = Shown<TFirGraph>();
    ASSERT_NE(chart, nullptr);
    const int drawn = chart->RedrawCount();
    PickCombo(2, 1);  // value
    ASSERT_EQ(Shown<TFirGraph>(), chart);
    EXPECT_EQ(chart->Context().UnitsOrValue, 2);
    EXPECT_EQ(chart->RedrawCount(), drawn + 1);
}

// In value, one market: the market's report, title "in value ... in market M2 of zone NORTH".
TEST_F(GraphPageTest, MarketShareOfOneMarketInValue) {
    Main().ShowPage(page);
    Choose("MPGrPerfMS");
    PickCombo(2, 1);  // value
    PickCombo(1, 2);  // M2: line 1 is every market
    TFirGraph* chart = Shown<TFirGraph>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->EffectiveCode(), 1002);
    EXPECT_EQ(chart->Title().text, "Market shares in value in market M2 of zone NORTH");
    // Only team A markets brands in M2: its share is the whole market in every period.
    for (int row = 1; row <= chart->RowCount(); ++row) EXPECT_NEAR(chart->Data(row, 2).value_or(0), 100.0, 0.05) << row;
    for (int rival = 2; rival <= kFirms; ++rival) EXPECT_FALSE(chart->Data(chart->RowCount(), 2 * rival).has_value());
}

// The sample's two zones hold the same markets: a chart of one zone's figures
// names the zone chosen on the bar, in every kind of chart. Defaults: in
// units, over the periods, all markets; period 3, market M1.
TEST_F(GraphPageTest, ChartTitlesNameTheZoneOnTheBarSmallScreen) {
    ReopenSample(sample::TSampleRestrictions::None);
    Main().ShowPage(page);
    const auto title = [this] {
        const TCVChart* chart = page->Display().Chart();
        return chart ? chart->Title().text : std::string();
    };
    ExpectEachZoneNamed(
        {
            {"MpGrMktSize", "Market size in units in zone NORTH"},
            {"MpGrMktSegSize", "Segment size in units in market M1 of zone NORTH"},
            {"MPGrPerfMS", "Market shares in units, all markets of zone NORTH"},
            {"MPGrPerfCNC", "Cumulative net contribution in zone NORTH - period 3"},
            {"MPGrToolsGSP", "Growth-share portfolio in zone NORTH - period 3"},
            {"MpGrMktAvgPriceSeg", "Average retail price by segment in market M1 of zone NORTH"},
        },
        title, "GraphPageTest_SouthZoneTitle_");
}

// Benchmarking names the zone, and the market when one is chosen. Team A
// bought the benchmark in period 2.
TEST_F(GraphPageTest, BenchmarkingTitleNamesTheZoneAndTheMarketChosenSmallScreen) {
    Main().ShowPage(page);
    ChoosePeriod(2);
    Choose("MPGrBenchNC");
    ASSERT_NE(Shown<TBenchGraph>(), nullptr);
    EXPECT_EQ(Shown<TBenchGraph>()->Title().text, "Benchmarking: net contribution in zone NORTH");
    Choose("MPGrBenchCBM");
    PickCombo(1, 1);  // M1: line 0 is every market
    ASSERT_NE(Shown<TBenchGraph>(), nullptr);
    EXPECT_EQ(Shown<TBenchGraph>()->Title().text, "Benchmarking: contribution before marketing in market M1 of zone NORTH");
    QApplication::processEvents();
    test::SaveScreenshot(Main(), "GraphPageTest_BenchmarkingOneMarketTitle");
}

struct TMenuCase {
    sample::TSampleRestrictions restrictions;
    bool portfolioShown;
    bool benchmarkEnabled;
};

TEST_F(GraphPageTest, MenuUnderEachRestrictionVariant) {
    using R = sample::TSampleRestrictions;
    const TMenuCase cases[] = {
        {R::Several, false, true},       {R::None, true, true},        {R::NoSlf, true, true},
        {R::NoMarketingPlan, true, true}, {R::StudyHidden, true, true}, {R::NoBenchmarking, true, false},
    };
    for (const TMenuCase& c : cases) {
        ReopenSample(c.restrictions);
        Main().ShowPage(windows.teamPage);
        Main().ShowPage(page);
        const int variant = static_cast<int>(c.restrictions);
        EXPECT_EQ(page->Item("MPGrTools")->isVisible(), c.portfolioShown) << variant;
        EXPECT_EQ(page->Item("MPGrToolsGSP")->isVisible(), c.portfolioShown) << variant;
        EXPECT_EQ(page->Item("MPGrBench")->isEnabled(), c.benchmarkEnabled) << variant;
        EXPECT_EQ(page->Item("MPGrBenchNPB")->isEnabled(), c.benchmarkEnabled) << variant;
        EXPECT_TRUE(page->Item("MPGrMkt")->isEnabled()) << variant;
        EXPECT_TRUE(page->Item("MPGrPerfMSSeg")->isEnabled()) << variant;
        // The design group follows its studies, which no variant restricts.
        EXPECT_TRUE(page->Item("MPGrDesign")->isEnabled()) << variant;
        EXPECT_TRUE(page->Item("MPGrDesMapEstimPhys")->isEnabled()) << variant;
    }
}

// Market size with one market: the market's points coincide with the
// total's. Each keeps its own marker, the market's drawn larger so that it
// rings the total's; the market's line is dashed and thinner and its label,
// in its colour, stands below the point, the total's above.
TEST_F(GraphPageTest, OneMarketsSeriesRingsTheTotalWithItsOwnMarkers) {
    OpenOneMarketVariant();
    Main().RefreshAll();
    Main().ShowPage(page);
    Choose("MpGrMktSize");
    TMktTotPerGraph* chart = Shown<TMktTotPerGraph>();
    ASSERT_NE(chart, nullptr);
    QApplication::processEvents();
    ASSERT_EQ(chart->ColumnCount(), 4);  // the total and M1
    const TSeriesStyle* total = chart->SeriesStyle(1);
    const TSeriesStyle* market = chart->SeriesStyle(2);
    ASSERT_NE(total, nullptr);
    ASSERT_NE(market, nullptr);
    for (int row = 1; row <= chart->RowCount(); ++row) {
        ASSERT_EQ(chart->Data(row, 4), chart->Data(row, 2)) << row;
        EXPECT_EQ(market->points.at(row).markerStyle, TAnalGraph::FirmMarker(2)) << row;
        EXPECT_NE(total->points.at(row).markerStyle, market->points.at(row).markerStyle) << row;
        EXPECT_GT(chart->DrawnMarkerSize(1, row), 0.0) << row;
        EXPECT_GT(chart->DrawnMarkerSize(2, row), chart->DrawnMarkerSize(1, row)) << row;
    }
    EXPECT_EQ(total->pen->style, 1);
    EXPECT_EQ(market->pen->style, 2);
    EXPECT_LT(market->pen->width, total->pen->width);
    const TChartLabel& totalLabel = total->points.at(chart->RowCount()).label;
    const TChartLabel& marketLabel = market->points.at(chart->RowCount()).label;
    EXPECT_EQ(totalLabel.location, kLabelAbove);
    EXPECT_EQ(marketLabel.location, kLabelBelow);
    EXPECT_EQ(marketLabel.font.colour, TAnalGraph::MarketColour(1));
    test::SaveScreenshot(Main(), "GraphPageTest_MarketSizeOneMarket");
}

// With three markets, a market's point that coincides with the total's (the
// other markets at 0) keeps its marker and rings the total's; the others are
// drawn at the common size.
TEST_F(GraphPageTest, AMarketPointOnTheTotalRingsItsMarker) {
    // Nothing sold in M2 and M3 in period 1: M1 is the whole industry there.
    TCvInd& industry = *Session->Industry();
    for (const std::int16_t market : {2, 3}) {
        TDataContext at = page->Data;
        at.SelMarket = market;
        TSimArr* sales = industry.PerResults(1).FindSimArr(kCategoryFtaMarket, at, "SegSales");
        ASSERT_NE(sales, nullptr);
        for (int segment = 1; segment <= industry.SegSeries(at.SelFta, market)->Count(); ++segment)
            for (const std::int8_t element : {si::Unit, si::Value}) sales->SetReal48({segment, element}, 0);
    }
    Main().ShowPage(page);
    Choose("MpGrMktSize");
    TMktTotPerGraph* chart = Shown<TMktTotPerGraph>();
    ASSERT_NE(chart, nullptr);
    QApplication::processEvents();
    int coinciding = 0;
    for (int row = 1; row <= chart->RowCount(); ++row)
        for (int series = 2; 2 * series <= chart->ColumnCount(); ++series) {
            if (!chart->Data(row, 2 * series)) continue;
            const bool onTotal = chart->Data(row, 2 * series) == chart->Data(row, 2);
            coinciding += onTotal ? 1 : 0;
            EXPECT_EQ(chart->SeriesStyle(series)->points.at(row).markerStyle, TAnalGraph::FirmMarker(series)) << row;
            if (onTotal) EXPECT_GT(chart->DrawnMarkerSize(series, row), chart->DrawnMarkerSize(1, row)) << row;
            else EXPECT_EQ(chart->DrawnMarkerSize(series, row), chart->DrawnMarkerSize(1, row)) << row;
        }
    EXPECT_EQ(coinciding, 1);  // M1 in period 1
    test::SaveScreenshot(Main(), "GraphPageTest_MarketSizeOnTheTotal");
}

// The segments' labels at the selected period: one step down per larger
// segment, and sideways by segment, so that no two of them overlap.
TEST_F(GraphPageTest, SegmentLabelsStandApartAtTheSelectedPeriod) {
    Main().ShowPage(page);
    for (const int market : {1, 2}) {
        page->Data.SelMarket = static_cast<std::int16_t>(market);
        Choose("MpGrMktSegSize");
        TSegPerGraph* chart = Shown<TSegPerGraph>();
        ASSERT_NE(chart, nullptr);
        QApplication::processEvents();
        const int segments = chart->ColumnCount() / 2;
        ASSERT_EQ(segments, market == 1 ? 3 : 5);
        std::vector<QRectF> labels;
        for (const TQNChart::TDrawnLabel& label : chart->DrawnLabels()) labels.push_back(label.rect);
        ASSERT_EQ(static_cast<int>(labels.size()), segments);
        for (std::size_t i = 0; i < labels.size(); ++i)
            for (std::size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(labels[i].intersects(labels[j])) << market << ": " << chart->DrawnLabels()[i].text << " / "
                                                              << chart->DrawnLabels()[j].text;
        for (int segment = 1; segment <= segments; ++segment)
            EXPECT_EQ(chart->SeriesStyle(segment)->points.at(chart->RowCount()).label.offsetX,
                      PointLabelOffset(SegmentLabelDx(segment))) << segment;
        test::SaveScreenshot(Main(), market == 1 ? "GraphPageTest_SegmentSizeM1" : "GraphPageTest_SegmentSizeM2");
    }
}

// The segments' labels stand inside the plot, under the title, in the
// markets with brands of both zones, in units and in value, at both screen sizes.
TEST_F(GraphPageTest, SegmentSizeLabelsStayInThePlotUnderTheTitleSmallScreen) {
    Main().ShowPage(page);
    for (const int zone : {1, 2})
        for (const int market : {1, 2})
            for (const int unitsOrValue : {0, 1}) {
                test::ChooseZoneOnBar(zone);
                page->Data.SelMarket = static_cast<std::int16_t>(market);
                Choose("MpGrMktSegSize");
                PickCombo(2, unitsOrValue);
                TSegPerGraph* chart = Shown<TSegPerGraph>();
                ASSERT_NE(chart, nullptr);
                QTRY_VERIFY(!chart->DrawnLabels().empty());
                const QRectF plot = chart->PlotArea();
                for (const TQNChart::TDrawnLabel& label : chart->DrawnLabels())
                    EXPECT_TRUE(plot.contains(label.rect))
                        << "zone " << zone << " M" << market << (unitsOrValue ? " value " : " units ") << label.text
                        << " at top " << label.rect.top() << ", the plot from " << plot.top();
            }
    test::ChooseZoneOnBar(1);
    page->Data.SelMarket = 1;
    Choose("MpGrMktSegSize");
    PickCombo(2, 0);
    test::SaveScreenshot(Main(), "GraphPageTest_SegmentSizeLabelsInThePlot");
}

// The market share by segment follows the consumer panel, the share by
// channel the distribution panel, each alone, disabled or hidden.
TEST_F(GraphPageTest, EachPanelRestrictionBarsOnlyItsOwnShareItem) {
    struct TPanelCase {
        const std::int8_t* panel;
        const char* barred;
        const char* free;
    };
    const TPanelCase cases[] = {{&si::ConsumerPanel, "MPGrPerfMSSeg", "MPGrPerfMSCha"},
                                {&si::DistributPanel, "MPGrPerfMSCha", "MPGrPerfMSSeg"}};
    Main().ShowPage(page);
    for (const bool hidden : {false, true}) {
        for (const TPanelCase& c : cases) {
            ReopenSample(sample::TSampleRestrictions::None);
            TSimArr* words = Session->Industry()->ConstPart().FindSimArr(
                kCategoryIndustry, TDataContext{}, hidden ? "RestrictHidden" : "RestrictEnabled");
            ASSERT_NE(words, nullptr);
            words->SetWord({si::StuMktCateg}, words->GetWord({si::StuMktCateg}) | (1u << (*c.panel - 1)));
            page->UpdateMenus();
            EXPECT_FALSE(hidden ? page->Item(c.barred)->isVisible() : page->Item(c.barred)->isEnabled()) << c.barred;
            EXPECT_TRUE(page->Item(c.free)->isEnabled()) << c.free << hidden;
            EXPECT_TRUE(page->Item(c.free)->isVisible()) << c.free << hidden;
            EXPECT_TRUE(page->Item("MPGrPerf")->isEnabled()) << hidden;
            EXPECT_TRUE(page->Item("MPGrPerfMS")->isVisible()) << hidden;
        }
    }
}

TEST_F(GraphPageTest, ARememberedBenchmarkingItemGivesWayToMarketSizeWhenBenchmarkingIsRestricted) {
    Main().ShowPage(page);
    ChoosePeriod(2);
    Choose("MPGrBenchCGS");
    Main().ShowPage(windows.teamPage);
    Restrict("RestrictEnabled", si::NoBenchmarking);
    Main().ShowPage(page);
    EXPECT_EQ(Remembered(), "MpGrMktSize");
    auto* chart = Shown<TMktTotPerGraph>();
    ASSERT_NE(chart, nullptr);
    // The industry total and three markets, periods 0 to 2.
    EXPECT_EQ(chart->ColumnCount(), 2 * 4);
    EXPECT_EQ(chart->RowCount(), 3);
    ExpectPageShown(TFoGraph::kHelpContext, "MGraph");
    test::SaveScreenshot(Main(), "GraphPageTest_MarketSize");
}

// The real previous-page and next-page buttons step through the menu, from
// the remembered item and after a menu choice.
TEST_F(GraphPageTest, ThePageButtonsStepThroughTheMenu) {
    ExpectPageButtonsStepThroughTheMenu("MPGrPerfNC", "GraphPageTest_PageButtons");
}

// The names of the brands marketed in period Period of each market of the
// zone of Context, split by whether the results link them to Firm.
struct TBrandOwners {
    std::set<std::string> own, rivals;
};
TBrandOwners BrandsByOwner(TDataContext context, int firm) {
    TCvInd& industry = *Session->Industry();
    const TCvPerData& results = industry.PerResults(context.CurPeriod);
    const TCvInterf links(industry);
    TBrandOwners owners;
    for (int market = 1; market <= industry.NbMarkets(); ++market) {
        context.SelMarket = static_cast<std::int16_t>(market);
        const TSimArr* names = results.FindSimArr(kCategoryFtaMarket, context, "BrdNames");
        const int brands = results.GetSmallintDef(kCategoryFtaMarket, context, "NbMktedBrds", 0);
        for (int brand = 1; names && brand <= brands; ++brand) {
            int owner = 0, ownBrand = 0;
            links.BrandLinks(results, context, brand, owner, ownBrand);
            (owner == firm ? owners.own : owners.rivals).insert(names->GetZts({brand}));
        }
    }
    return owners;
}

// The portfolio is the team's own: every bubble label drawn and painted
// ("<brand>-<segment>") names a brand the results link to team A's firm.
TEST_F(GraphPageTest, GrowthSharePortfolioDrawsTheTeamsOwnBrands) {
    ReopenSample(sample::TSampleRestrictions::None);
    Main().ShowPage(page);
    Choose("MPGrToolsGSP");
    TGspGraph* chart = Shown<TGspGraph>();
    ASSERT_NE(chart, nullptr);
    QTRY_VERIFY(!chart->DrawnLabels().empty());
    const TBrandOwners owners = BrandsByOwner(chart->Context(), 1);
    ASSERT_FALSE(owners.own.empty());
    ASSERT_FALSE(owners.rivals.empty()) << "the sample has rivals to leave out";
    const test::PaintedContent painted = test::Paint(*chart);
    int bubbles = 0;
    for (const TQNChart::TDrawnLabel& label : chart->DrawnLabels()) {
        const std::size_t dash = label.text.rfind('-');
        if (dash == std::string::npos) continue;  // an axis marker
        ++bubbles;
        const std::string brand = label.text.substr(0, dash);
        EXPECT_TRUE(owners.own.contains(brand)) << label.text;
        EXPECT_FALSE(owners.rivals.contains(brand)) << label.text;
        EXPECT_TRUE(painted.Shows(QString::fromStdString(label.text))) << label.text;
    }
    EXPECT_EQ(bubbles, chart->BubbleCount());
    EXPECT_GE(bubbles, 1);
    test::SaveScreenshot(Main(), "GraphPageTest_GrowthShareOwnBrands");
}

// Each marker's label stands beside its own marker (or joined to it by a
// line), over no other label, over no other marker and inside the plot, at
// both screen sizes: on the growth-share portfolio for every firm of the
// sample and every market choice (bubbles that crowd), and on the market and
// performance charts over the periods (markets and firms whose points lie
// close together at the selected period).
TEST_F(GraphPageTest, ChartLabelsStandBesideTheirOwnMarkersApartSmallScreen) {
    // A label's own height: a label farther than that reads as another marker's.
    constexpr double kNear = 14;
    Main().ShowPage(page);
    for (const char* item : {"MpGrMktSize", "MpGrMktGrowth", "MpGrMktNbBrds", "MpGrMktAvgPrice", "MPGrPerfRSales",
                             "MPGrPerfMS", "MPGrPerfNC", "MPGrPerfSpi"}) {
        Choose(item);
        TAnalGraph* chart = Shown<TAnalGraph>();
        ASSERT_NE(chart, nullptr) << item;
        QTRY_VERIFY(!chart->DrawnLabels().empty());
        // The labels as the chart stands once the page is laid out.
        QApplication::processEvents();
        EXPECT_EQ(test::MarkerLabelFaults(*chart, kNear), std::vector<std::string>{}) << item;
        if (std::string(item) == "MpGrMktGrowth") test::SaveScreenshot(Main(), "GraphPageTest_MarketGrowthLabelsApart");
    }
    Choose("MPGrToolsGSP");
    ASSERT_NE(Shown<TGspGraph>(), nullptr);
    const int firms = page->Combos().Combo(3)->count();
    const int marketChoices = page->Combos().Combo(1)->count();
    ASSERT_EQ(firms, kFirms);
    int crowdest = 0;
    for (int firm = 0; firm < firms; ++firm)
        for (int markets = 0; markets < marketChoices; ++markets) {
            PickCombo(3, firm);
            PickCombo(1, markets);
            TGspGraph* chart = Shown<TGspGraph>();
            ASSERT_NE(chart, nullptr);
            QTRY_VERIFY(chart->BubbleCount() == 0 || !chart->DrawnLabels().empty());
            QApplication::processEvents();
            const std::vector<std::string> faults = test::MarkerLabelFaults(*chart, kNear);
            EXPECT_EQ(faults, std::vector<std::string>{}) << "firm " << firm + 1 << ", market choice " << markets;
            crowdest = std::max(crowdest, chart->BubbleCount());
        }
    EXPECT_GE(crowdest, 15) << "the sample crowds a portfolio";
    PickCombo(3, 0);
    PickCombo(1, 0);
    test::SaveScreenshot(Main(), "GraphPageTest_GrowthShareLabelsApart");
}

// On the relation charts of the design menu, each brand's name and each
// segment's ideal point label stands beside its own marker (or joined to it
// by a line), over no other label or marker, at both screen sizes: the map
// relations of every characteristic against every map dimension, and the
// semantic estimation of every characteristic, in M1 of period 3.
TEST_F(GraphPageTest, RelationChartLabelsStandBesideTheirOwnMarkersApartSmallScreen) {
    constexpr double kNear = 14;  // a label's own height
    Main().ShowPage(page);
    int charts = 0;
    const auto expectApart = [&](const std::string& shown) {
        const TRelationGraph* chart = Shown<TRelationGraph>();
        ASSERT_NE(chart, nullptr) << shown;
        QTRY_VERIFY(!chart->DrawnLabels().empty());
        QApplication::processEvents();
        EXPECT_EQ(test::MarkerLabelFaults(*chart, kNear), std::vector<std::string>{}) << shown;
        ++charts;
    };
    Choose("MPGrDesMapRelations");
    const int characteristics = page->Combos().Combo(1)->count(), dimensions = page->Combos().Combo(3)->count();
    for (int characteristic = characteristics - 1; characteristic >= 0; --characteristic)
        for (int dimension = 0; dimension < dimensions; ++dimension) {
            PickCombo(1, characteristic);
            PickCombo(3, dimension);
            expectApart("map relations of " + page->Combos().Combo(1)->currentText().toStdString() + " on " +
                        page->Combos().Combo(3)->currentText().toStdString());
        }
    Choose("MPGrDesMapRelations");  // the price on the first dimension again
    expectApart("map relations as first shown");
    test::SaveScreenshot(Main(), "GraphPageTest_MapRelationsLabelsApart");
    Choose("MPGrDesSemEstimGraph");
    for (int characteristic = 0; characteristic < page->Combos().Combo(2)->count(); ++characteristic) {
        PickCombo(2, characteristic);
        expectApart("semantic estimation of " + page->Combos().Combo(2)->currentText().toStdString());
    }
    test::SaveScreenshot(Main(), "GraphPageTest_SemanticEstimationLabelsApart");
    EXPECT_GE(charts, 12);
}

// What the team reads: the study screen that stands in for a chart not
// bought, and the map regression with its verdicts and statistics, paint the
// texts of their cells in view, whole.
TEST_F(GraphPageTest, StudyScreensPaintTheTextsOfTheirCellsWholeSmallScreen) {
    Main().ShowPage(page);
    for (const char* item : {"MPGrBenchRSales" /* not bought in period 3 */, "MPGrDesMapRegress"}) {
        Choose(item);
        ASSERT_EQ(page->Display().Chart(), nullptr) << item;
        const test::ShownTables shown = test::PaintShownTables(*page);
        EXPECT_GE(shown.tables, 1) << item;
        EXPECT_GT(shown.textCells, 0) << item;
        EXPECT_TRUE(shown.unpainted.isEmpty()) << item << ": " << shown.unpainted.join(" | ").toStdString();
        EXPECT_TRUE(shown.cut.isEmpty()) << item << " cuts " << shown.cut.join(" | ").toStdString();
        // Its columns give up the width their texts leave free rather than scroll.
        EXPECT_EQ(page->Display().Screen()->Table()->HorizontalBar(), nullptr) << item;
        test::SaveScreenshot(Main(), std::string("GraphPageTest_Painted_") + item);
    }
}

}  // namespace
}  // namespace cv
