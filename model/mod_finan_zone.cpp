// TModFinan, firm and zone steps: the loan history with zone 1's interest and
// cost or profit entry, the zone reports with the next period's budget, and the
// firm's cumulative values and returns on spending.

#include <cstdint>

#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/session/fir_loans.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/base/numbers.h"
#include "core/base/text_format.h"
#include "model/mod_finan.h"
#include "model/model_access.h"

namespace cv {

namespace {

// Interest and the loan's cost or profit are booked in this zone only.
constexpr int kLoanZone = 1;
// Returns on spending are per thousand spent; shares are in thousandths.
constexpr long double kPerThousand = 1000;
constexpr long double kShareScale = 1000;

// A positive net contribution earns its share Coef as budget, within the
// bounds; otherwise the smallest budget. Rounded to a multiple of 50,000,
// halves to the even multiple.
long double NextPeriodBudget(long double netContribution, long double budgetMin, long double budgetMax,
                             long double coef) {
    const double budget =
        netContribution <= 0
            ? static_cast<double>(budgetMin)
            : MinReal(MaxReal(static_cast<double>(netContribution * coef), static_cast<double>(budgetMin)),
                      static_cast<double>(budgetMax));
    return RoundToStep(budget, static_cast<double>(kBudgetStep));
}

// Base elements of the zone report and the current elements they start from.
const TElementPair kZoneBaseElements[] = {
    {&si::ffxRSales0, &si::ffxRSales}, {&si::ffxUSold0, &si::ffxUSold}, {&si::ffxUMS0, &si::ffxUMS},
    {&si::ffxVMS0, &si::ffxVMS},       {&si::ffxCBM0, &si::ffxCBM},     {&si::ffxCAM0, &si::ffxCAM},
    {&si::ffxNC0, &si::ffxNC},
};
const TElementPair kReturnBaseElement[] = {{&si::ffxRMI0, &si::ffxRMI}};

// The period's values that the cumulative elements add, in this order.
const TElementPair kZoneCumulativeSums[] = {
    {&si::ffxCumMRS, &si::ffxMRS}, {&si::ffxCumRnD, &si::ffxRnD}, {&si::ffxCumAdv, &si::ffxAdvM},
    {&si::ffxCumAdv, &si::ffxAdvQ}, {&si::ffxCumSlf, &si::ffxSlf}, {&si::ffxCumIP, &si::ffxIP},
    {&si::ffxCumECP, &si::ffxECP}, {&si::ffxCumNC, &si::ffxNC},
};

// The loan terms that the history keeps for the decision period, in this order.
const std::int8_t* const kHistoryTerms[] = {&si::LoanCap, &si::LoanDur, &si::LoanIR, &si::BgtChg};

}  // namespace

void TModFinan::Loans() {
    const int firm = Ctx().SelFirm;
    const int decision = DecisionPeriod();
    const TDataContext cell = CellOf(firm, 0, 0);
    TSimArr& history = RequireArr(*ResultsT1(), kCategoryFirm, cell, "LoansHist");
    const TFinArray request = DecisionT1(kCategoryFirm, cell, "LoanVal");
    if (decision > 0) CopyOrClear(history, OptionalArr(*ResultsT(), kCategoryFirm, cell, "LoansHist"), "LoansHist");
    const TFinArray historyRows(&history, "LoansHist");
    for (const std::int8_t* term : kHistoryTerms) historyRows.Set({decision, *term}, request.Get({*term}));

    if (decision < kLoanFirstRow || decision > kLoanLastRow)
        throw EModelError(FormatText("decision period %d outside the loan table", {decision}));
    Ctx().CurPeriod = static_cast<std::int16_t>(Data()->CurPeriod());
    Ctx().DecPeriod = static_cast<std::int16_t>(decision);
    TFirLoans loans;
    loans.Init(*Data(), Ctx());
    loans.LoanHistory();

    if (Data()->NbFtas() < kLoanZone) return;  // no zone report to book into
    Ctx().SelFta = kLoanZone;
    const TFinArray zoneReport = ResultT1(kCategoryFirmFta, CellOf(firm, kLoanZone, 0), "FFXRpt");
    zoneReport.Set({si::ffxIP}, loans.Loans[decision][lcInterest]);
    zoneReport.Add({si::ffxECP}, DecisionReal(request.Get({si::CostProfit}),
                                              [firm] { return FormatText("CostProfit of firm %d", {firm}); }));
}

void TModFinan::NextBudget() {
    const int zone = Ctx().SelFta;
    const TFinArray studyParams = ConstantArr(kCategoryFta, CellOf(0, zone, 0), "StuFtaParams");
    const long double salaryFactor = MoneyFactor(si::Salaries);
    const long double averageFactor = (MoneyFactor(si::Research) + salaryFactor + MoneyFactor(si::Communic)) / 3;
    const long double budgetMin = Parameter(kCategoryIndustry, "NPBgtMin", kDefNPBgtMin) * averageFactor;
    const long double budgetMax = Parameter(kCategoryIndustry, "NPBgtMax", kDefNPBgtMax) * averageFactor;
    const long double coef = Parameter(kCategoryIndustry, "NPBgtCoef", kDefNPBgtCoef);

    long double sumUnits = 0;
    long double sumRetail = 0;
    const int firms = FirmCount();
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        const TFinArray report = ResultT1(kCategoryFirmFta, CellOf(firm, zone, 0), "FFXRpt");
        SumMarketReports(report, firm);
        ChargeZoneStudies(report, firm, studyParams, salaryFactor);
        sumUnits += report.Get({si::ffxUSold});
        sumRetail += report.Get({si::ffxRSales});
        report.Set({si::ffxNC}, report.Get({si::ffxCAM}) - report.Get({si::ffxMRS}) - report.Get({si::ffxRnD}) -
                                    report.Get({si::ffxIP}) + report.Get({si::ffxECP}));
        report.Set({si::ffxRPrice}, Ratio(report.Get({si::ffxRSales}), report.Get({si::ffxUSold})));
        report.Set({si::ffxSPrice}, Ratio(report.Get({si::ffxRev}), report.Get({si::ffxUSold})));
        report.Set({si::ffxNPB}, NextPeriodBudget(report.Get({si::ffxNC}), budgetMin, budgetMax, coef));
    }
    for (int firm = 1; firm <= firms; ++firm) {
        Ctx().SelFirm = static_cast<std::int16_t>(firm);
        const TDataContext cell = CellOf(firm, zone, 0);
        const TFinArray report = ResultT1(kCategoryFirmFta, cell, "FFXRpt");
        report.Set({si::ffxVMS}, Ratio(report.Get({si::ffxRSales}), sumRetail) * kShareScale);
        report.Set({si::ffxUMS}, Ratio(report.Get({si::ffxUSold}), sumUnits) * kShareScale);
        SetBaseElements(report, Carried(kCategoryFirmFta, cell, "FFXRpt"), DecisionPeriod(), kZoneBaseElements);
    }
}

