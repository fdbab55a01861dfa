// TModManuf: unit costs of the current zone and market. The base unit cost is
// the prototype's requested unit cost; the experience effect lowers it by the
// factor ExpEffReduc each time the prototype's cumulative production is
// multiplied by ExpEffMult, the base holding at ExpEffBatch units. The units
// produced enter a new inventory layer at that cost; the units sold leave the
// layers oldest first, which gives the cost of goods sold, and what stays is
// charged its holding cost.

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_manuf.h"
#include "model/mod_manuf_layers.h"
#include "model/model_access.h"

namespace cv {

namespace {

constexpr double kUnchangedPortStatus = 1.0;    // a continuing brand with unchanged characteristics
constexpr double kCostKeptPortStatus = 2.0;     // ... whose base unit cost did not rise either
constexpr int kCostLogLevel = 2;

// The array Name of the cell of Category and Context, looked up when Found is
// still empty: the brands of a firm, or of the market, share one look-up.
template <typename TSet, typename TArray>
TArray& LookUpOnce(TArray*& found, TSet& set, int category, const TDataContext& context, std::string_view name) {
    if (!found) found = &RequireArr(set, category, context, name);
    return *found;
}

// The prototype name of Row for the log: "ProNames" of t+1 when it holds one.
std::string PrototypeName(const TSimArr* names, int row) {
    if (names && IndexInBounds(*names, {row})) return names->GetZts({row});
    return FormatText("prototype %d", {row});
}

}  // namespace

// Cumulated[f][p]: the cumulative production of prototype p of firm f with
// this zone's, and the firms' "ProFins". The arrays that every brand of a firm
// or of the market writes are looked up when a brand first needs them.
struct TModManuf::TCostRun {
    bool experience = false;
    long double exponent = 0;
    std::vector<std::vector<long double>> cumulated;
    std::vector<TSimArr*> prototypeFinances;
    std::array<TSimArr*, kMaxModelFirms + 1> reports{};      // "BrdRpt" of t+1
    std::array<TSimArr*, kMaxModelFirms + 1> inventories{};  // "Inventory" of t+1
    TSimArr* transferCostsT1 = nullptr;
    const TSimArr* transferCostsT = nullptr;
};

void TModManuf::UnitTransferCost(std::uint16_t /*flags*/) {
    TCostRun run;
    run.exponent = ExperienceExponent(run.experience);
    AccumulateProduction(run);
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) CostBrand(i, run);
}

// SafeDiv(ln ExpEffReduc, ln ExpEffMult, 0): -0.2345 with the defaults. The
// logarithm of a parameter at or below 0 has no value, and a batch at or below
// 0 has no meaning: the step then runs without any experience effect.
long double TModManuf::ExperienceExponent(bool& enabled) const {
    enabled = Params.ExpEffReduc > 0 && Params.ExpEffMult > 0 && Params.ExpEffBatch > 0;
    if (!enabled) {
        LogFmt(0, "Zone %d, market %d: ExpEffReduc %f, ExpEffMult %f, ExpEffBatch %f: no experience effect",
               {Ctx().SelFta, Ctx().SelMarket, Params.ExpEffReduc, Params.ExpEffMult, Params.ExpEffBatch});
        return 0;
    }
    return SafeDiv(static_cast<double>(std::log(Params.ExpEffReduc)), static_cast<double>(std::log(Params.ExpEffMult)),
                   0);
}

// Cumulated[f][p] := "ProFins"[p, ProCumProd] of firm f and the market, plus
// the units produced in this zone by every brand made from prototype p of f;
// written back, so that the next zone of the market starts from it. The rows
// are those of each firm's array.
void TModManuf::AccumulateProduction(TCostRun& run) {
    const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
    std::vector<std::vector<long double>>& cumulated = run.cumulated;
    cumulated.assign(static_cast<std::size_t>(firms + 1), {});
    run.prototypeFinances.assign(static_cast<std::size_t>(firms + 1), nullptr);
    for (int f = 1; f <= firms; ++f) {
        TSimArr& finances = RequireArr(*ResultsT1(), kCategoryFirmMarket, FirmContext(f), "ProFins");
        run.prototypeFinances[static_cast<std::size_t>(f)] = &finances;
        const int rows = RowCapacity(&finances, finances.UB(1));
        if (rows > 0) {
            RequireIndex(finances, "ProFins", {1, si::ProReqUC});
            RequireIndex(finances, "ProFins", {1, si::ProCumProd});
        }
        std::vector<long double>& firmRows = cumulated[static_cast<std::size_t>(f)];
        firmRows.assign(static_cast<std::size_t>(rows + 1), 0);
        for (int p = 1; p <= rows; ++p) firmRows[static_cast<std::size_t>(p)] = finances.GetReal48({p, si::ProCumProd});
    }
    for (int i = 1; i <= NbMktedBrdsT1(); ++i) {
        const std::size_t firm = Rfix()[i];
        const std::size_t prototype = Rpix()[i];
        if (firm < 1 || firm >= cumulated.size() || prototype < 1 || prototype >= cumulated[firm].size())
            throw EModelError(FormatText("prototype %d of firm %d of %s lies outside ProFins",
                                         {Rpix()[i], Rfix()[i], BrandText(i)}));
        cumulated[firm][prototype] += UnitsProduced[i];
    }
    const bool logged = LogWrites(kCostLogLevel);
    for (int f = 1; f <= firms; ++f) {
        TSimArr& finances = *run.prototypeFinances[static_cast<std::size_t>(f)];
        const TSimArr* names =
            logged ? OptionalArr(*ResultsT1(), kCategoryFirmMarket, FirmContext(f), "ProNames") : nullptr;
        const std::vector<long double>& firmRows = cumulated[static_cast<std::size_t>(f)];
        LogFmt(kCostLogLevel, "");
        LogFmt(kCostLogLevel, "Cumulated production");
        for (std::size_t p = 1; p < firmRows.size(); ++p) {
            finances.SetReal48({p, si::ProCumProd}, firmRows[p]);
            if (logged && firmRows[p] > 0)
                LogFmt(kCostLogLevel, "%s : %f", {PrototypeName(names, static_cast<int>(p)), firmRows[p]});
        }
    }
}

