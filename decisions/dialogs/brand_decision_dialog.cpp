#include "decisions/dialogs/brand_decision_dialog.h"

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
    NbMktedBrdsCur = CurDecs->GetSmallintDef(kCategoryFirmFtaMarket, c, "NbMktedBrds", 0);
    NbMktedBrdsDef = DefDecs->GetSmallintDef(kCategoryFirmFtaMarket, c, "NbMktedBrds", 0);
    NbMktedBrdsNew = NewDecs->GetSmallintDef(kCategoryFirmFtaMarket, c, "NbMktedBrds", 0);
    auto bind = [&c](TCvPerData* set, const char* name) { return set->GetSimArr(kCategoryFirmFtaMarket, c, name); };
    PortCur = bind(CurDecs, "DecBrdPort");
    PortDef = bind(DefDecs, "DecBrdPort");
    PortNew = bind(NewDecs, "DecBrdPort");
    BrdDecCur = bind(CurDecs, "DecBrdCv3");
    BrdDecDef = bind(DefDecs, "DecBrdCv3");
    BrdDecNew = bind(NewDecs, "DecBrdCv3");
    SegStratNew = bind(NewDecs, "SegStrat");
    SegStratDef = bind(DefDecs, "SegStrat");
    SegStratCur = bind(CurDecs, "SegStrat");
    SlfAllocCur = bind(CurDecs, "SlfAlloc");
    SlfAllocDef = bind(DefDecs, "SlfAlloc");
    SlfAllocNew = bind(NewDecs, "SlfAlloc");
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
