#include "reports/studies/study_availability.h"

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"

namespace cv {
namespace {

constexpr double kDefaultMinBrandsForMap = 3.0;

}  // namespace

bool CanShowStudyGraph(const TDataContext& context, bool areaLevel, const std::string& key) {
    if (!Session || !Session->Industry()) return false;
    TCvInd& industry = *Session->Industry();
    const char* category = areaLevel ? "StuFta" : "StuMkt";
    const TSeries* studies = areaLevel ? si::StuFta : si::StuMkt;
    if (!studies) return false;
    if (Session->IsRestrictEnabled(category, key) || Session->IsRestrictHidden(category, key)) return false;
    if (!areaLevel) {
        const int marketed = industry.PerResults(context.CurPeriod).GetSmallintDef(kCategoryFtaMarket, context, "NbMktedBrds", 0);
        const double minBrands = static_cast<double>(
            industry.ConstPart().GetRealDef(kCategoryIndustry, context, "MinBrdForMap", kDefaultMinBrandsForMap));
        if (key == "PerceptualMap" ? marketed < minBrands : marketed < 1) return false;
    }
    if (Session->AdminView()) return true;
    const TCvPerData& decisions = industry.PerDecisions(context.DecPeriod);
    const TSimArr* ordered = areaLevel ? decisions.FindSimArr(kCategoryFirmFta, context, "DecStuFta")
                                       : decisions.FindSimArr(kCategoryFirmFtaMarket, context, "DecStuMkt");
    const int index = studies->IndexOf(key);
    return ordered && index >= ordered->LB(1) && index <= ordered->UB(1) && ordered->GetByte({index}) == 1;
}

}  // namespace cv
