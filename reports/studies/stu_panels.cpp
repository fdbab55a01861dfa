// Panel screens: the brands' unit market shares by segment (4, consumer
// panel) or by channel (5, distribution panel), and their distribution
// coverage by channel (20).
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "reports/studies/studies.h"

namespace cv {
namespace {

// Unit sales of every brand in element Element of the dimension Dim (2
// segment, 3 channel) of "BrdUSales" [brand, segment, channel], summed over the
// other dimension.
double UnitSales(const TSimArr* sales, int dim, int element) {
    if (!sales || sales->NDim() < 3 || element < sales->LB(dim) || element > sales->UB(dim)) return 0;
    const TIndex index = dim == 2 ? TIndex(kOpenDim, element, kOpenDim2) : TIndex(kOpenDim, kOpenDim2, element);
    return static_cast<double>(sales->Sum(2, index, 1));
}

}  // namespace

void TStuMkt::BuildUnitShares() {
    const bool byChannel = screen_ == 5;
    if (!Open("StuUMS", "StuUMS", TTableType::BandedRows, {byChannel ? 2 : 1})) return;
    const TDimension elements = byChannel ? Channels() : Segments(true);
    Define({.titleRows = 1, .bodyRows = BrandRows(), .totalRows = 3, .headingCols = 2,
            .bodyCols = elements.count * elements.width, .totalCols = 1, .minBodyRows = 10, .maxVisibleRows = 18});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    WriteBrandHeading(3, 4, elements, tail);
    const TSimArr* shares = ResultsArray(kCategoryFtaMarket, byChannel ? "StuBrdChaUMS" : "StuBrdSegUMS");
    const TSimArr* average = ResultsArray(kCategoryFtaMarket, "StuBrdAvgUMS");
    WriteBrandBlock([&](int row, int brand) {
        for (int i = 1; i <= elements.count; ++i)
            table.SetCellNumber(row, elements.Column(2, i), Value(shares, {brand, elements.lo + i - 1}) / 1000);
        table.SetCellNumber(row, tail, Value(average, {brand}) / 1000);
    });

    const int whole = FooterRow(1), volume = FooterRow(2), split = FooterRow(3);
    const int first = elements.Column(2, 1), lastElement = elements.Column(2, elements.count);
    table.SetCellText(whole, 1, MiscLabels()[0]);
    table.SetCellText(volume, 1, GetLine(6));
    table.SetCellText(split, 1, GetLine(7));
    const TSimArr* sales = ResultsArray(kCategoryFtaMarket, "BrdUSales");
    for (int i = 1; i <= elements.count; ++i) {
        const int column = elements.Column(2, i);
        table.SetCellNumber(whole, column, 1.0);
        table.SetCellNumber(volume, column, UnitSales(sales, byChannel ? 3 : 2, elements.lo + i - 1));
        table.SetCellFormula(split, column,
                             TQNTable::RangeRef(0, 0, volume, column, volume, column) + "/" +
                                 TQNTable::RangeRef(0, 0, volume, tail, volume, tail));
    }
    table.SetCellNumber(whole, tail, 1.0);
    if (elements.count > 0) {
        table.SetCellFormula(volume, tail, "SUM(" + TQNTable::RangeRef(0, 0, volume, first, volume, lastElement) + ")");
        table.SetCellFormula(split, tail, "SUM(" + TQNTable::RangeRef(0, 0, split, first, split, lastElement) + ")");
    }
    Emphasise(volume);
    FinishTable(TNumberFormat::Percent, 1, shape_.bodyRows + 1);
    table.SetRangeFormat(split, 1, split, tail, TNumberFormat::Percent);
    // Unit sales are whole units; their sum must not show its rounding residue.
    table.SetRangeFormat(volume, 1, volume, tail, TNumberFormat::Whole);
}

void TStuMkt::BuildDistributionCoverage() {
    if (!Open("StuDistrCov", "StuDistrCov", TTableType::BandedRows, {1})) return;
    const TDimension channels = Channels();
    Define({.titleRows = 1, .bodyRows = BrandRows(), .totalRows = 1, .headingCols = 2,
            .bodyCols = channels.count * channels.width, .minBodyRows = 10, .maxVisibleRows = 20});
    TQNTable& table = *table_;
    WriteBrandHeading(2, 3, channels, 0);
    const TSimArr* results = ResultsArray(kCategoryFta, "XFXRes");
    const TSimArr* coverage = ResultsArray(kCategoryFtaMarket, "StuDistrCov");
    WriteBrandBlock([&](int row, int brand) {
        for (int c = 1; c <= channels.count; ++c)
            table.SetCellNumber(row, channels.Column(2, c), Value(coverage, {brand, channels.lo + c - 1}) / 1000);
    });
    table.SetCellText(FooterRow(1), 1, GetLine(4));
    for (int c = 1; c <= channels.count; ++c)
        table.SetCellNumber(FooterRow(1), channels.Column(2, c), Value(results, {channels.lo + c - 1, si::NbOutlet}));
    FinishTable(TNumberFormat::Percent, 1, shape_.bodyRows);
}

}  // namespace cv
