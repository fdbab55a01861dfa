// The maps and study charts built on the sample industry: the axes a map
// chooses, the snapped one-period map with its placed labels, the trails of
// the ideal points and their labels, the relation charts' row order, range and
// ideal points, and the conjoint chart's blocks.
#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>

#include <set>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/maps/cja_utils_graph.h"
#include "graphs/maps/document_charts.h"
#include "graphs/maps/perc_map.h"
#include "graphs/maps/relation_graphs.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

constexpr int kWindow = 3;
constexpr int kDocument = kChartDocumentMode;
constexpr int kM1 = 1, kM2 = 2, kM3 = 3;

class MapsTest : public test::ResultsTest {
protected:
    TDataContext At(int period, int market) const {
        TDataContext context = Context(period);
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    template <class Map>
    std::unique_ptr<Map> MakeMap(const TDataContext& context, int kind, int mode = kWindow) {
        auto map = std::make_unique<Map>(owner.get(), context, kind, 10, 0, 40, 1000, 600, mode);
        if (mode == kDocument) map->Build(context);
        return map;
    }
    std::unique_ptr<TRelationGraph> Relation(bool semantic, const TDataContext& context, TRelationPage page) {
        if (semantic) return std::make_unique<TSemEstGraph>(owner.get(), context, 10, 0, 40, 1000, 600, kWindow, page);
        return std::make_unique<TMapRelationsGraph>(owner.get(), context, 10, 0, 40, 1000, 600, kWindow, page);
    }
};

struct TAxisCase {
    int choice, defaultAxis, count, expected;
};

TEST(MapAxes, AChoiceOutsideTheMarketsSeriesGivesTheDefaultWithinIt) {
    const TAxisCase cases[] = {
        {2, 6, 6, 2},   // a valid choice stays
        {0, 6, 6, 6},   // none: the default
        {-1, 5, 6, 5},  // negative: the default
        {7, 6, 6, 6},   // beyond the series: the default
        {0, 6, 4, 4},   // a default beyond the series comes within it
        {3, 2, 2, 2},   // a choice of a richer market does not survive
        {0, 2, 0, 1},   // a market without the series still names axis 1
    };
    for (const TAxisCase& c : cases)
        EXPECT_EQ(TPercMap::ChooseAxis(c.choice, c.defaultAxis, c.count), c.expected)
            << c.choice << " " << c.defaultAxis << " " << c.count;
}

TEST_F(MapsTest, DefaultAxesStayWithinAMarketOfFewerScalesAndDimensions) {
    // M1: six scales, three dimensions: the defaults as they stand.
    EXPECT_EQ(MakeMap<TStdPercMap>(At(3, kM1), mkSemantic)->HorzAxis(), 6);
    EXPECT_EQ(MakeMap<TStdPercMap>(At(3, kM1), mkSemantic)->VertAxis(), 5);
    // M2: four scales (Size, Speed, Grip, Price) and two dimensions: the last
    // scale and the one before, the first two dimensions.
    const auto semantic = MakeMap<TStdPercMap>(At(3, kM2), mkSemantic);
    EXPECT_EQ(semantic->HorzAxis(), 4);
    EXPECT_EQ(semantic->VertAxis(), 3);
    TDataContext richer = At(3, kM2);
    richer.StudyChoice1 = 1;
    richer.StudyChoice2 = 3;  // M1's third dimension
    const auto perceptual = MakeMap<TStdPercMap>(richer, mkPerceptual);
    EXPECT_EQ(perceptual->HorzAxis(), 1);
    EXPECT_EQ(perceptual->VertAxis(), 2);
    EXPECT_EQ(perceptual->chart()->axes().size(), 2);
}

TEST_F(MapsTest, OnePeriodMapPlotsSnappedPositionsAndPlacesEveryBrandLabel) {
    const auto map = MakeMap<TStdPercMap>(At(3, kM1), mkPerceptual);
    const TPercMapLabels& items = map->Items();
    // Three segments, nine brands: one series of one point each.
    ASSERT_EQ(items.idealPointCount, 3);
    ASSERT_EQ(items.items.size(), 12u);
    EXPECT_FALSE(map->NoData);
    ASSERT_EQ(map->RowCount(), 1);
    ASSERT_EQ(map->ColumnCount(), 24);
    const TSimArr* brands = Session->Industry()->PerResults(3).FindSimArr(kCategoryFtaMarket, At(3, kM1), "PosMapBrds");
    ASSERT_NE(brands, nullptr);
    for (int j = 1; j <= 12; ++j) {
        const double x = *map->Data(1, 2 * j - 1);
        // On a grid point of the perceptual grid (-20 + 0.8 k) ...
        const double cells = (x + 20) / 0.8;
        EXPECT_NEAR(cells, std::round(cells), 1e-9) << j;
        // ... the nearest one to where the study puts a brand.
        if (j > 3) {
            EXPECT_LE(std::fabs(x - brands->GetSmallint({j - 3, 1, si::PMStuBrd}) / 1000.0), 0.4 + 1e-9) << j;
        }
    }
    for (int i = 3; i < 12; ++i) {
        const TPercMapItem& brand = items.items[static_cast<std::size_t>(i)];
        EXPECT_NE(brand.position, lpNone) << brand.label;
        for (int j = 0; j < 12; ++j) EXPECT_FALSE(items.LabelHitsLabel(i, j)) << brand.label;
        // The chart draws the label where the placement put it.
        EXPECT_EQ(map->SeriesStyle(i + 1)->points.at(1).label.location, brand.position);
        EXPECT_EQ(map->SeriesStyle(i + 1)->points.at(1).label.text, brand.label);
    }
    // Team A's two brands come first, in firm A's colour (entry 1: red) and marker (3).
    EXPECT_EQ(items.items[3].label, "ALBA");
    EXPECT_EQ(items.items[3].markerStyle, 3);
    EXPECT_EQ(items.items[3].colour, 0x0000FFu);
    EXPECT_EQ(items.items[5].markerStyle, 13);  // E's first brand
    // Ideal points: the segments' initials, centred, black, ring marker.
    EXPECT_EQ(items.items[0].position, lpRing);
    EXPECT_EQ(items.items[0].markerStyle, 4);
    EXPECT_NE(map->TitleText().find("Perceptual map: brands and ideal points"), std::string::npos);
    EXPECT_EQ(map->TitleText().find("@AXISH"), std::string::npos);
}

TEST_F(MapsTest, DocumentMapHasNoTitleDrawsBlackAndTellsAMarketWithoutBrands) {
    const auto map = BuildDocumentMap(owner.get(), At(3, kM1), mkSemantic);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->size(), QSize(700, 700));
    EXPECT_TRUE(map->TitleText().empty());
    EXPECT_FALSE(map->Legend().visible);
    for (int j = 4; j <= 12; ++j) EXPECT_EQ(*map->SeriesStyle(j)->points.at(1).colour, QColor(Qt::black)) << j;
    // M3 markets no brand: the document leaves its map out, though the map
    // would draw its two ideal points.
    EXPECT_EQ(BuildDocumentMap(owner.get(), At(3, kM3), mkSemantic), nullptr);
    const auto empty = MakeMap<TStdPercMap>(At(3, kM3), mkSemantic, kDocument);
    EXPECT_TRUE(empty->NoData);
    EXPECT_EQ(empty->Items().items.size(), 2u);
    EXPECT_EQ(empty->ColumnCount(), 4);
}

