#include "reports/results/rnd_proto_list.h"

#include <algorithm>
#include <cmath>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/data_context.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "ui/report/table_number_formats.h"

namespace cv {
namespace {

constexpr TTableType kWindowTableType = TTableType::BandedRows;
constexpr int kTitleRows = 2;
// The body shows 20 projects; a firm with more gets the rows it needs and a
// scroll bar, so that no project is written over the total rows.
constexpr int kShownProjects = 20;
constexpr int kTotalRows = 2;
constexpr int kTotalCols = 4;
constexpr int kMinBodyRows = 10;
constexpr int kRightBorderMinRows = 12;

// Title line of each list kind (all, available, on-going).
constexpr int kTitleLine[] = {12, 1, 7};

}  // namespace

// The sheet columns of the list: the name, D dimensions, then the two unit
// costs and the two budgets.
struct TRnDProtoList::TColumns {
    int dimensions;
    int RequestedCost() const { return dimensions + 2; }
    int MinimumCost() const { return dimensions + 3; }
    int SpentBudget() const { return dimensions + 4; }
    int Last() const { return dimensions + 5; }
};

bool TRnDProtoList::Listed(double requiredBudget) const {
    switch (kind_) {
        case TProtoListKind::AvailablePrototypes: return requiredBudget <= 0;
        case TProtoListKind::OnGoingProjects: return requiredBudget > 0;
        case TProtoListKind::AllProjects: break;
    }
    return true;
}

void TRnDProtoList::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    LoadLines(kSectionResults, "AvailProtos");
    const TCvInd* industry = Industry();
    const TSeries* dimensions = industry ? industry->DimSeries(context_.SelMarket) : nullptr;
    const TColumns columns{dimensions ? dimensions->Count() : 0};
    const int projectCount = ResultsCount(kCategoryFirmMarket, "NbPros");

    TQNTable& table = EnsureTable(kWindowTableType, "Projects");
    table.FormatArea({FormatValue(GetLine(kTitleLine[static_cast<int>(kind_)]))}, {" "}, 0, 0, 0, -1);
    table.DefineTable({.titleRows = kTitleRows,
                       .bodyRows = std::max(kShownProjects, projectCount),
                       .totalRows = kTotalRows,
                       .headingCols = 1,
                       .bodyCols = columns.dimensions,
                       .totalCols = kTotalCols,
                       .minBodyRows = kMinBodyRows,
                       .maxVisibleRows = kShownProjects});
    WriteTitleRows(columns);
    FormatTable(columns, WriteProjects(columns));
    empty_ = projectCount == 0;
    Present();
}

void TRnDProtoList::WriteTitleRows(const TColumns& columns) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    const TCvInd* industry = Industry();
    auto replaced = [](std::string text, std::string_view token, const std::string& by) {
        if (const auto at = text.find(token); at != std::string::npos) text.replace(at, token.size(), by);
        return text;
    };
    table.SetCellText(h + 1, 1, GetLine(2));
    table.SetCellText(h, 2, GetLine(3));
    for (int d = 1; d <= columns.dimensions; ++d)
        table.SetCellText(h + 1, 1 + d,
                          industry->DimLabel(context_.SelMarket, d) + "\n(" +
                              industry->DimUnitLabel(context_.SelMarket, d) + ")");
    table.SetCellText(h, columns.RequestedCost(), replaced(GetLine(4), "@$", GetUnitsText(1)));
    table.SetCellText(h + 1, columns.RequestedCost(), GetLine(5));
    table.SetCellText(h + 1, columns.MinimumCost(), ReplaceNewLine(GetLine(6), true));
    table.SetCellText(h, columns.SpentBudget(), replaced(GetLine(8), "@K$", GetUnitsText(6)));
    table.SetCellText(h + 1, columns.SpentBudget(), GetLine(9));
    table.SetCellText(h + 1, columns.Last(), ReplaceNewLine(GetLine(10), true));
}

