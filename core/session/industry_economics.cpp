// TCvInd: the economics of a zone and the instructor's restriction bits.

#include <algorithm>

#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/numbers.h"

namespace cv {
namespace {

// Periods whose economic data a zone holds.
constexpr int kFirstEconomicsPeriod = 0;
constexpr int kLastEconomicsPeriod = 12;
constexpr int kExchangeRatePeriod = 0;
constexpr int kRestrictBits = 16;

}  // namespace

const TSimArr& TCvInd::FtaArray(std::string_view name, int fta) const {
    TDataContext context;
    context.SelFta = static_cast<std::int16_t>(fta);
    return ConstPart().GetSimArr(kCategoryFta, context, name);
}

long double TCvInd::EconomicsValue(int period, int fta, int variable) const {
    return FtaArray("Economics", fta).GetReal48({period, variable});
}

long double TCvInd::InflationRate(int period, int fta, int k) const {
    const int p = std::clamp(period, kFirstEconomicsPeriod, kLastEconomicsPeriod);
    long double rate = EconomicsValue(p, fta, si::InflationRate);
    if (k > 0) rate += FtaArray("DeflatFacs", fta).GetReal48({p, k});
    return rate;
}

long double TCvInd::GnpGrowthRate(int period, int fta) const {
    return EconomicsValue(std::clamp(period, kFirstEconomicsPeriod, kLastEconomicsPeriod), fta, si::GnpGrowthRate);
}

long double TCvInd::CumInflation(int period, int fta, bool withCurrent, long double value, int k) const {
    const TSeries* periods = PerSeries();
    if (!periods) throw EDataError("the industry has no PerSeries");
    const int p = std::min(period, static_cast<int>(periods->Hi()));
    long double result = value * (1 + FtaArray("CumInflation", fta).GetReal48({p, k}));
    if (withCurrent) result *= 1 + InflationRate(p, fta, k);
    return result;
}

long double TCvInd::ConvertToFta(int period, int fta, bool withCurrent, long double value, int k) const {
    const long double exchangeRate = EconomicsValue(kExchangeRatePeriod, fta, si::ExchangeRate);
    return CumInflation(period, fta, withCurrent, value * exchangeRate, k);
}

bool TCvInd::RestrictEnabled(std::string_view category, std::string_view item) const {
    return RestrictBit("RestrictEnabled", category, item);
}

bool TCvInd::RestrictHidden(std::string_view category, std::string_view item) const {
    return RestrictBit("RestrictHidden", category, item);
}

bool TCvInd::RestrictBit(std::string_view arrayName, std::string_view category, std::string_view item) const {
    const TSeries* items = FindSeries(category);
    const TSeries* categories = FindSeries("RestrictCateg");
    if (!items || !categories) return false;
    const int bit = items->IndexOf(item);
    const int categoryIndex = categories->IndexOf(category);
    if (bit == kLabelAbsent || categoryIndex == kLabelAbsent) return false;
    // A word has 16 bits: an item outside them can have no bit set.
    if (bit < 1 || bit > kRestrictBits) return false;
    return TestWordBit(ConstPart().GetSimArr(kCategoryIndustry, TDataContext{}, arrayName).GetWord({categoryIndex}), bit);
}

}  // namespace cv
