// The marketing plan: planned segment sizes, brand sales against what can be
// supplied, and each brand's split over the channels.
#include <cmath>

#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {
// A brand's channel split is stored in percent x 1000.
constexpr double kChannelSplitScale = 1000;
constexpr long long kFullShare = 100;

// Planned sales and sizes are compared as the plan shows them, in whole units,
// so that a figure a share turned into units a fraction over its size passes.
long long WholeUnits(double units) { return std::llround(units); }

long long PlannedSegmentSales(const TDynArr* plans, int segment, int brands) {
    long long sum = 0;
    for (int brand = 1; brand <= brands; ++brand) sum += WholeUnits(ElementNumber(plans, {brand, segment}));
    return sum;
}
}  // namespace

int TCheckDec::CheckMktPlan(TQnInfos& messages, const TDataContext& context) {
    Begin(context);
    int count = 0;
    for (int market = 1; market <= NbMarkets(); ++market) {
        SelectMarket(market);
        if (vars_.NbMktedBrds > 0) count += CheckPlanSegments(messages, market, true);
        for (int brand = 1; brand <= vars_.NbMktedBrds; ++brand) count += CheckPlanBrand(messages, brand);
        if (vars_.NbMktedBrds > 0) count += CheckPlanSegments(messages, market, false);
    }
    return count;
}

// SizeOnly: segments planned at 0; otherwise segments whose planned size is
// below the brands' planned sales in them.
int TCheckDec::CheckPlanSegments(TQnInfos& messages, int market, bool sizeOnly) {
    const TSeries* segments = vars_.Segments;
    if (segments == nullptr) return 0;
    int count = 0;
    for (int segment = segments->Lo(); segment <= segments->Hi(); ++segment) {
        const double size = ElementNumber(vars_.MPSegSales, {segment});
        const bool fault = sizeOnly ? size == 0
                                    : WholeUnits(size) < PlannedSegmentSales(vars_.MPBrdSegSales, segment,
                                                                             vars_.NbMktedBrds);
        if (!fault) continue;
        Add(messages, sizeOnly ? "MPErrSegSize0" : "MPErrSalesGTSize",
            {industry_.SegmentLabel(context_.SelFta, market, segment), industry_.MarketLabel(market)},
            kCheckCategoryError);
        ++count;
    }
    return count;
}

int TCheckDec::CheckPlanBrand(TQnInfos& messages, int brand) {
    const std::string name = BrandName(brand);
    const TSeries* segments = vars_.Segments;
    const double planned = segments ? RowSum(vars_.MPBrdSegSales, brand, segments->Lo(), segments->Hi()) : 0;
    int count = 0;
    if (planned == 0) {
        Add(messages, "MPErrBrdSales0", {name}, kCheckCategoryError);
        ++count;
    }
    const double out = planned + ElementNumber(vars_.BrdDecs, {brand, si::SellStock});
    const double capacity = ElementNumber(vars_.BrdDecs, {brand, si::Production}) * (1 + vars_.Parameters.AdjustProdPlan) +
                            ElementNumber(vars_.BrdDecs, {brand, si::AvailStock});
    if (out > capacity) {
        Add(messages, "MPErrBrdSalesGTProd", {name, FormatText("%.0n", {out}), FormatText("%.0n", {capacity})},
            kCheckCategoryError);
        ++count;
    }
    const double split =
        channels_ ? RowSum(vars_.MPBrdChaSales, brand, channels_->Lo(), channels_->Hi()) / kChannelSplitScale : 0;
    if (static_cast<long long>(RoundHalfEven(split)) != kFullShare) {
        Add(messages, "MPErrChaSalesNot100", {name}, kCheckCategoryError);
        ++count;
    }
    return count;
}

}  // namespace cv
