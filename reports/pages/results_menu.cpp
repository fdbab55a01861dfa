#include "reports/pages/results_menu.h"

#include "reports/pages/results_page.h"
#include "reports/results/brand_result.h"
#include "reports/results/cumul_result.h"
#include "reports/results/decsummary.h"
#include "reports/results/firm_result.h"
#include "reports/results/rnd_proto_list.h"

namespace cv {
namespace {

TPageMenu MakeMenu() {
    return {"FoResult",
            "MResult",
            "SpBResult",
            "rcReport",
            TFoResult::kHelpContext,
            false,
            {
                {"MPFir",
                 "&Company",
                 "NoCompanyResults",
                 {{"MPFirSCard", "&Scorecard", KindScreen<TFirResult, TFirResult::kScoreCard>},
                  {"MPFirNetCtb", "&Net contribution", KindScreen<TFirResult, TFirResult::kNetContribution>},
                  {"MPFirLoanSched", "&Loan schedule", KindScreen<TFirResult, TFirResult::kLoanSchedule>, false,
                   "N2"}}},
                {"MPBrd",
                 "&Brands",
                 "NoBrandResults",
                 {{"MPBrdGMC", "&Brand contribution", KindScreen<TBrdResult, TBrdResultKind::Contribution>, true},
                  {"MPBrdMktRes", "&Market results", KindScreen<TBrdResult, TBrdResultKind::MarketResults>, true}}},
                {"MPRnD",
                 "&R&&D",
                 "NoRD",
                 {{"MPRnDPrjAll", "&All projects", KindScreen<TRnDProtoList, TProtoListKind::AllProjects>, true},
                  {"MPRnDPrjAvail", "A&vailable prototypes",
                   KindScreen<TRnDProtoList, TProtoListKind::AvailablePrototypes>, true, "N1"},
                  {"MPRnDPrjOnGoing", "&On-going projects", KindScreen<TRnDProtoList, TProtoListKind::OnGoingProjects>,
                   true}}},
                {"MPCum",
                 "C&umulative",
                 "NoCumulResults",
                 {{"MPCumBrd", "By &brand", KindScreen<TCumResult, TCumResultKind::Brands>},
                  {"MPCumMkt", "By &market", KindScreen<TCumResult, TCumResultKind::Markets>}}},
                {"MPMsgs",
                 "&Messages",
                 "NoMessages",
                 {{"MPAllMsgs", "&All messages", KindScreen<TFirResult, TFirResult::kMessages>}}},
                {"MPPDecs",
                 "&Past decisions",
                 "NoPastDecs",
                 {{"MPPDecsBrd", "&Brands", KindScreen<TDecSummary, TDecSummaryKind::Brands>, true},
                  {"MPPDecsSlf", "&Sales force", KindScreen<TDecSummary, TDecSummaryKind::SalesForce>},
                  {"MPPDecsRnD", "&R&&D", KindScreen<TDecSummary, TDecSummaryKind::RnD>, true},
                  {"MPPDecsStu", "S&tudies", KindScreen<TDecSummary, TDecSummaryKind::Studies>},
                  {"MPPDecsLoan", "&Loans", KindScreen<TDecSummary, TDecSummaryKind::Loan>}}},
            }};
}

}  // namespace

const TPageMenu& ResultsPageMenu() {
    static const TPageMenu menu = MakeMenu();
    return menu;
}

}  // namespace cv
