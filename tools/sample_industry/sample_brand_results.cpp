// Brand results of each period: where the market studies place each marketed
// brand on the semantic scales and the perceptual map ("PosSemBrds",
// "PosMapBrds"), each firm's brand report ("BrdRpt") with the stock behind it
// ("Inventory"), and the brands' base unit costs ("BrdTransfCost"). The brands
// are those sample_brands.cpp wrote into the same results set, found by name,
// so the figures follow the portfolio of every period.

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr int kMaxScales = 4;
constexpr int kMapAxes = 2;

// One brand's standing, whatever the zone and period: its attributes on the
// market's semantic scales in their own units (weight in grams, power in watts,
// design points, size in centimetres, speed in km/h, and the retail price), how
// the studies perceive them (thousandths of the 1..7 scale), its place on the two
// map axes (thousandths of the -20..20 axis), and its sales and unit cost.
struct TBrandFigures {
    std::string_view name;
    std::array<std::int16_t, kMaxScales> attributes;
    std::array<std::int16_t, kMaxScales> perceived;
    std::array<std::int16_t, kMapAxes> map;
    long double units;  // units sold in zone 1 in the history period
    long double unitCost;
};

// Market 1: Weight, Power, Design, Price; market 2: Size, Speed, Price.
constexpr TBrandFigures kBrandFigures[] = {
    {"ALBA", {900, 1400, 6, 320}, {4200, 5100, 4300, 5000}, {-6500, 9200}, 42000, 150},
    {"ARNO", {700, 900, 8, 240}, {2900, 3300, 5600, 3800}, {4100, -2500}, 30000, 110},
    {"ALTO", {800, 1600, 7, 380}, {3600, 5900, 5000, 5900}, {-11800, 13400}, 20000, 190},
    {"EDRA", {1100, 1100, 4, 200}, {5600, 4000, 2800, 3100}, {9700, -6100}, 55000, 85},
    {"IBIS", {650, 1300, 9, 350}, {2500, 4700, 6300, 5400}, {-8200, 7600}, 26000, 170},
    {"IRMA", {1000, 800, 5, 180}, {4900, 2800, 3500, 2700}, {12500, -9800}, 38000, 80},
    {"AMOR", {45, 28, 520}, {3900, 4600, 4800}, {5200, 6800}, 18000, 260},
    {"ELMA", {60, 22, 410}, {5300, 3500, 3900}, {11000, -3900}, 24000, 190},
    {"EVOS", {38, 34, 640}, {3000, 5800, 5900}, {-4600, 12700}, 9000, 330},
    {"IOTA", {52, 25, 470}, {4500, 4100, 4300}, {8300, 1900}, 15000, 230},
};

// Zone 2 sells this share of zone 1's units, with the same spending scaled alike.
constexpr long double kZoneShare[kZoneCount] = {1.0L, 0.6L};
// Units sold grow by this share of the base in each period after the history period.
constexpr long double kGrowthPerPeriod = 0.05L;
constexpr long double kRetailMargin = 0.35L;   // the retailers' share of the retail price
constexpr long double kSafetyStock = 1000;     // units every brand keeps in stock from its launch on
constexpr long double kHoldingRate = 0.08L;    // holding cost of a period, per unit of stock value
constexpr long double kAdvertising = 1500000;  // a brand's advertising budget in zone 1
constexpr long double kAdvertQuality = 0.3L;   // the share of it spent on research
constexpr long double kSalesForce = 400000;    // a brand's share of the sales-force cost in zone 1
constexpr long double kShareScale = 1000;      // market shares are in thousandths

const TBrandFigures& FiguresOf(std::string_view brand) {
    for (const TBrandFigures& figures : kBrandFigures)
        if (figures.name == brand) return figures;
    throw std::logic_error("sample industry: no results for the brand " + std::string(brand));
}

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

// The market's semantic scales, checked against the figures' room.
const TSeries& SemanticScales(const TSampleCell& cell) {
    const TSeries& scales = CellSeries(cell.industry, "SemSeries", 0, cell.cell.market);
    if (scales.Count() > kMaxScales) throw std::logic_error("sample industry: too many semantic scales");
    return scales;
}

std::size_t Slot(const TSeries& series, int element) { return static_cast<std::size_t>(element - series.Lo()); }

// What a brand sold and at what price in the cell's zone and period.
struct TBrandSales {
    long double units;
    long double retailPrice;
    long double RetailSales() const { return units * retailPrice; }
};

TBrandSales SalesOf(const TSampleCell& cell, const TSeries& scales, const TBrandFigures& figures) {
    const long double growth = 1 + kGrowthPerPeriod * (cell.Period() - cv::kFirstResultPeriod);
    const long double units = std::nearbyint(figures.units * kZoneShare[cell.cell.zone - 1] * growth);
    return {units, static_cast<long double>(figures.attributes[Slot(scales, scales.IndexOf("Price"))])};
}

// The market's units and retail sales, on which the brands' shares are taken.
struct TMarketTotals {
    long double units = 0;
    long double retailSales = 0;
};

TMarketTotals MarketTotals(const TSampleCell& cell, const TSeries& scales) {
    TMarketTotals totals;
    for (const std::string& brand : BrandNames(cell, kCategoryFtaMarket, "BrdNames")) {
        const TBrandSales sales = SalesOf(cell, scales, FiguresOf(brand));
        totals.units += sales.units;
        totals.retailSales += sales.RetailSales();
    }
    return totals;
}

