// Page 5 of the newsletter: the unit and value sales of every brand marketed
// in the zone and market against the period before, with the growth, the
// market shares and the market's total.
#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/stats/cv_interf.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kTitleRows = 3;
constexpr int kHeadingCols = 2;
constexpr int kBodyCols = 8;
constexpr int kLastCol = kHeadingCols + kBodyCols;
constexpr int kUnitsGroup = 3, kValueGroup = 7;
constexpr int kMinBodyRows = 10;
constexpr int kMaxVisibleRows = 18;
constexpr double kThousands = 1000;
constexpr int kSmallScreenClass = 1;
constexpr int kNoPreviousBrandsLine = 12;

std::string CellRef(int row, int column) { return TQNTable::RangeRef(0, 0, row, column, row, column); }

std::string GrowthFormula(int row, int firstColumn) {
    return CellRef(row, firstColumn + 1) + "/" + CellRef(row, firstColumn) + "-1";
}

}  // namespace

double TNewsScr::MarketGrowthFactor(int brand) const {
    const TCvInd& industry = *Industry();
    const TSeries* segments = industry.SegSeries(context_.SelFta, context_.SelMarket);
    const TSeries* channels = industry.ChaSeries(context_.SelFta);
    if (!segments || !channels) return 1.0;
    const TSimArr* sales = ResultsArray(kCategoryFtaMarket, "BrdUSales");
    const TSimArr* growth = industry.ConstPart().FindSimArr(kCategoryFtaMarket, context_, "SegGrowth");
    double weights = 0, weighted = 0;
    for (int s = segments->Lo(); s < segments->Lo() + segments->Count(); ++s) {
        double w = 0;
        for (int c = channels->Lo(); c < channels->Lo() + channels->Count(); ++c)
            w += ArrayNumber(sales, {brand, s, c});
        weights += w;
        weighted += w * (1 + ArrayNumber(growth, {0, s}));
    }
    return weights == 0 ? 1.0 : weighted / weights;
}

void TNewsScr::WriteSalesGroup(int row, int firstColumn, double before, double now, double share) {
    TQNTable& table = *table_;
    table.SetCellNumber(row, firstColumn, before);
    table.SetCellNumber(row, firstColumn + 1, now);
    if (before == 0)
        table.SetCellText(row, firstColumn + 2, "-");
    else
        table.SetCellFormula(row, firstColumn + 2, GrowthFormula(row, firstColumn));
    table.SetCellNumber(row, firstColumn + 3, share);
}

void TNewsScr::WriteSalesTotals(int row, int firstColumn, int firstBodyRow, int lastBodyRow) {
    TQNTable& table = *table_;
    for (int column : {firstColumn, firstColumn + 1})
        table.SetCellFormula(row, column,
                             "SUM(" + TQNTable::RangeRef(0, 0, firstBodyRow, column, lastBodyRow, column) + ")");
    if (table.CellNumber(row, firstColumn) == 0)
        table.SetCellText(row, firstColumn + 2, "-");
    else
        table.SetCellFormula(row, firstColumn + 2, GrowthFormula(row, firstColumn));
    table.SetCellNumber(row, firstColumn + 3, 1);
}

