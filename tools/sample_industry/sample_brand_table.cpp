#include "tools/sample_industry/sample_brand_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/sample_industry/sample_layout.h"

namespace cv::sample {

namespace {

// Period 3 markets eight brands in M1 (four semantic scales) and seven in M2
// (three): three more than a regression of the map on the scales needs.
// ALTO is launched in the decision period.
constexpr TSampleBrand kBrands[] = {
    {1, 1, "ALBA", "PALBA", -1, 580, 42000}, {1, 1, "ARNO", "PARNO", 2, 715, 26000},
    {1, 1, "ALTO", "PALTO", 4, 825, 20000},  {1, 2, "AMOR", "PAMOR", -1, 405, 18000},
    {1, 2, "AVEN", "PAVEN", 1, 550, 12000},  {2, 1, "EDRA", "PEDRA", -1, 500, 48000},
    {2, 1, "EFOR", "PEFOR", 1, 715, 22000},  {2, 2, "ELMA", "PELMA", -1, 500, 24000},
    {2, 2, "EVOS", "PEVOS", 1, 645, 9000},   {3, 1, "IBIS", "PIBIS", -1, 580, 30000},
    {3, 1, "IRMA", "PIRMA", 3, 915, 16000},  {3, 2, "IOTA", "PIOTA", 0, 310, 15000},
    {4, 1, "OPAL", "POPAL", -1, 630, 34000}, {4, 1, "ONYX", "PONYX", 0, 795, 21000},
    {4, 2, "ORCA", "PORCA", -1, 430, 20000}, {4, 2, "OSLO", "POSLO", 2, 670, 10000},
};

constexpr long double kZoneShare[kZoneCount] = {1.0L, 0.6L};
constexpr long double kGrowthPerPeriod = 0.05L;
constexpr long double kPriceRisePerPeriod = 0.02L;
constexpr long double kPriceStep = 5;

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

long double PlannedUnits(const TSampleBrand& brand, int zone, int period) {
    const long double growth = 1 + kGrowthPerPeriod * period;
    return std::nearbyint(brand.units * kZoneShare[zone - 1] * growth);
}

}  // namespace cv::sample
