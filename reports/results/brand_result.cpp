#include "reports/results/brand_result.h"

namespace cv {

void TBrdResult::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    switch (static_cast<TBrdResultKind>(kind_)) {
        case TBrdResultKind::Contribution:
        case TBrdResultKind::PlanContribution: BuildContribution(); break;
        case TBrdResultKind::MarketResults: BuildMarketResults(); break;
        default: ReportUnknownKind("Unknown brand result screen ", kind_); return;
    }
    Present();
}

}  // namespace cv
