// Page 2 of the newsletter: the zone's economy in the period shown and the
// next one (growth, inflation, inventory coefficients, the costs of a
// salesperson in the zone's money), each with its change.
#include <climits>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "reports/newsletter/news_screen.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kTitleRows = 2;
constexpr int kBodyRows = 9;
constexpr int kHeadingCols = 5, kBodyCols = 5;
constexpr int kUnitCol = 5, kNowCol = 7, kNextCol = 9, kChangeCol = 10, kLastCol = 10;
constexpr int kPercentRows = 6;
// A heading row carries this as its value: it shows its label only.
constexpr double kNoValue = INT_MAX;
constexpr int kMoneyUnitsLine = 1;
constexpr char kPercentUnit[] = "%";

}  // namespace

void TNewsScr::BuildEconomicVariables() {
    LoadLines(kSectionResults, "NLEcoVars");
    TQNTable& table = EnsureTable(TTableType::FilledHeadings, "NLEcoVars");
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    table.DefineTable({.titleRows = kTitleRows, .bodyRows = kBodyRows, .headingCols = kHeadingCols, .bodyCols = kBodyCols});
    const int origin = table.OriginRow();
    table.SetCellText(origin, kUnitCol, GetMiscText(2));
    table.SetCellText(origin, kChangeCol, GetMiscText(3));
    table.SetCellText(origin, kNowCol, GetLine(2));
    table.SetCellText(origin, kNextCol, GetLine(3));
    table.SetCellText(origin + 1, kNowCol, FormatValue(GetLine(4)));
    table.SetCellText(origin + 1, kNextCol, FormatValue(GetLine(5)));

    row_ = origin + kTitleRows;
    const TCvInd* industry = Industry();
    const int period = context_.CurPeriod, zone = context_.SelFta;
    const auto rates = [&](auto rate) {
        now_ = industry ? static_cast<double>(rate(period)) : 0;
        next_ = industry ? static_cast<double>(rate(period + 1)) : 0;
    };
    rates([&](int p) { return industry->GnpGrowthRate(p, zone); });
    WriteEcoRow(GetLine(6), kPercentUnit, false);
    rates([&](int p) { return industry->InflationRate(p, zone, 0); });
    WriteEcoRow(GetLine(7), kPercentUnit, false);
    now_ = next_ = kNoValue;
    WriteEcoRow(GetLine(8), "", true);
    for (const auto& [lineNo, name] : {std::pair{9, "IHCCoef"}, std::pair{10, "ISCCoef"}}) {
        now_ = next_ = industry ? static_cast<double>(industry->ConstPart().GetRealDef(kCategoryFtaMarket, context_,
                                                                                        name, 0))
                                : 0;
        WriteEcoRow(GetLine(lineNo), GetLine(15), false);
    }
    now_ = next_ = kNoValue;
    WriteEcoRow(GetLine(11), "", true);
    WriteCostRow(12, "SlpBaseCost");
    WriteCostRow(13, "SlpHireCost");
    WriteCostRow(14, "SlpFireCost");

    const int last = row_ - 1;
    table.SetRangeAlign(origin, 1, origin + 1, kLastCol, kAlignRight, kAlignMiddle, false);
    table.SetRangeAlign(origin, 4, last, kUnitCol, kAlignRight, kAlignBottom, false);
    table.SetRangeBorderRight(origin, 4, last, 4, 1, 0);
    table.SetRangeFormat(origin, kChangeCol, last, kChangeCol, ChangeFormat());
    const int firstBody = origin + kTitleRows;
    table.SetRangeFormat(firstBody, kNowCol - 1, firstBody + kPercentRows - 1, kNextCol, TNumberFormat::Percent);
    // The costs in whole money units: the table's general format would show every digit.
    table.SetRangeFormat(firstBody + kPercentRows, kNowCol - 1, last, kNextCol, TNumberFormat::Whole);
    if (ScreenClass() == 1) {
        table.SetColumnWidths({kUnitCol, kChangeCol}, {12, 12});
    } else {
        table.SetColumnWidths({kUnitCol, 2, 3, 6, 8}, {13, 5, 5, 7, 7});
    }
    empty_ = false;
}

void TNewsScr::WriteEcoRow(const std::string& label, const std::string& unit, bool border) {
    TQNTable& table = *table_;
    table.SetCellText(row_, 1, label);
    table.SetCellText(row_, kUnitCol, unit);
    if (now_ != kNoValue) {
        table.SetCellNumber(row_, kNowCol, now_);
        table.SetCellNumber(row_, kNextCol, next_);
        if (now_ == 0)
            table.SetCellText(row_, kChangeCol, "-");
        else
            table.SetCellFormula(row_, kChangeCol,
                                 TQNTable::RangeRef(0, 0, row_, kNextCol, row_, kNextCol) + "/" +
                                     TQNTable::RangeRef(0, 0, row_, kNowCol, row_, kNowCol) + "-1");
    }
    if (border) table.SetRangeBorderBottom(row_ - 1, 1, row_ - 1, kLastCol, 1, 0);
    ++row_;
}

void TNewsScr::WriteCostRow(int lineNo, const char* scalarName) {
    const TCvInd* industry = Industry();
    const double cost =
        industry ? static_cast<double>(industry->ConstPart().GetRealDef(kCategoryFta, context_, scalarName, 0)) : 0;
    now_ = cost * salaryIndexNow_;
    next_ = cost * salaryIndexNext_;
    WriteEcoRow(GetLine(lineNo), GetUnitsText(kMoneyUnitsLine), false);
}

}  // namespace cv
