#include "model/mod_manuf.h"

#include <algorithm>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"

namespace cv {

namespace {

// The zone's economics hold the periods 0..12; a later period reads the last one.
constexpr int kFirstEconomicsPeriod = 0;
constexpr int kLastEconomicsPeriod = 12;

void RequireManufSeries() {
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({Inventory, BrdRpt, FFXRpt, ProFinances, DecBrdCV3, CostCategs, FtaEcoVars, Prototype});
    RequireIndexedElements({InvSize, InvTCost, brUSold, brUProd, brPCost, brTCost, brCGS, brUInv, brIHC, brISC, ffxECP,
                            ProReqUC, ProCumProd, Production, SellStock, PortStatus, Manufact, InflationRate});
}

}  // namespace

void TModManuf::Init(TCvInd& data, TWorkRec* workRec) {
    TModBasic::Init(data, workRec);
    RequireManufSeries();
}

void TModManuf::SetMarket(int fta, int mkt) {
    TModBasic::SetMarket(fta, mkt);
    BrdUSales = &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdUSales");
    ReadParams();
    ReadCostFactor();
}

// A tolerance outside 0..1 would make a negative production or supply: it is
// held to those bounds, with a warning.
void TModManuf::ReadParams() {
    const TCvPerData& constant = Data()->ConstPart();
    const TManufParams defaults;
    auto read = [&](std::string_view name, long double fallback) {
        return constant.GetRealDef(kCategoryFtaMarket, Ctx(), name, fallback);
    };
    Params.ISCCoef = read("ISCCoef", defaults.ISCCoef);
    Params.AdjustProdPlan = read("AdjustProdPlan", defaults.AdjustProdPlan);
    Params.IHCCoef = read("IHCCoef", defaults.IHCCoef);
    Params.ExpEffReduc = read("ExpEffReduc", defaults.ExpEffReduc);
    Params.ExpEffMult = read("ExpEffMult", defaults.ExpEffMult);
    Params.ExpEffBatch = read("ExpEffBatch", defaults.ExpEffBatch);
    const long double tolerance = std::clamp(Params.AdjustProdPlan, 0.0L, 1.0L);
    if (tolerance != Params.AdjustProdPlan) {
        Warn(FormatText("AdjustProdPlan of zone %d, market %d: %.4f is outside 0..1 and is taken as %.4f",
                        {Ctx().SelFta, Ctx().SelMarket, Params.AdjustProdPlan, tolerance}));
        Params.AdjustProdPlan = tolerance;
    }
}

// 1 + the zone's inflation of t+1 plus its manufacturing deflator. The two
// arrays are checked here so that a missing one is a model error naming it.
void TModManuf::ReadCostFactor() {
    const int period = std::clamp(SimPeriod(), kFirstEconomicsPeriod, kLastEconomicsPeriod);
    const TCvPerData& constant = Data()->ConstPart();
    RequireIndex(RequireArr(constant, kCategoryFta, Ctx(), "Economics"), "Economics", {period, si::InflationRate});
    RequireIndex(RequireArr(constant, kCategoryFta, Ctx(), "DeflatFacs"), "DeflatFacs", {period, si::Manufact});
    CostFactor = 1 + Data()->InflationRate(SimPeriod(), Ctx().SelFta, si::Manufact);
}

void TModManuf::BackBone(std::uint16_t flags) {
    LogFmt(1, "TModManuf.BackBone");
    for (int mkt = 1; mkt <= Data()->NbMarkets(); ++mkt)
        for (int fta = 1; fta <= Data()->NbFtas(); ++fta) {
            Ctx().SelFirm = 0;
            SetMarket(fta, mkt);
            const int firms = ClampCount(*this, Data()->NbFirms(), kMaxModelFirms, "number of firms");
            for (int firm = 1; firm <= firms; ++firm) {
                Ctx().SelFirm = static_cast<std::int16_t>(firm);
                InventoryCosts(flags);
            }
            Ctx().SelFirm = 0;
            if (NbMktedBrdsT1() == 0) continue;
            MatchProduction(flags);
            UnitTransferCost(flags);
        }
}

std::string TModManuf::BrandText(int brand) const {
    return FormatText("brand %s of zone %d, market %d", {BrdNames()->GetZts({brand}), Ctx().SelFta, Ctx().SelMarket});
}

void TModManuf::AddFirmMessage(int firm, std::initializer_list<std::string_view> items) {
    const std::int16_t contextFirm = Ctx().SelFirm;
    Ctx().SelFirm = static_cast<std::int16_t>(firm);
    AddSimMessage(items);
    Ctx().SelFirm = contextFirm;
}

}  // namespace cv
