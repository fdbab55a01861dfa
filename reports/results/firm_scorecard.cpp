// The scorecard: market shares, sales, contribution and stock market of the
// firm, each against last period and against its reference (the period-0
// value, or the stock-price index's base).
#include <cmath>

#include "core/base/text_format.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/results/firm_result.h"
#include "reports/screen/firm_values.h"

namespace cv {
namespace {

constexpr int kTitleRows = 2;
constexpr int kHeadingCols = 5;
constexpr int kBodyCols = 5;
constexpr int kUnitsCol = 5, kPreviousCol = 6, kCurrentCol = 7, kChangeCol = 8, kIndexCol = 9, kGrowthCol = 10;
constexpr double kThousandths = 0.001;
constexpr long double kDefaultSpiBase = 1000;
constexpr char kMultiplicationSign[] = "\xD7 ";  // the Western code page's multiplication sign, then a blank
constexpr int kRatioUnitsLine = 8;

// sign(r) x |r|^(1/n) - 1: the average growth per period that turns 1 into r
// in n periods; 0 before any period has passed.
double AverageGrowth(double ratio, int periods) {
    if (periods <= 0) return 0;
    const double sign = ratio < 0 ? -1 : 1;
    return sign * std::pow(std::fabs(ratio), 1.0 / periods) - 1;
}

}  // namespace

void TFirResult::BuildScoreCard() {
    LoadLines(kSectionResults, "ScoreCard");
    TQNTable& table = EnsureTable(TTableType::FilledHeadings, "ScoreCard");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    const int markets = MarketCount();
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = 2 * (markets + 2) + 9,
                       .headingCols = kHeadingCols,
                       .bodyCols = kBodyCols});
    const int origin = table.OriginRow();
    WriteScoreCardTitles(origin);
    row_ = origin + kTitleRows;
    const int firstBodyRow = row_;

    const auto shareRows = [&](int titleLine, int valueUnits, int firmValue, int firmValue0, int marketValue,
                               int marketValue0, int unitsUnits, int firmUnits, int firmUnits0) {
        WriteSectionTitle(GetLine(titleLine));
        if (markets > 1) {
            WriteFirmScoreRow({GetMiscText(1), valueUnits}, firmValue, firmValue0, kThousandths);
            for (int market = 1; market <= markets; ++market) {
                context_.SelMarket = static_cast<std::int16_t>(market);
                const std::string label = FormatValue(GetMiscText(4));
                WriteMarketScoreRow({label, valueUnits, false, market == markets}, market, marketValue,
                                    marketValue0);
            }
        } else {
            WriteFirmScoreRow({GetLine(19), unitsUnits}, firmUnits, firmUnits0, kThousandths);
            WriteFirmScoreRow({GetLine(20), valueUnits}, firmValue, firmValue0, kThousandths);
        }
    };
    shareRows(8, 3, si::ffxVMS, si::ffxVMS0, si::ffmVMS, si::ffmVMS0, 4, si::ffxUMS, si::ffxUMS0);
    const int lastShareRow = row_ - 1;
    shareRows(9, 6, si::ffxRSales, si::ffxRSales0, si::ffmRSales, si::ffmRSales0, 7, si::ffxUSold, si::ffxUSold0);

    WriteSectionTitle(GetLine(10));
    WriteFirmScoreRow({GetLine(11), 6}, si::ffxCBM, si::ffxCBM0, kThousandths);
    WriteFirmScoreRow({GetLine(12), 6}, si::ffxCAM, si::ffxCAM0, kThousandths);
    WriteFirmScoreRow({GetLine(13), 6}, si::ffxNC, si::ffxNC0, kThousandths);
    WriteFirmScoreRow({GetLine(16), 6, false, true}, si::ffxCumNC, si::ffxNC0, kThousandths);

    WriteSectionTitle(GetLine(14));
    WriteFirmScoreRow({GetLine(15), 5}, si::ffxSPI, si::ffxSPI, 1);
    const int ratioRow = row_;
    WriteFirmScoreRow({GetLine(17), kRatioUnitsLine}, si::ffxRMI, si::ffxRMI0, kThousandths);
    WriteFirmScoreRow({GetLine(18), kRatioUnitsLine}, si::ffxCumRMI, si::ffxRMI0, kThousandths);

    // The shares' section title row holds no value: the format goes on its value rows only.
    table.SetRangeFormat(firstBodyRow + 1, kPreviousCol, lastShareRow, kCurrentCol, TNumberFormat::Percent);
    table.SetRangeFormat(ratioRow, kPreviousCol, ratioRow + 1, kCurrentCol, TNumberFormat::TwoDecimals);
    FormatScoreCard(origin);
}

void TFirResult::WriteScoreCardTitles(int origin) {
    TQNTable& table = *table_;
    table.SetCellText(origin, kUnitsCol, GetMiscText(2));
    table.SetTextAcross(origin, kPreviousCol, kChangeCol, GetLine(2));
    table.SetTextAcross(origin, kIndexCol, kGrowthCol, GetLine(3));
    const int labels = origin + 1;
    table.SetCellText(labels, kPreviousCol, FormatValue(GetLine(4)));
    table.SetCellText(labels, kCurrentCol, FormatValue(GetLine(5)));
    table.SetCellText(labels, kChangeCol, GetMiscText(3));
    table.SetCellText(labels, kIndexCol, ReplaceNewLine(FormatValue(GetLine(6)), false));
    table.SetCellText(labels, kGrowthCol, ReplaceNewLine(GetLine(7), false));
    table.SetRangeAlign(labels, 1, labels, kGrowthCol, kAlignRight, kAlignMiddle, true);
}

