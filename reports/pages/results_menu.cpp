#include "reports/pages/results_menu.h"

#include "reports/results/brand_result.h"
#include "reports/results/cumul_result.h"
#include "reports/results/decsummary.h"
#include "reports/results/firm_result.h"
#include "reports/results/rnd_proto_list.h"

namespace cv {
namespace {

template <TProtoListKind Kind>
std::unique_ptr<TCVScreen> ProjectList(QWidget* owner, const TDataContext& context) {
    return TCVScreen::Create<TRnDProtoList>(owner, context, Kind, kWindowLayout);
}

std::vector<TResultGroup> MakeGroups() {
    return {
        {"MPFir",
         "&Company",
         "NoCompanyResults",
         {{"MPFirSCard", "&Scorecard", KindScreen<TFirResult, TFirResult::kScoreCard>, false},
          {"MPFirNetCtb", "&Net contribution", KindScreen<TFirResult, TFirResult::kNetContribution>, false},
          {"MPFirLoanSched", "&Loan schedule", KindScreen<TFirResult, TFirResult::kLoanSchedule>, false}},
         {{2, "N2"}}},
        {"MPBrd",
         "&Brands",
         "NoBrandResults",
         {{"MPBrdGMC", "&Brand contribution", KindScreen<TBrdResult, TBrdResultKind::Contribution>, true},
          {"MPBrdMktRes", "&Market results", KindScreen<TBrdResult, TBrdResultKind::MarketResults>, true}},
         {}},
        {"MPRnD",
         "&R&&D",
         "NoRD",
         {{"MPRnDPrjAll", "&All projects", ProjectList<TProtoListKind::AllProjects>, true},
          {"MPRnDPrjAvail", "A&vailable prototypes", ProjectList<TProtoListKind::AvailablePrototypes>, true},
          {"MPRnDPrjOnGoing", "&On-going projects", ProjectList<TProtoListKind::OnGoingProjects>, true}},
         {{1, "N1"}}},
        {"MPCum",
         "C&umulative",
         "NoCumulResults",
         {{"MPCumBrd", "By &brand", KindScreen<TCumResult, TCumResultKind::Brands>, false},
          {"MPCumMkt", "By &market", KindScreen<TCumResult, TCumResultKind::Markets>, false}},
         {}},
        {"MPMsgs",
         "&Messages",
         "NoMessages",
         {{"MPAllMsgs", "&All messages", KindScreen<TFirResult, TFirResult::kMessages>, false}},
         {}},
        {"MPPDecs",
         "&Past decisions",
         "NoPastDecs",
         {{"MPPDecsBrd", "&Brands", KindScreen<TDecSummary, TDecSummaryKind::Brands>, true},
          {"MPPDecsSlf", "&Sales force", KindScreen<TDecSummary, TDecSummaryKind::SalesForce>, false},
          {"MPPDecsRnD", "&R&&D", KindScreen<TDecSummary, TDecSummaryKind::RnD>, true},
          {"MPPDecsStu", "S&tudies", KindScreen<TDecSummary, TDecSummaryKind::Studies>, false},
          {"MPPDecsLoan", "&Loans", KindScreen<TDecSummary, TDecSummaryKind::Loan>, false}},
         {}},
    };
}

}  // namespace

const std::vector<TResultGroup>& ResultMenuGroups() {
    static const std::vector<TResultGroup> groups = MakeGroups();
    return groups;
}

const TResultItem* FindResultItem(std::string_view name) {
    for (const TResultGroup& group : ResultMenuGroups())
        for (const TResultItem& item : group.items)
            if (item.name == name) return &item;
    return nullptr;
}

}  // namespace cv
