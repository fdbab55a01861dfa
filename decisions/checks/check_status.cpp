// The decision groups not yet taken, and the firm's overall status.
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"

namespace cv {

namespace {

constexpr std::size_t kNameLength = 16;
constexpr char kListSeparator[] = ", ";

void Append(std::string& list, const std::string& name) {
    if (!list.empty()) list += kListSeparator;
    list += name;
}

}  // namespace

int TCheckDec::CheckDecStatus(TQnInfos& messages, const TDataContext& context) {
    Begin(context);
    LoadVars();
    int all = 1;
    int some = dsNoneTaken;
    auto group = [&](bool taken, std::string_view untakenKey, std::initializer_list<std::string> params) {
        if (taken) {
            some = dsSomeTaken;
            return;
        }
        Add(messages, untakenKey, params, kCheckCategoryError);
        all = 0;
    };
    // The sales force and the study orders are decided zone by zone: their
    // messages name the zone, so that two zones not taken make two messages.
    if (!Restricted("NoSlf")) group(slfDecStatus_ != 0, "SlfDecsNotYetTaken", {ZoneSuffix()});
    group(studiesDecStatus_ != 0, "StuDecsNotYetTaken", {ZoneSuffix()});
    std::string brands;
    std::string projects;
    CollectUntaken(brands, projects, all, some);
    if (!brands.empty()) Add(messages, "BrdDecsNotYetTaken", {brands}, kCheckCategoryError);
    if (!projects.empty()) Add(messages, "PrjDecsNotYetTaken", {projects}, kCheckCategoryError);
    writtenStatus_ = all == 1 ? dsAllTaken : static_cast<TDecStatus>(some);
    newDecs_.SetSmallint(kCategoryFirm, context_, "DecStatus", writtenStatus_);
    return all;
}

void TCheckDec::CollectUntaken(std::string& brands, std::string& projects, int& all, int& some) {
    const bool projectsChecked = !Restricted("NoRnD");
    for (int market = 1; market <= NbMarkets(); ++market) {
        SelectMarket(market);
        for (int brand = 1; brand <= vars_.NbMktedBrds; ++brand) {
            if (ElementNumber(vars_.BrdDecs, {brand, si::BrdDecStatus}) == 0) {
                Append(brands, BrandName(brand));
                all = 0;
            } else {
                some = dsSomeTaken;
            }
        }
        if (!projectsChecked) continue;
        for (int project = 1; project <= vars_.NbPrjs; ++project) {
            if (ElementNumber(vars_.PrjFins, {project, si::ProDecStatus}) == 0) {
                Append(projects, ElementText(vars_.PrjNames, {project}, kNameLength));
                all = 0;
            } else {
                some = dsSomeTaken;
            }
        }
    }
}

}  // namespace cv
