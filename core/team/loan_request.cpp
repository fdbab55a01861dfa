#include "core/team/loan_request.h"

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"

namespace cv {
namespace {

constexpr char kLoanValues[] = "LoanVal";
constexpr char kLoanAck[] = "LoanAck";
constexpr char kBudgetChangeAck[] = "BgtChgAck";
constexpr double kThousand = 1000;

double Element(const TSimArr& values, std::int8_t element) {
    return static_cast<double>(SimValueNumber(values.GetV({element})));
}

bool Acknowledged(const TCvPerData& decisions, const TDataContext& context, const char* name) {
    return decisions.GetSmallintDef(kCategoryFirm, context, name, 0) == 1;
}

}  // namespace

TStoredRequest ReadStoredRequest(const TCvPerData& decisions, const TDataContext& context) {
    const TSimArr& values = decisions.GetSimArr(kCategoryFirm, context, kLoanValues);
    return {Element(values, si::LoanCap), Element(values, si::LoanDur), Element(values, si::LoanIR),
            Element(values, si::BgtChg)};
}

void WriteStoredRequest(TCvPerData& decisions, const TDataContext& context, const TStoredRequest& request) {
    TSimArr& values = decisions.GetSimArr(kCategoryFirm, context, kLoanValues);
    values.SetReal48({si::LoanCap}, request.loanCap);
    values.SetReal48({si::LoanDur}, request.loanDur);
    values.SetReal48({si::LoanIR}, request.loanIR);
    values.SetReal48({si::BgtChg}, request.bgtChg);
}

TLoanRequest::TLoanRequest(const TCvPerData& decisions, const TDataContext& context) : context_(context) {
    const TStoredRequest stored = ReadStoredRequest(decisions, context);
    loan = {stored.loanCap / kThousand, stored.loanDur, stored.loanIR};
    budgetChange = stored.bgtChg / kThousand;
    loanAck_ = Acknowledged(decisions, context, kLoanAck);
    budgetChangeAck_ = Acknowledged(decisions, context, kBudgetChangeAck);
    signedBudgetChange_ = budgetChangeAck_ ? budgetChange : 0;
    signedLoan_ = loanAck_ ? loan : TLoanTerms{0, 0, kUnsignedRate};
}

bool TLoanRequest::LoanSigned() const {
    return loanAck_ && loan.capital <= signedLoan_.capital && loan.duration <= signedLoan_.duration &&
           loan.rate >= signedLoan_.rate;
}

bool TLoanRequest::BudgetChangeSigned() const { return budgetChangeAck_ && budgetChange == signedBudgetChange_; }

void TLoanRequest::SignLoan() {
    loanAck_ = true;
    signedLoan_ = loan;
}

void TLoanRequest::SignBudgetChange() {
    budgetChangeAck_ = true;
    signedBudgetChange_ = budgetChange;
}

TStoredRequest TLoanRequest::Stored() const {
    return {loan.capital * kThousand, loan.duration, loan.rate, budgetChange * kThousand};
}

void TLoanRequest::Write(TCvPerData& decisions) const {
    decisions.SetSmallint(kCategoryFirm, context_, kLoanAck, LoanSigned() ? 1 : 0);
    decisions.SetSmallint(kCategoryFirm, context_, kBudgetChangeAck, BudgetChangeSigned() ? 1 : 0);
    WriteStoredRequest(decisions, context_, Stored());
}

}  // namespace cv
