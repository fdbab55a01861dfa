#include "tools/sample_industry/sample_dialog_steps.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr long double kThousand = 1000;
constexpr long double kHundred = 100;

TSimArr& Decision(TCvInd& industry, int category, const TDataContext& context, std::string_view name) {
    TSimArr* array = industry.PerDecisions(kDecisionPeriod).FindSimArr(category, context, name);
    if (array == nullptr) throw std::logic_error("sample industry: the decisions hold no " + std::string(name));
    return *array;
}

int BrandCount(TCvInd& industry, const TDataContext& context) {
    return industry.PerDecisions(kDecisionPeriod).GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds");
}

// Fractions as whole percents: each rounded, the first positive one taking
// what the others leave of 100 %, as the dialogs normalise; all 0 when they add
// up to 0.
void WholePercents(std::vector<long double>& fractions) {
    long double given = 0;
    long double* first = nullptr;
    for (long double& fraction : fractions) {
        fraction = RoundHalfEven(fraction * kHundred) / kHundred;
        given += fraction;
        if (first == nullptr && fraction > 0) first = &fraction;
    }
    if (first != nullptr) *first += 1 - given;
}

// Production up to the thousand, stock sold down to it (the mix offers no
// more than the stock left, in whole thousands), and the research share of each
// advertising budget in whole thousands.
void RoundBrandMix(TSimArr& mix, int brands) {
    for (int b = 1; b <= brands; ++b) {
        mix.SetReal48({b, si::Production}, kThousand * std::ceil(mix.GetReal48({b, si::Production}) / kThousand));
        mix.SetReal48({b, si::SellStock}, kThousand * std::floor(mix.GetReal48({b, si::SellStock}) / kThousand));
        const long double budget = mix.GetReal48({b, si::AdvertBgt});
        const long double research = kThousand * RoundHalfEven(mix.GetReal48({b, si::AdvertQual}) * budget / kThousand);
        mix.SetReal48({b, si::AdvertQual}, budget > 0 ? research / budget : 0);
    }
}

// Each brand's advertising split over the segments in whole percent.
void RoundSegmentTargets(TSimArr& targets, int brands, const TSeries& segments) {
    for (int b = 1; b <= brands; ++b) {
        std::vector<long double> shares;
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) shares.push_back(targets.GetReal48({b, s}));
        WholePercents(shares);
        for (int s = segments.Lo(); s <= segments.Hi(); ++s) targets.SetReal48({b, s}, shares[s - segments.Lo()]);
    }
}

// Each channel's force shared in whole percent over the firm's brands of every
// market, in the distribution dialog's row order (market by market).
void RoundSalesForceShares(TCvInd& industry, const TCellIndex& firmZone) {
    const TSeries& channels = CellSeries(industry, "ChaSeries", firmZone.zone);
    for (int c = channels.Lo(); c <= channels.Hi(); ++c) {
        std::vector<std::pair<TSimArr*, int>> rows;
        for (std::int16_t market = 1; market <= kMarketCount; ++market) {
            const TDataContext context = SampleContext(kDecisionPeriod, {firmZone.firm, firmZone.zone, market});
            TSimArr& allocation = Decision(industry, kCategoryFirmFtaMarket, context, "SlfAlloc");
            for (int b = 1; b <= BrandCount(industry, context); ++b) rows.emplace_back(&allocation, b);
        }
        std::vector<long double> shares;
        for (const auto& [allocation, b] : rows) shares.push_back(allocation->GetReal48({c, b}));
        WholePercents(shares);
        for (std::size_t i = 0; i < rows.size(); ++i) rows[i].first->SetReal48({c, rows[i].second}, shares[i]);
    }
}

}  // namespace

void PutOnDialogSteps(TCvInd& industry) {
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFtaMarket)) {
        const TDataContext context = SampleContext(kDecisionPeriod, cell);
        const int brands = BrandCount(industry, context);
        RoundBrandMix(Decision(industry, kCategoryFirmFtaMarket, context, "DecBrdCV3"), brands);
        RoundSegmentTargets(Decision(industry, kCategoryFirmFtaMarket, context, "SegStrat"), brands,
                            CellSeries(industry, "SegSeries", cell.zone, cell.market));
    }
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFta)) RoundSalesForceShares(industry, cell);
}

}  // namespace cv::sample
