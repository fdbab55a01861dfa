// Page 3 of the newsletter: the price of every market-research study the team
// may order, ordered now and paid in the next period, zone studies first, then
// the market studies of each market, with the totals. A study the instructor
// disabled or hid for the teams takes no row.
#include <cmath>
#include <vector>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr int kHeadingCols = 3;
constexpr int kLabelCol = 3, kZoneCol = 5;
constexpr int kSingleMarketWidth = 20;
constexpr double kThousands = 1000;

bool Restricted(const std::string& category, const std::string& study) {
    return Session && (Session->IsRestrictEnabled(category, study) || Session->IsRestrictHidden(category, study));
}

// The elements of Series whose study the team may order, in series order.
std::vector<int> OrderableStudies(const TSeries* series, const std::string& category) {
    std::vector<int> studies;
    if (series == nullptr) return studies;
    for (int study = series->Lo(); study <= series->Hi(); ++study)
        if (!Restricted(category, series->GetLabel(study))) studies.push_back(study);
    return studies;
}

}  // namespace

double TNewsScr::StudyPrice(double cost) const {
    // Halves go to the even neighbour: the default rounding mode of nearbyint.
    return std::nearbyint(cost * salaryIndexNext_ / kThousands);
}

void TNewsScr::BuildStudyPrices() {
    LoadLines(kSectionResults, "NLEcoMRS");
    TQNTable& table = EnsureTable(TTableType::BandedRows, "NLEcoMRS");
    FillTable(table, {1}, {2}, 0, 0, 0, -1);
    const TCvInd* industry = Industry();
    const TSeries* zoneStudies = si::StuFta;
    const TSeries* marketStudies = si::StuMkt;
    const int markets = MarketCount();
    const bool single = markets == 1;
    const int step = markets < 3 ? 2 : 1;
    const int titleRows = single ? 1 : 2;
    const int bodyRows = (zoneStudies ? zoneStudies->Count() : 0) + (marketStudies ? marketStudies->Count() : 0);
    const int totalRows = single ? 1 : 2;
    const int bodyCols = single ? 2 : step * markets + 2;
    table.DefineTable({.titleRows = titleRows,
                       .bodyRows = bodyRows,
                       .totalRows = totalRows,
                       .headingCols = kHeadingCols,
                       .bodyCols = bodyCols});
    const int origin = table.OriginRow();
    const int lastCol = kHeadingCols + bodyCols;
    const auto marketCol = [&](int market) { return single ? kZoneCol : kZoneCol + step * market; };

    table.SetCellText(origin, kLabelCol, GetLine(3));
    table.SetTextAcross(origin, kHeadingCols + 1, lastCol, GetLine(single ? 8 : 4));
    if (!single) {
        table.SetRangeBorderBottom(origin, kHeadingCols + 1, origin, lastCol, 1, 0);
        table.SetCellText(origin + 1, kZoneCol, GetLine(5));
        for (int market = 1; market <= markets; ++market)
            table.SetCellText(origin + 1, marketCol(market), industry->MarketLabel(market));
        table.SetRangeAlign(origin + 1, 1, origin + 1, lastCol, kAlignRight, kAlignBottom, false);
    }

    const int firstBody = origin + titleRows;
    int row = firstBody;
    const TSimArr* zoneParams =
        industry ? industry->ConstPart().FindSimArr(kCategoryFta, context_, "StuFtaParams") : nullptr;
    for (int study : OrderableStudies(zoneStudies, "StuFta")) {
        table.SetCellText(row, kLabelCol, industry->StuFtaLabel(study));
        table.SetCellNumber(row, kZoneCol, StudyPrice(ArrayNumber(zoneParams, {study, si::StuCost})));
        ++row;
    }
    const int firstMarketRow = row;
    ForEachMarket([&](int market) {
        const TSimArr* params = industry->ConstPart().FindSimArr(kCategoryFtaMarket, context_, "StuMktParams");
        int marketRow = firstMarketRow;
        for (int study : OrderableStudies(marketStudies, "StuMkt")) {
            if (market == 1) table.SetCellText(marketRow, kLabelCol, industry->StuMktLabel(study));
            table.SetCellNumber(marketRow, marketCol(market), StudyPrice(ArrayNumber(params, {study, si::StuCost})));
            ++marketRow;
        }
    });

    // The totals sum the whole body column, the empty rows of skipped studies included.
    const int totalRow = firstBody + bodyRows;
    const auto columnSum = [&](int column) {
        return "SUM(" + TQNTable::RangeRef(0, 0, firstBody, column, totalRow - 1, column) + ")";
    };
    if (single) {
        table.SetCellText(totalRow, kLabelCol, GetLine(7));
        table.SetCellFormula(totalRow, kZoneCol, columnSum(kZoneCol));
    } else {
        table.SetCellText(totalRow, kLabelCol, GetLine(6));
        table.SetCellFormula(totalRow, kZoneCol, columnSum(kZoneCol));
        for (int market = 1; market <= markets; ++market)
            table.SetCellFormula(totalRow, marketCol(market), columnSum(marketCol(market)));
        table.SetCellText(totalRow + 1, kLabelCol, GetLine(7));
        table.SetCellFormula(totalRow + 1, kZoneCol,
                             "SUM(" + TQNTable::RangeRef(0, 0, totalRow, kZoneCol, totalRow, marketCol(markets)) + ")");
    }
    const int last = totalRow + totalRows - 1;
    table.SetRangeAlign(origin, kLabelCol, last, kLabelCol, kAlignRight, kAlignBottom, false);
    table.SetRangeFont(totalRow, 1, last, lastCol, -1, 1, -1, -1, -1);
    table.SetRangeFormat(totalRow, kZoneCol, last, lastCol, TNumberFormat::Whole);
    if (single) table.SetColumnWidthRange(1, kZoneCol, kSingleMarketWidth);
    empty_ = false;
}

}  // namespace cv
