// The firms' money: the budget each zone report grants for the next period and
// the sales force it counted ("FFXRpt"), the study prices ("StuFtaParams",
// "StuMktParams") and orders ("DecStuFta", "DecStuMkt"), the R&D projects
// ("NbPrjs", "PrjNames", "PrjFins"), and the loans: each period's request
// ("LoanVal", "LoanAck", "BgtChgAck") and the history of the requests of
// periods 0..t in the results of t ("LoansHist").

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "tools/sample_industry/sample_layout.h"
#include "tools/sample_industry/sample_writers.h"

namespace cv::sample {

namespace {

// Budget of the next period granted in the results of period -1, per firm and
// zone, and what it grows by in each later period.
constexpr long double kNetBudgetBase[kFirmCount][kZoneCount] = {
    {8000000, 4000000}, {7500000, 4200000}, {7000000, 3800000}, {6500000, 4500000}};
constexpr long double kNetBudgetGrowth = 200000;

// Study prices in the reference money, in the order of the series "StuFta" and "StuMkt".
constexpr long double kZoneStudyPrices[] = {40000};
constexpr long double kMarketStudyPrices[] = {50000, 60000, 40000, 25000, 30000, 20000,
                                              35000, 30000, 45000, 45000, 55000};
constexpr long double kStudyAvailable = 1;
constexpr std::uint8_t kOrdered = 1;
// A decision group the team has taken.
constexpr long double kTaken = 1;
// Market studies are ordered in a rotation: study s when s + firm + market + period is a multiple of this.
constexpr int kMarketStudyRotation = 3;
// In the current period team A orders all of them in M1.
constexpr int kAllStudiesMarket = 1;

// R&D projects of a firm in a market, decided from period First to period Last;
// budgets in the firm's money. Team A developed PAGIL in periods 1 and 2 and
// then stopped: it stays a prototype that needs more budget. I holds PENZO as
// E's partner; O lists PILEX, which it buys from I, with the least budget a
// project takes, to carry it on.
struct TSampleProject {
    std::int16_t firm;
    std::int16_t market;
    std::string_view name;
    long double budget;
    int first;
    int last;
};

constexpr TSampleProject kProjects[] = {
    {1, 1, "PAXIS", 312500.75L, kDecisionPeriod, kDecisionPeriod},
    {1, 1, "PAVIA", 180000, kDecisionPeriod, kDecisionPeriod},
    {1, 2, "PAGIL", 300000, 1, 2},
    {1, 3, "PVELA", 150000, kDecisionPeriod, kDecisionPeriod},
    {2, 2, "PENZO", 240000, 3, kDecisionPeriod},
    {3, 2, "PENZO", 60000, kDecisionPeriod, kDecisionPeriod},
    {3, 1, "PILEX", 275000.5L, 2, kDecisionPeriod},
    {4, 1, "PILEX", 100000, kDecisionPeriod, kDecisionPeriod},
};
constexpr std::uint8_t kProjectNameLength = 8;

// The loans and budget changes the firms requested: amount, duration in periods,
// rate per period in hundredths of a percent, budget change.
struct TSampleLoan {
    std::int16_t firm;
    std::int16_t period;
    long double cap;
    long double duration;
    long double rate;
    long double budgetChange;
};

constexpr TSampleLoan kLoans[] = {
    {1, 1, 500000, 3, 800, 0},
    {1, kDecisionPeriod, 1000000, 2, 1000, 0},
    {2, 2, 0, 0, 0, 150000},
    {3, 0, 250000, 2, 0, 0},
};

std::vector<TSampleProject> ProjectsOf(const TSampleCell& cell) {
    std::vector<TSampleProject> projects;
    for (const TSampleProject& project : kProjects)
        if (project.firm == cell.cell.firm && project.market == cell.cell.market && project.first <= cell.Period() &&
            cell.Period() <= project.last)
            projects.push_back(project);
    return projects;
}

const TSampleLoan* LoanOf(std::int16_t firm, int period) {
    for (const TSampleLoan& loan : kLoans)
        if (loan.firm == firm && loan.period == period) return &loan;
    return nullptr;
}

// The terms of the firm's request of Period into Terms, at IndexOf(element); nothing without a request.
template <class IndexOf>
void WriteLoanTerms(TSimArr& terms, std::int16_t firm, int period, IndexOf indexOf) {
    const TSampleLoan* loan = LoanOf(firm, period);
    if (loan == nullptr) return;
    terms.SetReal48(indexOf(si::LoanCap), loan->cap);
    terms.SetReal48(indexOf(si::LoanDur), loan->duration);
    terms.SetReal48(indexOf(si::LoanIR), loan->rate);
    terms.SetReal48(indexOf(si::BgtChg), loan->budgetChange);
}

template <std::size_t N>
void WriteStudyPrices(const TSampleCell& cell, std::string_view name, std::string_view studies,
                      const long double (&prices)[N]) {
    const TSeries& series = RequireSeries(cell.industry, studies);
    if (series.Count() != static_cast<int>(N)) throw std::logic_error("sample industry: prices of " + series.Name());
    TSimArr& params = NewArray(cell, name, dkReal48, 0, {&series, &RequireSeries(cell.industry, "StuInfos")});
    for (std::size_t i = 0; i < N; ++i) {
        const int study = series.Lo() + static_cast<int>(i);
        params.SetReal48({study, si::IsStuAvailable}, kStudyAvailable);
        params.SetReal48({study, si::StuCost}, prices[i]);
    }
}

TSimArr& CreateOrders(const TSampleCell& cell, std::string_view name, const TSeries& studies) {
    return NewArray(cell, name, dkByte, 0, {&studies});
}

}  // namespace

void WriteFirmZoneReport(const TSampleCell& cell, std::string_view name) {
    TSimArr& report = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "FFXRpt")});
    const int period = cell.Period();
    const long double budget =
        kNetBudgetBase[cell.cell.firm - 1][cell.cell.zone - 1] + kNetBudgetGrowth * (period - cv::kFirstResultPeriod);
    report.SetReal48({si::ffxNPB}, budget);
    // The history period counts the force of period 0.
    report.SetReal48({si::ffxSlp}, SalesForceTotal(cell.cell.firm, cell.cell.zone, std::max(period, 0)));
}

