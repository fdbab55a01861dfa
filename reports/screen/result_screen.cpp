#include "reports/screen/result_screen.h"

#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "ui/sheet/cell_format.h"
#include "ui/sheet/qn_sheet.h"

namespace cv {
namespace {

const TSimArr* FindIn(const TCvPerData* set, int category, const TDataContext& context, std::string_view name) {
    return set ? set->FindSimArr(category, context, name) : nullptr;
}

int CountIn(const TCvPerData* set, int category, const TDataContext& context, std::string_view name) {
    return set ? set->GetSmallintDef(category, context, name, 0) : 0;
}

}  // namespace

TCvInd* TResult::Industry() { return Session ? Session->Industry() : nullptr; }

const TSimArr* TResult::ResultsArray(int category, std::string_view name) const {
    return FindIn(currentResults_, category, context_, name);
}

const TSimArr& TResult::RequiredResultsArray(int category, std::string_view name) const {
    TCvInd& industry = SessionIndustry("TResult.RequiredResultsArray");
    return industry.PerResults(context_.CurPeriod).GetSimArr(category, context_, name);
}

const TSimArr* TResult::DecisionsArray(int category, std::string_view name) const {
    return FindIn(decisions_, category, context_, name);
}

int TResult::ResultsCount(int category, std::string_view name) const {
    return CountIn(currentResults_, category, context_, name);
}

int TResult::DecisionsCount(int category, std::string_view name) const {
    return CountIn(decisions_, category, context_, name);
}

int TResult::MarketCount() { return Industry() ? Industry()->NbMarkets() : 0; }

void TResult::SetBold(int row, int firstColumn, int lastColumn) {
    table_->SetRangeFont(row, firstColumn, row, lastColumn, -1, 1, -1, -1, -1);
}

void TResult::SetUnitsAndTotalColumns(int unitsColumn, int firstRow, int lastRow) {
    AlignFiguresRight(-1, unitsColumn, -1, unitsColumn + 1);
    table_->SetRangeBorderRight(firstRow, unitsColumn, lastRow, unitsColumn, 1, 0);
}

void TResult::AlignFiguresRight(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    table_->SetRangeAlign(firstRow, firstColumn, lastRow, lastColumn, kAlignRight, kAlignMiddle, false);
}

void TResult::ReportUnknownKind(const std::string& text, int kind) { Ui().ShowPlainBox(text + std::to_string(kind)); }

double ArrayNumber(const TSimArr* array, const TIndex& index) {
    return array ? static_cast<double>(SimValueNumber(array->GetV(index))) : 0.0;
}

std::string ArrayText(const TSimArr* array, const TIndex& index) { return array ? array->GetZts(index) : std::string(); }

}  // namespace cv
