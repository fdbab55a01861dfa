#include "core/finance/fir_loans.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/cv_data.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

constexpr std::int16_t kFirm = 2;
constexpr double kTolerance = 1e-9;

struct TLoanTerms {
    double cap = 0;
    double duration = 0;
    double rate = 0;  // hundredths of a percent
    double budgetChange = 0;
};

// An industry whose firm 2 took the loans of History in the periods 0..CurPeriod
// and requests Request for the decision period.
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

    TFirLoans::TLoanTable Build(int curPeriod, int decPeriod) {
        TFirLoans loans;
        loans.Init(industry_, Context(curPeriod, decPeriod));
        loans.LoanHistory();
        return loans.Loans;
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
        array.SetReal48(indexOf(si::BgtChg), terms.budgetChange);
    }

    TCvData industry_;
    TSeries* periodSeries_ = nullptr;
    TSeries* loanTerms_ = nullptr;
};

// The schedule columns of Row: interest, repayment and the balance left.
void ExpectSchedule(const TFirLoans::TLoanTable& loans, int row, const std::array<double, 3>& expected) {
    EXPECT_NEAR(loans[row][lcInterest], expected[0], kTolerance) << "row " << row;
    EXPECT_NEAR(loans[row][lcRepaid], expected[1], kTolerance) << "row " << row;
    EXPECT_NEAR(loans[row][lcOutstanding], expected[2], kTolerance) << "row " << row;
}

void ExpectScheduleColumnsZero(const TFirLoans::TLoanTable& loans, int row) { ExpectSchedule(loans, row, {0, 0, 0}); }

TEST(FirLoans, HistoryLoansAreSummedWithTheRequest) {
    LoanIndustry industry;
    // Period 1: 600 over 3 periods at rate 0: 200 a period in 1, 2, 3.
    industry.SetHistory(3, 1, {600, 3, 0, 0});
    // Period 2: only a budget change; period 3: a loan of 0 at 5%, which schedules nothing.
    industry.SetHistory(3, 2, {0, 0, 0, 75});
    industry.SetHistory(3, 3, {0, 4, 500, 0});
    // Decision period 4: 1000 over 2 periods at 10% (1000 hundredths of a percent).
    industry.SetRequest(4, {1000, 2, 1000, 250});
    const auto loans = industry.Build(3, 4);

    EXPECT_DOUBLE_EQ(loans[1][lcLoanCap], 600);
    EXPECT_DOUBLE_EQ(loans[1][lcLoanDur], 3);
    EXPECT_DOUBLE_EQ(loans[2][lcBgtChg], 75);
    EXPECT_DOUBLE_EQ(loans[3][lcLoanIR], 500);
    ExpectScheduleColumnsZero(loans, 0);
    // Rate 0 repays L / n = 200 each period and pays no interest; the balance falls 400, 200, 0.
    for (int row = 1; row <= 3; ++row) ExpectSchedule(loans, row, {0, 200, 600 - 200.0 * row});
    // Row 4 carries the request's terms. S = 1 + 1.1 = 2.1, A = 1000 / 2.1 = 476.190476...;
    // interest 1000 x 0.1 = 100; balance 1000 - A = 523.809523...
    EXPECT_DOUBLE_EQ(loans[4][lcLoanCap], 1000);
    EXPECT_DOUBLE_EQ(loans[4][lcBgtChg], 250);
    ExpectSchedule(loans, 4, {100, 1000 / 2.1, 1000 - 1000 / 2.1});
    // Period 5: interest 523.81 x 0.1 = 52.380952..., repayment A x 1.1 = 523.809523..., balance 0.
    ExpectSchedule(loans, 5, {52.38095238095238, 523.8095238095238, 0});
    for (int row : {6, 12}) ExpectScheduleColumnsZero(loans, row);
}

TEST(FirLoans, LoansWithoutAmountOrDurationScheduleNothing) {
    LoanIndustry industry;
    industry.SetHistory(2, 0, {-500, 3, 1000, 0});
    industry.SetHistory(2, 1, {500, 0, 1000, 0});
    industry.SetHistory(2, 2, {500, -2, 1000, 0});
    const auto loans = industry.Build(2, 3);
    EXPECT_DOUBLE_EQ(loans[0][lcLoanCap], -500);
    EXPECT_DOUBLE_EQ(loans[1][lcLoanCap], 500);
    for (int row = 0; row <= 12; ++row) ExpectScheduleColumnsZero(loans, row);
}

