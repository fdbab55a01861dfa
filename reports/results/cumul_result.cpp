#include "reports/results/cumul_result.h"

#include "core/session/industry.h"
#include "core/store/series_index.h"

namespace cv {

TCumResult::TCumResult(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout)
    : TResult(owner, context, layout), kind_(kind),
      cumBrands_(Industry() ? Industry()->FindSeries("CumBrand") : nullptr) {}

void TCumResult::Build(const TDataContext& context) {
    TCVScreen::Build(context);
    switch (static_cast<TCumResultKind>(kind_)) {
        case TCumResultKind::Brands: BuildBrandCumul(); break;
        case TCumResultKind::Markets: BuildMarketCumul(); break;
        default: ReportUnknownKind("Unknown brand cumulative result screen ", kind_); return;
    }
    Present();
}

double TCumResult::SlotSum(const TSimArr* results, int element) const {
    double sum = 0;
    if (cumBrands_)
        for (int slot = cumBrands_->Lo(); slot <= cumBrands_->Hi(); ++slot) sum += ArrayNumber(results, {slot, element});
    return sum;
}

}  // namespace cv
