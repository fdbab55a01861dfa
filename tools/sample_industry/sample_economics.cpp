// The economics of each zone, over every period of the period series: exchange
// rate, inflation and GNP growth ("Economics"), the extra inflation of each cost
// category ("DeflatFacs", the deflators k = 1..4 of "CostCategs"), and the
// inflation accumulated up to each period ("CumInflation").

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

struct TZoneEconomy {
    long double exchangeRate;  // units of the zone's money per unit of the reference money
    long double inflation;     // yearly rate around which each period's rate is drawn
    long double gnpGrowth;
};

constexpr TZoneEconomy kZoneEconomies[kZoneCount] = {
    {1.0L, 0.020L, 0.030L},
    {1.6L, 0.045L, 0.015L},
};

// Each period's rates lie within this distance of the zone's.
constexpr double kInflationSpread = 0.004;
constexpr double kGrowthSpread = 0.010;
// Rates are kept to four decimals, as the instructor types them.
constexpr long double kRateStep = 10000.0L;

// Extra inflation of each cost category over the zone's.
struct TDeflator {
    std::string_view category;
    long double extra;
};

constexpr TDeflator kDeflators[] = {
    {"Research", 0.010L},
    {"Salaries", 0.005L},
    {"Communic", 0.000L},
    {"Manufact", -0.005L},
};

long double RoundedRate(long double rate) { return std::nearbyint(rate * kRateStep) / kRateStep; }

long double DrawRate(long double centre, double spread) { return RoundedRate(centre + RandomBetween(-spread, spread)); }

const TZoneEconomy& EconomyOf(const TSampleCell& cell) { return kZoneEconomies[cell.cell.zone - 1]; }

TSimArr& RequireArray(const TSampleCell& cell, std::string_view name) {
    TSimArr* array = cell.set.FindSimArr(cell.category, cell.context, name);
    if (array == nullptr) throw std::logic_error("sample industry: " + std::string(name) + " is written later");
    return *array;
}

}  // namespace

void WriteEconomics(const TSampleCell& cell, std::string_view name) {
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    TSimArr& economics = NewArray(cell, name, dkReal48, 0, {&periods, &RequireSeries(cell.industry, "FtaEcoVars")});
    const TZoneEconomy& economy = EconomyOf(cell);
    for (int period = periods.Lo(); period <= periods.Hi(); ++period) {
        economics.SetReal48({period, si::ExchangeRate}, economy.exchangeRate);
        economics.SetReal48({period, si::InflationRate}, DrawRate(economy.inflation, kInflationSpread));
        economics.SetReal48({period, si::GnpGrowthRate}, DrawRate(economy.gnpGrowth, kGrowthSpread));
    }
}

void WriteDeflatorFactors(const TSampleCell& cell, std::string_view name) {
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    const TSeries& categories = RequireSeries(cell.industry, "CostCategs");
    TSimArr& factors = NewArray(cell, name, dkReal48, 0, {&periods, &categories});
    for (const TDeflator& deflator : kDeflators)
        for (int period = periods.Lo(); period <= periods.Hi(); ++period)
            factors.SetReal48({period, categories.IndexOf(deflator.category)}, deflator.extra);
}

// The money of period 0 is the reference: nothing is accumulated up to it, and
// each later period carries the previous one's inflation, deflator included:
// CumInflation[p, k] = (1 + CumInflation[p-1, k]) x (1 + inflation[p-1] + DeflatFacs[p-1, k]) - 1.
void WriteCumulatedInflation(const TSampleCell& cell, std::string_view name) {
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    const TSeries& categories = RequireSeries(cell.industry, "CostCategs");
    const TSimArr& economics = RequireArray(cell, "Economics");
    const TSimArr& factors = RequireArray(cell, "DeflatFacs");
    TSimArr& cumulated = NewArray(cell, name, dkReal48, 0, {&periods, &categories});
    for (int k = categories.Lo(); k <= categories.Hi(); ++k) {
        long double factor = 1.0L;
        for (int period = 1; period <= periods.Hi(); ++period) {
            factor *= 1.0L + economics.GetReal48({period - 1, si::InflationRate}) + factors.GetReal48({period - 1, k});
            cumulated.SetReal48({period, k}, factor - 1.0L);
        }
    }
}

}  // namespace cv::sample
