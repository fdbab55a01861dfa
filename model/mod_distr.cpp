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
            LogFmt(1, "array DisCovIdxs missing in the %s", {DescribeCell(*ResultsT(), kCategoryFtaMarket, Ctx())});
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
    RequireBox(segSales, "MPBrdSegSales", {row, SegSeries()->Lo()}, {row, SegSeries()->Hi()});
    RequireBox(chaSales, "MPBrdChaSales", {row, ChaSeries()->Lo()}, {row, ChaSeries()->Hi()});
    std::vector<long double>& shares = channelShares_;
    shares.clear();
    for (int c = ChaSeries()->Lo(); c <= ChaSeries()->Hi(); ++c)
        shares.push_back(Amount(chaSales.GetReal48({row, c}), [&] {
            return FormatText("MPBrdChaSales[%d, %d] of %s", {row, c, BrandWhere(brand)});
        }));
    for (int s = SegSeries()->Lo(); s <= SegSeries()->Hi(); ++s) {
        const long double planned = Amount(segSales.GetReal48({row, s}), [&] {
            return FormatText("MPBrdSegSales[%d, %d] of %s", {row, s, BrandWhere(brand)});
        });
        for (int c = ChaSeries()->Lo(); c <= ChaSeries()->Hi(); ++c)
            BrdUSalesT1->SetReal48({brand, s, c},
                                   planned / kPlanUnitScale * shares[static_cast<std::size_t>(c - ChaSeries()->Lo())] /
                                       kShareScale);
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
