#include "tools/sample_industry/sample_brand_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/sample_industry/sample_layout.h"

namespace cv::sample {

namespace {

// Period 3 markets nine brands in M1 (six semantic scales: a regression of the
// map on them fits seven coefficients) and two in M2, both firm A's: the other
// firms have none there. The new market M3 has no brand. ALTO is launched in
// the decision period.
constexpr TSampleBrand kBrands[] = {
    {1, 1, "ALBA", "PALBA", -1, 595, 42000}, {1, 1, "ARNO", "PARNO", 2, 750, 26000},
    {1, 1, "ALTO", "PALTO", 4, 875, 20000},  {1, 2, "AMOR", "PAMOR", -1, 405, 18000},
    {1, 2, "AVEN", "PAVEN", 1, 550, 12000},
    {2, 1, "EDRA", "PEDRA", -1, 525, 48000}, {2, 1, "EFOR", "PEFOR", 1, 745, 22000},
    {2, 1, "EVOS", "PEVOS", 1, 720, 9000},   {3, 1, "IBIS", "PIBIS", -1, 580, 30000},
    {3, 1, "IRMA", "PIRMA", 3, 985, 16000},  {4, 1, "OPAL", "POPAL", -1, 645, 34000},
    {4, 1, "ONYX", "PONYX", 0, 835, 21000},
};

// A price a firm decides apart from the table's rise. In the South, whose
// experience batch is the default 100,000, EVOS's few units leave a unit cost
// of 718 that 780 does not cover after the distributors' margin of 22 %: team
// E raises its price there in the decision period to the checks' floor of 918,
// to the next 5 above and within the 30 % a period allows.
struct TRepricing {
    std::string_view brand;
    int zone;
    int period;
    long double price;
};
constexpr TRepricing kRepricings[] = {{"EVOS", 2, kDecisionPeriod, 920}};

constexpr long double kZoneShare[kZoneCount] = {1.0L, 0.6L};
constexpr long double kGrowthPerPeriod = 0.05L;
constexpr long double kPriceRisePerPeriod = 0.02L;
constexpr long double kPriceStep = 5;
// Units are planned in whole thousands and a slack in each segment (see
// SegmentSlack): 250 for a brand, what brings the segment's units to 600 beyond
// whole thousands for the market's last brand.
constexpr long double kUnitStep = 1000;
constexpr long double kBrandSlack = 250;
constexpr long double kSegmentSlack = 600;

}  // namespace

TBrandList FirmBrands(int firm, int market, int period) {
    TBrandList brands;
    for (const TSampleBrand& brand : kBrands)
        if (brand.firm == firm && brand.market == market && brand.launch <= period) brands.push_back(&brand);
    return brands;
}

TBrandList MarketBrands(int market, int period) {
    TBrandList brands;
    for (int firm = 1; firm <= kFirmCount; ++firm)
        for (const TSampleBrand* brand : FirmBrands(firm, market, period)) brands.push_back(brand);
    return brands;
}

TBrandList FirmPrototypeBrands(int firm, int market, int period) { return FirmBrands(firm, market, period + 1); }

const TSampleBrand& BrandNamed(std::string_view name) {
    for (const TSampleBrand& brand : kBrands)
        if (brand.name == name) return brand;
    throw std::logic_error("sample industry: no brand " + std::string(name));
}

int PositionOf(const TBrandList& brands, std::string_view name) {
    for (std::size_t i = 0; i < brands.size(); ++i)
        if (brands[i]->name == name) return static_cast<int>(i + 1);
    return 0;
}

long double BrandPrice(const TSampleBrand& brand, int period) {
    const long double rise = 1 + kPriceRisePerPeriod * std::max(0, period);
    return kPriceStep * std::nearbyint(brand.price * rise / kPriceStep);
}

long double DecidedPrice(const TSampleBrand& brand, int zone, int period) {
    for (const TRepricing& repricing : kRepricings)
        if (repricing.brand == brand.name && repricing.zone == zone && repricing.period == period) return repricing.price;
    return BrandPrice(brand, period);
}

long double PlannedUnits(const TSampleBrand& brand, int zone, int period) {
    const long double growth = 1 + kGrowthPerPeriod * period;
    const long double units = kUnitStep * std::nearbyint(brand.units * kZoneShare[zone - 1] * growth / kUnitStep);
    return units + SegmentSlack(brand, period) * kSegmentCounts[static_cast<std::size_t>(brand.market - 1)];
}

long double SegmentSlack(const TSampleBrand& brand, int period) {
    const TBrandList brands = MarketBrands(brand.market, period);
    const int position = PositionOf(brands, brand.name);
    if (position == 0) return 0;
    if (position < static_cast<int>(brands.size())) return kBrandSlack;
    const long double others = std::fmod(kBrandSlack * (position - 1), kUnitStep);
    return others <= kSegmentSlack ? kSegmentSlack - others : kUnitStep + kSegmentSlack - others;
}

}  // namespace cv::sample
