#include "tools/sample_industry/sample_variants.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/numbers.h"
#include "core/session/fta_budget.h"
#include "core/store/series_index.h"
#include "tools/sample_industry/sample_dialog_steps.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_quantities.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

constexpr long double kThousand = 1000;

// One restriction bit: the item of a restriction category (a series named like
// the category) that the instructor disabled ("RestrictEnabled") or hid
// ("RestrictHidden") for the teams.
struct TRestriction {
    std::string_view array;
    std::string_view category;
    std::string_view item;
};

std::vector<TRestriction> RestrictionsOf(TSampleRestrictions restrictions) {
    switch (restrictions) {
        case TSampleRestrictions::None: return {};
        case TSampleRestrictions::Several:
            return {{"RestrictEnabled", "rcDecisions", "NoSlfAssistant"},
                    {"RestrictEnabled", "StuMkt", "Conjoint"},
                    {"RestrictHidden", "rcAnalysis", "NoPortfolio"},
                    {"RestrictHidden", "StuMkt", "ExperimentSlf"}};
        case TSampleRestrictions::NoSlf: return {{"RestrictEnabled", "rcDecisions", "NoSlf"}};
        case TSampleRestrictions::NoMarketingPlan: return {{"RestrictEnabled", "rcDecisions", "NoMarketingPlan"}};
        case TSampleRestrictions::StudyHidden: return {{"RestrictHidden", "StuMkt", "ExperimentSlf"}};
        case TSampleRestrictions::NoBenchmarking: return {{"RestrictEnabled", "rcAnalysis", "NoBenchmarking"}};
    }
    throw std::logic_error("sample industry: unknown restriction variant");
}

std::int16_t RequireIndex(const TSeries& series, std::string_view label) {
    const std::int16_t index = series.IndexOf(label);
    if (index == kLabelAbsent)
        throw std::logic_error("sample industry: no element " + std::string(label) + " in " + series.Name());
    return index;
}

void ApplyRestrictions(TCvInd& industry, TSampleRestrictions restrictions) {
    const TDataContext context = SampleContext(kCurrentPeriod, TCellIndex{0, 0, 0});
    for (std::string_view name : {"RestrictEnabled", "RestrictHidden"}) {
        TSimArr* words = industry.ConstPart().FindSimArr(kCategoryIndustry, context, name);
        if (words == nullptr) throw std::logic_error("sample industry: no " + std::string(name));
        WriteRestrictionWords(industry, *words, name, restrictions);
    }
}

// Whether the study dialog of the zone offers Study of the series Studies
// ("StuFta" or "StuMkt") for ordering: shown, not disabled, and available
// where its prices stand (Params, "StuFtaParams" or "StuMktParams").
bool Orderable(const TCvInd& industry, const TSeries& studies, int study, const TSimArr& params) {
    const std::string& category = studies.Name();
    const std::string item = studies.GetLabel(study);
    return !industry.RestrictHidden(category, item) && !industry.RestrictEnabled(category, item) &&
           params.GetReal48({study, si::IsStuAvailable}) != 0;
}

// Clears the orders of Name (over the series Studies) in the decision period's
// Cell that its dialog could not show, so that the budget charges no study the
// team cannot see.
void DropHiddenOrders(TCvInd& industry, const TCellIndex& cell, int category, std::string_view name,
                      std::string_view studies, std::string_view params) {
    const TDataContext context = SampleContext(kDecisionPeriod, cell);
    const TSeries& series = RequireSeries(industry, studies);
    const TSimArr* prices = industry.ConstPart().FindSimArr(category == kCategoryFirmFta ? kCategoryFta : kCategoryFtaMarket,
                                                            context, params);
    if (prices == nullptr) throw std::logic_error("sample industry: no " + std::string(params));
    TSimArr* orders = industry.PerDecisions(kDecisionPeriod).FindSimArr(category, context, name);
    if (orders == nullptr) throw std::logic_error("sample industry: the decisions hold no " + std::string(name));
    for (int study = series.Lo(); study <= series.Hi(); ++study)
        if (!Orderable(industry, series, study, *prices)) orders->SetByte({study}, 0);
}

void DropHiddenOrders(TCvInd& industry) {
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFta))
        DropHiddenOrders(industry, cell, kCategoryFirmFta, "DecStuFta", "StuFta", "StuFtaParams");
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFtaMarket))
        DropHiddenOrders(industry, cell, kCategoryFirmFtaMarket, "DecStuMkt", "StuMkt", "StuMktParams");
}

TSimArr& DecisionArray(TCvPerData& set, int category, const TDataContext& context, std::string_view name) {
    TSimArr* array = set.FindSimArr(category, context, name);
    if (array == nullptr) throw std::logic_error("sample industry: the decisions hold no " + std::string(name));
    return *array;
}

