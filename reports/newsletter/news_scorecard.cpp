// Page 6 of the newsletter: every firm side by side, one column each, with its
// market shares, sales, contributions, stock-price index and returns on
// marketing, as values, as growth against the period before or as an index
// against the base value.
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kUnitsCol = 4, kFirstFirmCol = 5;
constexpr double kNoValue = 2147483647;
constexpr double kThousandths = 0.001;
constexpr long double kDefaultSpiBase = 1000;
constexpr char kIndent[] = "     ";
constexpr std::int32_t kBlack = 0x000000, kRed = 0x0000FF;

double Element(const TSimArr* array, int element, double scale) {
    return array ? ArrayNumber(array, {element}) * scale : kNoValue;
}

}  // namespace

void TNewsScr::BuildScoreCard() {
    LoadLines(kSectionResults, "ScoreCard");
    TQNTable& table = EnsureTable(TTableType::FilledHeadings, "ScoreCard");
    const int chosen = context_.GraphOption;
    mode_ = chosen >= kGrowthMode && chosen <= kIndexMode ? chosen : static_cast<int>(kValuesMode);
    FillTable(table, {24}, {24 + mode_}, 0, 0, 0, -1);
    const int firms = Industry() ? Industry()->NbFirms() : 0;
    const int markets = MarketCount();
    table.DefineTable({.titleRows = 1, .bodyRows = 2 * markets + 13, .headingCols = kUnitsCol, .bodyCols = firms});
    const int origin = table.OriginRow();
    // Only values have units; the other modes leave the column empty but keep its colours and lines.
    if (mode_ == kValuesMode) table.SetCellText(origin, kUnitsCol, GetMiscText(2));
    const std::int16_t shownFirm = context_.SelFirm;
    for (int firm = 1; firm <= firms; ++firm) {
        context_.SelFirm = static_cast<std::int16_t>(firm);
        column_ = kUnitsCol + firm;
        table.SetCellText(origin, column_, Industry()->FirmLabel(firm));
        row_ = origin + 1;
        WriteFirmColumn(markets);
    }
    context_.SelFirm = shownFirm;
    FormatScoreCard(origin, origin + 2 * markets + 13, firms, markets);
    empty_ = false;
}

void TNewsScr::WriteFirmColumn(int markets) {
    const auto shareRows = [&](int title, int valueUnits, int firmValue, int firmValue0, int marketValue,
                               int marketValue0, int unitsUnits, int firmUnits, int firmUnits0) {
        WriteSectionTitle(title);
        if (markets > 1) {
            WriteFirmScore(GetMiscText(1), valueUnits, firmValue, firmValue0, kThousandths, false);
            ForEachMarket([&](int market) {
                WriteMarketScore(FormatValue(GetMiscText(4)), valueUnits, marketValue, marketValue0,
                                 market == markets);
            });
        } else {
            WriteFirmScore(GetLine(19), unitsUnits, firmUnits, firmUnits0, kThousandths, false);
            WriteFirmScore(GetLine(20), valueUnits, firmValue, firmValue0, kThousandths, false);
        }
    };
    shareRows(8, 3, si::ffxVMS, si::ffxVMS0, si::ffmVMS, si::ffmVMS0, 4, si::ffxUMS, si::ffxUMS0);
    shareRows(9, 6, si::ffxRSales, si::ffxRSales0, si::ffmRSales, si::ffmRSales0, 7, si::ffxUSold, si::ffxUSold0);
    WriteSectionTitle(10);
    WriteFirmScore(GetLine(11), 6, si::ffxCBM, si::ffxCBM0, kThousandths, false);
    WriteFirmScore(GetLine(12), 6, si::ffxCAM, si::ffxCAM0, kThousandths, false);
    WriteFirmScore(GetLine(13), 6, si::ffxNC, si::ffxNC0, kThousandths, false);
    WriteFirmScore(GetLine(16), 6, si::ffxCumNC, si::ffxNC0, kThousandths, true);
    WriteSectionTitle(14);
    WriteFirmScore(GetLine(15), 5, si::ffxSPI, -1, 1, false);
    WriteFirmScore(GetLine(17), 8, si::ffxRMI, si::ffxRMI0, kThousandths, false);
    WriteFirmScore(GetLine(18), 8, si::ffxCumRMI, si::ffxRMI0, kThousandths, false);
}

void TNewsScr::WriteSectionTitle(int lineNo) {
    if (column_ == kFirstFirmCol) {
        table_->SetCellText(row_, 1, GetLine(lineNo));
        SetBold(row_, 1, 1);
    }
    ++row_;
}

