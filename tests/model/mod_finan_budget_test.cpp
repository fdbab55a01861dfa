// The next-period budget: its bounds, its rounding to 50,000 with halves to the
// even multiple, its parameters, and the money factors of the zone. Six firms
// without brands, studies, projects or loans in a first-period industry: the net
// contribution of each is the cost or profit entry of its loan request.

#include <gtest/gtest.h>

#include <vector>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr int kFirms = 6;
constexpr int kFirstPeriod = 0;
constexpr int kIndustryCategory = 1;

class FinanceBudget : public ::testing::Test {
protected:
    // Opens the six-firm industry; every firm's net contribution is NetContributions[f - 1].
    TCvInd& Open(const std::vector<long double>& netContributions) {
        TCvInd& industry = world_.OpenFixture(test::TFixtureSpec(-1, kFirms, 1, 1));
        test::PrepareForecastPeriod(industry);
        for (int firm = 1; firm <= kFirms; ++firm) {
            test::SetMarketStudyOrders(industry, firm, 1, 1, {});
            test::SetZoneStudyOrders(industry, firm, 1, {});
            test::SetProjects(industry, firm, 1, 0, {});
            test::SetLoanRequest(industry, firm, {netContributions[firm - 1], 0, 0, 0, 0});
        }
        return industry;
    }

    long double Budget(TCvInd& industry, int firm) const {
        return test::TFinanceView(industry, kFirstPeriod).ZoneReport(firm, 1, si::ffxNPB);
    }

    test::TModelWorld world_;
};

TEST_F(FinanceBudget, DefaultBoundsAndCoefficient) {
    // Budget = 0.4 x NC within [7000000, 20000000], the smallest when NC <= 0.
    TCvInd& industry = Open({-1000, 0, 60000000, 3500000, 25000000, 20100000});
    test::RunFinanceStep(industry);
    EXPECT_EQ(test::TFinanceView(industry, kFirstPeriod).ZoneReport(3, 1, si::ffxNC), 60000000);
    EXPECT_EQ(Budget(industry, 1), 7000000);   // a loss
    EXPECT_EQ(Budget(industry, 2), 7000000);   // nothing earned
    EXPECT_EQ(Budget(industry, 3), 20000000);  // 3 x the largest gives 1.2 x it, capped
    EXPECT_EQ(Budget(industry, 4), 7000000);   // half the smallest gives 0.2 x it, raised
    EXPECT_EQ(Budget(industry, 5), 10000000);  // 0.4 x 25000000 inside the bounds
    EXPECT_EQ(Budget(industry, 6), 8050000);   // 8040000 is 160.8 steps: 161
}

TEST_F(FinanceBudget, ParametersAndHalvesToTheEvenMultiple) {
    TCvInd& industry = Open({14050000, 14150000, -5, 20000000, 11000000, 14125000});
    // Coefficient 0.5 (a tie stays a tie in a 6-byte real), bounds 6000000 and 8000000.
    test::SetParameter(industry, kIndustryCategory, 0, "NPBgtCoef", 0.5L);
    test::SetParameter(industry, kIndustryCategory, 0, "NPBgtMin", 6000000);
    test::SetParameter(industry, kIndustryCategory, 0, "NPBgtMax", 8000000);
    test::RunFinanceStep(industry);
    EXPECT_EQ(Budget(industry, 1), 7000000);  // 7025000 = 140.5 steps: to the even 140
    EXPECT_EQ(Budget(industry, 2), 7100000);  // 7075000 = 141.5 steps: to the even 142
    EXPECT_EQ(Budget(industry, 3), 6000000);  // a loss: the smallest
    EXPECT_EQ(Budget(industry, 4), 8000000);  // 10000000 capped
    EXPECT_EQ(Budget(industry, 5), 6000000);  // 5500000 raised
    EXPECT_EQ(Budget(industry, 6), 7050000);  // 7062500 = 141.25 steps: 141
}

// The economy of period 0 in zone 1: inflation 5 %, accumulated inflation 0.2 for
// Research and 0.1 for Salaries, none for Communic. F(k) = (1 + cumulated) x 1.05:
// Research 1.26, Salaries 1.155, Communic 1.05; their mean 1.155.
void SetZoneEconomy(TCvInd& industry) {
    TDataContext zone;
    zone.SelFta = 1;
    TCvPerData& constant = industry.ConstPart();
    constant.GetSimArr(kCategoryFta, zone, "Economics")->SetReal48({kFirstPeriod, si::InflationRate}, 0.05L);
    TSimArr& cumulated = *constant.GetSimArr(kCategoryFta, zone, "CumInflation");
    cumulated.SetReal48({kFirstPeriod, si::Research}, 0.2L);
    cumulated.SetReal48({kFirstPeriod, si::Salaries}, 0.1L);
}

TEST_F(FinanceBudget, BoundsAndStudyCostsFollowTheZonesMoney) {
    TCvInd& industry = Open({-1, 50000000, 100000000, 21000000, 20000000, 0});
    SetZoneEconomy(industry);
    // Firm 6 orders the market forecast (6000, the only study of a market without brands)
    // and the zone's benchmark (10000), both paid in salaries money: x 1.155.
    test::SetMarketStudy(industry, 1, 1, si::MarketForecast, 1, 6000);
    test::SetMarketStudyOrders(industry, 6, 1, 1, {si::MarketForecast});
    test::SetZoneStudy(industry, 1, si::Benchmark, 1, 10000);
    test::SetZoneStudyOrders(industry, 6, 1, {si::Benchmark});
    test::RunFinanceStep(industry);
    const test::TFinanceView view(industry, kFirstPeriod);
    EXPECT_NEAR(static_cast<double>(view.MarketReport(6, 1, 1, si::ffmMRS)), 6930, 1e-6);
    EXPECT_NEAR(static_cast<double>(view.ZoneReport(6, 1, si::ffxMRS)), 18480, 1e-6);  // 6930 + 11550
    // Bounds 7000000 x 1.155 = 8085000 and 20000000 x 1.155 = 23100000.
    EXPECT_EQ(Budget(industry, 1), 8100000);   // 8085000 is 161.7 steps: 162
    EXPECT_EQ(Budget(industry, 2), 20000000);  // 0.4 x 50000000 inside
    EXPECT_EQ(Budget(industry, 3), 23100000);  // 40000000 capped at 462 steps
    EXPECT_EQ(Budget(industry, 4), 8400000);   // 8400000 inside
    EXPECT_EQ(Budget(industry, 5), 8100000);   // 8000000 raised to 8085000: 162 steps
    EXPECT_EQ(Budget(industry, 6), 8100000);   // the studies make a loss of 18480
}

}  // namespace
}  // namespace cv
