// TModPref: the actual attributes of the marketed brands (their prototypes'
// physical characteristics and their retail prices) and their portfolio status.

#include <algorithm>

#include "core/store/industry_file.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/base/log_file.h"
#include "core/base/text_format.h"
#include "model/mod_pref.h"
#include "model/mod_pref_units.h"
#include "model/model_access.h"

namespace cv {

using namespace pref;

void TModPref::ComputeBrandAttributes() {
    RequireBoundMarket();
    const int priceScale = PriceScale();
    // The physical characteristics are kept on the scales of the same index.
    const auto [lo, hi] = ScaledDimensions();
    RequireBox(*PosSemBrdsT1, "PosSemBrds", {1, lo, si::AttAct}, {NbMktedBrdsT1(), hi, si::AttAct});
    LogFmt(kDetailLevel, "");
    LogFmt(kDetailLevel, "Brand attributes");
    TCellArr prototypeLevels(*ResultsT(), kCategoryFirmMarket, "ProTecs");
    for (int brand = 1; brand <= NbMktedBrdsT1(); ++brand) StoreBrandAttributes(brand, priceScale, prototypeLevels);
}

// The context's firm becomes the firm holding the brand's prototype, and stays
// at the last brand's firm afterwards.
void TModPref::StoreBrandAttributes(int brand, int priceScale, TCellArr& prototypeLevels) {
    const std::string& name = BrdNames()->GetZts({brand});
    const bool logged = LogWrites(kDetailLevel);
    if (logged) LogFmtNoEol(kDetailLevel, "%s%s", {name, "\t"});
    Ctx().SelFirm = Rfix()[brand];
    const int prototype = Rpix()[brand];
    const TSimArr& levels = prototypeLevels.For(Ctx());
    const auto [lo, hi] = ScaledDimensions();
    RequireBox(levels, "ProTecs", {prototype, lo}, {prototype, hi});
    for (int j = lo; j <= hi; ++j) {
        Store(*PosSemBrdsT1, "PosSemBrds", {brand, j, si::AttAct}, levels.GetReal48({prototype, j}));
        if (logged) LogFmtNoEol(kDetailLevel, "%d%s", {PosSemBrdsT1->GetSmallint({brand, j, si::AttAct}), "\t"});
    }
    const long double price = DecisionAmount(
        *this, GetBrandDecision(brand, si::Price),
        [&] { return FormatText("price of %s in zone %d, market %d", {name, Ctx().SelFta, Ctx().SelMarket}); });
    Store(*PosSemBrdsT1, "PosSemBrds", {brand, priceScale, si::AttAct}, price);
    if (logged) LogFmt(kDetailLevel, "%d%s", {PosSemBrdsT1->GetSmallint({brand, priceScale, si::AttAct}), "\t"});
    SetBrandDecision(brand, si::PortStatus, PortfolioStatus(brand, priceScale));
}

// 1 for a brand carried on with the same physical characteristics (or for every
// brand when t has no positions), 3 when one of them changed, 4 for a brand
// not marketed in t. The price takes no part.
double TModPref::PortfolioStatus(int brand, int priceScale) const {
    if (!PosSemBrdsT) return kPortCarriedOn;
    const int previous = pMbix()[brand];
    if (previous == 0) return kPortNew;
    const auto [lo, hi] = ScaledDimensions();
    RequireBox(*PosSemBrdsT, "PosSemBrds", {previous, lo, si::AttAct}, {previous, hi, si::AttAct});
    for (int j = lo; j <= hi; ++j)
        if (j != priceScale && PosSemBrdsT1->GetSmallint({brand, j, si::AttAct}) !=
                                   PosSemBrdsT->GetSmallint({previous, j, si::AttAct}))
            return kPortModified;
    return kPortCarriedOn;
}

// The physical dimensions that have a semantic scale of the same index: the
// dimension series holds physical characteristics only, the scales add price.
std::pair<int, int> TModPref::ScaledDimensions() const {
    return {std::max(DimSeries()->Lo(), SemSeries()->Lo()), std::min(DimSeries()->Hi(), SemSeries()->Hi())};
}

}  // namespace cv
