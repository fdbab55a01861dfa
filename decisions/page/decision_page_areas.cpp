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
         asFtas | asMarkets, asFirms | asFtas | asMarkets, {kHelpButton}, 42, true},
        {A::MarketingMix, "BBBrdMMix", "Marketing mix", "imBrdMMix", "imgBrdMMix", "BBMKTMIX.WMF", nullptr, false,
         asFtas | asMarkets, asFirms | asFtas | asMarkets, {kHelpButton}, 37, true},
        {A::Distribution, "BBDistrib", "Distribution", "imDistrib", "imgDistrib", "BBDISTR.WMF", "NoSlf", false, 0,
         asFirms, {kHelpButton}, 51, true},
        {A::Studies, "BBStudies", "Market studies", "imStudies", "imgStudies", "BBSTUDY.WMF", nullptr, false,
         asFtas | asMarkets, asFirms | asFtas, {kHelpButton}, 38, true},
        {A::RnD, "BBRnD", "Research and development", "imRnD", "imgRnD", "BBRND.WMF", "NoRnD", false, asMarkets,
         asFirms | asMarkets, {kHelpButton}, 50, true},
        {A::Summary, "BBSummary", "Summary", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asFirms | asFtas | asMarkets, {kHelpButton, kPrintButton}, 13, false},
        {A::Budget, "BBBudget", "Budget", nullptr, nullptr, nullptr, nullptr, true, asFtas | asMarkets,
         asFirms | asFtas | asMarkets, {kHelpButton, kPrintButton}, 43, false},
        {A::MarketingPlan, "BBMktPlan", "Marketing plan", nullptr, nullptr, nullptr, "NoMarketingPlan", false,
         asFtas | asMarkets, asFtas | asMarkets, {kHelpButton, kPrintButton}, 36, false},
    }};
    return specs;
}

const TDecisionAreaSpec& AreaSpec(TDecisionArea area) { return DecisionAreaSpecs()[static_cast<std::size_t>(area)]; }

}  // namespace cv
