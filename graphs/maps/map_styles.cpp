#include "graphs/maps/map_styles.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>

#include "core/store/typed_array.h"
#include "ui/bar_colors.h"

namespace cv {
namespace {

constexpr int kVgaWidth = 640;
constexpr int kDefaultScreenWidth = 1024;

// Entries of the colour table (ui/bar_colors.h) of conjoint attributes 1..4.
constexpr std::array<int, 4> kCjaColorIndex{2, 1, 3, 9};
// Marker shapes of firms 1..6 (docs/charts.md).
constexpr std::array<int, kMaxMapFirms> kMapMarkerStyles{3, 13, 10, 11, 12, 9};

template <std::size_t N>
int Entry(const std::array<int, N>& table, int number) {
    return table[static_cast<std::size_t>(std::clamp(number, 1, static_cast<int>(N)) - 1)];
}

std::int32_t ColourB(int entry) { return static_cast<std::int32_t>(BarColor(entry).ColorB); }

int ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size().width() : kDefaultScreenWidth;
}

}  // namespace

std::int32_t MapFirmColour(int firm) { return ColourB(FirmColorIndex(firm)); }

std::int32_t MapSegmentColour(int segment) { return ColourB(SegColorIndex(segment)); }

std::int32_t ConjointAttributeColour(int attribute) { return ColourB(Entry(kCjaColorIndex, attribute)); }

int MapFirmMarker(int firm) { return Entry(kMapMarkerStyles, firm); }

bool IsVgaScreen() { return ScreenWidth() == kVgaWidth; }

bool IsWideScreen() { return ScreenWidth() > kVgaWidth; }

double StudyValue(const TSimArr* array, const TIndex& index) {
    if (!array || index.Count() < array->NDim()) return 0;
    for (int d = 1; d <= array->NDim(); ++d)
        if (index[d - 1] < array->LB(d) || index[d - 1] > array->UB(d)) return 0;
    return static_cast<double>(SimValueNumber(array->GetV(index)));
}

}  // namespace cv
