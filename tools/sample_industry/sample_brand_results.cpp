// Brand results: where the market studies place each marketed brand on the
// semantic scales and the perceptual map ("PosSemBrds", "PosMapBrds"), and the
// history period's brand reports ("BrdRpt") with their stock ("Inventory") and
// the brands' base unit costs ("BrdTransfCost"). From period 0 on the forecasts
// make the attributes, natural positions and reports; the studies' perceived
// positions follow from the natural positions in every period. The brands are
// those sample_brands.cpp wrote into the same results set, found by name.

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_brand_table.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr long double kRetailMargin = 0.30L;   // the retailers' share of the retail price
constexpr long double kAdvertising = 1500000;  // a brand's advertising budget in the North
constexpr long double kAdvertQuality = 0.3L;   // the share of it spent on research
constexpr long double kSalesForce = 400000;    // a brand's share of the sales-force cost in the North
constexpr long double kShareScale = 1000;      // market shares are in thousandths
constexpr long double kZoneSpending[kZoneCount] = {1.0L, 0.6L};
// A study perceives a natural position n (thousandths of -1..1) at 4 + 3n on its 1..7 scale.
constexpr long double kScaleMiddle = 4;
constexpr long double kScaleHalfRange = 3;
// A study reports nothing off its scale (1..7) or its map (-20..20), in thousandths.
constexpr long double kScaleBottom = 1000;
constexpr long double kScaleTop = 7000;
constexpr long double kMapEdge = 20000;
// A perceived value c away from the scale's middle moves a brand c x weight x 4 along a map
// axis (-20..20): the largest weight sums of the sample keep every brand on the map.
constexpr long double kMapSpread = 4;
// The first scale's perception in thousandths: the scale's range (MinScale ..
// MaxScale) spread linearly over 1.5 .. 6.5, so 500 + 100 x the attribute on M1's
// Weight (10 .. 60).
constexpr long double kLinearSpread = 5000;

// What the map study adds to a brand's place on axis D, in thousandths: 200 x
// (((3b + 5d) mod 7) - 3), so that the map is no exact function of the scales.
long double MapNoise(int brand, int axis) { return 200.0L * ((3 * brand + 5 * axis) % 7 - 3); }

// The names of the brands counted by "NbMktedBrds" in the cell that Category
// selects, listed in the array Names written before.
std::vector<std::string> BrandNames(const TSampleCell& cell, int category, std::string_view names) {
    const TSimArr* list = cell.set.FindSimArr(category, cell.context, names);
    if (list == nullptr) throw std::logic_error("sample industry: " + std::string(names) + " is written later");
    std::vector<std::string> brands;
    const int count = cell.set.GetSmallint(category, cell.context, "NbMktedBrds");
    for (int brand = 1; brand <= count; ++brand) brands.push_back(list->GetZts({brand}));
    return brands;
}

const TSimArr& RequireArray(const TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    const TSimArr* array = set.FindSimArr(category, context, name);
    if (array == nullptr) throw std::logic_error("sample industry: " + std::string(name) + " is written later");
    return *array;
}

TSimArr& RequireArray(const TSampleCell& cell, std::string_view name) {
    TSimArr* array = cell.set.FindSimArr(cell.category, cell.context, name);
    if (array == nullptr) throw std::logic_error("sample industry: " + std::string(name) + " is written later");
    return *array;
}

const TSeries& SemanticScales(const TSampleCell& cell) {
    return CellSeries(cell.industry, "SemSeries", 0, cell.cell.market);
}

// The natural position of attribute A on scale K in thousandths of -1..1, as the
// forecast's preference step places it: the attribute on the scale's range of
// the period (or around its middle for a centred scale), bent by its exponent.
long double NaturalPosition(const TSampleCell& cell, int scale, long double attribute) {
    const TSimArr& params = RequireArray(cell.industry.ConstPart(), kCategoryMarket, cell.context, "SemPosPars");
    const TSimArr& ends = RequireArray(cell, "SemScales");
    const double lo = ends.GetSmallint({scale, si::SrMin});
    const double hi = ends.GetSmallint({scale, si::SrMax});
    const bool centred = std::nearbyint(params.GetReal48({scale, si::CalcStandard})) == 1;
    const double a = static_cast<double>(attribute);
    const double x = centred ? SafeDiv(a, lo + hi, 0) : SafeDiv(a - lo, hi - lo, 0);
    const double y = 2 * x - 1;
    const double exponent = static_cast<double>(params.GetReal48({scale, si::NatPosExp}));
    return std::nearbyint((y >= 0 ? Power(y, exponent) : -Power(-y, exponent)) * kShareScale);
}