// Row Brand of a firm's report, the elements in the order the finance model
// derives them: revenues, costs, contributions and market shares.
void WriteReportRow(TSimArr& report, int brand, const TBrandSales& sales, const TMarketTotals& market,
                    const TBrandFigures& figures, long double zoneShare) {
    const long double sellingPrice = sales.retailPrice * (1 - kRetailMargin);
    const long double revenues = sales.units * sellingPrice;
    const long double goodsCost = sales.units * figures.unitCost;
    const long double holdingCost = kSafetyStock * figures.unitCost * kHoldingRate;
    const long double beforeMarketing = revenues - goodsCost - holdingCost;
    const long double advertising = kAdvertising * zoneShare;
    const long double salesForce = kSalesForce * zoneShare;
    report.SetReal48({brand, si::brUSold}, sales.units);
    report.SetReal48({brand, si::brRPrice}, sales.retailPrice);
    report.SetReal48({brand, si::brSPrice}, sellingPrice);
    report.SetReal48({brand, si::brRev}, revenues);
    report.SetReal48({brand, si::brUProd}, sales.units);
    report.SetReal48({brand, si::brPCost}, figures.unitCost);
    report.SetReal48({brand, si::brTCost}, figures.unitCost);
    report.SetReal48({brand, si::brCGS}, goodsCost);
    report.SetReal48({brand, si::brUInv}, kSafetyStock);
    report.SetReal48({brand, si::brIHC}, holdingCost);
    report.SetReal48({brand, si::brISC}, 0);
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

void WriteSemanticPositions(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = SemanticScales(cell);
    TSimArr& positions = cell.set.CreateSimArr(
        cell.category, cell.context, name, dkSmallint, 0,
        {&RequireSeries(cell.industry, "MktBrand"), &scales, &RequireSeries(cell.industry, "PosSemBrd")});
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "BrdNames");
    for (std::size_t b = 0; b < brands.size(); ++b) {
        const TBrandFigures& figures = FiguresOf(brands[b]);
        for (int scale = scales.Lo(); scale <= scales.Hi(); ++scale) {
            positions.SetSmallint({b + 1, scale, si::AttAct}, figures.attributes[Slot(scales, scale)]);
            positions.SetSmallint({b + 1, scale, si::PSStuBrd}, figures.perceived[Slot(scales, scale)]);
        }
    }
}

void WriteMapPositions(const TSampleCell& cell, std::string_view name) {
    const TSeries& axes = CellSeries(cell.industry, "MapSeries", 0, cell.cell.market);
    if (axes.Count() > kMapAxes) throw std::logic_error("sample industry: too many map axes");
    TSimArr& positions = cell.set.CreateSimArr(
        cell.category, cell.context, name, dkSmallint, 0,
        {&RequireSeries(cell.industry, "MktBrand"), &axes, &RequireSeries(cell.industry, "PosMapBrd")});
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "BrdNames");
    for (std::size_t b = 0; b < brands.size(); ++b)
        for (int axis = axes.Lo(); axis <= axes.Hi(); ++axis)
            positions.SetSmallint({b + 1, axis, si::PMStuBrd}, FiguresOf(brands[b]).map[Slot(axes, axis)]);
}

void WriteBrandReports(const TSampleCell& cell, std::string_view name) {
    const TSeries& scales = SemanticScales(cell);
    TSimArr& report = cell.set.CreateSimArr(
        cell.category, cell.context, name, dkReal48, 0,
        {&RequireSeries(cell.industry, "FirBrand"), &RequireSeries(cell.industry, "BrdRpt")});
    const TMarketTotals market = MarketTotals(cell, scales);
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "FirMktedBrds");
    for (std::size_t b = 0; b < brands.size(); ++b) {
        const TBrandFigures& figures = FiguresOf(brands[b]);
        WriteReportRow(report, static_cast<int>(b + 1), SalesOf(cell, scales, figures), market, figures,
                       kZoneShare[cell.cell.zone - 1]);
    }
}

// The stock every brand keeps is the last units it produced: with production
// equal to sales and the oldest units sold first, it is the layer of the
// period's own production, at the brand's unit cost. The results of period -1
// precede the first production period and hold no layer.
void WriteInventoryLayers(const TSampleCell& cell, std::string_view name) {
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    TSimArr& layers = cell.set.CreateSimArr(
        cell.category, cell.context, name, dkReal48, 0,
        {&periods, &RequireSeries(cell.industry, "FirBrand"), &RequireSeries(cell.industry, "Inventory")});
    if (cell.Period() < periods.Lo()) return;
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "FirMktedBrds");
    for (std::size_t b = 0; b < brands.size(); ++b) {
        layers.SetReal48({cell.Period(), b + 1, si::InvSize}, kSafetyStock);
        layers.SetReal48({cell.Period(), b + 1, si::InvTCost}, FiguresOf(brands[b]).unitCost);
    }
}

// The base unit cost of a market brand, rounded: its unit cost.
void WriteTransferCosts(const TSampleCell& cell, std::string_view name) {
    TSimArr& costs = cell.set.CreateSimArr(cell.category, cell.context, name, dkSmallint, 0,
                                           {&RequireSeries(cell.industry, "MktBrand")});
    const std::vector<std::string> brands = BrandNames(cell, cell.category, "BrdNames");
    for (std::size_t m = 0; m < brands.size(); ++m)
        costs.SetSmallint({m + 1}, static_cast<long long>(std::nearbyint(FiguresOf(brands[m]).unitCost)));
}

}  // namespace cv::sample
