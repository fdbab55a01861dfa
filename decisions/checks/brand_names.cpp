#include "decisions/checks/brand_names.h"

#include <algorithm>

#include "core/language/language_file.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

constexpr int kMaxBrandRows = 5;
constexpr std::size_t kBrandNameLength = 32;

bool InPortfolio(TCvPerData& decisions, const TDataContext& context, std::string_view name) {
    const TSimArr* portfolio = decisions.FindSimArr(kCategoryFirmFtaMarket, context, "DecBrdPort");
    if (!portfolio) return false;
    const int brands = std::min<int>(decisions.GetSmallintDef(kCategoryFirmFtaMarket, context, "NbMktedBrds", 0),
                                     kMaxBrandRows);
    for (int row = 1; row <= brands; ++row)
        if (SameTextAscii(ElementText(portfolio, {row, si::BrdName}, kBrandNameLength), name)) return true;
    return false;
}

}  // namespace

bool BrandNameUsed(TCvInd& industry, const TDataContext& context, std::string_view name,
                   const std::vector<std::string>& pending) {
    if (std::any_of(pending.begin(), pending.end(),
                    [name](const std::string& taken) { return SameTextAscii(taken, name); }))
        return true;
    for (int period = 0; period <= industry.CurPeriod(); ++period)
        if (InPortfolio(industry.PerDecisions(period), context, name)) return true;
    return false;
}

}  // namespace cv
