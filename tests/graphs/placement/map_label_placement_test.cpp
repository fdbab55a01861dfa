// Brand-label placement on the one-period maps: the boxes, the three passes
// and the bound on the ring search, on hand-built item sets whose outcome is
// worked out cell by cell in the comments.

#include "graphs/placement/map_label_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace cv {
namespace {

// The perceptual map's label grid: origin -20, step 0.8.
constexpr double MapOrigin = -20.0;
constexpr double MapStep = 0.8;

double AtCell(int cell) { return MapOrigin + MapStep * cell; }

class LabelPlacement : public ::testing::Test {
protected:
    explicit LabelPlacement(bool smallScreen = false) : map_(MapOrigin, MapStep, smallScreen) {}

    void AddIdealPoint(int cellX, int cellY) {
        TPercMapItem item;
        item.kind = ikIdealPoint;
        item.x = AtCell(cellX);
        item.y = AtCell(cellY);
        item.position = lpRing;
        map_.items.insert(map_.items.begin() + map_.idealPointCount, item);
        ++map_.idealPointCount;
        for (int i = 0; i < map_.idealPointCount; ++i) map_.SetLabelRect(i, 1);
    }

    // Returns the brand's item index.
    int AddBrand(int cellX, int cellY) {
        TPercMapItem item;
        item.kind = ikBrand;
        item.x = AtCell(cellX);
        item.y = AtCell(cellY);
        map_.items.push_back(item);
        const int index = static_cast<int>(map_.items.size()) - 1;
        map_.SetLabelRect(index, 2);
        return index;
    }

    const TPercMapItem& Item(int i) const { return map_.items[i]; }

    TPercMapLabels map_;
};

class SmallScreenLabelPlacement : public LabelPlacement {
protected:
    SmallScreenLabelPlacement() : LabelPlacement(true) {}
};

TEST(GridBox, OverlapsOnlyWhenInteriorsMeet) {
    const TGridBox box{25, 25, 2, 2};
    EXPECT_TRUE(box.Overlaps({26, 26, 6, 3}));
    EXPECT_FALSE(box.Overlaps({27, 25, 6, 3}));  // touches on the right edge
    EXPECT_FALSE(box.Overlaps({23, 27, 6, 3}));  // touches on the top edge
    EXPECT_FALSE(TGridBox{}.Overlaps({0, 0, 6, 3}));  // the empty box of an unplaced label
    EXPECT_TRUE(TGridBox{}.Overlaps({-1, -1, 6, 3}));  // ... unless a box strictly holds (0, 0)
}

TEST(LabelGrid, SnapsToTheNearestGridPoint) {
    // Semantic grid: 1.0 + 0.12 x round((3.05 - 1.0) / 0.12) = 1.0 + 0.12 x round(17.083) = 3.04.
    const TPercMapLabels semantic(1.0, 0.12, false);
    EXPECT_EQ(semantic.CellOf(3.05), 17);
    EXPECT_NEAR(semantic.SnapToGrid(3.05), 3.04, 1e-12);
    // Perceptual grid: (7.3 + 20) / 0.8 = 34.125 -> cell 34 -> 7.2; a value below the plot gives a negative cell.
    const TPercMapLabels perceptual(MapOrigin, MapStep, false);
    EXPECT_NEAR(perceptual.SnapToGrid(7.3), 7.2, 1e-12);
    EXPECT_EQ(perceptual.CellOf(-21.0), -1);
}

// Positions far beyond the plot, infinite or no number at all (a damaged
// file's values) give the bounded far cells, and their brands no label.
TEST_F(LabelPlacement, PositionsBeyondTheIntRangeGiveTheFarCells) {
    const double infinity = std::numeric_limits<double>::infinity();
    const double noNumber = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        int cell;
    } cases[] = {{1e300, FarCell}, {-1e300, -FarCell}, {infinity, FarCell}, {-infinity, -FarCell},
                 {noNumber, -FarCell}, {AtCell(FarCell) + 1, FarCell}, {AtCell(-FarCell) - 1, -FarCell}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(map_.CellOf(c.value), c.cell);
        map_.items.clear();
        const int brand = AddBrand(0, 0);
        map_.items[brand].x = c.value;
        map_.items[brand].y = -c.value;
        map_.PlaceLabels();
        EXPECT_EQ(Item(brand).position, lpNone);
    }
}

