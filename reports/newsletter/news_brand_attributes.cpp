// Page 4 of the newsletter: every brand marketed in the zone and market, firm
// by firm, with its portfolio status, physical characteristics, base unit
// cost and price.
#include <algorithm>
#include <cmath>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "ui/sheet/table_units.h"
#include "reports/newsletter/news_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr int kTitleRows = 2;
constexpr int kHeadingCols = 3;
constexpr int kTotalCols = 2;
constexpr int kMinBodyRows = 10;
constexpr int kMaxVisibleRows = 18;
constexpr int kStatusCol = 3;
constexpr int kStatusFirstLine = 7;  // the status text is line 7 + the status
constexpr int kSmallScreenClass = 1;
// The characteristics' headings take two lines: name and unit (twips).
constexpr int kTwoLineRowHeight = 500;

}  // namespace

void TNewsScr::BuildBrandCharacteristics() {
    LoadLines(kSectionResults, "NLBrdAttr");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "NLBrdAttr");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    const TCvInd& industry = *Industry();
    const TSeries* dimensions = industry.DimSeries(context_.SelMarket);
    const int dims = dimensions ? dimensions->Count() : 0;
    const int brands = ResultsCount(kCategoryFtaMarket, "NbMktedBrds");
    // More brands than the page's usual body get rows of their own.
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = BrandBodyRows(brands),
                       .headingCols = kHeadingCols,
                       .bodyCols = dims,
                       .totalCols = kTotalCols,
                       .minBodyRows = kMinBodyRows,
                       .maxVisibleRows = kMaxVisibleRows});
    const int h = table.OriginRow();
    const int costCol = kHeadingCols + dims + 1, priceCol = costCol + 1;

    if (dims > 0) table.SetTextAcross(h, kHeadingCols + 1, kHeadingCols + dims, GetLine(2));
    for (int column = 1; column <= kHeadingCols; ++column) table.SetCellText(h + 1, column, GetLine(2 + column));
    for (int d = 1; d <= dims; ++d) {
        const int element = dimensions->Lo() + d - 1;
        table.SetCellText(h + 1, kHeadingCols + d,
                          industry.DimLabel(context_.SelMarket, element) + "\n(" +
                              industry.DimUnitLabel(context_.SelMarket, element) + ")");
    }
    table.SetCellText(h + 1, costCol, GetLine(6));
    table.SetCellText(h + 1, priceCol, GetLine(7));

    const std::int16_t shownFirm = context_.SelFirm;
    const int row = WriteBrandsByFirm(h + kTitleRows, brands, priceCol, [&](int r, const TListedBrand& brand) {
        context_.SelFirm = static_cast<std::int16_t>(brand.firm);
        const TSimArr* mix = DecisionsArray(kCategoryFirmFtaMarket, "DecBrdCV3");
        const double status = std::round(ArrayNumber(mix, {brand.firmBrand, si::PortStatus}));
        table.SetCellText(r, kStatusCol, GetLine(kStatusFirstLine + static_cast<int>(status)));
        table.SetCellNumber(r, priceCol, ArrayNumber(mix, {brand.firmBrand, si::Price}));
        // The prototype may belong to another firm (a licence).
        context_.SelFirm = static_cast<std::int16_t>(brand.protoFirm);
        const TSimArr* characteristics = ResultsArray(kCategoryFirmMarket, "ProTecs");
        for (int d = 1; d <= dims; ++d)
            table.SetCellNumber(r, kHeadingCols + d,
                                ArrayNumber(characteristics, {brand.prototype, dimensions->Lo() + d - 1}));
        table.SetCellNumber(r, costCol,
                            ArrayNumber(ResultsArray(kCategoryFirmMarket, "ProFins"), {brand.prototype, si::ProReqUC}));
    });
    context_.SelFirm = shownFirm;

    if (dims > 0) table.SetRangeBorderTop(h + 1, kHeadingCols + 1, h + 1, kHeadingCols + dims, 1, 0);
    const int borderRow = std::max(row, h + kTitleRows + kMinBodyRows - 1);
    table.SetRangeBorderRight(h, kHeadingCols + dims, borderRow, kHeadingCols + dims, 1, 0);
    table.SetRangeBorderRight(h, costCol, borderRow, costCol, 1, 0);
    table.SetRangeAlign(h + 1, 1, h + 1, priceCol, kAlignRight, kAlignMiddle, true);
    table.SetRowHeights(h + 1, h + 1, kTwoLineRowHeight);
    const int last = h + kTitleRows + BrandBodyRows(brands) - 1;
    table.SetRangeFormat(h + kTitleRows, costCol, last, priceCol, TNumberFormat::Whole);
    table.SetRangeAlign(h, 1, last, 2, kAlignLeft, kAlignMiddle, true);
    table.SetRangeAlign(h, kStatusCol, last, kStatusCol, kAlignCentre, kAlignMiddle, true);
    if (ScreenClass() == kSmallScreenClass) {
        table.SetColumnWidthRange(1, 2, 8);
        table.SetColumnWidthRange(kHeadingCols + 1, priceCol, 11);
    } else {
        table.SetColumnWidthRange(1, 2, 6);
    }
    empty_ = brands == 0;
}

}  // namespace cv