int TRnDProtoList::WriteProjects(const TColumns& columns) {
    TQNTable& table = *table_;
    const TSimArr* names = ResultsArray(kCategoryFirmMarket, "ProNames");
    const TSimArr* characteristics = ResultsArray(kCategoryFirmMarket, "ProTecs");
    const TSimArr* finances = ResultsArray(kCategoryFirmMarket, "ProFins");
    const TSeries* dimensions = Industry()->DimSeries(context_.SelMarket);
    const bool pastFirstPeriod = Industry()->CurPeriod() > 0;
    const int projectCount = ResultsCount(kCategoryFirmMarket, "NbPros");
    int row = table.OriginRow() + kTitleRows;
    for (int p = 1; p <= projectCount; ++p) {
        const double required = ArrayNumber(finances, {p, si::ProReqBgt});
        const double endValue = std::round(ArrayNumber(finances, {p, si::ProPerEnd}));
        const int endPeriod = endValue < 0 ? -1 : static_cast<int>(endValue);
        if (!Listed(required)) continue;
        const bool isNew = endPeriod == context_.CurPeriod && pastFirstPeriod;
        table.SetCellText(row, 1, ArrayText(names, {p}) + (isNew ? "*" : ""));
        for (int d = 1; d <= columns.dimensions; ++d)
            table.SetCellNumber(row, 1 + d, ArrayNumber(characteristics, {p, dimensions->Lo() + d - 1}));
        table.SetCellNumber(row, columns.RequestedCost(), ArrayNumber(finances, {p, si::ProReqUC}));
        table.SetCellNumber(row, columns.MinimumCost(), ArrayNumber(finances, {p, si::ProMinUC}));
        table.SetCellNumber(row, columns.SpentBudget(), ArrayNumber(finances, {p, si::ProCumBgt}) / 1000);
        if (required / 1000 > 0)
            table.SetCellNumber(row, columns.Last(), required / 1000);
        else
            table.SetCellText(row, columns.Last(), GetLine(11) + std::to_string(endPeriod));
        if (isNew) SetBold(row, 1, columns.Last());
        ++row;
    }
    return row;
}

void TRnDProtoList::FormatTable(const TColumns& columns, int rowAfterLast) {
    TQNTable& table = *table_;
    const int h = table.OriginRow();
    const int firstTotalRow = h + kTitleRows + std::max(kShownProjects, ResultsCount(kCategoryFirmMarket, "NbPros"));
    table.SetRangeAlign(h, 2, h, 1 + columns.dimensions, 7, 2, false);
    table.SetRangeAlign(h, columns.RequestedCost(), h, columns.MinimumCost(), 7, 2, false);
    table.SetRangeAlign(h, columns.SpentBudget(), h, columns.Last(), 7, 2, false);
    table.SetRangeBorderTop(h + 1, 2, h + 1, columns.Last(), 1, 0);
    table.SetRangeBorderRight(h, columns.MinimumCost(), std::max(rowAfterLast, h + kRightBorderMinRows),
                              columns.MinimumCost(), 1, 0);
    table.SetCellText(firstTotalRow, 1, GetLine(13));
    table.SetRangeStdFont(firstTotalRow, 1, kTotalRows, columns.Last(), IsDocument() ? 2 : 1);
    table.SetRangeAlign(h + 1, 2, h + 1, columns.Last(), 4, 2, true);
    // Wrapped headings and the note below the list get the lines they need.
    table.SetRowHeights(h + 1, h + 1, kSizeFit);
    table.SetRowHeights(firstTotalRow, firstTotalRow, kSizeFit);
    if (IsDocument()) table.SetRangeFont(h + 1, 2, h + 1, columns.Last(), -1, 0, -1, -1, -1);
    // Costs and budgets, the budget still required included, in whole dollars and thousands.
    table.SetRangeFormat(h + kTitleRows, columns.RequestedCost(), rowAfterLast, columns.Last(), TNumberFormat::Whole);
    table.SetColumnWidths({1, columns.Last()}, {10, 12});
}

}  // namespace cv
