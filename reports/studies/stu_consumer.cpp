// Consumer survey screens: brand awareness (1) and purchase intentions (2) by
// segment, and the segments' shopping habits by channel (3).
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

constexpr int kAwarenessColumnWidth = 12;
constexpr int kHabitsLabelWidth = 13;

}  // namespace

void TStuMkt::BuildAwareness() {
    const bool intentions = screen_ == 2;
    if (!Open(intentions ? "StuConsPI" : "StuConsAwa", "ConsAwaPI", TTableType::BandedRows, {1})) return;
    const TDimension segments = Segments(true);
    Define({.titleRows = 1, .bodyRows = BrandRows(), .totalRows = intentions ? 1 : 0, .headingCols = 2,
            .bodyCols = segments.count * segments.width, .totalCols = 1, .minBodyRows = 10, .maxVisibleRows = 20});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    WriteBrandHeading(3, 4, segments, tail);
    const TSimArr* bySegment = ResultsArray(kCategoryFtaMarket, intentions ? "StuBrdSegPI" : "StuBrdSegAwa");
    const TSimArr* average = ResultsArray(kCategoryFtaMarket, intentions ? "StuBrdAvgPI" : "StuBrdAvgAwa");
    WriteBrandBlock([&](int row, int brand) {
        for (int i = 1; i <= segments.count; ++i)
            table.SetCellNumber(row, segments.Column(2, i), Value(bySegment, {brand, segments.lo + i - 1}) / 1000);
        table.SetCellNumber(row, tail, Value(average, {brand}) / 1000);
    });
    if (intentions) {
        // Each segment's intentions add up to the whole segment.
        table.SetCellText(FooterRow(1), 1, MiscLabels()[0]);
        for (int i = 1; i <= segments.count; ++i) table.SetCellNumber(FooterRow(1), segments.Column(2, i), 1.0);
        table.SetCellNumber(FooterRow(1), tail, 1.0);
    }
    table.SetColumnWidthRange(1, tail, kAwarenessColumnWidth);
    FinishTable(TNumberFormat::Percent, 1, shape_.bodyRows + shape_.totalRows);
}

void TStuMkt::BuildShoppingHabits() {
    if (!Open("StuConsSHab", "StuConsSHab", TTableType::BandedRows, {1})) return;
    const TCvInd& industry = *Industry();
    const TDimension channels = Channels();
    const TSeries* segments = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const int m = segments ? segments->Count() : 0;
    const int n = channels.count;
    Define({.titleRows = 1, .bodyRows = m, .totalRows = 1, .headingCols = 1, .bodyCols = 2 * n, .totalCols = 2});
    TQNTable& table = *table_;
    const int last = LastColumn();
    table.SetCellText(TitleRow(), 1, GetLine(2));
    for (int c = 1; c <= n; ++c) table.SetCellText(TitleRow(), 1 + 2 * c, channels.labels[static_cast<std::size_t>(c - 1)]);
    table.SetCellText(TitleRow(), last, MiscLabels()[0]);

    const TSimArr* habits = ResultsArray(kCategoryFtaMarket, "StuByingHabits");
    const TSimArr* sizes = ResultsArray(kCategoryFtaMarket, "SegSizes");
    // Each channel's share weighted by the segments' sizes.
    std::vector<double> channelVolume(static_cast<std::size_t>(n), 0.0);
    double volume = 0;
    for (int s = 1; s <= m; ++s) {
        const int segment = segments->Lo() + s - 1;
        const double size = Value(sizes, {segment, si::StuSize});
        table.SetCellText(BodyRow(s), 1, industry.SegmentLabel(context_.SelFta, context_.SelMarket, segment));
        for (int c = 1; c <= n; ++c) {
            const double share = Value(habits, {segment, channels.lo + c - 1}) / 1000;
            table.SetCellNumber(BodyRow(s), 1 + 2 * c, share);
            channelVolume[static_cast<std::size_t>(c - 1)] += share * size;
            volume += share * size;
        }
        table.SetCellNumber(BodyRow(s), last, 1.0);
    }
    const int footer = FooterRow(1);
    table.SetCellText(footer, 1, MiscLabels()[0]);
    for (int c = 1; c <= n; ++c)
        table.SetCellNumber(footer, 1 + 2 * c, volume == 0 ? 0.0 : channelVolume[static_cast<std::size_t>(c - 1)] / volume);
    if (n > 0) table.SetCellFormula(footer, last, "SUM(" + TQNTable::RangeRef(0, 0, footer, 3, footer, 1 + 2 * n) + ")");
    table.SetColumnWidthRange(1, 1, kHabitsLabelWidth);
    FinishTable(TNumberFormat::Percent, 1, m + 1);
}

}  // namespace cv
