#include "reports/results/firm_result.h"

#include "core/session/industry.h"
#include "core/store/per_data.h"

namespace cv {
namespace {

constexpr char kUnknownKindText[] = "Unknown firm result screen ";

}  // namespace

TFirResult::TFirResult(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout)
    : TResult(owner, context, layout), kind_(kind) {}

void TFirResult::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    switch (kind_) {
    case kScoreCard: BuildScoreCard(); break;
    case kNetContribution:
    case kPlanContribution: BuildNetContribution(); break;
    case kLoanSchedule:
    case kLoanRequestSchedule: BuildLoanSchedule(); break;
    case kMessages: BuildMessages(); break;
    default: ReportUnknownKind(kUnknownKindText, kind_); return;
    }
    Present();
}

int TFirResult::LastColumn() const {
    const TTableGeometry& geometry = table_->Sheet().Geometry();
    return geometry.ColumnStart(2) + geometry.totalCols - 1;
}

const TSimArr* TFirResult::PreviousArray(int category, std::string_view name) const {
    return previousResults_ ? previousResults_->FindSimArr(category, context_, name) : nullptr;
}

int TFirResult::MarketCount() const {
    const TCvInd* industry = Industry();
    return industry ? industry->NbMarkets() : 1;
}

}  // namespace cv
