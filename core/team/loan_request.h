#pragma once
// TLoanRequest: a firm's request for a loan and for a change of its budget in
// the decision period, and the rules that keep a signed request signed.
// Display-free.
//
// Stored in the firm's cell of the decision set: "LoanVal" (indexed by the
// series "LoanTerms": capital and budget change in units, duration in periods,
// rate in hundredths of a percent), "LoanAck" and "BgtChgAck" (1: signed).
// Here capital and budget change are in thousands, the rate in its stored form.

#include "core/store/data_context.h"

namespace cv {

class TCvPerData;

// The terms of a loan: capital in thousands, duration in periods, rate in
// hundredths of a percent.
struct TLoanTerms {
    double capital = 0;
    double duration = 0;
    double rate = 0;
};

// The four elements of "LoanVal" that a request writes, as stored.
struct TStoredRequest {
    double loanCap = 0, loanDur = 0, loanIR = 0, bgtChg = 0;
};

class TLoanRequest {
public:
    // The unsigned rate: no rate a team types is ever at or above it.
    static constexpr double kUnsignedRate = 2147483647.0;

    // Reads the request of Context's firm from Decisions.
    TLoanRequest(const TCvPerData& decisions, const TDataContext& context);

    TLoanTerms loan;
    double budgetChange = 0;  // thousands, signed

    // Signed while the loan asks for no more capital, no longer a duration and
    // no lower rate than were signed.
    bool LoanSigned() const;
    // Signed only at exactly the signed amount.
    bool BudgetChangeSigned() const;
    // The current terms become the signed ones.
    void SignLoan();
    void SignBudgetChange();

    // The request as "LoanVal" stores it.
    TStoredRequest Stored() const;
    // Writes the request and its signatures into Decisions (memory only).
    void Write(TCvPerData& decisions) const;

private:
    TDataContext context_;
    bool loanAck_ = false;
    bool budgetChangeAck_ = false;
    TLoanTerms signedLoan_;
    double signedBudgetChange_ = 0;
};

// The stored "LoanVal" elements of Context's firm, read and written as one.
TStoredRequest ReadStoredRequest(const TCvPerData& decisions, const TDataContext& context);
void WriteStoredRequest(TCvPerData& decisions, const TDataContext& context, const TStoredRequest& request);

}  // namespace cv
