#pragma once
// TFirLoans: the firm's loan table. Every loan taken in periods 0 to 12 (and the
// one requested for the decision period) with its repayment schedule spread over
// the following periods: interest, principal repaid and principal outstanding,
// summed over all loans. The loan schedule report and the model's finance step
// create one, Init it with their context, run LoanHistory, read Loans and free it.
//
// Each loan is repaid in constant annuities: the principal share grows by the
// factor 1 + rate each period, the interest is the outstanding balance times the
// rate. Instalments that fall after period 12 are outside the table and dropped.
// The object only reads the data store.

#include <array>

#include "core/store/data_context.h"

namespace cv {

class TCvData;
class TCvPerData;

// Rows of the loan table: periods 0..12.
inline constexpr int kLoanFirstRow = 0;
inline constexpr int kLoanLastRow = 12;
inline constexpr int kLoanRowCount = kLoanLastRow - kLoanFirstRow + 1;

// Columns of a row (1-based; column 0 is not used).
enum TLoanColumn : int {
    lcLoanCap = 1,      // amount borrowed in that period ("LoanCap")
    lcLoanDur = 2,      // duration in periods ("LoanDur")
    lcLoanIR = 3,       // rate per period in hundredths of a percent ("LoanIR")
    lcBgtChg = 4,       // budget change granted in that period ("BgtChg")
    lcInterest = 5,     // interest due in that period on all loans
    lcRepaid = 6,       // principal repaid in that period on all loans
    lcOutstanding = 7,  // principal outstanding at the end of that period, all loans
};
inline constexpr int kLoanColumnCount = 7;

// A loan longer than this is taken as damaged data (ERangeError): a real loan
// runs a few periods, and the annuity sum is formed term by term.
inline constexpr long double kMaxLoanDuration = 32767;

class TFirLoans {
public:
    using TLoanRow = std::array<double, kLoanColumnCount + 1>;
    using TLoanTable = std::array<TLoanRow, kLoanRowCount>;

    TFirLoans() = default;
    TFirLoans(const TFirLoans&) = delete;
    TFirLoans& operator=(const TFirLoans&) = delete;

    // Keeps a copy of Context and binds the result set of its current period and
    // the decision set of its decision period (loaded on first use; a period
    // outside the sets' ranges raises ERangeError).
    void Init(TCvData& industry, const TDataContext& context);
    // The same on the session's open industry; without one, ECvError.
    void Init(const TDataContext& context);

    // Rebuilds Loans from "LoansHist" of the current results (rows 0..current
    // period) and the request "LoanVal" of the decision set (the decision
    // period's row, dropped when that period lies beyond the table). A missing
    // array is reported by the data store and contributes nothing. A duration
    // above kMaxLoanDuration raises ERangeError. Must follow Init.
    void LoanHistory();

    // Loans[period][column], period 0..12, column 1..7 (TLoanColumn).
    TLoanTable Loans{};

    TCvPerData* Results() const { return results_; }
    TCvPerData* Decisions() const { return decisions_; }
    const TDataContext& Context() const { return context_; }

private:
    void ReadHistory();
    void ReadRequest();
    void ScheduleLoan(int period);

    TCvPerData* results_ = nullptr;
    TCvPerData* decisions_ = nullptr;
    TDataContext context_;
};

}  // namespace cv
