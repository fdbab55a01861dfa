#include "decisions/allocation/slf_proposal.h"

#include <algorithm>

#include "core/session/industry.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/allocation/share_rounding.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

// Market shares of the distribution panel are stored in thousandths.
constexpr double kShareScale = 1000;

// Units sold through Channel by every brand of the market, over every segment.
double ChannelUnitSales(const TDynArr* unitSales, int channel) {
    if (!unitSales || unitSales->NDim() != 3) return 0;
    double units = 0;
    for (int brand = unitSales->LB(1); brand <= unitSales->UB(1); ++brand)
        for (int segment = unitSales->LB(2); segment <= unitSales->UB(2); ++segment)
            units += ElementNumber(unitSales, {brand, segment, channel});
    return units;
}

class TWeighing {
public:
    TWeighing(TCvInd& industry, const TDataContext& context, TSlfRule rule, int channel)
        : industry_(industry), context_(context), rule_(rule), channel_(channel),
          results_(industry.PerResults(industry.CurPeriod())), decisions_(industry.PerDecisions(industry.CurPeriod())),
          interf_(industry) {}

    // The brand's weight; nothing when its market lacks the distribution panel.
    std::optional<double> Weight(const std::string& name) {
        TDataContext market = context_;
        int brand = -1;
        for (int m = industry_.MktSeries()->Lo(); m <= industry_.MktSeries()->Hi() && brand <= 0; ++m) {
            market.SelMarket = static_cast<std::int16_t>(m);
            brand = interf_.BrandIndex(results_, market, name);
        }
        // A brand on sale nowhere (new this period) has no figures to weigh
        // and no market whose study it would need.
        if (brand <= 0) return 0.0;
        const TDynArr* ordered = decisions_.FindSimArr(kCategoryFirmFtaMarket, market, "DecStuMkt");
        if (ElementNumber(ordered, {si::DistributPanel}) == 0) return std::nullopt;
        const double units = ChannelUnitSales(results_.FindSimArr(kCategoryFtaMarket, market, "BrdUSales"), channel_);
        double weight =
            units * ElementNumber(results_.FindSimArr(kCategoryFtaMarket, market, "StuBrdChaUMS"), {brand, channel_}) /
            kShareScale;
        if (rule_ == TSlfRule::SalesValue)
            weight *= ElementNumber(results_.FindSimArr(kCategoryFtaMarket, market, "BrdRPrices"), {brand, channel_});
        if (rule_ == TSlfRule::Contribution) weight = std::max(weight * UnitContribution(market, name), 0.0);
        return weight;
    }

private:
    double UnitContribution(const TDataContext& market, const std::string& name) const {
        const TFoundBrand found = interf_.FindBrand(results_, market, name);
        const double sold = ElementNumber(found.BrdRpt, {found.FirmBrand, si::brUSold});
        return sold == 0 ? 0 : ElementNumber(found.BrdRpt, {found.FirmBrand, si::brCAM}) / sold;
    }

    TCvInd& industry_;
    TDataContext context_;
    TSlfRule rule_;
    int channel_;
    TCvPerData& results_;
    TCvPerData& decisions_;
    TCvInterf interf_;
};

}  // namespace

std::optional<std::vector<int>> ProposeChannelShares(TCvInd& industry, const TDataContext& context, TSlfRule rule,
                                                     std::span<const std::string> brands, int channel) {
    if (rule == TSlfRule::EqualShares) return EqualShares(static_cast<int>(brands.size()));
    TWeighing weighing(industry, context, rule, channel);
    std::vector<double> weights;
    weights.reserve(brands.size());
    for (const std::string& name : brands) {
        const std::optional<double> weight = weighing.Weight(name);
        if (!weight) return std::nullopt;
        weights.push_back(*weight);
    }
    return WeightedShares(weights);
}

}  // namespace cv