void TFirResult::WriteSectionTitle(const std::string& title) {
    table_->SetCellText(row_, 1, title);
    table_->SetRangeFont(row_, 1, row_, 1, -1, 1, -1, -1, -1);
    ++row_;
}

void TFirResult::WriteFirmScoreRow(const TScoreRow& row, int item, int referenceItem, double scale) {
    const TSimArr* current = ResultsArray(kCategoryFirmFta, "FfxRpt");
    const TSimArr* previous = context_.CurPeriod > 0 ? PreviousArray(kCategoryFirmFta, "FfxRpt") : nullptr;
    TScoreValues values{ReportValue(current, item, scale), ReportValue(previous, item, scale), {}};
    if (item == si::ffxSPI && Industry())
        values.reference =
            static_cast<double>(Industry()->ConstPart().GetRealDef(kCategoryFta, context_, "SpiBase", kDefaultSpiBase));
    else
        values.reference = ReportValue(current, referenceItem, scale);
    WriteScoreRow(row, values);
}

void TFirResult::WriteMarketScoreRow(const TScoreRow& row, int market, int item, int referenceItem) {
    context_.SelMarket = static_cast<std::int16_t>(market);
    TScoreValues values;
    if (ResultsCount(kCategoryFtaMarket, "NbMktedBrds") > 0) {
        const TSimArr* current = ResultsArray(kCategoryFirmFtaMarket, "FfmRpt");
        const TSimArr* previous =
            context_.CurPeriod > 0 ? PreviousArray(kCategoryFirmFtaMarket, "FfmRpt") : nullptr;
        values = {ReportValue(current, item, kThousandths), ReportValue(previous, item, kThousandths),
                  ReportValue(current, referenceItem, kThousandths)};
    }
    WriteScoreRow(row, values);
}

void TFirResult::WriteScoreRow(const TScoreRow& row, const TScoreValues& values) {
    TQNTable& table = *table_;
    const int r = row_++;
    table.SetCellText(r, 2, row.label);
    table.SetCellText(r, kUnitsCol, GetUnitsText(row.unitsLine));
    // Amounts, units and the index in whole numbers; the shares and ratios get theirs below.
    if (row.unitsLine != kRatioUnitsLine) table.SetRangeFormat(r, kPreviousCol, r, kCurrentCol, TNumberFormat::Whole);
    if (row.bottomBorder) table.SetRangeBorderBottom(r, 1, r, LastColumn(), 1, 0);
    if (row.bold) table.SetRangeFont(r, 1, r, LastColumn(), -1, 1, -1, -1, -1);
    if (!values.current) {
        for (int column = kPreviousCol; column <= kGrowthCol; ++column) table.SetCellText(r, column, kMissingText);
        return;
    }
    const double a = *values.current;
    const double b = values.previous.value_or(a);
    const double c = values.reference.value_or(0);
    table.SetCellNumber(r, kPreviousCol, b);
    table.SetCellNumber(r, kCurrentCol, a);
    if (b == 0)
        table.SetCellText(r, kChangeCol, kMissingText);
    else
        table.SetCellNumber(r, kChangeCol, a / b - 1);
    if (c == 0) {
        table.SetCellText(r, kIndexCol, kMissingText);
        table.SetCellText(r, kGrowthCol, kMissingText);
        return;
    }
    table.SetCellText(r, kIndexCol, kMultiplicationSign + FormatThousands(a / c, 2));
    const bool ahead = a > c || IsDocument();
    table.SetRangeFontColor(r, kIndexCol, r, kIndexCol, ahead ? kBlack : kRed);
    table.SetCellNumber(r, kGrowthCol, AverageGrowth(a / c, context_.CurPeriod));
}

void TFirResult::FormatScoreCard(int origin) {
    TQNTable& table = *table_;
    const int last = row_ - 1;
    table.SetRangeAlign(origin, kUnitsCol, last, kUnitsCol, kAlignRight, kAlignMiddle, true);
    table.SetRangeAlign(origin + 1, kPreviousCol, last, kGrowthCol, kAlignRight, kAlignMiddle, true);
    table.SetRangeBorderRight(origin, 4, last, 4, 1, 0);
    table.SetRangeBorderRight(origin, kChangeCol, last, kChangeCol, 1, 0);
    const TNumberFormat changeFormat = ChangeFormat();
    table.SetRangeFormat(-1, kChangeCol, -1, kChangeCol, changeFormat);
    table.SetRangeFormat(-1, kGrowthCol, -1, kGrowthCol, changeFormat);
    table.SetColumnWidths({kUnitsCol}, {12});
    table.SetColumnWidthRange(kPreviousCol, kGrowthCol, 11);
    table.SetColumnWidths({kGrowthCol}, {12});
    // Period 0 has no last period and no path from the reference: only this period's values stand.
    if (context_.CurPeriod == 0) {
        TSheetModel& sheet = table.Sheet().Model();
        sheet.ClearRange(origin + 1, kPreviousCol, last, kPreviousCol, TSheetModel::TClearMode::Everything);
        sheet.ClearRange(origin + 1, kChangeCol, last, kGrowthCol, TSheetModel::TClearMode::Everything);
    }
    empty_ = false;
}

}  // namespace cv
