#include "graphs/placement/map_label_placement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/base/numbers.h"

namespace cv {

namespace {

constexpr int LabelWidth = 6;
constexpr int LabelHeight = 3;
constexpr int RingLabelHeight = 2;

}  // namespace

bool TGridBox::Overlaps(const TGridBox& other) const {
    return x + width > other.x && y + height > other.y && other.x + other.width > x &&
           other.y + other.height > y;
}

TPercMapLabels::TPercMapLabels(double gridOrigin, double gridStep, bool smallScreen)
    : gridOrigin_(gridOrigin), gridStep_(gridStep), markerCells_(smallScreen ? 3 : 2) {}

int TPercMapLabels::CellOf(double value) const {
    const long double cell = RoundHalfEven((static_cast<long double>(value) - gridOrigin_) / gridStep_);
    if (std::isnan(cell)) return -FarCell;
    return static_cast<int>(std::clamp<long double>(cell, -FarCell, FarCell));
}

double TPercMapLabels::SnapToGrid(double value) const {
    return gridOrigin_ + gridStep_ * CellOf(value);
}

void TPercMapLabels::SetLabelRect(int i, int mode) {
    TPercMapItem& item = items[i];
    const int mx = CellOf(item.x);
    const int my = CellOf(item.y);
    item.markerBox = {mx, my, markerCells_, markerCells_};
    if (mode != 2) return;
    switch (item.position) {
    case lpAbove: item.labelBox = {mx - 2, my + 2, LabelWidth, LabelHeight}; break;
    case lpBelow: item.labelBox = {mx - 2, my - 3, LabelWidth, LabelHeight}; break;
    case lpLeft: item.labelBox = {mx - 6, my, LabelWidth, LabelHeight}; break;
    case lpRight: item.labelBox = {mx + 2, my, LabelWidth, LabelHeight}; break;
    case lpRing: item.labelBox = {mx - 2 + item.dx, my + item.dy, LabelWidth, RingLabelHeight}; break;
    default: item.labelBox = {}; break;
    }
}

bool TPercMapLabels::LabelHitsMarker(int i, int j) const {
    return items[i].labelBox.Overlaps(items[j].markerBox);
}

bool TPercMapLabels::LabelHitsLabel(int i, int j) const {
    return i != j && items[i].labelBox.Overlaps(items[j].labelBox);
}

bool TPercMapLabels::LabelHitsLabels(int i) const {
    for (int j = FirstBrand(); j < ItemCount(); ++j)
        if (LabelHitsLabel(i, j)) return true;
    return false;
}

bool TPercMapLabels::LabelHitsAny(int i) const {
    for (int j = 0; j < ItemCount(); ++j)
        if (LabelHitsMarker(i, j)) return true;
    return LabelHitsLabels(i);
}

bool TPercMapLabels::LabelInsidePlot(int i) const {
    const TGridBox& box = items[i].labelBox;
    return box.x >= 0 && box.y >= 0 && box.x + box.width <= LabelGridCells && box.y + box.height <= LabelGridCells;
}

void TPercMapLabels::SetPosition(int i, int position) {
    items[i].position = position;
    SetLabelRect(i, 2);
}

// Pass 1: a fixed position whose label would cover a marker or leave the
// plot is never tried.
void TPercMapLabels::ScreenMarkers(int i) {
    TPercMapItem& item = items[i];
    item.flags.fill(cfFree);
    item.dx = item.dy = 0;
    for (int code : LabelCandidateOrder) {
        SetPosition(i, code);
        if (!LabelInsidePlot(i)) {
            item.flags[code] = cfOutsidePlot;
            continue;
        }
        for (int j = 0; j < ItemCount(); ++j) {
            if (LabelHitsMarker(i, j)) {
                item.flags[code] = cfOverMarker;
                break;
            }
        }
    }
    SetPosition(i, lpNone);
}

// The first free fixed position whose label covers no earlier brand's label.
bool TPercMapLabels::PlaceFixed(int i) {
    for (int code : LabelCandidateOrder) {
        if (items[i].flags[code] != cfFree) continue;
        SetPosition(i, code);
        bool hits = false;
        for (int j = FirstBrand(); j < i && !hits; ++j) hits = LabelHitsLabel(i, j);
        if (!hits) return true;
    }
    SetPosition(i, lpNone);
    return false;
}

// Repair: finds a placed brand that could take another free position without
// covering any label, and bars its present one so the next sweep moves it.
bool TPercMapLabels::MoveOneLabel() {
    for (int i = FirstBrand(); i < ItemCount(); ++i) {
        const int placed = items[i].position;
        if (placed == lpNone) continue;
        for (int code : LabelCandidateOrder) {
            if (code == placed || items[i].flags[code] != cfFree) continue;
            SetPosition(i, code);
            const bool hits = LabelHitsLabels(i);
            SetPosition(i, placed);
            if (!hits) {
                items[i].flags[placed] = cfMovedAway;
                return true;
            }
        }
    }
    return false;
}

// Pass 3: rings of growing radius around the point, the ring's offsets in
// ascending dx, then ascending dy; earlier ring labels are obstacles, and the
// plot's edges bound the search.
void TPercMapLabels::SearchRing(int i) {
    TPercMapItem& item = items[i];
    for (int radius = 1; radius <= MaxLabelRingRadius; ++radius) {
        for (int dx = -radius; dx <= radius; ++dx) {
            for (int dy = -radius; dy <= radius; ++dy) {
                if (std::abs(dx) < radius && std::abs(dy) < radius) continue;
                item.dx = dx;
                item.dy = dy;
                SetPosition(i, lpRing);
                if (LabelInsidePlot(i) && !LabelHitsAny(i)) return;
            }
        }
    }
    item.dx = item.dy = 0;
    SetPosition(i, lpNone);
}

void TPercMapLabels::PlaceLabels() {
    for (int i = FirstBrand(); i < ItemCount(); ++i) ScreenMarkers(i);

    // Each move bars one free flag of one brand, so the sweeps end.
    for (;;) {
        bool everyBrandPlaced = true;
        for (int i = FirstBrand(); i < ItemCount(); ++i) everyBrandPlaced = PlaceFixed(i) && everyBrandPlaced;
        if (everyBrandPlaced || !MoveOneLabel()) break;
    }

    for (int i = FirstBrand(); i < ItemCount(); ++i)
        if (items[i].position == lpNone) SearchRing(i);
}

}  // namespace cv
