#pragma once
// Brand-label placement on a one-period perceptual or semantic map.
//
// The plot is covered by a coarse grid (50 cells across each axis); every
// item has a marker box and, for brands, a label box in grid cells. Labels
// try four fixed positions beside their marker, already placed labels are
// moved when that frees a place for another brand, and brands still without
// a place search rings of growing radius around their point. Ideal points are
// only obstacles: their label is drawn centred on the marker by the map.
//
// Display-free: the map chart fills the items, runs PlaceLabels and draws
// each label at the position code and ring offsets found here.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cv {

// A box of grid cells; it extends to the right and upwards from (x, y).
struct TGridBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // Boxes that only touch do not overlap.
    bool Overlaps(const TGridBox& other) const;
    bool operator==(const TGridBox&) const = default;
};

// Label position codes, as the chart layer draws them.
enum ELabelPosition : int {
    lpNone = 0,
    lpAbove = 1,
    lpBelow = 2,
    lpRing = 3,  // centred on the point, shifted by the ring offsets
    lpLeft = 7,
    lpRight = 8,
};

// Candidate flags, one per position code.
enum ECandidateFlag : std::uint8_t {
    cfFree = 1,
    cfOverMarker = 2,
    cfMovedAway = 3,  // the label left this position and may not return
    cfOutsidePlot = 4,  // the label would reach beyond the plot's edge
};

enum EPercMapItemKind : int { ikIdealPoint = 1, ikBrand = 2 };

// One plotted item: an ideal point or a brand.
struct TPercMapItem {
    std::string label;  // at most 16 characters
    double x = 0;
    double y = 0;
    int kind = ikBrand;
    int markerStyle = 0;
    int markerSize = 0;
    int dx = 0;  // ring offsets, grid cells
    int dy = 0;
    int position = lpNone;
    std::uint32_t colour = 0;
    TGridBox labelBox;
    TGridBox markerBox;
    std::array<std::uint8_t, 9> flags{};
};

// The order in which the four fixed positions are tried: right, above, left, below.
inline constexpr std::array<int, 4> LabelCandidateOrder{lpRight, lpAbove, lpLeft, lpBelow};

// Cell numbers of the plot run from 0 to this on each axis; a label is drawn
// only where its box stays within them, so no label runs off the chart.
inline constexpr int LabelGridCells = 50;

// The ring search gives up beyond this radius: a label that finds no place
// within it is not drawn (a pile of brands at one point would otherwise
// search for ever in principle and very long in practice).
inline constexpr int MaxLabelRingRadius = 200;

// Cell numbers are bounded to this distance from the plot's origin: every
// cell so far lies beyond the plot and every ring, and the boxes' arithmetic
// around it stays within int (a damaged file's positions may be anything).
inline constexpr int FarCell = 1 << 20;

// The items of one map and the label grid laid over its plot.
class TPercMapLabels {
public:
    // Grid origin and step of the map kind; smallScreen gives 3 x 3 marker
    // boxes instead of 2 x 2 (a screen exactly 640 pixels wide).
    TPercMapLabels(double gridOrigin, double gridStep, bool smallScreen);

    // Ideal points first (nIP of them), then the brands; at most 36 in all.
    std::vector<TPercMapItem> items;
    int idealPointCount = 0;

    // Cell number of a coordinate: (v - origin) / step rounded, halves to even,
    // bounded to -FarCell..FarCell (a value that is no number gives -FarCell).
    int CellOf(double value) const;
    // The coordinate of the grid point nearest to value.
    double SnapToGrid(double value) const;

    // Recomputes item i's marker box, and with mode 2 its label box from its
    // position code and ring offsets (mode 1, for ideal points: marker only).
    void SetLabelRect(int i, int mode);

    bool LabelHitsMarker(int i, int j) const;
    bool LabelHitsLabel(int i, int j) const;
    // Item i's label overlaps any other brand's label.
    bool LabelHitsLabels(int i) const;
    // Item i's label overlaps any marker (its own included) or another brand's label.
    bool LabelHitsAny(int i) const;
    // Item i's label box lies within the plot's cells.
    bool LabelInsidePlot(int i) const;

    // Places every brand's label: marker screening, fixed positions with
    // repair sweeps, then the ring search.
    void PlaceLabels();

private:
    int FirstBrand() const { return idealPointCount; }
    int ItemCount() const { return static_cast<int>(items.size()); }
    void SetPosition(int i, int position);
    void ScreenMarkers(int i);
    bool PlaceFixed(int i);
    bool MoveOneLabel();
    void SearchRing(int i);

    double gridOrigin_;
    double gridStep_;
    int markerCells_;
};

}  // namespace cv
