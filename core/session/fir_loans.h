#pragma once
// TFirLoans: one row per period (0..12) of a firm's borrowing: what was borrowed
// and on which terms, plus the interest, repayments and remaining debt that all
// loans together produce in that period. The request for the decision period
// counts as a loan too. Users (the loan report, the model's finance step) make
// one, Init it, call LoanHistory and read Loans.
//
// A loan is paid back by equal instalments: each period the repaid part grows
// by the factor 1 + rate while the interest, charged on what is still owed,
// shrinks. Instalments due after the last row are not recorded. Nothing is
// written to the data store.

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
    lcLoanCap = 1,      // the period's new borrowing ("LoanCap")
    lcLoanDur = 2,      // its length in periods ("LoanDur")
    lcLoanIR = 3,       // its rate per period, in hundredths of a percent ("LoanIR")
    lcBgtChg = 4,       // the period's granted budget change ("BgtChg")
    lcInterest = 5,     // interest charged this period, every loan together
    lcRepaid = 6,       // principal paid back this period, every loan together
    lcOutstanding = 7,  // debt left after this period, every loan together
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

    // Fills Loans (after Init): rows up to the current period from "LoansHist"
    // of the current results, the decision period's row from "LoanVal" of the
    // decisions (left out when it falls past the last row). A missing array is
    // reported by the store and adds nothing; a duration over kMaxLoanDuration
    // raises ERangeError.
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
