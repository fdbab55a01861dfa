// The brand list shared by the newsletter's brand pages: the marketed brands
// of the zone and market, firm by firm, each firm's block closed by a line.
#include <algorithm>

#include "core/session/industry.h"
#include "core/store/series_index.h"
#include "reports/newsletter/news_screen.h"

namespace cv {

int TNewsScr::BrandBodyRows(int brands) { return std::max(kBrandBodyRows, brands); }

int TNewsScr::WriteBrandsByFirm(int firstRow, int brands, int lastColumn, const TBrandRowWriter& write) {
    TQNTable& table = *table_;
    const TCvInd& industry = *Industry();
    const TSimArr* names = ResultsArray(kCategoryFtaMarket, "BrdNames");
    const TSimArr* links = ResultsArray(kCategoryFtaMarket, "XFMLinks");
    int row = firstRow;
    for (int firm = 1; firm <= industry.NbFirms(); ++firm) {
        bool firstOfFirm = true;
        for (int brand = 1; brand <= brands; ++brand) {
            if (static_cast<int>(ArrayNumber(links, {brand, si::Dfix})) != firm) continue;
            if (firstOfFirm) table.SetCellText(row, 1, industry.FirmLabel(firm));
            firstOfFirm = false;
            const std::string name = ArrayText(names, {brand});
            table.SetCellText(row, 2, name);
            write(row, {brand, firm, static_cast<int>(ArrayNumber(links, {brand, si::Dbix})),
                        static_cast<int>(ArrayNumber(links, {brand, si::Rfix})),
                        static_cast<int>(ArrayNumber(links, {brand, si::Rpix})), name});
            ++row;
        }
        // A line separates each firm's block from the next, also after an empty one.
        table.SetRangeBorderTop(row, 1, row, lastColumn, 1, 0);
    }
    return row;
}

}  // namespace cv