TEST_F(LabelPlacement, LabelBoxFollowsThePositionCode) {
    const int brand = AddBrand(25, 25);
    struct Case {
        int position, dx, dy;
        TGridBox expected;
    };
    const Case cases[] = {
        {lpAbove, 0, 0, {23, 27, 6, 3}}, {lpBelow, 0, 0, {23, 22, 6, 3}}, {lpLeft, 0, 0, {19, 25, 6, 3}},
        {lpRight, 0, 0, {27, 25, 6, 3}}, {lpRing, 3, -2, {26, 23, 6, 2}}, {lpNone, 0, 0, {0, 0, 0, 0}},
        {5, 0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        map_.items[brand].position = c.position;
        map_.items[brand].dx = c.dx;
        map_.items[brand].dy = c.dy;
        map_.SetLabelRect(brand, 2);
        EXPECT_EQ(Item(brand).labelBox, c.expected) << "position " << c.position;
        EXPECT_EQ(Item(brand).markerBox, (TGridBox{25, 25, 2, 2}));
    }
}

TEST_F(LabelPlacement, MapWithoutBrandsPlacesNothing) {
    AddIdealPoint(10, 10);
    AddIdealPoint(30, 12);
    map_.PlaceLabels();
    for (const TPercMapItem& item : map_.items) {
        EXPECT_EQ(item.position, lpRing);
        EXPECT_EQ(item.labelBox, TGridBox{});
    }
}

TEST_F(LabelPlacement, TwoBrandsAtOnePointTakeRightThenLeft) {
    // The first brand's right label (27,25,6,3) only touches both 2 x 2 markers.
    // For the second, right is that same box and above (23,27,6,3) meets it
    // (x 23..29 against 27..33, y 27..30 against 25..28); left (19,25,6,3) ends where it starts.
    const int first = AddBrand(25, 25);
    const int second = AddBrand(25, 25);
    map_.PlaceLabels();
    EXPECT_EQ(Item(first).position, lpRight);
    EXPECT_EQ(Item(second).position, lpLeft);
    EXPECT_EQ(Item(second).flags[lpRight], cfFree);  // screening found no marker under it
}

TEST_F(SmallScreenLabelPlacement, ThreeCellMarkersBarRightAndAbove) {
    // A 3 x 3 marker (25..28) reaches into the right label (x from 27) and the one above (y from 27).
    const int brand = AddBrand(25, 25);
    map_.PlaceLabels();
    EXPECT_EQ(Item(brand).flags[lpRight], cfOverMarker);
    EXPECT_EQ(Item(brand).flags[lpAbove], cfOverMarker);
    EXPECT_EQ(Item(brand).flags[lpLeft], cfFree);
    EXPECT_EQ(Item(brand).position, lpLeft);
    EXPECT_EQ(Item(brand).markerBox, (TGridBox{25, 25, 3, 3}));
}

TEST_F(LabelPlacement, RepairMovesAPlacedLabelToFreeAnother) {
    // Brand 2 at (35,25) has only its left place (29,25,6,3): ideal points sit
    // under its right (40,25), above (34,29) and below (34,22) labels. Brand 1
    // at (25,25) first takes right (27,25,6,3), which covers that place; the
    // repair finds brand 1's above label (23,27,6,3) clear, bars right, and the
    // next sweep puts brand 1 above and brand 2 left (x 23..29 ends where 29..35 starts).
    AddIdealPoint(40, 25);
    AddIdealPoint(34, 29);
    AddIdealPoint(34, 22);
    const int brand1 = AddBrand(25, 25);
    const int brand2 = AddBrand(35, 25);
    map_.PlaceLabels();
    EXPECT_EQ(Item(brand2).flags[lpRight], cfOverMarker);
    EXPECT_EQ(Item(brand2).flags[lpAbove], cfOverMarker);
    EXPECT_EQ(Item(brand2).flags[lpBelow], cfOverMarker);
    EXPECT_EQ(Item(brand1).flags[lpRight], cfMovedAway);
    EXPECT_EQ(Item(brand1).position, lpAbove);
    EXPECT_EQ(Item(brand2).position, lpLeft);
}

TEST_F(LabelPlacement, BrandBoxedInByMarkersSearchesTheRings) {
    // Ideal points under all four fixed labels of the brand at (25,25). Every
    // offset of rings 1 and 2 meets the brand's own marker or one of the ideal
    // points at (24,22) and (24,28); in ring 3 the first clear offset is
    // (3,-3): box (26,22,6,2) ends where the marker at (24,22) (x 24..26) ends.
    AddIdealPoint(28, 25);
    AddIdealPoint(24, 28);
    AddIdealPoint(20, 25);
    AddIdealPoint(24, 22);
    const int brand = AddBrand(25, 25);
    map_.PlaceLabels();
    for (int code : LabelCandidateOrder) EXPECT_EQ(Item(brand).flags[code], cfOverMarker) << code;
    EXPECT_EQ(Item(brand).position, lpRing);
    EXPECT_EQ(Item(brand).dx, 3);
    EXPECT_EQ(Item(brand).dy, -3);
    EXPECT_EQ(Item(brand).labelBox, (TGridBox{26, 22, 6, 2}));
}

TEST_F(LabelPlacement, PileOfThirtyBrandsEndsWithLabelsThatMeetNothing) {
    for (int i = 0; i < 30; ++i) AddBrand(25, 25);
    map_.PlaceLabels();
    for (int i = 0; i < 30; ++i) {
        const TPercMapItem& item = Item(i);
        ASSERT_NE(item.position, lpNone) << "brand " << i;
        if (item.position == lpRing) {
            EXPECT_FALSE(map_.LabelHitsAny(i)) << "brand " << i;
        }
        for (int j = 0; j < 30; ++j) EXPECT_FALSE(map_.LabelHitsLabel(i, j)) << i << " and " << j;
    }
    EXPECT_EQ(Item(0).position, lpRight);
    EXPECT_EQ(Item(1).position, lpLeft);
}

TEST_F(LabelPlacement, LabelsStayInsideThePlot) {
    // The plot's cells run from 0 to 50; a label box (x, y, 6, 3) must end by 50.
    struct Case {
        int cellX, cellY, position, dx, dy;
    };
    const Case cases[] = {
        {50, 25, lpLeft, 0, 0},    // right (52..58) and above (48..54) leave it; left is 44..50
        {48, 25, lpLeft, 0, 0},    // right 50..56 leaves it, above reaches 52 upwards
        {25, 50, lpBelow, 0, 0},   // right, above and left reach 53 upwards; below is 47..50
        {0, 0, lpRight, 0, 0},     // right 2..8 stays in
        // In the top right corner no fixed place fits: the ring label (48 + dx, 50 + dy, 6, 2)
        // needs dx <= -4 and dy <= -2, first met at radius 4 with dx -4 and then dy -4.
        {50, 50, lpRing, -4, -4},
    };
    for (const Case& c : cases) {
        map_.items.clear();
        const int brand = AddBrand(c.cellX, c.cellY);
        map_.PlaceLabels();
        EXPECT_EQ(Item(brand).position, c.position) << c.cellX << "," << c.cellY;
        EXPECT_EQ(Item(brand).dx, c.dx) << c.cellX << "," << c.cellY;
        EXPECT_EQ(Item(brand).dy, c.dy) << c.cellX << "," << c.cellY;
        EXPECT_TRUE(map_.LabelInsidePlot(brand)) << c.cellX << "," << c.cellY;
    }
}

TEST_F(LabelPlacement, RingSearchGivesUpAtItsBound) {
    // An ideal point whose marker covers every ring up to the bound leaves the brand unlabelled.
    AddIdealPoint(25, 25);
    map_.items[0].markerBox = {-1000, -1000, 2000, 2000};
    const int brand = AddBrand(25, 25);
    map_.PlaceLabels();
    EXPECT_EQ(Item(brand).position, lpNone);
    EXPECT_EQ(Item(brand).labelBox, TGridBox{});
    EXPECT_EQ(Item(brand).dx, 0);
    EXPECT_EQ(Item(brand).dy, 0);
}

}  // namespace
}  // namespace cv
