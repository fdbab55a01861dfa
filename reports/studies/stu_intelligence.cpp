// Competitive intelligence: every marketed brand's advertising by segment (16)
// or sales force by channel (17), firm subtotals as live sums, and the totals
// with their averages per brand and per firm.
#include "core/base/numbers.h"
#include "reports/studies/studies.h"

namespace cv {

void TStuMkt::BuildCompetitiveIntelligence() {
    const bool advertising = screen_ == 16;
    if (!Open("StuIntelAdvSlf", "StuIntelAdvSlf", TTableType::BandedRows, advertising ? std::vector<int>{1} : std::vector<int>{3},
              advertising ? std::vector<int>{2} : std::vector<int>{4}))
        return;
    const TDimension elements = advertising ? Segments(true) : Channels();
    const double scale = advertising ? 1000 : 1;
    const int brands = MarketedBrands();
    Define({.titleRows = 1, .bodyRows = std::max(37, 2 * brands), .totalRows = 3, .headingCols = 2,
            .bodyCols = elements.count * elements.width, .totalCols = 1, .minBodyRows = 8, .maxVisibleRows = 16});
    TQNTable& table = *table_;
    const int tail = LastColumn();
    WriteBrandHeading(5, 6, elements, tail);
    const int first = elements.Column(2, 1), last = elements.Column(2, elements.count);
    const auto rowSum = [&](int row) {
        if (elements.count > 0) table.SetCellFormula(row, tail, "SUM(" + TQNTable::RangeRef(0, 0, row, first, row, last) + ")");
    };

    const TSimArr* values = ResultsArray(kCategoryFtaMarket, advertising ? "StuBrdAdv" : "StuBrdSlf");
    std::vector<double> totals(static_cast<std::size_t>(elements.count), 0.0);
    int firmsWithBrands = 0;
    WriteBrandBlock(
        [&](int row, int brand) {
            for (int i = 1; i <= elements.count; ++i) {
                const double value = Value(values, {brand, elements.lo + i - 1}) / scale;
                table.SetCellNumber(row, elements.Column(2, i), value);
                totals[static_cast<std::size_t>(i - 1)] += value;
            }
            rowSum(row);
        },
        [&](int firstRow, int row) {
            if (row > firstRow) ++firmsWithBrands;
            if (row - firstRow < 2) return row;
            // A firm of several brands gets its subtotal under them.
            table.SetCellText(row, 2, UpperCaseAccented(MiscLabels()[0]));
            const auto columnSum = [&](int column) {
                table.SetCellFormula(row, column, "SUM(" + TQNTable::RangeRef(0, 0, firstRow, column, row - 1, column) + ")");
            };
            for (int i = 1; i <= elements.count; ++i) columnSum(elements.Column(2, i));
            columnSum(tail);
            table.SetRangeBorderBottom(row, 1, row, tail, 1, 0);
            Emphasise(row);
            return row + 1;
        });

    double grand = 0;
    for (double total : totals) grand += total;
    const double divisors[] = {1, static_cast<double>(brands), static_cast<double>(firmsWithBrands)};
    for (int f = 1; f <= 3; ++f) {
        const int footer = FooterRow(f);
        table.SetCellText(footer, 1, GetLine(6 + f));
        for (int i = 1; i <= elements.count; ++i)
            table.SetCellNumber(footer, elements.Column(2, i), SafeDiv(totals[static_cast<std::size_t>(i - 1)], divisors[f - 1], 0));
        table.SetCellNumber(footer, tail, SafeDiv(grand, divisors[f - 1], 0));
        Emphasise(footer);
    }
    table.SetRangeBorderBottom(FooterRow(3), 1, FooterRow(3), tail, 1, 0);
    FinishTable(TNumberFormat::OneDecimal, 1, shape_.bodyRows + 3);
    empty_ = brands == 0;
}

}  // namespace cv
