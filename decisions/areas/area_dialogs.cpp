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
namespace {

// Opens a dialog that needs only its owner and the data, plus the fixed
// arguments a dialog shared by two areas is told its area by.
template <class Dialog, auto... AreaArgs>
std::unique_ptr<TFoCv3Dec> Open(QWidget* owner, TDataContext& context, TMixMemory&) {
    return std::make_unique<Dialog>(owner, AreaArgs..., context);
}

}  // namespace

void RegisterAreaDialogs(TFoDecision& page) {
    page.RegisterDialog(TDecisionArea::MarketingMix, CreateMarketingMix);
    page.RegisterDialog(TDecisionArea::BrandPortfolio, Open<TFoBFolio>);
    page.RegisterDialog(TDecisionArea::Distribution, Open<TFoDistrib>);
    page.RegisterDialog(TDecisionArea::Studies, Open<TFoStudies>);
    page.RegisterDialog(TDecisionArea::MarketingPlan, Open<TFoMktPlan>);
    page.RegisterDialog(TDecisionArea::RnD, Open<TFoDecRnD>);
    page.RegisterDialog(TDecisionArea::Summary, Open<TFoSummary, TSummaryMode::Decisions>);
    page.RegisterDialog(TDecisionArea::Budget, Open<TFoSummary, TSummaryMode::Budget>);
    page.RegisterPrint(PrintDecisionDocument);
}

}  // namespace cv
