#include "decisions/page/decision_page_areas.h"

namespace cv {

namespace {
constexpr int kPrintButton = 1;
constexpr int kHelpButton = 2;
}  // namespace

const std::array<TDecisionAreaSpec, kDecisionAreaCount>& DecisionAreaSpecs() {
    using A = TDecisionArea;
    static const std::array<TDecisionAreaSpec, kDecisionAreaCount> specs{{
        {A::BrandPortfolio, "BBBrdPF", "Brand portfolio", "imBrdPF", "imgBrdPF", "BBBRDPF.WMF", "NoBrdIMW", false,
         asFtas | asMarkets, asFirms | asFtas | asMarkets, 0, {kHelpButton}, 42, true},
        {A::MarketingMix, "BBBrdMMix", "Marketing mix", "imBrdMMix", "imgBrdMMix", "BBMKTMIX.WMF", nullptr, false,
         asFtas | asMarkets, asFirms | asFtas | asMarkets, 0, {kHelpButton}, 37, true},
        // Each zone has its own sales force: with several zones the dialog follows the zone selector.
        {A::Distribution, "BBDistrib", "Distribution", "imDistrib", "imgDistrib", "BBDISTR.WMF", "NoSlf", false, 0,
         asFirms, asFtas, {kHelpButton}, 51, true},
        // The study rows hold a box per market: no market selector.
        {A::Studies, "BBStudies", "Market studies", "imStudies", "imgStudies", "BBSTUDY.WMF", nullptr, false,
         asFtas, asFirms | asFtas, 0, {kHelpButton}, 38, true},
        {A::RnD, "BBRnD", "Research and development", "imRnD", "imgRnD", "BBRND.WMF", "NoRnD", false, asMarkets,
         asFirms | asMarkets, 0, {kHelpButton}, 50, true},
        // The summary and the budget lend the period too: earlier decisions can be looked at.
        {A::Summary, "BBSummary", "Summary", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asPeriods | asFirms | asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, 13, false},
        {A::Budget, "BBBudget", "Budget", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asPeriods | asFirms | asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, 43, false},
        {A::MarketingPlan, "BBMktPlan", "Marketing plan", nullptr, nullptr, nullptr, "NoMarketingPlan", false,
         asFtas | asMarkets, asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, 36, false},
    }};
    return specs;
}

const TDecisionAreaSpec& AreaSpec(TDecisionArea area) { return DecisionAreaSpecs()[static_cast<std::size_t>(area)]; }

unsigned AreaChoices(const TDecisionAreaSpec& spec, int nbFtas) {
    return nbFtas > 1 ? spec.choices | spec.severalZones : spec.choices;
}

unsigned AreaLent(const TDecisionAreaSpec& spec, int nbFtas) {
    return nbFtas > 1 ? spec.lent | spec.severalZones : spec.lent;
}

}  // namespace cv
