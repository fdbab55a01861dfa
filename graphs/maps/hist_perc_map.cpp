// The ideal points over the periods: one trail per segment, from the first
// period of the industry's period series to the selected one, its last point
// labelled on the side it moved to.
#include <algorithm>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "graphs/maps/map_styles.h"
#include "graphs/maps/perc_map.h"
#include "graphs/placement/map_label_placement.h"

namespace cv {
namespace {

constexpr int kTrailMarker = 10;
constexpr int kTrailMarkerSize = 6;
constexpr int kLabelFontSize = 8;
constexpr int kBold = 1;
constexpr int kBentLeader = 2;
constexpr double kLabelOffset = 0.25;
constexpr std::size_t kMaxSegmentLabel = 32;
// The title over the periods: a line of "StuSemMapGraph".
constexpr int kHistoryTitle = 13;

}  // namespace

THistPercMap::THistPercMap(QWidget* owner, const TDataContext& context, int kind, int posFlags, int xOffset,
                           int yOffset, int width, int height, int mode)
    : TPercMap(owner, kind, posFlags, xOffset, yOffset, width, height, mode) {
    if (!IsDocument()) Build(context);
}

THistPercMap::TTrailLabel THistPercMap::TrailLabel(double x, double previousX) {
    return x > previousX ? TTrailLabel{lpRight, kLabelOffset} : TTrailLabel{lpLeft, -kLabelOffset};
}

void THistPercMap::SetTitle() {
    ComposeTitle(kHistoryTitle);
    SetAxisTitles();
}

// Whether the period's study placed any ideal point: a period without the
// study holds none, or only zeros.
bool THistPercMap::HasIdealPoints(const TSimArr* idealPoints, int segments) const {
    for (int segment = 1; idealPoints && segment <= segments; ++segment)
        if (Position(idealPoints, segment, HorzAxis(), IdealPointElement()) != 0 ||
            Position(idealPoints, segment, VertAxis(), IdealPointElement()) != 0)
            return true;
    return false;
}

// A period without ideal points draws no point (its zeros would stack every
// segment at the origin); the last period with points carries the labels.
void THistPercMap::Fill() {
    if (!Session || !Session->Industry()) return;
    TCvInd& industry = *Session->Industry();
    const int last = context_.SelPeriod;
    const int first = std::min<int>(PeriodSeries() ? PeriodSeries()->Lo() : 0, last);
    const int segments = std::min(SegmentCount(), kMaxMapSegments);
    SetGridSize(last - first + 1, 2 * segments);
    int labelled = last;
    while (labelled > first && !HasIdealPoints(IdealPoints(industry.PerResults(labelled)), segments)) --labelled;
    // The period before the first has no position: its x counts as 0.
    std::vector<double> previousX(static_cast<std::size_t>(segments), 0.0);
    for (int period = first; period <= labelled; ++period) {
        const int row = period - first + 1;
        const TSimArr* idealPoints = IdealPoints(industry.PerResults(period));
        if (period < labelled && !HasIdealPoints(idealPoints, segments)) continue;
        for (int segment = 1; segment <= segments; ++segment) {
            const double x = Position(idealPoints, segment, HorzAxis(), IdealPointElement());
            const double y = Position(idealPoints, segment, VertAxis(), IdealPointElement());
            SetData(row, 2 * segment - 1, x);
            SetData(row, 2 * segment, y);
            const std::int32_t colour = MapSegmentColour(segment);
            SetPointStyles(segment, row, kTrailMarker, kTrailMarkerSize, colour);
            if (period < labelled) {
                previousX[static_cast<std::size_t>(segment - 1)] = x;
                continue;
            }
            std::string label = industry.SegmentShortLabel(context_.SelFta, context_.SelMarket, segment);
            label = label.substr(0, kMaxSegmentLabel) + " (P" + std::to_string(labelled) + ")";
            const TTrailLabel place = TrailLabel(x, previousX[static_cast<std::size_t>(segment - 1)]);
            SetSeriesStyle(segment, row, place.position, kBentLeader, label, kLabelFontSize, kBold, kMapBlack,
                           place.offset, 0);
            SetSeriesMarker(segment, true, 1, colour);
        }
    }
}

}  // namespace cv