// What a brand sold and at what price in the cell's zone and period.
struct TBrandSales {
    long double units;
    long double retailPrice;
    long double RetailSales() const { return units * retailPrice; }
};

TBrandSales SalesOf(const TSampleCell& cell, const TSampleBrand& brand) {
    return {PlannedUnits(brand, cell.cell.zone, cell.Period()), BrandPrice(brand, cell.Period())};
}

// The market's units and retail sales, on which the brands' shares are taken.
struct TMarketTotals {
    long double units = 0;
    long double retailSales = 0;
};

TMarketTotals MarketTotals(const TSampleCell& cell) {
    TMarketTotals totals;
    for (const std::string& name : BrandNames(cell, kCategoryFtaMarket, "BrdNames")) {
        const TBrandSales sales = SalesOf(cell, BrandNamed(name));
        totals.units += sales.units;
        totals.retailSales += sales.RetailSales();
    }
    return totals;
}

// Row Brand of a firm's report in the history period: production equals sales,
// so no stock is held; the elements in the order the finance model derives them.
void WriteReportRow(TSimArr& report, int brand, const TBrandSales& sales, const TMarketTotals& market,
                    long double unitCost, long double zoneSpending) {
    const long double sellingPrice = sales.retailPrice * (1 - kRetailMargin);
    const long double revenues = sales.units * sellingPrice;
    const long double goodsCost = sales.units * unitCost;
    const long double beforeMarketing = revenues - goodsCost;
    const long double advertising = kAdvertising * zoneSpending;
    const long double salesForce = kSalesForce * zoneSpending;
    report.SetReal48({brand, si::brUSold}, sales.units);
    report.SetReal48({brand, si::brRPrice}, sales.retailPrice);
    report.SetReal48({brand, si::brSPrice}, sellingPrice);
    report.SetReal48({brand, si::brRev}, revenues);
    report.SetReal48({brand, si::brUProd}, sales.units);
    report.SetReal48({brand, si::brPCost}, unitCost);
    report.SetReal48({brand, si::brTCost}, unitCost);
    report.SetReal48({brand, si::brCGS}, goodsCost);
    report.SetReal48({brand, si::brCBM}, beforeMarketing);
    report.SetReal48({brand, si::brAdvM}, advertising * (1 - kAdvertQuality));
    report.SetReal48({brand, si::brAdvQ}, advertising * kAdvertQuality);
    report.SetReal48({brand, si::brSlf}, salesForce);
    report.SetReal48({brand, si::brCAM}, beforeMarketing - advertising - salesForce);
    report.SetReal48({brand, si::brVMS}, sales.RetailSales() / market.retailSales * kShareScale);
    report.SetReal48({brand, si::brUMS}, sales.units / market.units * kShareScale);
    report.SetReal48({brand, si::brRSales}, sales.RetailSales());
}

}  // namespace

// The history period's attributes: the prototype's levels and the retail price
// on the price scale, as a forecast records them, with their natural positions.
void WriteSemanticPositions(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = SemanticScales(cell);
    const TSeries& dimensions = CellSeries(cell.industry, "DimSeries", 0, cell.cell.market);
    TSimArr& positions =
        NewArray(cell, name, dkSmallint, 0,
                 {&RequireSeries(cell.industry, "MktBrand"), &scales, &RequireSeries(cell.industry, "PosSemBrd")});
    const int priceScale = scales.IndexOf("Price");
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "BrdNames");
    for (std::size_t b = 0; b < brands.size(); ++b) {
        const TSampleBrand& brand = BrandNamed(brands[b]);
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
            const long double attribute = k == priceScale ? BrandPrice(brand, cell.Period())
                                                          : PrototypeLevel(brand.prototype, k - dimensions.Lo());
            const long double natural = NaturalPosition(cell, k, attribute);
            positions.SetSmallint({b + 1, k, si::AttAct}, static_cast<long long>(attribute));
            positions.SetSmallint({b + 1, k, si::NatPos}, static_cast<long long>(natural));
        }
    }
}