TEST(FirLoans, InstalmentsAfterPeriodTwelveAreDropped) {
    LoanIndustry industry;
    // Period 10: 1000 over 5 periods at rate 0: 200 in 10, 11, 12; 13 and 14 fall outside.
    industry.SetHistory(10, 10, {1000, 5, 0, 0});
    const auto loans = industry.Build(10, 11);
    for (int row = 0; row <= 9; ++row) ExpectScheduleColumnsZero(loans, row);
    for (int row = 10; row <= 12; ++row) ExpectSchedule(loans, row, {0, 200, 1000 - 200.0 * (row - 9)});
    // The duration rounds halves to even: 2.5 is 2 periods (500 + 500), 3.5 is 4 periods (250 each).
    industry.SetHistory(10, 0, {1000, 2.5, 0, 0});
    industry.SetHistory(10, 3, {1000, 3.5, 0, 0});
    const auto rounded = industry.Build(10, 11);
    EXPECT_NEAR(rounded[1][lcRepaid], 500, kTolerance);
    ExpectScheduleColumnsZero(rounded, 2);
    EXPECT_NEAR(rounded[6][lcRepaid], 250, kTolerance);
    ExpectScheduleColumnsZero(rounded, 7);
}

TEST(FirLoans, DecisionPeriodThirteenKeepsTheHistory) {
    LoanIndustry industry;
    // Period 12: 300 over 3 periods at rate 0: only row 12 is in the table.
    industry.SetHistory(12, 12, {300, 3, 0, 0});
    industry.SetRequest(13, {5000, 2, 1000, 0});
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

TEST(FirLoans, MissingArraysAndNoPastPeriodLeaveTheTableEmpty) {
    LoanIndustry industry;
    // No "LoansHist", no "LoanVal": reported by the data store, nothing in the table.
    const auto empty = industry.Build(3, 4);
    for (const auto& row : empty)
        for (double value : row) EXPECT_EQ(value, 0);
    // Before the first period (current period -1) the history is not read; the request still is.
    industry.SetRequest(0, {100, 1, 0, 0});
    const auto first = industry.Build(-1, 0);
    EXPECT_DOUBLE_EQ(first[0][lcLoanCap], 100);
    EXPECT_NEAR(first[0][lcRepaid], 100, kTolerance);
}

TEST(FirLoans, SampleFirmsLoanHistories) {
    test::OpenSampleIndustry sample;
    TFirLoans loans;
    loans.Init(sample.Industry(), test::OpenSampleIndustry::Context(1, 0));
    loans.LoanHistory();
    const auto& a = loans.Loans;
    // Team A, period 1: 500,000 over 3 periods at 8 %: S = 1 + 1.08 + 1.08^2 = 3.2464, A = 500,000 / S.
    const double first = 500000 / 3.2464;
    EXPECT_DOUBLE_EQ(a[1][lcLoanIR], 800);
    ExpectSchedule(a, 1, {40000, first, 500000 - first});
    ExpectSchedule(a, 2, {(500000 - first) * 0.08, first * 1.08, 500000 - first * 2.08});
    ExpectSchedule(a, 3, {(500000 - first * 2.08) * 0.08, first * 1.1664, 0});
    // Its request of the decision period 4: 1,000,000 over 2 periods at 10 %.
    EXPECT_NEAR(a[4][lcRepaid], 1000000 / 2.1, kTolerance);

    // Team E: only a budget change in period 2.
    loans.Init(sample.Industry(), test::OpenSampleIndustry::Context(2, 0));
    loans.LoanHistory();
    EXPECT_DOUBLE_EQ(loans.Loans[2][lcBgtChg], 150000);
    for (int row = 0; row <= 12; ++row) ExpectScheduleColumnsZero(loans.Loans, row);
}

TEST(FirLoans, MisuseRaisesTypedErrors) {
    LoanIndustry industry;
    TFirLoans loans;
    EXPECT_THROW(loans.LoanHistory(), ECvError);
    // Without a session there is no open industry to bind.
    EXPECT_THROW(loans.Init(industry.Context(3, 4)), ECvError);
    // A duration no loan can have is damaged data; the longest one is still a loan:
    // at rate 0 its first instalment is 32767 / 32767 = 1.
    industry.SetRequest(4, {32767, kMaxLoanDuration, 0, 0});
    loans.Init(industry.Industry(), industry.Context(3, 4));
    loans.LoanHistory();
    EXPECT_NEAR(loans.Loans[4][lcRepaid], 1, kTolerance);
    industry.SetRequest(4, {32767, kMaxLoanDuration + 1, 0, 0});
    EXPECT_THROW(loans.LoanHistory(), ERangeError);
}

}  // namespace
}  // namespace cv
