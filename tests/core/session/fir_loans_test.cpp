#include "core/session/fir_loans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

constexpr std::int16_t kFirm = 2;
constexpr double kTolerance = 1e-9;

struct TLoanTerms {
    double cap = 0;
    double duration = 0;
    double rate = 0;  // hundredths of a percent
};

// An industry whose firm 2 took the loans of SetHistory in the periods 0..CurPeriod and requests those of SetRequest
// for the decision period.
class LoanIndustry {
public:
    LoanIndustry() {
        std::vector<std::string> periods;
        for (int p = 0; p <= 12; ++p) periods.push_back(std::to_string(p));
        periodSeries_ = &test::AddSeries(industry_, "Periods", 0, periods);
        loanTerms_ = &test::AddIndexedSeries(industry_, "LoanTerms");
        test::IndexSeries(industry_);
    }

    TDataContext Context(int curPeriod, int decPeriod) const {
        TDataContext context;
        context.SelFirm = kFirm;
        context.CurPeriod = static_cast<std::int16_t>(curPeriod);
        context.DecPeriod = static_cast<std::int16_t>(decPeriod);
        return context;
    }

    void SetHistory(int curPeriod, int period, const TLoanTerms& terms) {
        TSimArr& history = Array(industry_.PerResults(curPeriod), Context(curPeriod, curPeriod + 1), "LoansHist",
                                 {periodSeries_, loanTerms_});
        WriteTerms(history, terms, [period](int element) { return TIndex{period, element}; });
    }

    void SetRequest(int decPeriod, const TLoanTerms& terms) {
        TSimArr& request = Array(industry_.PerDecisions(decPeriod), Context(decPeriod - 1, decPeriod), "LoanVal",
                                 {loanTerms_});
        WriteTerms(request, terms, [](int element) { return TIndex{element}; });
    }

    TCvData& Industry() { return industry_; }

private:
    static TSimArr& Array(TCvPerData& set, const TDataContext& context, const char* name,
                          std::initializer_list<const TSeries*> dimensions) {
        if (TSimArr* array = set.FindSimArr(kCategoryFirm, context, name)) return *array;
        return set.CreateSimArr(kCategoryFirm, context, name, dkReal48, 0, dimensions);
    }

    template <class IndexOf>
    static void WriteTerms(TSimArr& array, const TLoanTerms& terms, IndexOf indexOf) {
        array.SetReal48(indexOf(si::LoanCap), terms.cap);
        array.SetReal48(indexOf(si::LoanDur), terms.duration);
        array.SetReal48(indexOf(si::LoanIR), terms.rate);
    }

    TCvData industry_;
    TSeries* periodSeries_ = nullptr;
    TSeries* loanTerms_ = nullptr;
};

TEST(FirLoans, DecisionPeriodThirteenKeepsTheHistory) {
    LoanIndustry industry;
    // Period 12: 300 over 3 periods at rate 0: only row 12 is in the table.
    industry.SetHistory(12, 12, {300, 3, 0});
    industry.SetRequest(13, {5000, 2, 1000});
    // The table is rebuilt from scratch on every call: a second run gives the same rows.
    TFirLoans loans;
    loans.Init(industry.Industry(), industry.Context(12, 13));
    for (int run = 1; run <= 2; ++run) {
        loans.LoanHistory();
        EXPECT_DOUBLE_EQ(loans.Loans[12][lcLoanCap], 300) << run;
        EXPECT_NEAR(loans.Loans[12][lcRepaid], 100, kTolerance) << run;
        EXPECT_NEAR(loans.Loans[12][lcOutstanding], 200, kTolerance) << run;
    }
    EXPECT_EQ(loans.Decisions(), &industry.Industry().PerDecisions(13));
}

TEST(FirLoans, MisuseRaisesTypedErrors) {
    LoanIndustry industry;
    TFirLoans loans;
    EXPECT_THROW(loans.LoanHistory(), ECvError);
    // Without a session there is no open industry to bind.
    EXPECT_THROW(loans.Init(industry.Context(3, 4)), ECvError);
    // A history or a request that is not there is damaged data, named.
    industry.SetRequest(4, {0, 0, 0});
    loans.Init(industry.Industry(), industry.Context(3, 4));
    EXPECT_EQ(test::ErrorText<EDataError>([&] { loans.LoanHistory(); }),
              "array LoansHist missing in the results of period 3, firm 2");
    // A duration no loan can have is damaged data; the longest one is still a loan:
    // at rate 0 its first instalment is 32767 / 32767 = 1.
    industry.SetHistory(3, 0, {0, 0, 0});
    industry.SetRequest(4, {32767, kMaxLoanDuration, 0});
    loans.LoanHistory();
    EXPECT_NEAR(loans.Loans[4][lcRepaid], 1, kTolerance);
    industry.SetRequest(4, {32767, kMaxLoanDuration + 1, 0});
    EXPECT_THROW(loans.LoanHistory(), ERangeError);
}

}  // namespace
}  // namespace cv
