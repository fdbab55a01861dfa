#include "decisions/page/decision_page_areas.h"

namespace cv {

namespace {
constexpr int kPrintButton = 1;
constexpr int kHelpButton = 2;
}  // namespace

const std::array<TDecisionAreaLayout, kDecisionAreaCount>& DecisionAreaLayouts() {
    using A = TDecisionArea;
    static const std::array<TDecisionAreaLayout, kDecisionAreaCount> layouts{{
        {A::BrandPortfolio, "BBBrdPF", "Brand portfolio", "imBrdPF", "imgBrdPF", "BBBRDPF.WMF", "NoBrdIMW", false,
         asFtas | asMarkets, asFirms | asFtas | asMarkets, 0, {kHelpButton}, hcBrandPortfolio, true},
        {A::MarketingMix, "BBBrdMMix", "Marketing mix", "imBrdMMix", "imgBrdMMix", "BBMKTMIX.WMF", nullptr, false,
         asFtas | asMarkets, asFirms | asFtas | asMarkets, 0, {kHelpButton}, hcMarketingMix, true},
        // Each zone has its own sales force: with several zones the dialog follows the zone selector.
        {A::Distribution, "BBDistrib", "Distribution", "imDistrib", "imgDistrib", "BBDISTR.WMF", "NoSlf", false, 0,
         asFirms, asFtas, {kHelpButton}, hcDistribution, true},
        // The study rows hold a box per market: no market selector.
        {A::Studies, "BBStudies", "Market studies", "imStudies", "imgStudies", "BBSTUDY.WMF", nullptr, false,
         asFtas, asFirms | asFtas, 0, {kHelpButton}, hcMarketStudies, true},
        {A::RnD, "BBRnD", "Research and development", "imRnD", "imgRnD", "BBRND.WMF", "NoRnD", false, asMarkets,
         asFirms | asMarkets, 0, {kHelpButton}, hcRnD, true},
        // The summary and the budget lend the period too: earlier decisions can be looked at.
        {A::Summary, "BBSummary", "Summary", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asPeriods | asFirms | asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, hcDecisionsPage, false},
        {A::Budget, "BBBudget", "Budget", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asPeriods | asFirms | asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, hcBudget, false},
        {A::MarketingPlan, "BBMktPlan", "Marketing plan", nullptr, nullptr, nullptr, "NoMarketingPlan", false,
         asFtas | asMarkets, asFtas | asMarkets, 0, {kHelpButton, kPrintButton}, hcMarketingPlan, false},
    }};
    return layouts;
}

const TDecisionAreaLayout& AreaLayout(TDecisionArea area) { return DecisionAreaLayouts()[static_cast<std::size_t>(area)]; }

unsigned AreaChoices(const TDecisionAreaLayout& layout, int nbFtas) {
    return nbFtas > 1 ? layout.choices | layout.severalZones : layout.choices;
}

unsigned AreaLent(const TDecisionAreaLayout& layout, int nbFtas) {
    return nbFtas > 1 ? layout.lent | layout.severalZones : layout.lent;
}

}  // namespace cv
