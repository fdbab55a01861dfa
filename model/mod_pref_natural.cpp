// TModPref: the natural position of every brand on every semantic scale, its
// attribute placed on the scale's range and bent by the scale's exponent.

#include <cmath>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "model/mod_pref.h"
#include "model/mod_pref_units.h"
#include "model/model_access.h"

namespace cv {

using namespace pref;

namespace {

// "CalcStandard" value of a scale centred on (lo + hi) / 2 over 0..lo + hi.
constexpr long double kCentredStandard = 1;

// Position of attribute A on a scale from Lo to Hi, in -1..1 for an attribute
// inside the scale. An empty range places every attribute at -1.
double NaturalPosition(double a, double lo, double hi, bool centred, double exponent) {
    const double x = centred ? SafeDiv(a, lo + hi, 0) : SafeDiv(a - lo, hi - lo, 0);
    const double y = 2 * x - 1;
    return y >= 0 ? Power(y, exponent) : -Power(-y, exponent);
}

}  // namespace

void TModPref::ComputeNaturalPositions(int first, int last) {
    RequireBoundMarket();
    if (first > last) return;
    RequireMarketBrand(first);
    RequireMarketBrand(last);
    const int lo = SemSeries()->Lo(), hi = SemSeries()->Hi();
    const TSimArr& params = RequireArr(Data()->ConstPart(), kCategoryMarket, Ctx(), "SemPosPars");
    for (std::int8_t column : {si::NatPosExp, si::CalcStandard})
        RequireBox(params, "SemPosPars", {lo, column}, {hi, column});
    const TSimArr& scales = RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "SemScales");
    for (std::int8_t column : {si::SrMin, si::SrMax}) RequireBox(scales, "SemScales", {lo, column}, {hi, column});
    for (int k = lo; k <= hi; ++k) {
        const double exponent = static_cast<double>(params.GetReal48({k, si::NatPosExp}));
        const bool centred = RoundHalfEven(params.GetReal48({k, si::CalcStandard})) == kCentredStandard;
        const double scaleLo = scales.GetSmallint({k, si::SrMin});
        const double scaleHi = scales.GetSmallint({k, si::SrMax});
        for (int brand = first; brand <= last; ++brand) {
            const double a = PosSemBrdsT1->GetSmallint({brand, k, si::AttAct});
            Store(*PosSemBrdsT1, "PosSemBrds", {brand, k, si::NatPos},
                  NaturalPosition(a, scaleLo, scaleHi, centred, exponent) * kThousandths);
        }
    }
    LogNaturalPositions(first, last);
}

void TModPref::LogNaturalPositions(int first, int last) const {
    if (DebugLevel < kDetailLevel) return;
    for (int brand = first; brand <= last; ++brand) {
        LogFmtNoEol(kDetailLevel, "Natural position of %s%s", {BrdNames()->GetZts({brand}), "\t"});
        for (int k = SemSeries()->Lo(); k <= SemSeries()->Hi(); ++k) {
            const double position = PosSemBrdsT1->GetSmallint({brand, k, si::NatPos}) / kThousandths;
            LogFmtNoEol(kDetailLevel, "%.1f%s", {Rescale(position, kAxisLo, kAxisHi, kMapLo, kMapHi), "\t"});
        }
        LogFmt(kDetailLevel, "");
    }
}

}  // namespace cv