// What the studies perceive: every brand's natural position on the study's 1..7
// scale, a position beyond the scale's end perceived at that end; on the first
// scale of each market the attribute itself, exactly linearly over the scale's
// range (M1's Weight: 0.5 + attribute / 10, the attribute is 10 x perceived - 5).
void WritePerceivedPositions(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = SemanticScales(cell);
    const TSimArr& pars = RequireArray(cell.industry.ConstPart(), kCategoryMarket, cell.context, "SemPosPars");
    const long double bottom = pars.GetReal48({scales.Lo(), si::MinScale});
    const long double range = pars.GetReal48({scales.Lo(), si::MaxScale}) - bottom;
    TSimArr& positions = RequireArray(cell, name);
    const int brands = cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds");
    for (int b = 1; b <= brands; ++b)
        for (int k = scales.Lo(); k <= scales.Hi(); ++k) {
            const long double natural = positions.GetSmallint({b, k, si::NatPos});
            const long double attribute = positions.GetSmallint({b, k, si::AttAct});
            const long double perceived =
                k == scales.Lo() ? kScaleMiddle * kShareScale + kLinearSpread * ((attribute - bottom) / range - 0.5L)
                                 : kScaleMiddle * kShareScale + kScaleHalfRange * natural;
            positions.SetSmallint({b, k, si::PSStuBrd},
                                  static_cast<long long>(std::nearbyint(std::clamp(perceived, kScaleBottom, kScaleTop))));
        }
}

// The perceived values projected onto the map through "SemToMap", in thousandths
// of the -20..20 axis, with the study's noise.
void WriteMapPositions(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = SemanticScales(cell);
    const TSeries& axes = CellSeries(cell.industry, "MapSeries", 0, cell.cell.market);
    const TSimArr& weights = RequireArray(cell.industry.ConstPart(), kCategoryMarket, cell.context, "SemToMap");
    const TSimArr& perceived = RequireArray(cell, "PosSemBrds");
    TSimArr& positions =
        NewArray(cell, name, dkSmallint, 0,
                 {&RequireSeries(cell.industry, "MktBrand"), &axes, &RequireSeries(cell.industry, "PosMapBrd")});
    const int brands = cell.set.GetSmallint(cell.category, cell.context, "NbMktedBrds");
    for (int b = 1; b <= brands; ++b)
        for (int d = axes.Lo(); d <= axes.Hi(); ++d) {
            long double place = 0;
            for (int k = scales.Lo(); k <= scales.Hi(); ++k)
                place += weights.GetReal48({d, k}) *
                         (perceived.GetSmallint({b, k, si::PSStuBrd}) / kShareScale - kScaleMiddle) * kMapSpread;
            const long double studied = std::nearbyint(place * kShareScale) + MapNoise(b, d);
            positions.SetSmallint({b, d, si::PMStuBrd}, static_cast<long long>(std::clamp(studied, -kMapEdge, kMapEdge)));
        }
}

void WriteBrandReports(const TSampleCell& cell, std::string_view name) {
    TSimArr& report = NewArray(cell, name, dkReal48, 0,
                               {&RequireSeries(cell.industry, "FirBrand"), &RequireSeries(cell.industry, "BrdRpt")});
    const TMarketTotals market = MarketTotals(cell);
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "FirMktedBrds");
    for (std::size_t b = 0; b < brands.size(); ++b) {
        const TSampleBrand& brand = BrandNamed(brands[b]);
        WriteReportRow(report, static_cast<int>(b + 1), SalesOf(cell, brand), market,
                       PrototypeUnitCost(cell, brand.prototype), kZoneSpending[cell.cell.zone - 1]);
    }
}

// The history period precedes the first production period: its stock array holds no layer.
void WriteInventoryLayers(const TSampleCell& cell, std::string_view name) {
    NewArray(cell, name, dkReal48, 0,
             {&CellSeries(cell.industry, "PerSeries"), &RequireSeries(cell.industry, "FirBrand"),
              &RequireSeries(cell.industry, "Inventory")});
}

// The base unit cost of a market brand, rounded: its prototype's requested unit cost.
void WriteTransferCosts(const TSampleCell& cell, std::string_view name) {
    TSimArr& costs = NewArray(cell, name, dkSmallint, 0, {&RequireSeries(cell.industry, "MktBrand")});
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "BrdNames");
    for (std::size_t m = 0; m < brands.size(); ++m) {
        const TSampleCell firmCell{cell.industry, cell.set, kCategoryFirmMarket, cell.context, cell.cell};
        const long double cost = PrototypeUnitCost(firmCell, BrandNamed(brands[m]).prototype);
        costs.SetSmallint({m + 1}, static_cast<long long>(std::nearbyint(cost)));
    }
}

}  // namespace cv::sample
