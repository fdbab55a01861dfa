#include "core/session/fir_loans.h"

#include <cmath>
#include <cstdint>

#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/open_industry.h"
#include "core/base/errors.h"
#include "core/session/industry.h"

namespace cv {

namespace {

constexpr char kLoansHistName[] = "LoansHist";
constexpr char kLoanValName[] = "LoanVal";
// "LoanIR" is in hundredths of a percent.
constexpr long double kPercent = 100;

// The terms a loan row copies from "LoansHist" and "LoanVal": column and element of "LoanTerms".
struct TLoanTerm {
    TLoanColumn column;
    const std::int8_t* element;
};
const TLoanTerm kLoanTerms[] = {
    {lcLoanCap, &si::LoanCap},
    {lcLoanDur, &si::LoanDur},
    {lcLoanIR, &si::LoanIR},
    {lcBgtChg, &si::BgtChg},
};

// Columns 1 to 4 of Row from Terms; IndexOf gives the array index of a "LoanTerms" element.
template <class IndexOf>
void CopyTerms(TFirLoans::TLoanRow& row, const TDynArr& terms, IndexOf indexOf) {
    for (const TLoanTerm& term : kLoanTerms)
        row[term.column] = static_cast<double>(terms.GetReal48(indexOf(*term.element)));
}

}  // namespace

void TFirLoans::Init(TCvData& industry, const TDataContext& context) {
    context_ = context;
    results_ = &industry.PerResults(context.CurPeriod);
    decisions_ = &industry.PerDecisions(context.DecPeriod);
}

void TFirLoans::Init(const TDataContext& context) { Init(SessionIndustry("TFirLoans.Init"), context); }

void TFirLoans::LoanHistory() {
    if (!results_ || !decisions_) throw ECvError("[TFirLoans.LoanHistory] Init was not called");
    Loans = {};
    ReadHistory();
    ReadRequest();
    for (int period = kLoanFirstRow; period <= kLoanLastRow; ++period) ScheduleLoan(period);
}

void TFirLoans::ReadHistory() {
    if (context_.CurPeriod < kLoanFirstRow) return;
    const TSimArr& history = results_->GetSimArr(kCategoryFirm, context_, kLoansHistName);
    // Init bound the results of the current period, which is therefore at most the table's last row.
    for (int period = kLoanFirstRow; period <= context_.CurPeriod; ++period)
        CopyTerms(Loans[period], history, [period](int element) { return TIndex{period, element}; });
}

void TFirLoans::ReadRequest() {
    const TSimArr& request = decisions_->GetSimArr(kCategoryFirm, context_, kLoanValName);
    // A request for the period after the table's last one has no row: its instalments all fall outside.
    const int period = context_.DecPeriod;
    if (period < kLoanFirstRow || period > kLoanLastRow) return;
    CopyTerms(Loans[period], request, [](int element) { return TIndex{element}; });
}

// Spreads the loan of Period over its instalments: the first repayment A solves
// L = A x (1 + (1+r) + ... + (1+r)^(n-1)), and each later one is the previous times 1 + r.
void TFirLoans::ScheduleLoan(int period) {
    const TLoanRow& loan = Loans[period];
    long double balance = loan[lcLoanCap];
    if (!(balance > 0)) return;
    const long double duration = std::nearbyint(static_cast<long double>(loan[lcLoanDur]));
    if (duration > kMaxLoanDuration) throw ERangeError();
    const int instalments = duration < 1 ? 0 : static_cast<int>(duration);
    const long double rate = static_cast<long double>(loan[lcLoanIR]) / kPercent / kPercent;
    const long double growth = 1 + rate;

    long double annuitySum = 1;
    long double factor = 1;
    for (int k = 1; k < instalments; ++k) {
        factor *= growth;
        annuitySum += factor;
    }
    long double repayment = annuitySum == 0 ? 0 : balance / annuitySum;

    for (int j = 1; j <= instalments && period + j - 1 <= kLoanLastRow; ++j) {
        TLoanRow& row = Loans[period + j - 1];
        row[lcInterest] += static_cast<double>(balance * rate);
        row[lcRepaid] += static_cast<double>(repayment);
        balance -= repayment;
        row[lcOutstanding] += static_cast<double>(balance);
        repayment *= growth;
    }
}

}  // namespace cv