void TNewsScr::WriteFirmScore(const std::string& label, int unitsLine, int element, int baseElement, double scale,
                              bool border) {
    const TSimArr* now = ResultsArray(kCategoryFirmFta, "FfxRpt");
    const TSimArr* before = context_.CurPeriod > 0 && previousResults_
                                ? previousResults_->FindSimArr(kCategoryFirmFta, context_, "FfxRpt")
                                : nullptr;
    // The index's base is the zone's own, unscaled.
    const double base = baseElement < 0 && Industry()
                            ? static_cast<double>(Industry()->ConstPart().GetRealDef(kCategoryFta, context_, "SpiBase",
                                                                                     kDefaultSpiBase))
                            : Element(now, baseElement, scale);
    WriteScoreValue(label, unitsLine, border, Element(now, element, scale), Element(before, element, scale), base);
}

void TNewsScr::WriteMarketScore(const std::string& label, int unitsLine, int element, int baseElement, bool border) {
    double now = kNoValue, before = kNoValue, base = kNoValue;
    if (ResultsCount(kCategoryFtaMarket, "NbMktedBrds") > 0) {
        const TSimArr* current = ResultsArray(kCategoryFirmFtaMarket, "FfmRpt");
        const TSimArr* previous = context_.CurPeriod > 0 && previousResults_
                                      ? previousResults_->FindSimArr(kCategoryFirmFtaMarket, context_, "FfmRpt")
                                      : nullptr;
        now = Element(current, element, kThousandths);
        before = Element(previous, element, kThousandths);
        base = Element(current, baseElement, kThousandths);
    }
    WriteScoreValue(label, unitsLine, border, now, before, base);
}

void TNewsScr::WriteScoreValue(const std::string& label, int unitsLine, bool border, double now, double previous,
                               double base) {
    TQNTable& table = *table_;
    const int r = row_++;
    if (column_ == kFirstFirmCol) {
        table.SetCellText(r, 1, kIndent + label);
        if (mode_ == kValuesMode) table.SetCellText(r, kUnitsCol, GetUnitsText(unitsLine));
        if (border) table.SetRangeBorderBottom(r, 1, r, -1, 1, 0);
    }
    if (now == kNoValue) {
        table.SetCellText(r, column_, "-");
        return;
    }
    if (previous == kNoValue) previous = now;
    if (mode_ == kValuesMode) {
        table.SetCellNumber(r, column_, now);
    } else if (mode_ == kGrowthMode) {
        if (previous == 0)
            table.SetCellText(r, column_, "-");
        else
            table.SetCellNumber(r, column_, now / previous - 1);
    } else if (base == 0) {
        table.SetCellText(r, column_, "-");
    } else {
        table.SetCellNumber(r, column_, now / base);
        table.SetRangeFontColor(r, column_, r, column_, now > base || IsDocument() ? kBlack : kRed);
    }
}

void TNewsScr::FormatScoreCard(int origin, int lastRow, int firms, int markets) {
    TQNTable& table = *table_;
    const int lastFirmCol = kUnitsCol + firms;
    if (firms > 0) {
        if (mode_ == kValuesMode) {
            table.SetRangeAlign(origin, kUnitsCol, lastRow, kUnitsCol, kAlignRight, kAlignMiddle, true);
            // The share rows, then sales, contributions and the index, then the two returns.
            const int lastShareRow = origin + 1 + (markets > 1 ? markets + 1 : 2);
            const int indexRow = lastRow - 2;
            table.SetRangeFormat(origin + 1, kFirstFirmCol, lastShareRow, lastFirmCol, TNumberFormat::Percent);
            table.SetRangeFormat(lastShareRow + 1, kFirstFirmCol, indexRow, lastFirmCol, TNumberFormat::Whole);
            table.SetRangeFormat(indexRow + 1, kFirstFirmCol, lastRow, lastFirmCol, TNumberFormat::TwoDecimals);
        } else {
            table.SetRangeFormat(origin, kFirstFirmCol, lastRow, lastFirmCol,
                                 mode_ == kIndexMode ? TNumberFormat::TwoDecimals : ChangeFormat());
        }
        table.SetRangeAlign(origin, kFirstFirmCol, lastRow, lastFirmCol, kAlignRight, kAlignMiddle, true);
    }
    if (ScreenClass() == 1) table.SetColumnWidths({kUnitsCol, 1}, {15, 14});
}

}  // namespace cv
