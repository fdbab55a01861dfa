// TModPref: the range of every semantic scale in the forecast period.

#include <algorithm>
#include <cmath>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_pref.h"
#include "model/mod_pref_units.h"
#include "model/model_access.h"

namespace cv {

using namespace pref;

namespace {

// The periods whose economics a zone holds (TCvInd reads a period outside them
// at the nearest end).
constexpr int kFirstEconomicsPeriod = 0;
constexpr int kLastEconomicsPeriod = 12;

}  // namespace

void TModPref::ScaleAxes() {
    RequireBoundMarket();
    const int lo = SemSeries()->Lo(), hi = SemSeries()->Hi();
    const TSimArr& params = RequireArr(Data()->ConstPart(), kCategoryMarket, Ctx(), "SemPosPars");
    for (std::int8_t column : {si::MinScale, si::MaxScale, si::DeltaScale, si::InflaScale, si::CalcScales})
        RequireBox(params, "SemPosPars", {lo, column}, {hi, column});
    TSimArr& scales = RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "SemScales");
    for (std::int8_t column : {si::SrMin, si::SrMax}) RequireBox(scales, "SemScales", {lo, column}, {hi, column});
    const TSimArr* topsT = nullptr;
    if (!ForecastIsFirstPeriod()) {
        topsT = &RequireArr(*ResultsT(), kCategoryFtaMarket, Ctx(), "SemScales");
        RequireBox(*topsT, "SemScales", {lo, si::SrMax}, {hi, si::SrMax});
    }
    LogFmt(kDetailLevel, "");
    LogFmt(kDetailLevel, "Axis scaling");
    for (int k = lo; k <= hi; ++k) {
        const TScaleRule rule = ReadScaleRule(params, k);
        const double lastTop = topsT ? topsT->GetSmallint({k, si::SrMax}) : rule.maxScale;
        Store(scales, "SemScales", {k, si::SrMin}, params.GetReal48({k, si::MinScale}));
        Store(scales, "SemScales", {k, si::SrMax}, ScaleTop(rule, k, lastTop));
        LogFmt(kDetailLevel, "%s%s%d%s%d",
               {SemSeries()->GetLabel(k), "\t", scales.GetSmallint({k, si::SrMin}), "\t",
                scales.GetSmallint({k, si::SrMax})});
    }
}

// A scaling mode without a rule of its own keeps the scale fixed, with a warning.
TModPref::TScaleRule TModPref::ReadScaleRule(const TSimArr& params, int scale) const {
    TScaleRule rule;
    rule.maxScale = static_cast<double>(params.GetReal48({scale, si::MaxScale}));
    rule.delta = static_cast<double>(params.GetReal48({scale, si::DeltaScale}));
    const long double mode = RoundHalfEven(params.GetReal48({scale, si::CalcScales}));
    if (mode >= kScaleFixed && mode <= kScaleUpToMax) {
        rule.mode = static_cast<int>(mode);
    } else {
        Warn(FormatText("scale %s of market %d: scaling mode %.2f is unknown, the scale is kept fixed",
                        {SemSeries()->GetLabel(scale), Ctx().SelMarket, params.GetReal48({scale, si::CalcScales})}));
    }
    if (rule.mode == kScaleInflated) rule.inflation = static_cast<double>(params.GetReal48({scale, si::InflaScale}));
    if (rule.mode == kScaleZoneInflation) rule.inflation = InflationOfT();
    return rule;
}

// The top follows the brands' attributes (plus the margin Delta) upward from
// last period's top, by at most the inflation factor in modes 2 and 3 and up to
// MaxScale in mode 4.
double TModPref::ScaleTop(const TScaleRule& rule, int scale, double lastTop) const {
    if (rule.mode == kScaleFixed) return rule.maxScale;
    const double highest = HighestAttribute(scale, lastTop, rule.delta);
    if (rule.mode == kScaleUpToMax) return MinReal(highest, rule.maxScale);
    return MinReal(highest, (1 + rule.inflation) * lastTop);
}

double TModPref::HighestAttribute(int scale, double lastTop, double delta) const {
    double highest = lastTop;
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) {
        const double value = PosSemBrdsT1->GetSmallint({brand, scale, si::AttAct}) + delta;
        if (value > highest) highest = value;
    }
    return highest;
}

// The zone's inflation rate of t (cost category 0).
double TModPref::InflationOfT() const {
    RequireIndexedElements({TIndexedElement::InflationRate});
    const int period = Data()->DecPeriod() - 1;
    const TSimArr& economics = RequireArr(Data()->ConstPart(), kCategoryFta, Ctx(), "Economics");
    RequireIndex(economics, "Economics",
                 {std::clamp(period, kFirstEconomicsPeriod, kLastEconomicsPeriod), si::InflationRate});
    return static_cast<double>(Data()->InflationRate(period, Ctx().SelFta, 0));
}

}  // namespace cv
