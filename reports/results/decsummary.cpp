#include "reports/results/decsummary.h"

#include "core/language/translator.h"
#include "core/session/industry.h"

namespace cv {

void TDecSummary::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    const TCvInd* industry = Industry();
    if (!industry) return;
    dimensions_ = industry->DimSeries(context_.SelMarket);
    channels_ = industry->ChaSeries(context_.SelFta);
    segments_ = industry->SegSeries(context_.SelFta, context_.SelMarket);
    switch (static_cast<TDecSummaryKind>(kind_)) {
        case TDecSummaryKind::Brands: BuildBrands(); break;
        case TDecSummaryKind::SalesForce: BuildSalesForce(); break;
        case TDecSummaryKind::RnD: BuildRnD(); break;
        case TDecSummaryKind::Studies: BuildStudies(); break;
        case TDecSummaryKind::Loan: BuildLoan(); break;
        default: ReportUnknownKind("Unknown decision summary screen ", kind_); return;
    }
    Present();
}

TQNTable& TDecSummary::StartTable(const std::string& key, TTableType windowType) {
    LoadLines(kSectionResults, key);
    TQNTable& table = EnsureTable(windowType, key);
    FillTable(table, {1}, {}, 0, 0, 0, -1);
    return table;
}

}  // namespace cv
