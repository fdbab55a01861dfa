#include "reports/documents/decision_docs.h"

#include "reports/budget/bgt_screen.h"
#include "reports/documents/cv_doc.h"
#include "reports/results/brand_result.h"
#include "reports/results/decsummary.h"
#include "reports/results/firm_result.h"

namespace cv {
namespace {

// Headings of "Sections".
constexpr int kDecisionsHeading = 1;
constexpr int kDecisionsBudgetHeading = 8;
constexpr int kBudgetHeading = 9;
constexpr int kBrandForecastHeading = 10;
constexpr int kFirmForecastHeading = 11;

}  // namespace

void AddDecisionSummaries(TCvDoc& doc, bool firmWide) {
    using K = TDecSummaryKind;
    doc.AddScreenPerMarket(doc.DocScreen<TDecSummary>(static_cast<int>(K::Brands)));
    doc.AddScreenOnce(doc.DocScreen<TDecSummary>(static_cast<int>(K::SalesForce)));
    if (firmWide) doc.AddScreenPerMarket(doc.DocScreen<TDecSummary>(static_cast<int>(K::RnD)));
    doc.AddScreenOnce(doc.DocScreen<TDecSummary>(static_cast<int>(K::Studies)));
    if (firmWide) doc.AddScreenOnce(doc.DocScreen<TDecSummary>(static_cast<int>(K::Loan)));
}

// The R&D projects and the loan belong to the firm, not to a zone: the
// documents that go through every zone show them once, in the first.
bool BuildDecisionsDoc(TCvDoc& doc, const TDataContext& context, int outputFlags) {
    doc.OpenDocument(TDocKind::Decisions, context);
    bool first = true;
    doc.ForEachZone([&](int) {
        doc.AddSectionTitle(kDecisionsHeading, false);
        AddDecisionSummaries(doc, first);
        doc.AddSectionTitle(kDecisionsBudgetHeading, false);
        doc.AddScreenOnce(doc.DocScreen<TBgtScreen>(TBgtScreen::kTotalBudget));
        first = false;
    });
    return doc.CloseDocument(TDocKind::Decisions, outputFlags, 1);
}

bool BuildBudgetDoc(TCvDoc& doc, const TDataContext& context, int outputFlags) {
    doc.OpenDocument(TDocKind::Budget, context);
    bool first = true;
    doc.ForEachZone([&](int) {
        doc.AddSectionTitle(kBudgetHeading, false);
        doc.AddScreenOnce(doc.DocScreen<TBgtScreen>(TBgtScreen::kTotalBudget));
        doc.AddScreenPerMarket(doc.DocScreen<TBgtScreen>(TBgtScreen::kBrandBudget));
        if (first) doc.AddScreenOnce(doc.DocScreen<TBgtScreen>(TBgtScreen::kRnDBudget));
        first = false;
    });
    return doc.CloseDocument(TDocKind::Budget, outputFlags, 1);
}

// The document's periods make the coming period the screens' current one, so
// they read the forecast; each market's brands, then the firm over the markets.
bool BuildMarketingPlanDoc(TCvDoc& doc, const TDataContext& context, int outputFlags) {
    doc.OpenDocument(TDocKind::MarketingPlan, context);
    doc.ForEachZone([&](int) {
        doc.AddSectionTitle(kBrandForecastHeading, false);
        doc.AddScreenPerMarket(doc.DocScreen<TBrdResult>(static_cast<int>(TBrdResultKind::PlanContribution)));
        doc.AddSectionTitle(kFirmForecastHeading, false);
        doc.AddScreenOnce(doc.DocScreen<TFirResult>(TFirResult::kPlanContribution));
    });
    return doc.CloseDocument(TDocKind::MarketingPlan, outputFlags, 1);
}

}  // namespace cv