TEST(TrailLabels, GoToTheSideTheIdealPointMovedTo) {
    using L = THistPercMap::TTrailLabel;
    EXPECT_EQ(THistPercMap::TrailLabel(1.5, 1.0), (L{lpRight, 0.25}));
    EXPECT_EQ(THistPercMap::TrailLabel(1.0, 1.5), (L{lpLeft, -0.25}));
    EXPECT_EQ(THistPercMap::TrailLabel(1.0, 1.0), (L{lpLeft, -0.25}));  // unmoved: left
}

TEST_F(MapsTest, HistoryMapHasOneRowPerPeriodAndLabelsEachTrailsLastPoint) {
    const auto map = MakeMap<THistPercMap>(At(3, kM1), mkSemantic);
    // Periods 0 to 3; three segments of two columns.
    ASSERT_EQ(map->RowCount(), 4);
    ASSERT_EQ(map->ColumnCount(), 6);
    for (int segment = 1; segment <= 3; ++segment) {
        const TChartLabel& label = map->SeriesStyle(segment)->points.at(4).label;
        const double x = *map->Data(4, 2 * segment - 1), before = *map->Data(3, 2 * segment - 1);
        EXPECT_EQ(label.location, x > before ? lpRight : lpLeft) << segment;
        EXPECT_EQ(label.offsetX, x > before ? 38 : -38) << segment;  // 0.25 x 150 = 37.5, to even
        EXPECT_EQ(label.offsetY, 0);
        EXPECT_EQ(label.text.substr(label.text.size() - 5), " (P3)") << label.text;
        // Earlier points carry no label.
        EXPECT_TRUE(map->SeriesStyle(segment)->points.at(3).label.text.empty());
    }
    EXPECT_NE(map->TitleText().find("over the periods"), std::string::npos);
}

