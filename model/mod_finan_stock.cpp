// TModFinan, the stock price index: each firm's market value from its base net
// contribution, the growth of its retail sales and its value share, in the zone
// report of the zone the context holds (the last one).

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/numbers.h"
#include "model/mod_finan.h"

namespace cv {

namespace {

// Market values are computed in money units and stored in thousands.
constexpr long double kValueUnit = 1000;
constexpr double kSquareRoot = 0.5;

struct TStockParams {
    long double growthBefore;  // growth of retail sales per period assumed before period 0
    long double base;          // index of the base market value
    long double lag;           // weight of the new market value against the previous one
    long double coefPER;       // multiplier of the base net contribution
    long double coefMin;       // floor of the market value as a multiple of retail sales
};

// The growth factor per period over the last two periods, its sign kept.
double GrowthFactor(long double retail, long double retailTwoBack) {
    const double ratio = static_cast<double>(Ratio(retail, retailTwoBack));
    return ratio >= 0 ? Power(ratio, kSquareRoot) : -Power(-ratio, kSquareRoot);
}

void FirmStockPrice(const TFinArray& report, const TFinArray& previous, int decision, const TStockParams& p) {
    auto get = [&report](std::int8_t element) { return report.Get({element}); };
    const long double retail = get(si::ffxRSales);
    long double retailOneBack = 0;
    long double retailTwoBack = 0;
    if (decision > 0) {
        retailOneBack = previous.Get({si::ffxRSales});
        retailTwoBack = previous.Get({si::ffxRSalesM1});
    } else {
        // Before period 0 retail sales are taken to grow at the assumed rate; a rate of -1 leaves them 0.
        retailOneBack = Ratio(retail, 1 + p.growthBefore);
        retailTwoBack = Ratio(retailOneBack, 1 + p.growthBefore);
    }
    const long double growthFactor = GrowthFactor(retail, retailTwoBack);
    report.Set({si::ffxRSalesM1}, retailOneBack);
    report.Set({si::ffxRSalesM2}, retailTwoBack);

    const long double baseContribution = get(si::ffxNC0);
    const long double earnings = (1 + (growthFactor - 1) / 2) * (get(si::ffxCumRnD) + get(si::ffxCumNC));
    const long double p1 = Ratio(earnings, (decision + 1) * baseContribution);
    const long double p2 = Ratio(get(si::ffxVMS), get(si::ffxVMS0));
    long double value = p.coefPER * baseContribution * (p1 + p2);
    if (p.coefMin * retail > value) value = p.coefMin * retail;

    long double baseValue = value;
    if (decision > 0) {
        baseValue = previous.Get({si::ffxMktVal0}) * kValueUnit;
        value = p.lag * value + (1 - p.lag) * previous.Get({si::ffxMktVal}) * kValueUnit;
    }
    report.Set({si::ffxMktVal}, value / kValueUnit);
    report.Set({si::ffxMktVal0}, baseValue / kValueUnit);
    report.Set({si::ffxSPI}, Ratio(p.base * value, baseValue));
}

}  // namespace

void TModFinan::StockPriceIndex() {
    if (Ctx().SelFta < 1) return;  // an industry without zones has no zone report
    const TStockParams params{
        Parameter(kCategoryFta, "RevGrowthBefPer0", kDefRevGrowthBefPer0),
        Parameter(kCategoryFta, "SpiBase", kDefSpiBase),
        Parameter(kCategoryFta, "SpiLag", kDefSpiLag),
        Parameter(kCategoryFta, "SpiCoefPER", kDefSpiCoefPER),
        Parameter(kCategoryFta, "SpiCoefMin", kDefSpiCoefMin),
    };
    const int firms = FirmCount();
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        const TDataContext cell = CellOf(firm, Ctx().SelFta, 0);
        FirmStockPrice(ResultT1(kCategoryFirmFta, cell, "FFXRpt"), Carried(kCategoryFirmFta, cell, "FFXRpt"),
                       DecisionPeriod(), params);
    }
}

}  // namespace cv
