// TModManuf: the stock of t of one firm in one zone and market. The stock of a
// withdrawn brand and the stock a continuing brand sells off (all of it when
// its physical characteristics changed) are disposed of at a share of their
// transfer cost, booked as the firm's exceptional cost or the brand's disposal
// cost; what stays enters t+1 layer by layer at the inflated unit cost.

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/store/per_data.h"
#include "core/base/numbers.h"
#include "core/store/series_index.h"
#include "core/base/text_format.h"
#include "model/mod_manuf.h"
#include "model/mod_manuf_layers.h"
#include "model/model_access.h"

namespace cv {

namespace {

constexpr char kMessageSection[] = "messages";
constexpr long double kPercent = 100;
constexpr long double kThousand = 1000;

// The parameters of a disposal message: the share of the transfer cost that the
// disposal keeps, with one decimal, and the cost in thousands, with none.
std::string KeptRateText(long double iscCoef) { return FormatText("%.1f", {(1 - iscCoef) * kPercent}); }
std::string ThousandsText(long double cost) { return FormatText("%.0f", {cost / kThousand}); }

// Whether a brand of t+1 of Firm continues the firm's brand Brand of t.
bool IsCarriedOn(const TFirmBrandBytes& previous, int firm, int count, int brand) {
    for (int j = 1; j <= count; ++j)
        if (previous[firm][j] == brand) return true;
    return false;
}

}  // namespace

void TModManuf::InventoryCosts(std::uint16_t /*flags*/) {
    const int firm = Ctx().SelFirm;
    const TDataContext context = FirmContext(firm);
    TSimArr& inventoryT1 = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, context, "Inventory");
    inventoryT1.Clear();
    // Layers of t exist from period 0 on: a first forecast has no stock to settle.
    TSimArr* inventoryT = nullptr;
    if (SimPeriod() > 0 && FirNbMktedBrdsT()[firm] > 0)
        inventoryT = &RequireArr(*ResultsT(), kCategoryFirmFtaMarket, context, "Inventory");

    const long double withdrawnCost = DisposeWithdrawnBrands(firm, inventoryT);
    TSimArr& firmReport = RequireArr(*ResultsT1(), kCategoryFirmFta, context, "FFXRpt");
    RequireIndex(firmReport, "FFXRpt", {si::ffxECP});
    firmReport.SetReal48({si::ffxECP}, firmReport.GetReal48({si::ffxECP}) - withdrawnCost);

    TSimArr& brandReport = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, context, "BrdRpt");
    for (int j = 1; j <= FirNbMktedBrdsT1()[firm]; ++j) {
        RequireIndex(brandReport, "BrdRpt", {j, si::brISC});
        brandReport.SetReal48({j, si::brISC}, 0);
        if (pDbix()[firm][j] > 0) CarryBrandStock(firm, j, inventoryT, inventoryT1);
    }
}

// The stock of the firm's brands of t that no brand of t+1 continues is not
// carried: its disposal cost is the firm's exceptional cost.
long double TModManuf::DisposeWithdrawnBrands(int firm, TSimArr* inventoryT) {
    if (!inventoryT) return 0;
    const TInventoryLayers layers(*inventoryT);
    const TDataContext context = FirmContext(firm);
    long double total = 0;
    for (int b = 1; b <= FirNbMktedBrdsT()[firm]; ++b) {
        if (IsCarriedOn(pDbix(), firm, FirNbMktedBrdsT1()[firm], b)) continue;
        layers.RequireRow(b);
        long double cost = 0;
        for (int k = layers.First(); k <= layers.Last(SimPeriod() - 1); ++k)
            cost += layers.Size(k, b) * layers.Cost(k, b) * Params.ISCCoef;
        total += cost;
        if (cost > 0) {
            const TSimArr& names = RequireArr(*ResultsT(), kCategoryFirmFtaMarket, context, "FirMktedBrds");
            RequireIndex(names, "FirMktedBrds", {b});
            AddSimMessage({kMessageSection, "WitBrdECost", names.GetZts({b}), KeptRateText(Params.ISCCoef),
                           ThousandsText(cost)});
        }
    }
    return total;
}

// The layers of the firm's brand FirmBrand of t+1 from those of its brand of t:
// what it sells off is taken oldest first at the disposal cost, the rest
// carried at the inflated unit cost. The message names the units actually
// disposed of, which stock can hold fewer of than the decision asks.
void TModManuf::CarryBrandStock(int firm, int firmBrand, TSimArr* inventoryT, TSimArr& inventoryT1) {
    const int previous = pDbix()[firm][firmBrand];
    const int brand = Mbix()[firm][firmBrand];
    TInventoryLayers target(inventoryT1);
    target.RequireRow(firmBrand);
    std::optional<TInventoryLayers> source;
    if (inventoryT) {
        source.emplace(*inventoryT);
        source->RequireRow(previous);
    }
    const char* keyword = "InvDisposalECost";
    long double sell = 0;
    if (IsBrandModified(brand)) {
        keyword = "ModBrdECost";
        sell = source ? source->TotalSize(previous) : 0;
    } else {
        sell = DecisionAmount(*this, GetBrandDecision(brand, si::SellStock),
                              [&] { return "SellStock of " + BrandText(brand); });
    }

    long double remaining = sell;
    long double cost = 0;
    if (source) {
        const int first = std::max(source->First(), target.First());
        const int last = std::min(source->Last(SimPeriod() - 1), target.LastOfArray());
        for (int k = first; k <= last; ++k) {
            const long double size = source->Size(k, previous);
            const long double unitCost = source->Cost(k, previous);
            const long double disposed = sell > 0 ? std::min(size, remaining) : 0;
            remaining -= disposed;
            cost += disposed * unitCost * Params.ISCCoef;
            target.Set(k, firmBrand, size - disposed, unitCost * CostFactor);
        }
    }
    if (sell <= 0) return;
    TSimArr& brandReport = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, FirmContext(firm), "BrdRpt");
    brandReport.SetReal48({firmBrand, si::brISC}, cost);
    const TSimArr& names = RequireArr(*ResultsT(), kCategoryFirmFtaMarket, FirmContext(firm), "FirMktedBrds");
    RequireIndex(names, "FirMktedBrds", {previous});
    AddSimMessage({kMessageSection, keyword, names.GetZts({previous}), KeptRateText(Params.ISCCoef),
                   ThousandsText(cost), FormatText("%d", {static_cast<long long>(RoundHalfEven(sell - remaining))})});
}

}  // namespace cv