// A period whose study placed no ideal point (zeros) draws no point rather
// than stacking every segment at the origin; without points in the selected
// period the last period with points carries the labels.
TEST_F(MapsTest, HistoryMapLeavesOutPeriodsWithoutIdealPoints) {
    const TDataContext context = At(3, kM1);
    for (int period : {1, 3}) {
        TSimArr* ideals = Session->Industry()->PerResults(period).FindSimArr(kCategoryFtaMarket, context, "PosSemIPs");
        ASSERT_NE(ideals, nullptr);
        for (int segment = 1; segment <= 3; ++segment)
            for (int axis = ideals->LB(2); axis <= ideals->UB(2); ++axis) ideals->SetSmallint({segment, axis, si::PSStuIP}, 0);
    }
    const auto map = MakeMap<THistPercMap>(context, mkSemantic);
    ASSERT_EQ(map->RowCount(), 4);
    for (int segment = 1; segment <= 3; ++segment) {
        for (int row : {2, 4}) EXPECT_FALSE(map->Data(row, 2 * segment - 1).has_value()) << segment << " row " << row;
        EXPECT_TRUE(map->Data(3, 2 * segment - 1).has_value()) << segment;
        const TChartLabel& label = map->SeriesStyle(segment)->points.at(3).label;
        EXPECT_EQ(label.text.substr(label.text.size() - 5), " (P2)") << label.text;
    }
}

TEST_F(MapsTest, HistoryMapOfPeriodZeroComparesEachLabelWithAnXOfZero) {
    const auto map = MakeMap<THistPercMap>(At(0, kM1), mkPerceptual);
    ASSERT_EQ(map->RowCount(), 1);
    for (int segment = 1; segment <= 3; ++segment) {
        const double x = *map->Data(1, 2 * segment - 1);
        EXPECT_EQ(map->SeriesStyle(segment)->points.at(1).label.location, x > 0 ? lpRight : lpLeft) << x;
    }
}

TEST(RelationRows, AreSortedByXLargestFirstAsTheSelectionSortLeavesEqualOnes) {
    using R = TRelationGraph::TRow;
    // Pass 1 swaps the first 3 (b) into place: b a c d; pass 2 takes d: b d c a.
    const std::vector<R> sorted = TRelationGraph::SortedByX({{1, 0, 1}, {3, 0, 2}, {2, 0, 3}, {3, 0, 4}});
    ASSERT_EQ(sorted.size(), 4u);
    EXPECT_EQ(sorted[0].segment, 2);
    EXPECT_EQ(sorted[1].segment, 4);
    EXPECT_EQ(sorted[2].segment, 3);
    EXPECT_EQ(sorted[3].segment, 1);
}

