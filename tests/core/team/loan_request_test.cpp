#include "core/team/loan_request.h"

#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "tests/core/team/team_archive_fixture.h"

namespace cv {
namespace {

// Team A's request in the sample's decision period, written into the decision
// set in memory and read back.
class LoanRequestTest : public test::TeamArchiveFixture {
protected:
    void SetUp() override {
        Start(Exchange().string());
        TCvInd& industry = *Session->Industry();
        context_.SelFirm = industry.ConstPart().GetSmallint(kCategoryIndustry, context_, "WhichTeam");
        context_.CurPeriod = industry.CurPeriod();
        context_.DecPeriod = static_cast<std::int16_t>(industry.DecPeriod());
    }
    TCvPerData& Decisions() { return Session->Industry()->PerDecisions(context_.DecPeriod); }

    TDataContext context_;
};

TEST_F(LoanRequestTest, ARequestIsStoredInUnitsAndReadBackInThousandsWithItsSignatures) {
    TLoanRequest request(Decisions(), context_);
    request.loan = {500, 4, 850};
    request.budgetChange = -20;
    request.SignLoan();
    request.Write(Decisions());

    // 500 and -20 thousand are stored as 500000 and -20000; duration and rate as typed.
    const TStoredRequest stored = ReadStoredRequest(Decisions(), context_);
    EXPECT_EQ(stored.loanCap, 500000);
    EXPECT_EQ(stored.loanDur, 4);
    EXPECT_EQ(stored.loanIR, 850);
    EXPECT_EQ(stored.bgtChg, -20000);
    const TLoanRequest readBack(Decisions(), context_);
    EXPECT_EQ(readBack.loan.capital, 500);
    EXPECT_EQ(readBack.budgetChange, -20);
    EXPECT_TRUE(readBack.LoanSigned());
    EXPECT_FALSE(readBack.BudgetChangeSigned());
}

struct TTermsCase {
    TLoanTerms terms;
    bool staysSigned;
};

TEST_F(LoanRequestTest, ASignedLoanStaysSignedOnlyForTermsNoWorseForTheBank) {
    // Signed at 500 thousand over 4 periods at 8.50 %.
    const TTermsCase cases[] = {
        {{500, 4, 850}, true},  {{400, 4, 850}, true},  {{500, 3, 850}, true},  {{500, 4, 900}, true},
        {{501, 4, 850}, false}, {{500, 5, 850}, false}, {{500, 4, 849}, false},
    };
    for (const TTermsCase& c : cases) {
        TLoanRequest request(Decisions(), context_);
        request.loan = {500, 4, 850};
        request.SignLoan();
        request.loan = c.terms;
        EXPECT_EQ(request.LoanSigned(), c.staysSigned)
            << c.terms.capital << " " << c.terms.duration << " " << c.terms.rate;
    }
    TLoanRequest unsigned_(Decisions(), context_);
    unsigned_.loan = {0, 0, 0};
    EXPECT_FALSE(unsigned_.LoanSigned());
}

TEST_F(LoanRequestTest, ASignedBudgetChangeStaysSignedOnlyAtItsAmount) {
    TLoanRequest request(Decisions(), context_);
    request.budgetChange = 30;
    request.SignBudgetChange();
    EXPECT_TRUE(request.BudgetChangeSigned());
    request.budgetChange = 29;
    EXPECT_FALSE(request.BudgetChangeSigned());
    request.budgetChange = 30;
    EXPECT_TRUE(request.BudgetChangeSigned());
}

}  // namespace
}  // namespace cv
