// The market-study orders of the past-decision summaries.
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/results/decsummary.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedRows;
constexpr int kStudyLabelColumn = 3;
constexpr int kZoneValueColumn = 5;
constexpr int kOrdered = 1;

// Columns a market takes: two with one or two markets, one with three.
int ColumnStep(int marketCount) { return marketCount < 3 ? 2 : 1; }
int MarketColumn(int market, int marketCount) {
    return marketCount == 1 ? kZoneValueColumn : kZoneValueColumn + ColumnStep(marketCount) * market;
}
int StudyCount(const TSeries* studies) { return studies ? studies->Count() : 0; }

// A study the instructor restricts or hides for the team gets no row.
bool Shown(const TCvInd& industry, const char* category, const TSeries& studies, int study) {
    const std::string item = studies.GetLabel(study);
    return !industry.RestrictEnabled(category, item) && !industry.RestrictHidden(category, item);
}

}  // namespace

void TDecSummary::BuildStudies() {
    TQNTable& table = StartTable("DecSumStu", kWindowTableType);
    const int marketCount = Industry()->NbMarkets();
    const int step = ColumnStep(marketCount);
    const int titleRows = marketCount == 1 ? 1 : 2;
    const int bodyRows = StudyCount(si::StuFta) + StudyCount(si::StuMkt);
    const int bodyCols = marketCount == 1 ? 2 : step * marketCount + 2;
    table.DefineTable({.titleRows = titleRows, .bodyRows = bodyRows, .headingCols = 3, .bodyCols = bodyCols});
    const int h = table.OriginRow();
    table.SetCellText(h, kStudyLabelColumn, GetLine(2));
    table.SetTextAcross(h, 4, 3 + bodyCols, GetLine(marketCount > 1 ? 3 : 7));
    if (marketCount > 1) {
        table.SetRangeBorderBottom(h, 4, h, 3 + bodyCols, 1, 0);
        table.SetCellText(h + 1, kZoneValueColumn, GetLine(6));
        for (int market = 1; market <= marketCount; ++market)
            table.SetCellText(h + 1, MarketColumn(market, marketCount), Industry()->MarketLabel(market));
        table.SetRangeAlign(h + 1, -1, h + 1, -1, 4, 2, false);
    }
    // Every value cell of the body starts as "-": rows of studies left out
    // stay so at the bottom.
    const int firstBodyRow = h + titleRows;
    for (int row = firstBodyRow; row < firstBodyRow + bodyRows; ++row) {
        table.SetCellText(row, kZoneValueColumn, "-");
        for (int market = 1; market <= marketCount; ++market)
            table.SetCellText(row, MarketColumn(market, marketCount), "-");
    }
    const int row = WriteStudyRows(firstBodyRow, true, marketCount);
    WriteStudyRows(row, false, marketCount);
    table.SetRangeAlign(h, kStudyLabelColumn, firstBodyRow + bodyRows, kStudyLabelColumn, 4, 2, false);
    empty_ = bodyRows == 0;
}

int TDecSummary::WriteStudyRows(int row, bool zoneStudies, int marketCount) {
    TQNTable& table = *table_;
    const TCvInd& industry = *Industry();
    const TSeries* studies = zoneStudies ? si::StuFta : si::StuMkt;
    if (!studies) return row;
    for (int study = studies->Lo(); study <= studies->Hi(); ++study) {
        if (!Shown(industry, zoneStudies ? "StuFta" : "StuMkt", *studies, study)) continue;
        table.SetCellText(row, kStudyLabelColumn, zoneStudies ? industry.StuFtaLabel(study) : industry.StuMktLabel(study));
        if (zoneStudies) {
            const bool ordered = ArrayNumber(DecisionsArray(kCategoryFirmFta, "DecStuFta"), {study}) == kOrdered;
            table.SetCellText(row, kZoneValueColumn, GetLine(ordered ? 4 : 5));
        } else {
            ForEachMarket([&](int market) {
                const bool ordered = ArrayNumber(DecisionsArray(kCategoryFirmFtaMarket, "DecStuMkt"), {study}) == kOrdered;
                table.SetCellText(row, MarketColumn(market, marketCount), GetLine(ordered ? 4 : 5));
            });
        }
        ++row;
    }
    return row;
}

}  // namespace cv
