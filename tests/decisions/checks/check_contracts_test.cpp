// R&D contracts: team E develops PENZO for team I in the North, both keeping
// the same contract and both listing the project in market 2. Team O acquires
// PILEX from team I, both listing the project alike in market 1.
#include <functional>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "tests/decisions/checks/sample_decisions.h"

namespace cv::test {
namespace {

constexpr int kTeamE = 2;
constexpr int kTeamI = 3;
constexpr int kNorth = 1;
constexpr int kMarket2 = 2;
constexpr int kPenzoOfI = 1;  // the first of team I's contracts

class ContractChecks : public SampleDecisions {
public:
    TDataContext FirmContext(int firm, int market = 0) {
        TDataContext context = Context(kNorth, market);
        context.SelFirm = static_cast<std::int16_t>(firm);
        return context;
    }
    TSimArr& FirmArray(int firm, int category, std::string_view name, int market = 0) {
        return *NewDecs().FindSimArr(category, FirmContext(firm, market), name);
    }
    std::vector<std::string> ContractsOfE() {
        TCheckDec checker(Industry(), FirmContext(kTeamE));
        TQnInfos messages;
        const int count = checker.CheckContracts(messages);
        EXPECT_EQ(count, static_cast<int>(messages.Count()));
        EXPECT_EQ(checker.Context().SelFirm, kTeamE) << "the firm is given back";
        return Keys(messages);
    }
};

struct ContractCase {
    const char* name;
    std::function<void(ContractChecks&)> change;
    std::vector<std::string> keys;
};

void PrintTo(const ContractCase& c, std::ostream* os) { *os << c.name; }

TEST_F(ContractChecks, MatchingContractsGiveNoMessage) { EXPECT_TRUE(ContractsOfE().empty()); }

class ContractTable : public ContractChecks, public ::testing::WithParamInterface<ContractCase> {};

TEST_P(ContractTable, OneDifferenceGivesItsKey) {
    GetParam().change(*this);
    EXPECT_EQ(ContractsOfE(), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Contracts, ContractTable,
    ::testing::Values(
        ContractCase{"TermDiffers",
                     [](ContractChecks& t) {
                         t.FirmArray(kTeamI, kCategoryFirmFta, "CctTerms").SetReal48({kPenzoOfI, 1, si::DevBgt}, 250000);
                     },
                     {"NoMatchCct"}},
        ContractCase{"PartnerHasNoSuchContract",
                     [](ContractChecks& t) {
                         t.FirmArray(kTeamI, kCategoryFirmFta, "CctWhat").SetZts({kPenzoOfI, si::CctType}, "Acq");
                     },
                     {"MissingCct"}},
        ContractCase{"ProjectsDiffer",
                     [](ContractChecks& t) {
                         TSimArr& levels = t.FirmArray(kTeamI, kCategoryFirmMarket, "PrjTecs", kMarket2);
                         levels.SetReal48({1, 1}, levels.GetReal48({1, 1}) + 1);
                     },
                     {"NoMatchPrj"}},
        ContractCase{"FirmLacksTheProject",
                     [](ContractChecks& t) {
                         t.FirmArray(kTeamE, kCategoryFirmMarket, "PrjNames", kMarket2).SetZts({1}, "PEBRO");
                     },
                     {"NoPrjFound"}}),
    [](const ::testing::TestParamInfo<ContractCase>& info) { return std::string(info.param.name); });

// The message names the term in which the two versions differ.
TEST_F(ContractChecks, AMismatchNamesTheDifferingTerm) {
    FirmArray(kTeamI, kCategoryFirmFta, "CctTerms").SetReal48({kPenzoOfI, 1, si::DevBgt}, 250000);
    TCheckDec checker(Industry(), FirmContext(kTeamE));
    TQnInfos messages;
    ASSERT_EQ(checker.CheckContracts(messages), 1);
    ASSERT_EQ(messages[0].Lines.size(), 1u);
    EXPECT_EQ(messages[0].Lines[0], "The two firms' versions differ in: Development budget.");
}

TEST_F(ContractChecks, EveryFirmOnTheInstructorsSide) {
    TCheckDec checker(Industry(), Context());
    TQnInfos messages;
    // Every firm's decisions are taken and signed, and its contracts match.
    EXPECT_EQ(checker.CheckAllFirms(messages, Context()), 0);
    EXPECT_TRUE(messages.Empty());

    NewDecs().SetSmallint(kCategoryFirm, FirmContext(1), "LoanAck", 0);
    NewDecs().SetSmallint(kCategoryFirm, FirmContext(4), "DecStatus", dsSomeTaken);
    messages.Clear();
    checker.CheckAllFirms(messages, Context());
    EXPECT_EQ(Keys(messages), (std::vector<std::string>{"BadLoanOrBgtChg", "DecsNotYetTaken"}));
    EXPECT_EQ(messages[0].Headline, "Firm A has a loan or budget change that is not signed.");
    EXPECT_EQ(messages[1].Headline, "Firm O has not taken all its decisions.");
}

}  // namespace
}  // namespace cv::test