void WriteZoneStudyPrices(const TSampleCell& cell, std::string_view name) {
    WriteStudyPrices(cell, name, "StuFta", kZoneStudyPrices);
}

void WriteMarketStudyPrices(const TSampleCell& cell, std::string_view name) {
    WriteStudyPrices(cell, name, "StuMkt", kMarketStudyPrices);
}

// The benchmark study is ordered in every other period: team A in the even ones.
void WriteZoneStudyOrders(const TSampleCell& cell, std::string_view name) {
    const TSeries& studies = RequireSeries(cell.industry, "StuFta");
    TSimArr& orders = CreateOrders(cell, name, studies);
    if ((cell.cell.firm + cell.Period()) % 2 == 1) orders.SetByte({studies.Lo()}, kOrdered);
}

// Team A orders every market study of the current period in M1; otherwise the
// studies are ordered in the rotation, which gives team A in M2 the
// distribution panel, the market forecast and the advertising experiment then.
void WriteMarketStudyOrders(const TSampleCell& cell, std::string_view name) {
    const TSeries& studies = RequireSeries(cell.industry, "StuMkt");
    TSimArr& orders = CreateOrders(cell, name, studies);
    const bool homeNow = cell.cell.firm == kHomeFirm && cell.Period() == kCurrentPeriod;
    for (int study = studies.Lo(); study <= studies.Hi(); ++study) {
        const bool rotation = (study + cell.cell.firm + cell.cell.market + cell.Period()) % kMarketStudyRotation == 0;
        if (rotation || (homeNow && cell.cell.market == kAllStudiesMarket)) orders.SetByte({study}, kOrdered);
    }
}

void WriteProjectCount(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, static_cast<std::int16_t>(ProjectsOf(cell).size()));
}

void WriteProjectNames(const TSampleCell& cell, std::string_view name) {
    TSimArr& names = NewArray(cell, name, dkZts, kProjectNameLength, {&RequireSeries(cell.industry, "Projet")});
    const std::vector<TSampleProject> projects = ProjectsOf(cell);
    for (std::size_t i = 0; i < projects.size(); ++i) names.SetZts({i + 1}, projects[i].name);
}

void WriteProjectFinances(const TSampleCell& cell, std::string_view name) {
    TSimArr& finances =
        NewArray(cell, name, dkReal48, 0,
                 {&RequireSeries(cell.industry, "Projet"), &RequireSeries(cell.industry, "ProFinances")});
    const std::vector<TSampleProject> projects = ProjectsOf(cell);
    for (std::size_t i = 0; i < projects.size(); ++i) {
        finances.SetReal48({i + 1, si::ProAllBgt}, projects[i].budget);
        finances.SetReal48({i + 1, si::ProDecStatus}, kTaken);
        WriteProjectDesign(cell, finances, static_cast<int>(i + 1), projects[i].name);
    }
}

// Every decision group was taken in the periods already run; in the decision
// period the team has taken its brand, study and R&D decisions but not yet its
// sales force, so that its status is "some" (2).
void WriteDecisionStatus(const TSampleCell& cell, std::string_view name) {
    constexpr std::int16_t kSomeTaken = 2;
    std::int16_t status = 1;
    if (cell.Period() == kDecisionPeriod) status = name == "DecStatus" ? kSomeTaken : name == "SlfDecStatus" ? 0 : 1;
    cell.set.SetSmallint(cell.category, cell.context, name, status);
}

void WriteLoanRequest(const TSampleCell& cell, std::string_view name) {
    TSimArr& request = NewArray(cell, name, dkReal48, 0, {&RequireSeries(cell.industry, "LoanTerms")});
    WriteLoanTerms(request, cell.cell.firm, cell.Period(), [](int element) { return TIndex{element}; });
}

// The instructor has acknowledged every request but the one being decided.
void WriteLoanAcknowledgement(const TSampleCell& cell, std::string_view name) {
    cell.set.SetSmallint(cell.category, cell.context, name, cell.Period() < kDecisionPeriod ? 1 : 0);
}

void WriteLoanHistory(const TSampleCell& cell, std::string_view name) {
    const TSeries& periods = CellSeries(cell.industry, "PerSeries");
    TSimArr& history = NewArray(cell, name, dkReal48, 0, {&periods, &RequireSeries(cell.industry, "LoanTerms")});
    history.Clear();  // stored even while no loan was taken yet
    for (int period = periods.Lo(); period <= cell.Period(); ++period)
        WriteLoanTerms(history, cell.cell.firm, period, [period](int element) { return TIndex{period, element}; });
}

}  // namespace cv::sample
