// TModFinan, cumulative steps of a firm in a market: the results of every brand
// the firm ever marketed there, slot by slot ("BrdCumNames", "BrdCumRes"), and
// the cumulative study and R&D costs of its market report.
//
// Slot statuses: 0 empty; 1 marketed in the decision period; 2 marketed
// earlier, not now; 3 only during the update (was 1, not yet seen again). The
// row after the last slot gathers the brands that lost their slot.

#include <algorithm>
#include <string>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/text_format.h"
#include "model/mod_finan.h"
#include "model/model_access.h"

namespace cv {

namespace {

constexpr long double kEmpty = 0;
constexpr long double kMarketed = 1;
constexpr long double kWithdrawn = 2;
constexpr long double kNotYetSeen = 3;
// Status and introduction period of the row of brands that lost their slot.
constexpr long double kLostRowMark = 32767;

// The period's brand report elements added into a slot, in this order.
const TElementPair kCumulativeSums[] = {
    {&si::brcUSold, &si::brUSold}, {&si::brcIHSC, &si::brIHC},   {&si::brcAdv, &si::brAdvM},
    {&si::brcSlf, &si::brSlf},     {&si::brcRSales, &si::brRSales}, {&si::brcRev, &si::brRev},
    {&si::brcCGS, &si::brCGS},     {&si::brcCAM, &si::brCAM},     {&si::brcIHSC, &si::brISC},
    {&si::brcAdv, &si::brAdvQ},
};

}  // namespace

void TModFinan::CumulateBrandResults() {
    const int firm = Ctx().SelFirm;
    const TDataContext cell = FirmContext(firm);
    const TSimArr& brands = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, cell, "FirMktedBrds");
    const TFinArray report = ResultT1(kCategoryFirmFtaMarket, cell, "BrdRpt");
    TSimArr& names = RequireArr(*ResultsT1(), kCategoryFirmFtaMarket, cell, "BrdCumNames");
    const TFinArray results = ResultT1(kCategoryFirmFtaMarket, cell, "BrdCumRes");
    const int slots = CumBrand()->Count() - 1;

    if (DecisionPeriod() == 0) {
        names.Clear();
        results.Array().Clear();
    } else {
        CopyOrClear(names, OptionalArr(*ResultsT(), kCategoryFirmFtaMarket, cell, "BrdCumNames"), "BrdCumNames");
        CopyOrClear(results.Array(), OptionalArr(*ResultsT(), kCategoryFirmFtaMarket, cell, "BrdCumRes"), "BrdCumRes");
    }
    // The copies of t must span every slot and the lost row.
    RequireIndex(names, "BrdCumNames", {SlotIndex(slots + 1)});
    RequireIndex(results.Array(), "BrdCumRes", {SlotIndex(slots + 1), si::BrdCumRes->Hi()});

    for (int k = 1; k <= slots; ++k)
        if (results.Get({SlotIndex(k), si::brcIsMkted}) == kMarketed)
            results.Set({SlotIndex(k), si::brcIsMkted}, kNotYetSeen);

    const int capacity = std::min(RowCapacity(&brands, kMaxFirmBrands), RowCapacity(&report.Array(), kMaxFirmBrands));
    const auto where = [&] { return FormatText("firm %d, zone %d, market %d", {firm, Ctx().SelFta, Ctx().SelMarket}); };
    const int count =
        ClampCount(*this, FirNbMktedBrdsT1()[firm], capacity, [&] { return "marketed brands of t+1 of " + where(); });
    for (int j = 1; j <= count; ++j) {
        const std::string name = brands.GetZts({j});
        int k = FindCumulativeSlot(names, name);
        if (k == 0) k = TakeCumulativeSlot(names, results, name);
        const TFinRow slot(results, SlotIndex(k));
        const TFinRow brand(report, j);
        slot.Set(si::brcIsMkted, kMarketed);
        for (const TElementPair& pair : kCumulativeSums) slot.Add(*pair.target, brand.Get(*pair.source));
    }

    for (int k = 1; k <= slots; ++k)
        if (results.Get({SlotIndex(k), si::brcIsMkted}) == kNotYetSeen)
            results.Set({SlotIndex(k), si::brcIsMkted}, kWithdrawn);
}

// The slot 1..slots holding Name (letter case of a-z ignored), 0 when none does.
int TModFinan::FindCumulativeSlot(const TSimArr& names, const std::string& name) const {
    const int slots = CumBrand()->Count() - 1;
    const std::int16_t index = names.FindZts(name, 1, {SlotIndex(1)});
    const int k = index == kZtsNotFound ? 0 : index - SlotIndex(1) + 1;
    return k >= 1 && k <= slots ? k : 0;
}

template <class Predicate>
int TModFinan::FirstSlotWithStatus(const TFinArray& results, Predicate matches) const {
    const int slots = CumBrand()->Count() - 1;
    for (int k = 1; k <= slots; ++k)
        if (matches(results.Get({SlotIndex(k), si::brcIsMkted}))) return k;
    return 0;
}

// A slot for the new brand Name: the first free one (slots fill up in order, so
// it is the one after the last taken). When every slot is taken, the first
// brand no longer marketed, or else the brand of slot 1 even if still marketed,
// gives up its slot: its results move into the lost row.
int TModFinan::TakeCumulativeSlot(TSimArr& names, const TFinArray& results, const std::string& name) const {
    const int slots = CumBrand()->Count() - 1;
    int k = FirstSlotWithStatus(results, [](long double status) { return !(status > 0); });
    if (k == 0) {
        k = FirstSlotWithStatus(results, [](long double status) { return status == kWithdrawn; });
        if (k == 0) k = 1;
        const int lost = SlotIndex(slots + 1);
        const TSimArr& cumulative = results.Array();
        for (int e = cumulative.LB(2); e <= cumulative.UB(2); ++e) {
            results.Add({lost, e}, results.Get({SlotIndex(k), e}));
            results.Set({SlotIndex(k), e}, kEmpty);
        }
        results.Set({lost, si::brcIsMkted}, kLostRowMark);
        results.Set({lost, si::brcIntroPer}, kLostRowMark);
    }
    names.SetZts({SlotIndex(k)}, name);
    results.Set({SlotIndex(k), si::brcIntroPer}, DecisionPeriod());
    return k;
}

void TModFinan::CumulateMarketReport() {
    const TDataContext cell = FirmContext(Ctx().SelFirm);
    const TFinArray report = ResultT1(kCategoryFirmFtaMarket, cell, "FFMRpt");
    if (DecisionPeriod() > 0)
        CarryElements(report, ResultT(kCategoryFirmFtaMarket, cell, "FFMRpt"), {si::ffmCumMRS, si::ffmCumRnD});
    report.Add({si::ffmCumMRS}, report.Get({si::ffmMRS}));
    report.Add({si::ffmCumRnD}, report.Get({si::ffmRnD}));
}

}  // namespace cv
