#include "model/mod_distr.h"

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/model_access.h"

namespace cv {

namespace {

// The planned units of a segment are given in units, its channel split in
// thousandths of a percent: units / 1000 x share / 100 are the channel's units.
constexpr long double kPlanUnitScale = 1000;
constexpr long double kShareScale = 100;

}  // namespace

void TModDistr::Init(TCvInd& data, TWorkRec* workRec) {
    TModBasic::Init(data, workRec);
    using enum TIndexedSeries;
    using enum TIndexedElement;
    RequireIndexedSeries({DecBrdCV3, ChaParams, ChaXFXRes, FFXRpt, BrdRpt, CostCategs, FtaEcoVars});
    RequireIndexedElements({Price, MarginBeg, MarginEnd, Discount, Margin, ffxSlp, ffxSlfB, ffxSlfH, ffxSlfF, brSlf,
                            brRPrice, brSPrice, Salaries, ExchangeRate, InflationRate});
}

void TModDistr::SetMarket(int fta, int mkt) {
    TModBasic::SetMarket(fta, mkt);
    BrdRPricesT1 = &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdRPrices");
    BrdUSalesT1 = &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdUSales");
    BrdPastMSUT1 = &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "BrdPastMSU");
    DisCovIdxsT1 = &RequireArr(*ResultsT1(), kCategoryFtaMarket, Ctx(), "DisCovIdxs");
    BrdPastMSUT = DisCovIdxsT = nullptr;
    if (SimulatedPeriod() > 0) {
        BrdPastMSUT = OptionalArr(*ResultsT(), kCategoryFtaMarket, Ctx(), "BrdPastMSU");
        DisCovIdxsT = OptionalArr(*ResultsT(), kCategoryFtaMarket, Ctx(), "DisCovIdxs");
        if (!DisCovIdxsT)
            LogFmt(1, "array DisCovIdxs missing in the %s", {ResultsT()->DescribeCell(kCategoryFtaMarket, Ctx())});
    }
    CarryPastMarketShares();
}

void TModDistr::CarryPastMarketShares() {
    if (SimulatedPeriod() > 0)
        CopyOrClear(*BrdPastMSUT1, BrdPastMSUT, "BrdPastMSU");
    else
        BrdPastMSUT1->Clear();
}

void TModDistr::PlanSales(std::uint16_t /*flags*/) {
    if (NbMktedBrdsT1() == 0 || SegSeries()->Count() == 0 || ChaSeries()->Count() == 0) return;
    RequireBox(*BrdUSalesT1, "BrdUSales", {1, SegSeries()->Lo(), ChaSeries()->Lo()},
               {static_cast<int>(NbMktedBrdsT1()), SegSeries()->Hi(), ChaSeries()->Hi()});
    TCellArr segPlans(*DecisionsT1(), kCategoryFirmFtaMarket, "MPBrdSegSales");
    TCellArr chaPlans(*DecisionsT1(), kCategoryFirmFtaMarket, "MPBrdChaSales");
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) PlanBrandSales(brand, segPlans, chaPlans);
}

void TModDistr::PlanBrandSales(int brand, TCellArr& segPlans, TCellArr& chaPlans) {
    Ctx().SelFirm = Dfix()[brand];
    const int row = Dbix()[brand];
    const TSimArr& segSales = segPlans.For(Ctx());
    const TSimArr& chaSales = chaPlans.For(Ctx());
    const int segLo = SegSeries()->Lo(), segHi = SegSeries()->Hi();
    const int chaLo = ChaSeries()->Lo(), chaHi = ChaSeries()->Hi();
    RequireBox(segSales, "MPBrdSegSales", {row, segLo}, {row, segHi});
    RequireBox(chaSales, "MPBrdChaSales", {row, chaLo}, {row, chaHi});
    // Every index below lies within the boxes checked here and in PlanSales:
    // arrays of reals of these dimensions are addressed by position.
    TSimArr& unitSales = *BrdUSalesT1;
    const bool direct = HoldsReals(segSales, 2) && HoldsReals(chaSales, 2) && HoldsReals(unitSales, 3);
    const std::size_t segAt = direct ? PositionWithin(segSales, {row, segLo}) : 0;
    const std::size_t chaAt = direct ? PositionWithin(chaSales, {row, chaLo}) : 0;
    const std::size_t salesAt = direct ? PositionWithin(unitSales, {brand, segLo, chaLo}) : 0;
    std::vector<long double>& shares = channelShares_;
    shares.clear();
    for (int c = chaLo; c <= chaHi; ++c) {
        const long double share = direct ? chaSales.Real48At(chaAt + static_cast<std::size_t>(c - chaLo))
                                         : chaSales.GetReal48({row, c});
        shares.push_back(
            Amount(share, [&] { return FormatText("MPBrdChaSales[%d, %d] of %s", {row, c, BrandWhere(brand)}); }));
    }
    for (int s = segLo; s <= segHi; ++s) {
        const long double plan = direct ? segSales.Real48At(segAt + static_cast<std::size_t>(s - segLo))
                                        : segSales.GetReal48({row, s});
        const long double planned =
            Amount(plan, [&] { return FormatText("MPBrdSegSales[%d, %d] of %s", {row, s, BrandWhere(brand)}); });
        const std::size_t segmentAt = salesAt + static_cast<std::size_t>(s - segLo) * unitSales.Stride(2);
        for (int c = chaLo; c <= chaHi; ++c) {
            const std::size_t k = static_cast<std::size_t>(c - chaLo);
            const long double units = planned / kPlanUnitScale * shares[k] / kShareScale;
            if (direct)
                unitSales.SetReal48At(segmentAt + k, units);
            else
                unitSales.SetReal48({brand, s, c}, units);
        }
    }
}

void TModDistr::FinishZones(std::uint16_t /*flags*/) {
    for (int zone = 1; zone <= Data()->NbFtas(); ++zone) {
        Ctx().SelFirm = 0;
        Ctx().SelFta = static_cast<std::int16_t>(zone);
        Ctx().SelMarket = 0;
        SelectChannels(Data()->ChaSeries(zone));
        if (!ChaSeries()) throw EModelError(FormatText("no channel series for zone %d", {zone}));
        SalesForceCosts();
        for (int market = 1; market <= Data()->NbMarkets(); ++market) {
            Ctx().SelFirm = 0;
            Ctx().SelMarket = static_cast<std::int16_t>(market);
            SetMarket(zone, market);
            if (NbMktedBrdsT1() == 0) continue;
            BrandSalesForce();
            ChannelResults();
        }
    }
}

std::string TModDistr::BrandWhere(int brand) const {
    const std::string name = BrdNames() && IndexInBounds(*BrdNames(), {brand}) ? BrdNames()->GetZts({brand}) : "?";
    return FormatText("%s of firm %d, zone %d, market %d", {name, Dfix()[brand], Ctx().SelFta, Ctx().SelMarket});
}

void TModDistr::RequireBox(const TDynArr& array, std::string_view name, const TIndex& first, const TIndex& last) {
    RequireIndex(array, name, first);
    RequireIndex(array, name, last);
}

}  // namespace cv