TEST_F(MapsTest, SemanticEstimationSpansTheTechnicalRangeAndPutsIdealPointsOnTheFittedLine) {
    TDataContext context = At(3, kM1);
    context.HorzAxis = 1;  // Weight: perceived exactly as 0.5 + weight / 10
    const auto chart = Relation(true, context, TRelationPage::Graphs);
    EXPECT_FALSE(chart->NoData);
    EXPECT_FALSE(chart->Axis(0).automatic);
    EXPECT_EQ(chart->Axis(0).minimum, chart->Low());
    // Nine brands, largest weight first.
    for (int row = 2; row <= 9; ++row) EXPECT_GE(*chart->Data(row - 1, 1), *chart->Data(row, 1)) << row;
    // Put the ideal points at 2, 4 and 6. On weight = 10 x perceived - 5 they fall at 15, 35 and
    // 55, all within the technical range 10..100, largest first.
    TSimArr* ideals = Session->Industry()->PerResults(3).FindSimArr(kCategoryFtaMarket, context, "PosSemIPs");
    ASSERT_NE(ideals, nullptr);
    for (int segment = 1; segment <= 3; ++segment) ideals->SetSmallint({segment, 1, si::PSStuIP}, 2000 * segment);
    chart->Build(context);
    EXPECT_EQ(chart->Low(), 10);
    EXPECT_EQ(chart->High(), 100);
    ASSERT_EQ(chart->IdealPointCount(), 3);
    const double expected[][2] = {{55, 6}, {35, 4}, {15, 2}};
    for (int rank = 1; rank <= 3; ++rank) {
        EXPECT_NEAR(*chart->Data(rank, 3), expected[rank - 1][0], 1e-6) << rank;
        EXPECT_NEAR(*chart->Data(rank, 4), expected[rank - 1][1], 1e-9) << rank;
    }
    // Labels by rank: right, left, right, offset one cell (150 units) outwards.
    const TChartLabel& first = chart->SeriesStyle(2)->points.at(1).label;
    EXPECT_EQ(first.text, Session->Industry()->SegmentLabel(context.SelFta, kM1, 3));
    EXPECT_EQ(first.location, lpRight);
    EXPECT_EQ(first.offsetX, 150);
    EXPECT_EQ(chart->SeriesStyle(2)->points.at(2).label.location, lpLeft);
    EXPECT_EQ(chart->SeriesStyle(2)->points.at(2).label.offsetX, -150);
    // An ideal point beyond the range is left out.
    ideals->SetSmallint({1, 1, si::PSStuIP}, 500);  // 10 x 0.5 - 5 = 0, below 10
    chart->Build(context);
    EXPECT_EQ(chart->IdealPointCount(), 2);
    EXPECT_NE(chart->Legend().text.find("explains 100 %"), std::string::npos) << chart->Legend().text;
    // The price lies beyond the physical characteristics: an automatic scale.
    context.HorzAxis = 6;
    chart->Build(context);
    EXPECT_TRUE(chart->Axis(0).automatic);
    EXPECT_EQ(chart->High(), 32767);
}

// Every brand's marker on the relation charts carries the brand's name, on
// both pages; neighbours along the characteristic take turns above and below.
TEST_F(MapsTest, RelationChartsNameEachBrand) {
    TDataContext context = At(3, kM1);
    context.HorzAxis = 1;
    context.VertAxis = 1;
    const TCvPerData& results = Session->Industry()->PerResults(3);
    const TSimArr* names = results.FindSimArr(kCategoryFtaMarket, context, "BrdNames");
    ASSERT_NE(names, nullptr);
    const int brands = results.GetSmallintDef(kCategoryFtaMarket, context, "NbMktedBrds", 0);
    ASSERT_GE(brands, 3);
    std::multiset<std::string> expected;
    for (int brand = 1; brand <= brands; ++brand) expected.insert(names->GetZts({brand}));
    for (bool semantic : {true, false})
        for (TRelationPage page : {TRelationPage::Graphs, TRelationPage::Studies}) {
            const auto chart = Relation(semantic, context, page);
            std::multiset<std::string> shown;
            int previous = 0;
            for (int row = 1; chart->Data(row, 1).has_value(); ++row) {
                const TChartLabel& label = chart->SeriesStyle(1)->points.at(row).label;
                EXPECT_FALSE(label.text.empty()) << semantic << " row " << row;
                EXPECT_NE(label.location, previous) << "the same side as its neighbour, row " << row;
                previous = label.location;
                shown.insert(label.text);
            }
            EXPECT_EQ(shown, expected) << semantic;
        }
}

