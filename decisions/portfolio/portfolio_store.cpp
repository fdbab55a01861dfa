// Writing the decided portfolio: the brands in the order of the marketed grid,
// each with the decision rows it had, so that a brand's decisions follow it
// when its row number changes.
#include <array>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/portfolio/brand_portfolio_dialog.h"

namespace cv {

namespace {

// Every array of a market's decisions with a row per brand of the portfolio
// (a column in the sales-force allocation): the mix, the segment strategy,
// the sales force, and the marketing plan's sales by segment and by channel.
struct TBrandArray {
    const char* name;
    bool brandIsColumn;
};
constexpr std::array<TBrandArray, 5> kBrandArrays{{{"DecBrdCv3", false},
                                                   {"SegStrat", false},
                                                   {"SlfAlloc", true},
                                                   {"MPBrdSegSales", false},
                                                   {"MPBrdChaSales", false}}};

// One of those arrays: where the brands' rows go, what it held when the
// store began, and the defaults a brand not in the loaded portfolio takes.
struct TMovedArray {
    TSimArr* target = nullptr;
    TSimArr loaded;
    const TSimArr* defaults = nullptr;
    bool brandIsColumn = false;

    void Copy(const TSimArr& source, int row, int targetRow) {
        if (brandIsColumn) target->CopyColumn(source, row, targetRow);
        else target->CopyRow(source, row, targetRow);
    }
};

}  // namespace

void TFoBFolio::SaveDecisions() {
    // A market the team has not planned yet has no plan arrays: nothing of them to move.
    std::array<TMovedArray, kBrandArrays.size()> moved;
    for (std::size_t i = 0; i < kBrandArrays.size(); ++i) {
        TMovedArray& array = moved[i];
        array.target = NewDecs->FindSimArr(kCategoryFirmFtaMarket, Context, kBrandArrays[i].name);
        if (!array.target) continue;
        array.loaded.Assign(*array.target);
        array.target->Clear();
        array.defaults = DefDecs->FindSimArr(kCategoryFirmFtaMarket, Context, kBrandArrays[i].name);
        array.brandIsColumn = kBrandArrays[i].brandIsColumn;
    }
    PortNew->Clear();
    NewDecs->SetSmallint(kCategoryFirmFtaMarket, Context, "NbMktedBrds", static_cast<std::int16_t>(NbMktedBrdsNew));
    for (int row = 1; row <= kMaxBrandRows; ++row) {
        const TGridRow cells = SGMktBrd->Row(row - 1);
        if (cells.Name.empty()) continue;
        PortNew->SetZts({row, si::BrdName}, cells.Name);
        PortNew->SetZts({row, si::ProName}, cells.Project);
        // A brand never seen, in neither portfolio, keeps the cleared rows:
        // every decision 0 and its decisions not taken.
        const int loaded = FindBrand(cells.Name, PortLoaded.get());
        const int defaulted = loaded > 0 ? 0 : FindBrand(cells.Name, PortDef);
        for (TMovedArray& array : moved) {
            if (!array.target) continue;
            if (loaded > 0) array.Copy(array.loaded, loaded, row);
            else if (defaulted > 0 && array.defaults) array.Copy(*array.defaults, defaulted, row);
        }
    }
}

}  // namespace cv
