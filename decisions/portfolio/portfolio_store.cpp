// Writing the decided portfolio: the brands in the order of the marketed grid,
// each with the decision rows it had, so that a brand's decisions follow it
// when its row number changes.
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/portfolio/brand_portfolio_dialog.h"

namespace cv {

void TFoBFolio::SaveDecisions() {
    TSimArr decisions, segments, allocation;
    decisions.Assign(*BrdDecNew);
    segments.Assign(*SegStratNew);
    allocation.Assign(*SlfAllocNew);
    for (TSimArr* cleared : {BrdDecNew, SegStratNew, SlfAllocNew, PortNew}) cleared->Clear();
    NewDecs->SetSmallint(kCategoryFirmFtaMarket, Context, "NbMktedBrds", static_cast<std::int16_t>(NbMktedBrdsNew));
    for (int row = 1; row <= kMaxBrandRows; ++row) {
        const TGridRow cells = SGMktBrd->Row(row - 1);
        if (cells.Name.empty()) continue;
        PortNew->SetZts({row, si::BrdName}, cells.Name);
        PortNew->SetZts({row, si::ProName}, cells.Project);
        // A brand never seen, in neither portfolio, keeps the cleared rows:
        // every decision 0 and its decisions not taken.
        if (const int loaded = FindBrand(cells.Name, PortLoaded.get()); loaded > 0)
            CopyBrandRows(loaded, row, decisions, segments, allocation);
        else if (const int defaulted = FindBrand(cells.Name, PortDef); defaulted > 0)
            CopyBrandRows(defaulted, row, *BrdDecDef, *SegStratDef, *SlfAllocDef);
    }
}

void TFoBFolio::CopyBrandRows(int row, int target, const TSimArr& decs, const TSimArr& segments,
                              const TSimArr& allocation) {
    BrdDecNew->CopyRow(decs, row, target);
    SegStratNew->CopyRow(segments, row, target);
    SlfAllocNew->CopyColumn(allocation, row, target);
}

}  // namespace cv
