#include "decisions/areas/area_dialogs.h"

#include <memory>

#include "decisions/distribution/distribution_dialog.h"
#include "decisions/mix/mix_dialog.h"
#include "decisions/page/decision_page.h"
#include "decisions/plan/mkt_plan_dialog.h"
#include "decisions/portfolio/brand_portfolio_dialog.h"
#include "decisions/rnd/rnd_dialog.h"
#include "decisions/studies/study_order_dialog.h"
#include "decisions/summary/decision_print.h"
#include "decisions/summary/summary_dialog.h"

namespace cv {

void RegisterAreaDialogs(TFoDecision& page) {
    page.RegisterDialog(TDecisionArea::MarketingMix, CreateMarketingMix);
    page.RegisterDialog(TDecisionArea::BrandPortfolio, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoBFolio>(owner, context);
    });
    page.RegisterDialog(TDecisionArea::Distribution, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoDistrib>(owner, context);
    });
    page.RegisterDialog(TDecisionArea::Studies, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoStudies>(owner, context);
    });
    page.RegisterDialog(TDecisionArea::MarketingPlan, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoMktPlan>(owner, context);
    });
    page.RegisterDialog(TDecisionArea::RnD, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoDecRnD>(owner, context);
    });
    page.RegisterDialog(TDecisionArea::Summary, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoSummary>(owner, TSummaryMode::Decisions, context);
    });
    page.RegisterDialog(TDecisionArea::Budget, [](QWidget* owner, TDataContext& context, TMixMemory&) {
        return std::make_unique<TFoSummary>(owner, TSummaryMode::Budget, context);
    });
    page.RegisterPrint(PrintDecisionDocument);
}

}  // namespace cv
