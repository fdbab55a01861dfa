// The allocation assistant's rules on the sample: team A's brands ALBA and
// ARNO (M1), ALTO (new in the decision period, on sale nowhere yet), AMOR and
// AVEN (M2), in the North's channel 1. The figures the rules weigh are set
// here, so that each proposal can be worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/allocation/slf_proposal.h"
#include "tests/decisions/checks/sample_decisions.h"
#include "tools/sample_industry/sample_layout.h"

namespace cv::test {
namespace {

const std::vector<std::string> kBrands{"ALBA", "ARNO", "ALTO", "AMOR", "AVEN"};
constexpr int kChannel = 1;

// Market shares and retail prices are stored as small integers, units as reals.
void SetNumber(TSimArr& array, const TIndex& index, long double value) {
    if (array.Kind() == dkSmallint)
        array.SetSmallint(index, static_cast<long long>(value));
    else
        array.SetReal48(index, value);
}

class SlfProposalTest : public SampleDecisions {
protected:
    TCvPerData& Results() { return Industry().PerResults(sample::kCurrentPeriod); }
    TSimArr& Result(std::string_view name, int category, int market) {
        TSimArr* array = Results().FindSimArr(category, Context(1, market), name);
        if (!array) throw std::logic_error("no result " + std::string(name));
        return *array;
    }
    int BrandOf(std::string_view name, int market) {
        return TCvInterf(Industry()).BrandIndex(Results(), Context(1, market), name);
    }
    void OrderPanel(int market, int ordered) {
        Industry()
            .PerDecisions(sample::kCurrentPeriod)
            .FindSimArr(kCategoryFirmFtaMarket, Context(1, market), "DecStuMkt")
            ->SetByte({si::DistributPanel}, ordered);
    }
    // Channel 1 of M1 sold 10,000 units in all; ALBA had 60 % of them, ARNO
    // 40 %. M2 sold nothing through it.
    void SetUp() override {
        SampleDecisions::SetUp();
        for (int market : {1, 2}) {
            TSimArr& units = Result("BrdUSales", kCategoryFtaMarket, market);
            for (int b = units.LB(1); b <= units.UB(1); ++b)
                for (int s = units.LB(2); s <= units.UB(2); ++s)
                    for (int c = units.LB(3); c <= units.UB(3); ++c) SetNumber(units, {b, s, c}, 0);
        }
        SetNumber(Result("BrdUSales", kCategoryFtaMarket, 1), {1, 1, kChannel}, 10000);
        TSimArr& shares = Result("StuBrdChaUMS", kCategoryFtaMarket, 1);
        for (int b = shares.LB(1); b <= shares.UB(1); ++b) SetNumber(shares, {b, kChannel}, 0);
        SetNumber(shares, {BrandOf("ALBA", 1), kChannel}, 600);
        SetNumber(shares, {BrandOf("ARNO", 1), kChannel}, 400);
        OrderPanel(1, 1);
        OrderPanel(2, 1);
        OrderPanel(3, 0);
    }
    std::optional<std::vector<int>> Propose(TSlfRule rule) {
        return ProposeChannelShares(Industry(), Context(1), rule, kBrands, kChannel);
    }
};

TEST_F(SlfProposalTest, UnitSalesWeighTheBrandsShareOfTheChannel) {
    // 10,000 x 600 / 1000 = 6,000 and 4,000 units: 60 % and 40 %.
    EXPECT_EQ(Propose(TSlfRule::UnitSales), (std::vector<int>{60, 40, 0, 0, 0}));
}

TEST_F(SlfProposalTest, SalesValueWeighsUnitsByTheRetailPrice) {
    TSimArr& prices = Result("BrdRPrices", kCategoryFtaMarket, 1);
    SetNumber(prices, {BrandOf("ALBA", 1), kChannel}, 500);
    SetNumber(prices, {BrandOf("ARNO", 1), kChannel}, 1000);
    // 6,000 x 500 = 3,000,000 and 4,000 x 1,000 = 4,000,000: 3/7 = 42.86 % -> 43, 4/7 = 57.14 % -> 57.
    EXPECT_EQ(Propose(TSlfRule::SalesValue), (std::vector<int>{43, 57, 0, 0, 0}));
}

TEST_F(SlfProposalTest, AContributionLossWeighsNothing) {
    TCvInterf interf(Industry());
    for (const auto& [name, contribution] : {std::pair{"ALBA", -50000.0}, std::pair{"ARNO", 80000.0}}) {
        const TFoundBrand found = interf.FindBrand(Results(), Context(1, 1), name);
        TSimArr& report = Result("BrdRpt", kCategoryFirmFtaMarket, 1);
        SetNumber(report, {found.FirmBrand, si::brCAM}, contribution);
        SetNumber(report, {found.FirmBrand, si::brUSold}, 1000);
    }
    // ALBA: 6,000 x -50 < 0 counts 0; ARNO 4,000 x 80 takes the whole channel.
    EXPECT_EQ(Propose(TSlfRule::Contribution), (std::vector<int>{0, 100, 0, 0, 0}));
}

// The rules that weigh need the distribution panel in each brand's market;
// equal shares do not. ALTO, on sale nowhere yet, needs none (M3 has none).
TEST_F(SlfProposalTest, WithoutTheDistributionPanelOnlyEqualSharesWork) {
    OrderPanel(2, 0);
    for (TSlfRule rule : {TSlfRule::UnitSales, TSlfRule::SalesValue, TSlfRule::Contribution})
        EXPECT_FALSE(Propose(rule).has_value()) << static_cast<int>(rule);
    EXPECT_EQ(Propose(TSlfRule::EqualShares), (std::vector<int>{20, 20, 20, 20, 20}));
    OrderPanel(2, 1);
    EXPECT_TRUE(Propose(TSlfRule::UnitSales).has_value()) << "M3's panel is not needed for ALTO";
}

}  // namespace
}  // namespace cv::test