// Each segment's planned size: the size the market forecast expects for the
// next period, and at least what the firm plans to sell in it, up to the
// thousand units the plan enters it in.
void WriteSegmentSizePlan(TCvInd& industry, const TCellIndex& cell) {
    const TDataContext decided = SampleContext(kDecisionPeriod, cell);
    const TDataContext current = SampleContext(kCurrentPeriod, cell);
    TCvPerData& decisions = industry.PerDecisions(kDecisionPeriod);
    const TSeries& segments = CellSeries(industry, "SegSeries", cell.zone, cell.market);
    const TSimArr& plans = DecisionArray(decisions, kCategoryFirmFtaMarket, decided, "MPBrdSegSales");
    const TSimArr* expected = industry.PerResults(kCurrentPeriod).FindSimArr(kCategoryFtaMarket, current, "SegSizes");
    if (expected == nullptr) throw std::logic_error("sample industry: no segment sizes");
    const int brands = decisions.GetSmallint(kCategoryFirmFtaMarket, decided, "NbMktedBrds");
    const TSampleCell plan{industry, decisions, kCategoryFirmFtaMarket, decided, cell};
    TSimArr& sizes = NewArray(plan, "MPSegSales", dkReal48, 0, {&segments});
    for (int s = segments.Lo(); s <= segments.Hi(); ++s) {
        long double planned = 0;
        for (int b = 1; b <= brands; ++b) planned += plans.GetReal48({b, s});
        const long double size = std::max(planned, expected->GetReal48({s, si::StuSizeP1}));
        sizes.SetReal48({s}, kThousand * std::ceil(size / kThousand));
    }
}

// Every firm's planned segment sizes in every zone and market: what the brands'
// plans of the decision period need, where the forecast's defaults kept last
// period's sizes.
void PlanSegmentSizes(TCvInd& industry) {
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFtaMarket)) WriteSegmentSizePlan(industry, cell);
}

// The advertising of the firm's brands in the zone cut, 50,000 at a time from
// the largest budget and down to 500,000 at most, until the zone's budget is
// not overspent.
void KeepWithinBudget(TCvInd& industry, const TCellIndex& firmZone) {
    constexpr long double kCutStep = 50000;
    constexpr long double kLeastAdvertising = 500000;
    TDataContext context = SampleContext(kDecisionPeriod, firmZone);
    TFtaBudget budget;
    budget.Init(industry, context);
    for (budget.Recalculate(); budget.Balance < 0; budget.Recalculate()) {
        TSimArr* largest = nullptr;
        int row = 0;
        for (std::int16_t market = 1; market <= kMarketCount; ++market) {
            context.SelMarket = market;
            TSimArr& mix = DecisionArray(industry.PerDecisions(kDecisionPeriod), kCategoryFirmFtaMarket, context, "DecBrdCV3");
            const int brands = industry.PerDecisions(kDecisionPeriod).GetSmallint(kCategoryFirmFtaMarket, context, "NbMktedBrds");
            for (int b = 1; b <= brands; ++b)
                if (largest == nullptr || mix.GetReal48({b, si::AdvertBgt}) > largest->GetReal48({row, si::AdvertBgt})) {
                    largest = &mix;
                    row = b;
                }
        }
        if (largest == nullptr || largest->GetReal48({row, si::AdvertBgt}) - kCutStep < kLeastAdvertising)
            throw std::logic_error("sample industry: the decisions overspend the budget");
        largest->SetReal48({row, si::AdvertBgt}, largest->GetReal48({row, si::AdvertBgt}) - kCutStep);
    }
}

// Every group taken and acknowledged: the statuses 1, the loans acknowledged.
void TakeEveryGroup(TCvInd& industry) {
    TCvPerData& decisions = industry.PerDecisions(kDecisionPeriod);
    for (const TCellIndex& cell : SampleCells(kCategoryFirm)) {
        const TDataContext context = SampleContext(kDecisionPeriod, cell);
        for (std::string_view name : {"DecStatus", "LoanAck", "BgtChgAck"}) decisions.SetSmallint(kCategoryFirm, context, name, 1);
    }
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFta)) {
        const TDataContext context = SampleContext(kDecisionPeriod, cell);
        for (std::string_view name : {"SlfDecStatus", "StudiesDecStatus"})
            decisions.SetSmallint(kCategoryFirmFta, context, name, 1);
    }
}

// The sample's own decisions, as its team would have entered them: within every
// zone's budget, so that no error keeps the marketing plan shut, on the figures
// the dialogs enter, and a plan whose segment sizes hold the brands' plans.
void DecideWithinBudgets(TCvInd& industry) {
    for (const TCellIndex& cell : SampleCells(kCategoryFirmFta)) KeepWithinBudget(industry, cell);
    PutOnDialogSteps(industry);
    PlanSegmentSizes(industry);
}

}  // namespace

void WriteRestrictionWords(const TCvData& industry, TSimArr& words, std::string_view name,
                           TSampleRestrictions restrictions) {
    const TSeries& categories = RequireSeries(industry, "RestrictCateg");
    words.Clear();
    for (const TRestriction& restriction : RestrictionsOf(restrictions)) {
        if (restriction.array != name) continue;
        const std::int16_t category = RequireIndex(categories, restriction.category);
        const std::int16_t item = RequireIndex(RequireSeries(industry, restriction.category), restriction.item);
        words.SetWord({category}, SetWordBit(words.GetWord({category}), item));
    }
}

void ApplySampleVariant(TCvInd& industry, const TSampleVariant& variant) {
    if (variant.restrictions != TSampleRestrictions::None) ApplyRestrictions(industry, variant.restrictions);
    if (variant.decisions == TSampleDecisions::Fresh)
        industry.PerDecisions(kDecisionPeriod).CopyAllCells(industry.PerDefaults(kDecisionPeriod));
    DropHiddenOrders(industry);
    if (variant.decisions == TSampleDecisions::Complete) TakeEveryGroup(industry);
    if (variant.decisions != TSampleDecisions::Fresh) DecideWithinBudgets(industry);
}

}  // namespace cv::sample