TEST_F(MapsTest, RelationChartsOfTwoBrandsDrawThemButNoIdealPoint) {
    TDataContext context = At(3, kM2);
    context.HorzAxis = 1;
    context.VertAxis = 1;
    for (bool semantic : {true, false}) {
        const auto chart = Relation(semantic, context, TRelationPage::Graphs);
        EXPECT_TRUE(chart->NoData);
        EXPECT_EQ(chart->IdealPointCount(), 0);
        EXPECT_TRUE(chart->Data(1, 1).has_value());
        EXPECT_TRUE(chart->Data(2, 1).has_value());
        EXPECT_NE(chart->Legend().text.find("Fewer than three brands"), std::string::npos) << chart->Legend().text;
    }
}

TEST_F(MapsTest, MapRelationsWithAFlatFitDrawsNoIdealPoint) {
    TDataContext context = At(3, kM1);
    context.HorzAxis = 6;  // automatic range: an ideal point at 0 would be kept
    context.VertAxis = 1;
    ASSERT_GT(Relation(false, context, TRelationPage::Graphs)->IdealPointCount(), 0);
    TSimArr* positions = Session->Industry()->PerResults(3).FindSimArr(kCategoryFtaMarket, context, "PosMapBrds");
    ASSERT_NE(positions, nullptr);
    for (int brand = 1; brand <= 9; ++brand) positions->SetSmallint({brand, 1, si::PMStuBrd}, 5000);
    EXPECT_EQ(Relation(false, context, TRelationPage::Graphs)->IdealPointCount(), 0);
}

TEST_F(MapsTest, StudiesPageRelationChartsShowTheBrandsUnderATitle) {
    TDataContext context = At(3, kM1);
    context.HorzAxis = 2;
    context.VertAxis = 1;
    const auto chart = Relation(false, context, TRelationPage::Studies);
    EXPECT_EQ(chart->IdealPointCount(), 0);
    EXPECT_FALSE(chart->Data(1, 3).has_value());
    EXPECT_EQ(chart->Title().text, "POWER and its perception on ECONOMY in market M1 of zone NORTH");
    EXPECT_EQ(chart->Axis(0).crossing, -20);
    EXPECT_EQ(chart->Axis(1).minimum, -20);
}

TEST_F(MapsTest, ConjointChartPutsEachAttributesFourLevelsInABlockOfItsOwn) {
    TDataContext context = At(3, kM1);
    context.SelSegment = 2;
    TCjaUtilsGraph chart(owner.get(), context, 10, 0, 40, 1000, 600, kWindow);
    ASSERT_EQ(chart.RowCount(), 4);
    ASSERT_EQ(chart.ColumnCount(), 8);
    EXPECT_EQ(TCjaUtilsGraph::LevelX(1, 1), 1);
    EXPECT_EQ(TCjaUtilsGraph::LevelX(2, 4), 9);
    EXPECT_EQ(TCjaUtilsGraph::LevelX(4, 1), 16);
    const TCvPerData& results = Session->Industry()->PerResults(3);
    const TSimArr* utilities = results.FindSimArr(kCategoryFtaMarket, context, "StuCjaUtils");
    int drawn = 0;
    for (int attribute = 1; attribute <= 4; ++attribute) {
        if (!chart.Data(1, 2 * attribute - 1)) continue;
        ++drawn;
        for (int level = 1; level <= 4; ++level) {
            EXPECT_EQ(*chart.Data(level, 2 * attribute - 1), (attribute - 1) * 5 + level);
            const double utility = *chart.Data(level, 2 * attribute);
            EXPECT_GE(utility, 0);
            EXPECT_LE(utility, 1);
            EXPECT_EQ(chart.SeriesStyle(attribute)->points.at(level).label.location, 2);
        }
        EXPECT_TRUE(chart.SeriesStyle(attribute)->seriesLabel.has_value());
    }
    EXPECT_GT(drawn, 0);
    ASSERT_NE(utilities, nullptr);
    EXPECT_NE(chart.Title().text.find("FAMILIES"), std::string::npos) << chart.Title().text;
}

}  // namespace
}  // namespace cv