void TNewsScr::BuildBrandSales() {
    LoadLines(kSectionResults, "NLBrdSales");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "NLBrdSales");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    const int brands = ResultsCount(kCategoryFtaMarket, "NbMktedBrds");
    const int bodyRows = BrandBodyRows(brands);
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = bodyRows,
                       .totalRows = 1,
                       .headingCols = kHeadingCols,
                       .bodyCols = kBodyCols,
                       .minBodyRows = kMinBodyRows,
                       .maxVisibleRows = kMaxVisibleRows});
    const int h = table.OriginRow();

    table.SetCellText(h, 1, GetLine(2));
    table.SetCellText(h, 2, GetLine(3));
    table.SetTextAcross(h, kUnitsGroup, kUnitsGroup + 3, GetLine(4));
    table.SetTextAcross(h, kValueGroup, kValueGroup + 3, GetLine(5));
    const int shareLine[] = {9, 10};
    const int unitsLine[][2] = {{2, 4}, {6, 3}};
    for (int group = 0; group < 2; ++group) {
        const int c = group == 0 ? kUnitsGroup : kValueGroup;
        table.SetCellText(h + 1, c, FormatValue(GetLine(6)));
        table.SetCellText(h + 1, c + 1, FormatValue(GetLine(7)));
        table.SetCellText(h + 1, c + 2, GetLine(8));
        table.SetCellText(h + 1, c + 3, GetLine(shareLine[group]));
        table.SetCellText(h + 2, c, GetUnitsText(unitsLine[group][0]));
        table.SetCellText(h + 2, c + 1, GetUnitsText(unitsLine[group][0]));
        table.SetCellText(h + 2, c + 2, "%");
        table.SetCellText(h + 2, c + 3, GetUnitsText(unitsLine[group][1]));
    }

    // Previous sales are compared once the market has a past; in its first
    // period market 1 derives them from its segments' growth.
    const int age = ResultsCount(kCategoryFtaMarket, "MktAge");
    const bool hasPast = age > 1;
    const bool firstPeriodRule = !hasPast && context_.SelMarket == 1;
    const TCvPerData* before = context_.CurPeriod > 0 && hasPast ? previousResults_ : nullptr;
    // Results of the period before without the market's brands (an industry
    // that lacks that history) are reported once, and the page goes on without them.
    if (before && before->GetSmallintDef(kCategoryFtaMarket, context_, "NbMktedBrds", -1) < 0) {
        Ui().ShowPlainBox(GetLine(kNoPreviousBrandsLine));
        before = nullptr;
    }
    const TCvInterf links;
    const int firstBodyRow = h + kTitleRows;
    WriteBrandsByFirm(firstBodyRow, brands, kLastCol, [&](int row, const TListedBrand& brand) {
        TDataContext firmContext = context_;
        firmContext.SelFirm = static_cast<std::int16_t>(brand.firm);
        const TSimArr* report = currentResults_ ? currentResults_->FindSimArr(kCategoryFirmFtaMarket, firmContext, "BrdRpt")
                                                : nullptr;
        const TFoundBrand previous = before ? links.FindBrand(*before, context_, brand.name) : TFoundBrand{};
        const double units = ArrayNumber(report, {brand.firmBrand, si::brUSold});
        const double value = ArrayNumber(report, {brand.firmBrand, si::brRSales}) / kThousands;
        double unitsBefore = 0, valueBefore = 0;
        if (previous.BrdRpt) {
            unitsBefore = ArrayNumber(previous.BrdRpt, {previous.FirmBrand, si::brUSold});
            valueBefore = ArrayNumber(previous.BrdRpt, {previous.FirmBrand, si::brRSales}) / kThousands;
        } else if (firstPeriodRule) {
            const double factor = MarketGrowthFactor(brand.brand);
            unitsBefore = SafeDiv(units, factor, 0);
            valueBefore = SafeDiv(value, factor, 0);
        }
        WriteSalesGroup(row, kUnitsGroup, unitsBefore, units, ArrayNumber(report, {brand.firmBrand, si::brUMS}) / kThousands);
        WriteSalesGroup(row, kValueGroup, valueBefore, value, ArrayNumber(report, {brand.firmBrand, si::brVMS}) / kThousands);
    });

    const int totalRow = firstBodyRow + bodyRows;
    if (brands > 0) {
        table.SetCellText(totalRow, 1, FormatValue(GetLine(11)));
        SetBold(totalRow);
        WriteSalesTotals(totalRow, kUnitsGroup, firstBodyRow, totalRow - 1);
        WriteSalesTotals(totalRow, kValueGroup, firstBodyRow, totalRow - 1);
        // Against the whole market of the period before, so that brands
        // withdrawn since then count in its growth.
        const TSimArr* segmentSales =
            context_.CurPeriod > 0 && previousResults_
                ? previousResults_->FindSimArr(kCategoryFtaMarket, context_, "SegSales")
                : nullptr;
        const TSeries* segments = Industry()->SegSeries(context_.SelFta, context_.SelMarket);
        if (segmentSales && segments) {
            double unitsBefore = 0, valueBefore = 0;
            for (int s = segments->Lo(); s < segments->Lo() + segments->Count(); ++s) {
                unitsBefore += ArrayNumber(segmentSales, {s, si::Unit});
                valueBefore += ArrayNumber(segmentSales, {s, si::Value}) / kThousands;
            }
            table.SetCellNumber(totalRow, kUnitsGroup, unitsBefore);
            table.SetCellNumber(totalRow, kValueGroup, valueBefore);
        }
    }

    table.SetRangeAlign(h, 1, totalRow, 2, kAlignLeft, kAlignMiddle, false);
    table.SetRangeAlign(h + 1, kUnitsGroup, h + 2, kLastCol, kAlignRight, kAlignMiddle, true);
    for (int c : {kUnitsGroup, kValueGroup}) {
        table.SetRangeFormat(firstBodyRow, c + 2, totalRow, c + 2, ChangeFormat());
        table.SetRangeFormat(firstBodyRow, c + 3, totalRow, c + 3, TNumberFormat::Percent);
        // Sales in whole units and thousands.
        table.SetRangeFormat(firstBodyRow, c, totalRow, c + 1, TNumberFormat::Whole);
    }
    table.SetRangeBorderTop(h + 1, kUnitsGroup, h + 1, kLastCol, 1, 0);
    table.SetRangeBorderRight(h, kUnitsGroup + 3, totalRow, kUnitsGroup + 3, 1, 0);
    if (ScreenClass() == kSmallScreenClass) {
        table.SetColumnWidthRange(1, kLastCol, 10);
        table.SetColumnWidths({1, 2}, {10, 9});
    }
    empty_ = brands == 0;
}

}  // namespace cv
