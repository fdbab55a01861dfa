// Market forecast (15): the segments' sizes now, next period and in five
// periods, their shares and their growth; a new market (age 0) has rows of
// its own, measured from its first period on sale.
#include <array>
#include <cmath>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "reports/studies/studies.h"

namespace cv {

void TStuMkt::BuildMarketForecast() {
    if (!Open("StuMFor1", "StuMFor1", TTableType::BandedRows, {1})) return;
    const TDimension segments = Segments(true);
    const int n = segments.count;
    Define({.titleRows = 1, .bodyRows = 12, .headingCols = 4, .bodyCols = n, .totalCols = 1});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    table.SetCellText(TitleRow(), 1, GetLine(2));
    for (int i = 1; i <= n; ++i) table.SetCellText(TitleRow(), 4 + i, segments.labels[static_cast<std::size_t>(i - 1)]);
    table.SetCellText(TitleRow(), tail, MiscLabels()[0]);

    const bool established = ResultsCount(kCategoryFtaMarket, "MktAge") > 0;
    const int firstLine = established ? 3 : 15;
    for (int row = 1; row <= 12; ++row) table.SetCellText(BodyRow(row), 1, GetLine(firstLine + row - 1));
    for (int row : {1, 5, 9}) Emphasise(BodyRow(row));

    // Sizes now, next period and in five periods, in thousands: a column per
    // segment (index 0..n-1), the total last.
    const TSimArr* sizes = ResultsArray(kCategoryFtaMarket, "SegSizes");
    const int kinds[] = {si::StuSize, si::StuSizeP1, si::StuSizeP5};
    std::vector<std::array<double, 3>> size(static_cast<std::size_t>(n + 1), {0, 0, 0});
    for (int k = 0; k < 3; ++k)
        for (int i = 1; i <= n; ++i) {
            const double value = Value(sizes, {segments.lo + i - 1, kinds[k]}) / 1000;
            size[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(k)] = value;
            size[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] += value;
        }
    for (int i = 1; i <= n + 1; ++i) {
        const int column = i <= n ? 4 + i : tail;
        const auto& [now, p1, p5] = size[static_cast<std::size_t>(i - 1)];
        const auto& total = size[static_cast<std::size_t>(n)];
        for (int k = 0; k < 3; ++k) {
            const double value = size[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(k)];
            table.SetCellNumber(BodyRow(2 + k), column, value);
            table.SetCellNumber(BodyRow(6 + k), column, SafeDiv(value, total[static_cast<std::size_t>(k)], 0));
        }
        if (established) table.SetCellNumber(BodyRow(10), column, SafeDiv(p1, now, 0) - 1);
        const double growth = established ? SafeDiv(p5, now, 0) - 1 : SafeDiv(p5, p1, 0) - 1;
        table.SetCellNumber(BodyRow(11), column, growth);
        table.SetCellNumber(BodyRow(12), column, std::pow(1 + growth, established ? 1.0 / 5 : 1.0 / 4) - 1);
    }
    FinishTable(TNumberFormat::Percent, 6, 12);
    table.SetRangeFormat(BodyRow(2), 1, BodyRow(4), tail, TNumberFormat::OneDecimal);
    empty_ = false;
}

}  // namespace cv