void TModManuf::CostBrand(int brand, TCostRun& run) {
    const int row = Dbix()[brand];
    const int firm = Dfix()[brand];
    const TDataContext context = FirmContext(firm);
    TSimArr& report = LookUpOnce(run.reports[static_cast<std::size_t>(firm)], *ResultsT1(), kCategoryFirmFtaMarket,
                                 context, "BrdRpt");
    for (std::int8_t column : {si::brUSold, si::brUProd, si::brPCost, si::brTCost, si::brCGS, si::brUInv, si::brIHC})
        RequireIndex(report, "BrdRpt", {row, column});
    report.SetReal48({row, si::brUSold}, UnitsSold[brand]);
    report.SetReal48({row, si::brUProd}, UnitsProduced[brand]);

    const long double base = run.prototypeFinances[Rfix()[brand]]->GetReal48({Rpix()[brand], si::ProReqUC});
    TSimArr& transferCosts = LookUpOnce(run.transferCostsT1, *ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdTransfCost");
    RequireIndex(transferCosts, "BrdTransfCost", {brand});
    StoreSmallintSaturated(
        *this, transferCosts, "BrdTransfCost", [&] { return ResultsT1()->DescribeCell(kCategoryFtaMarket, Ctx()); },
        {brand}, base);
    UpdatePortfolioStatus(brand, transferCosts, run);

    const long double cum = run.cumulated[Rfix()[brand]][Rpix()[brand]];
    const long double factor =
        run.experience ? Power(SafeDiv(static_cast<double>(cum), static_cast<double>(Params.ExpEffBatch), 1),
                               static_cast<double>(run.exponent))
                       : 1;
    const long double unitCost = base * factor;
    report.SetReal48({row, si::brPCost}, unitCost);
    if (LogWrites(kCostLogLevel))
        LogFmt(kCostLogLevel, "%s : unit cost = %.2f  reduced/increased to %f (%f ==> %.3f)",
               {BrdNames()->GetZts({brand}), base, unitCost, cum, factor});

    TInventoryLayers layers(LookUpOnce(run.inventories[static_cast<std::size_t>(firm)], *ResultsT1(),
                                       kCategoryFirmFtaMarket, context, "Inventory"));
    layers.RequireLayer(SimPeriod(), row);
    layers.Set(SimPeriod(), row, UnitsProduced[brand], unitCost);
    long double remaining = UnitsSold[brand];
    long double goodsCost = 0;
    long double heldValue = 0;
    for (int k = layers.First(); k <= layers.Last(SimPeriod()); ++k) {
        const long double size = layers.Size(k, row);
        const long double layerCost = layers.Cost(k, row);
        const long double taken = std::min(size, remaining);
        remaining -= taken;
        goodsCost += taken * layerCost;
        layers.SetSize(k, row, size - taken);
        heldValue += (size - taken) * layerCost;
    }
    report.SetReal48({row, si::brTCost},
                     SafeDiv(static_cast<double>(goodsCost), static_cast<double>(UnitsSold[brand]), 0));
    report.SetReal48({row, si::brCGS}, goodsCost);
    report.SetReal48({row, si::brUInv}, layers.TotalSize(row));
    report.SetReal48({row, si::brIHC}, heldValue * Params.IHCCoef);
}

// A continuing brand whose base unit cost did not rise since t, and whose
// portfolio status says it continues unchanged, is marked as such.
void TModManuf::UpdatePortfolioStatus(int brand, const TSimArr& transferCostsT1, TCostRun& run) {
    if (SimPeriod() <= 0 || pMbix()[brand] == 0) return;
    const TSimArr& transferCostsT =
        LookUpOnce(run.transferCostsT, std::as_const(*ResultsT()), kCategoryFtaMarket, Ctx(), "BrdTransfCost");
    RequireIndex(transferCostsT, "BrdTransfCost", {pMbix()[brand]});
    if (transferCostsT1.GetSmallint({brand}) <= transferCostsT.GetSmallint({pMbix()[brand]}) &&
        GetBrandDecision(brand, si::PortStatus) == kUnchangedPortStatus)
        SetBrandDecision(brand, si::PortStatus, kCostKeptPortStatus);
}

}  // namespace cv
