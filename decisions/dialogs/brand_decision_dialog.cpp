#include "decisions/dialogs/brand_decision_dialog.h"

#include <array>
#include <utility>

#include "core/language/language_file.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

TFoBrdDec::TFoBrdDec(QWidget* owner, TDataContext& callerContext) : TFoCv3Dec(owner, callerContext) {}

void TFoBrdDec::LoadDecisions() {
    TFoCv3Dec::LoadDecisions();
    TCvInd& industry = SessionIndustry("TFoBrdDec.LoadBrandDecs");
    const TDataContext& c = *CallerContext;
    ChaSeries = industry.GetCellSeries("ChaSeries", c);
    NbChannels = ChaSeries ? ChaSeries->Count() : 0;
    SegSeries = industry.SegSeries(c.SelFta, c.SelMarket);
    NbSegments = SegSeries ? SegSeries->Count() : 0;
    // Each array of the current, default and new sets, in that order.
    TCvPerData* const sets[] = {CurDecs, DefDecs, NewDecs};
    int* const counts[] = {&NbMktedBrdsCur, &NbMktedBrdsDef, &NbMktedBrdsNew};
    const std::pair<const char*, std::array<TSimArr**, 3>> arrays[] = {
        {"DecBrdPort", {&PortCur, &PortDef, &PortNew}},
        {"DecBrdCv3", {&BrdDecCur, &BrdDecDef, &BrdDecNew}},
        {"SegStrat", {&SegStratCur, &SegStratDef, &SegStratNew}},
        {"SlfAlloc", {&SlfAllocCur, &SlfAllocDef, &SlfAllocNew}},
    };
    for (std::size_t set = 0; set < std::size(sets); ++set) {
        *counts[set] = sets[set]->GetSmallintDef(kCategoryFirmFtaMarket, c, "NbMktedBrds", 0);
        for (const auto& [name, targets] : arrays) *targets[set] = &sets[set]->GetSimArr(kCategoryFirmFtaMarket, c, name);
    }
    NbBrdsAllMkts = 0;
    TDataContext everyMarket = c;
    for (int market = industry.MktSeries()->Lo(); market <= industry.MktSeries()->Hi(); ++market) {
        everyMarket.SelMarket = static_cast<std::int16_t>(market);
        NbBrdsAllMkts += NewDecs->GetSmallintDef(kCategoryFirmFtaMarket, everyMarket, "NbMktedBrds", 0);
    }
}

int TFoBrdDec::FindBrand(std::string_view name, const TSimArr* port) {
    for (int row = 1; row <= kMaxBrandRows; ++row)
        if (InBounds(port, {row, si::BrdName}) && SameTextAscii(ElementText(port, {row, si::BrdName}), name))
            return row;
    return 0;
}

bool TFoBrdDec::IsNewBrand(std::string_view name) const {
    return FindBrand(name, PortNew) > 0 && FindBrand(name, PortCur) == 0;
}

bool TFoBrdDec::IsWithdrawnBrand(std::string_view name) const {
    return FindBrand(name, PortNew) == 0 && FindBrand(name, PortCur) > 0;
}

bool TFoBrdDec::IsModifiedBrand(std::string_view name) const {
    const int newRow = FindBrand(name, PortNew);
    const int curRow = FindBrand(name, PortCur);
    if (newRow == 0 || curRow == 0) return false;
    return !SameTextAscii(ElementText(PortNew, {newRow, si::ProName}), ElementText(PortCur, {curRow, si::ProName}));
}

}  // namespace cv
