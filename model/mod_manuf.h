#pragma once
// TModManuf: production, inventory and unit cost. The driver calls BackBone
// once, after the plan sales of every market and before the zone results and
// finance. For every market, and inside it every zone, it settles each firm's
// stock of t (withdrawn brands and stock sold off are disposed of at a cost,
// the rest enters t+1 at inflated unit cost), matches each brand's production
// to its planned sales (a brand that cannot supply them is stocked out and
// sells what it has), and costs the units: base unit cost of the prototype
// with an experience effect over its cumulative production, cost of goods
// sold by first-in, first-out consumption of the inventory layers, holding
// cost of what stays in stock.
//
// Inventory layers ("Inventory" [period of production, firm's brand, InvSize /
// InvTCost]) hold the units still in stock per period of production and their
// unit transfer cost. Zones of a market are costed one after the other: the
// cumulative production of a prototype ("ProFins" ProCumProd) is held per firm
// and market, so each zone sees the production of the zones before it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/mod_basic.h"

namespace cv {

class TSimArr;

// Parameters of the zone and market (constant part), with their defaults.
struct TManufParams {
    long double ISCCoef = 0.1L;         // cost of disposing of stock, fraction of its transfer cost
    long double AdjustProdPlan = 0.2L;  // tolerance of production around the planned production
    long double IHCCoef = 0.08L;        // holding cost per period, fraction of the stock's transfer cost
    long double ExpEffReduc = 0.85L;    // unit-cost factor per multiplication of cumulative production by ExpEffMult
    long double ExpEffMult = 2;
    long double ExpEffBatch = 100000;   // cumulative production at which the unit cost is the base unit cost
};

// A real per marketed brand of the current market (index 1..31, 0 unused).
using TMktBrandReals = std::array<long double, kMaxMktBrands + 1>;

class TModManuf : public TModBasic {
public:
    // TModBasic::Init, and a check of the series and labels the step uses.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // TModBasic::SetMarket; opens "BrdUSales" of t+1, reads the parameters of
    // the cell and the cost factor 1 + manufacturing inflation of the zone in t+1.
    void SetMarket(int fta, int mkt) override;

    // The whole step: markets outer, zones inner.
    void BackBone(std::uint16_t flags);
    // Settles the stock of t of the context's firm in the current zone and
    // market: disposals, their exceptional cost, layers carried into t+1.
    void InventoryCosts(std::uint16_t flags);
    // Units sold and produced of every marketed brand; "BrdUSales" adjusted to
    // the units sold.
    void MatchProduction(std::uint16_t flags);
    // Base and experience-adjusted unit costs, cumulative production, the new
    // inventory layer, cost of goods sold and holding cost of every brand.
    void UnitTransferCost(std::uint16_t flags);

    // Per marketed brand of the current market.
    TMktBrandReals OpeningStock{};
    TMktBrandReals ClosingStock{};
    TMktBrandReals PlannedProduction{};
    TMktBrandReals UnitsSold{};  // -1 until the brand is found stocked out or its sales are settled
    TMktBrandReals Demand{};
    TMktBrandReals UnitsProduced{};
    TSimArr* BrdUSales = nullptr;  // of results t+1, current zone and market
    long double CostFactor = 1;    // 1 + the zone's manufacturing inflation of t+1
    TManufParams Params;

private:
    // The simulated period T (the decision period t+1).
    int SimPeriod() const { return Ctx().DecPeriod; }
    void ReadParams();
    void ReadCostFactor();
    std::string BrandText(int brand) const;
    void AddFirmMessage(int firm, std::initializer_list<std::string_view> items);

    // InventoryCosts.
    long double DisposeWithdrawnBrands(int firm, TSimArr* inventoryT);
    void CarryBrandStock(int firm, int firmBrand, TSimArr* inventoryT, TSimArr& inventoryT1);

    // MatchProduction.
    void ReadBrandPlans();
    void FindStockOuts();
    void SettleSales();
    void AdjustUnitSales();
    void LogBrandSales() const;

    // UnitTransferCost.
    long double ExperienceExponent(bool& enabled) const;
    // What the brands of one zone and market share while they are costed.
    struct TCostRun;
    void AccumulateProduction(TCostRun& run);
    void CostBrand(int brand, TCostRun& run);
    void UpdatePortfolioStatus(int brand, const TSimArr& transferCostsT1, TCostRun& run);
};

}  // namespace cv