// Adds each market report of the firm in the zone into its zone report,
// position by position (Init checked that the zone report begins with the
// market report's elements in order).
void TModFinan::SumMarketReports(const TFinArray& zoneReport, int firm) {
    const int count = si::FFMRpt->Count();
    const int marketLo = si::FFMRpt->Lo();
    const int zoneLo = si::FFXRpt->Lo();
    for (int market = 1; market <= Data()->NbMarkets(); ++market) {
        Ctx().SelMarket = static_cast<std::int16_t>(market);
        const TFinArray report = ResultT1(kCategoryFirmFtaMarket, CellOf(firm, Ctx().SelFta, market), "FFMRpt");
        for (int position = 0; position < count; ++position)
            zoneReport.Add({zoneLo + position}, report.Get({marketLo + position}));
    }
}

void TModFinan::ChargeZoneStudies(const TFinArray& zoneReport, int firm, const TFinArray& studyParams,
                                  long double salaryFactor) {
    const TSimArr& orders = RequireArr(*DecisionsT1(), kCategoryFirmFta, CellOf(firm, Ctx().SelFta, 0), "DecStuFta");
    for (int study = si::StuFta->Lo(); study <= si::StuFta->Hi(); ++study)
        if (studyParams.Get({study, si::IsStuAvailable}) > 0 && StudyOrdered(orders, "DecStuFta", study))
            zoneReport.Add({si::ffxMRS}, studyParams.Get({study, si::StuCost}) * salaryFactor);
}

void TModFinan::FirmTotals() {
    const TDataContext cell = CellOf(Ctx().SelFirm, Ctx().SelFta, 0);
    const TFinArray report = ResultT1(kCategoryFirmFta, cell, "FFXRpt");
    const TFinArray previous = Carried(kCategoryFirmFta, cell, "FFXRpt");
    if (DecisionPeriod() > 0)
        CarryElements(report, previous,
                      {si::ffxCumMRS, si::ffxCumRnD, si::ffxCumAdv, si::ffxCumSlf, si::ffxCumIP, si::ffxCumECP,
                       si::ffxCumNC});
    for (const TElementPair& pair : kZoneCumulativeSums) report.Add({*pair.target}, report.Get({*pair.source}));

    auto get = [&report](std::int8_t element) { return report.Get({element}); };
    const long double spend = get(si::ffxRnD) + get(si::ffxMRS) + get(si::ffxAdvM) + get(si::ffxAdvQ) + get(si::ffxSlf);
    report.Set({si::ffxRMI}, Ratio(get(si::ffxNC), spend / kPerThousand));
    const long double cumSpend = get(si::ffxCumRnD) + get(si::ffxCumMRS) + get(si::ffxCumAdv) + get(si::ffxCumSlf);
    report.Set({si::ffxCumRMI}, Ratio(get(si::ffxCumNC), cumSpend / kPerThousand));
    SetBaseElements(report, previous, DecisionPeriod(), kReturnBaseElement);
}

}  // namespace cv
