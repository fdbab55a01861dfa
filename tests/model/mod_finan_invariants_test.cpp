// Invariants of the finance step on every fixture (a, b, c and randomised d) and
// on the sample industry:
// market shares add to 1000 where there are sales and are 0 where there are
// none; the profit-and-loss identities hold; the market and zone reports are the
// sums of their rows; every cumulative element is t's plus the period's; the loan
// history keeps t's rows and adds the request.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

constexpr int kSlots = 19;  // "CumBrand" of the fixtures has 20 labels
constexpr std::uint32_t kRandomSeeds = 6;

// A fixture, or the sample industry (whose results of t hold a history of several periods).
struct TNamedFixture {
    std::string name;
    test::TFixtureSpec spec;
    bool sample = false;
};

std::vector<TNamedFixture> AllFixtures() {
    std::vector<TNamedFixture> fixtures{{"A", test::FixtureA()}, {"B", test::FixtureB()}, {"C", test::FixtureC()}};
    for (std::uint32_t seed = 1; seed <= kRandomSeeds; ++seed)
        fixtures.push_back({"D" + std::to_string(seed), test::FixtureD(seed)});
    fixtures.push_back({"Sample", test::FixtureA(), true});
    return fixtures;
}

void ExpectClose(long double actual, long double expected, const std::string& what) {
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                std::max(1e-6, 1e-9 * std::fabs(static_cast<double>(expected))))
        << what;
}

// The brand rows a firm's market report adds up, and the zone report's sums of the market reports.
const std::pair<const std::int8_t*, const std::int8_t*> kMarketSums[] = {
    {&si::ffmUSold, &si::brUSold}, {&si::ffmRev, &si::brRev},   {&si::ffmUProd, &si::brUProd},
    {&si::ffmCGS, &si::brCGS},     {&si::ffmUInv, &si::brUInv}, {&si::ffmIHC, &si::brIHC},
    {&si::ffmISC, &si::brISC},     {&si::ffmCBM, &si::brCBM},   {&si::ffmAdvM, &si::brAdvM},
    {&si::ffmAdvQ, &si::brAdvQ},   {&si::ffmSlf, &si::brSlf},   {&si::ffmCAM, &si::brCAM},
    {&si::ffmRSales, &si::brRSales}};
const std::pair<const std::int8_t*, const std::int8_t*> kZoneSums[] = {
    {&si::ffxUSold, &si::ffmUSold}, {&si::ffxRev, &si::ffmRev},   {&si::ffxUProd, &si::ffmUProd},
    {&si::ffxTCost, &si::ffmTCost}, {&si::ffxCGS, &si::ffmCGS},   {&si::ffxUInv, &si::ffmUInv},
    {&si::ffxIHC, &si::ffmIHC},     {&si::ffxISC, &si::ffmISC},   {&si::ffxCBM, &si::ffmCBM},
    {&si::ffxAdvM, &si::ffmAdvM},   {&si::ffxAdvQ, &si::ffmAdvQ}, {&si::ffxSlf, &si::ffmSlf},
    {&si::ffxCAM, &si::ffmCAM},     {&si::ffxRnD, &si::ffmRnD},   {&si::ffxRSales, &si::ffmRSales}};
// The period's brand results each cumulative element adds.
struct TCumulativeSum {
    const std::int8_t* cumulative;
    std::vector<const std::int8_t*> brand;
};
const TCumulativeSum kCumulativeSums[] = {
    {&si::brcUSold, {&si::brUSold}},          {&si::brcRSales, {&si::brRSales}}, {&si::brcRev, {&si::brRev}},
    {&si::brcCGS, {&si::brCGS}},              {&si::brcIHSC, {&si::brIHC, &si::brISC}},
    {&si::brcAdv, {&si::brAdvM, &si::brAdvQ}}, {&si::brcSlf, {&si::brSlf}},     {&si::brcCAM, {&si::brCAM}}};

class FinanceInvariants : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        fixture_ = AllFixtures()[static_cast<std::size_t>(GetParam())];
        industry_ = fixture_.sample ? &world_.Open(sample::WriteSampleIndustryFile(world_.GamesDir()))
                                    : &world_.OpenFixture(fixture_.spec);
        t_ = industry_->CurPeriod();
        test::PrepareForecastPeriod(*industry_);
        test::WriteBrandInputsT1(*industry_);
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm)
            for (int market = 1; market <= industry_->NbMarkets(); ++market)
                test::SetProjects(*industry_, firm, market, 2, {100000.0L + 1000 * firm, 50000.0L + market, 70000});
        test::RunFinanceStep(*industry_);
    }

    // The value of t, or 0 in the first decision period (nothing came before).
    template <class Read>
    long double Before(Read read) const {
        return t_ < 0 ? 0 : read(test::TFinanceView(*industry_, t_));
    }

    // The slot of Name (1..19, letter case ignored) in View's cumulative names, 0 when none.
    static int SlotOf(const test::TFinanceView& view, int firm, int zone, int market, const std::string& name) {
        for (int k = 1; k <= kSlots; ++k)
            if (SameModelName(view.CumulativeName(firm, zone, market, k), name)) return k;
        return 0;
    }

    // The brand's slot is marketed and holds t's results under its name (none when new) plus the period's.
    void ExpectBrandCumulated(const test::TFinanceView& view, int firm, int zone, int market, int row,
                              const std::string& name) const {
        const int slot = SlotOf(view, firm, zone, market, name);
        ASSERT_GT(slot, 0) << name;
        EXPECT_EQ(view.Cumulative(firm, zone, market, slot, si::brcIsMkted), 1) << name;
        const int before = t_ < 0 ? 0 : SlotOf(test::TFinanceView(*industry_, t_), firm, zone, market, name);
        for (const TCumulativeSum& sum : kCumulativeSums) {
            long double expected =
                before ? test::TFinanceView(*industry_, t_).Cumulative(firm, zone, market, before, *sum.cumulative) : 0;
            for (const std::int8_t* part : sum.brand) expected += view.Brand(firm, zone, market, row, *part);
            ExpectClose(view.Cumulative(firm, zone, market, slot, *sum.cumulative), expected, name);
        }
    }

    test::TModelWorld world_;
    TNamedFixture fixture_{"", test::TFixtureSpec(0, 1, 1, 1)};
    TCvInd* industry_ = nullptr;
    int t_ = 0;
};

TEST_P(FinanceInvariants, SharesAddToAThousandWhereThereAreSales) {
    const test::TForecastView links(*industry_, t_ + 1);
    const test::TFinanceView view(*industry_, t_ + 1);
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone) {
        long double zoneUnits = 0;
        for (int market = 1; market <= industry_->NbMarkets(); ++market) {
            SCOPED_TRACE(fixture_.name + " zone " + std::to_string(zone) + ", market " + std::to_string(market));
            const int brands = links.MarketCount(zone, market);
            long double units = 0, values = 0, firmUnits = 0, firmValues = 0;
            for (int i = 1; i <= brands; ++i) {
                const int firm = links.MarketLink(zone, market, i, si::Dfix);
                const int row = links.MarketLink(zone, market, i, si::Dbix);
                units += view.Brand(firm, zone, market, row, si::brUMS);
                values += view.Brand(firm, zone, market, row, si::brVMS);
            }
            for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
                firmUnits += view.MarketReport(firm, zone, market, si::ffmUMS);
                firmValues += view.MarketReport(firm, zone, market, si::ffmVMS);
                zoneUnits += view.MarketReport(firm, zone, market, si::ffmUSold);
            }
            const long double whole = brands > 0 ? 1000 : 0;
            ExpectClose(units, whole, "brand unit shares");
            ExpectClose(values, whole, "brand value shares");
            ExpectClose(firmUnits, whole, "firm unit shares");
            ExpectClose(firmValues, whole, "firm value shares");
        }
        long double zoneShares = 0;
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) zoneShares += view.ZoneReport(firm, zone, si::ffxUMS);
        ExpectClose(zoneShares, zoneUnits > 0 ? 1000 : 0, fixture_.name + " zone unit shares");
    }
}

TEST_P(FinanceInvariants, ProfitAndLossIdentitiesAndReportSums) {
    const test::TForecastView links(*industry_, t_ + 1);
    const test::TFinanceView view(*industry_, t_ + 1);
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
            SCOPED_TRACE(fixture_.name + " firm " + std::to_string(firm) + ", zone " + std::to_string(zone));
            std::vector<long double> zoneSums(std::size(kZoneSums), 0);
            for (int market = 1; market <= industry_->NbMarkets(); ++market) {
                auto brand = [&](int row, std::int8_t e) { return view.Brand(firm, zone, market, row, e); };
                std::vector<long double> sums(std::size(kMarketSums), 0);
                for (int row = 1; row <= links.FirmCount(firm, zone, market); ++row) {
                    ExpectClose(brand(row, si::brCBM),
                                brand(row, si::brRev) - brand(row, si::brCGS) - brand(row, si::brIHC) -
                                    brand(row, si::brISC),
                                "gross margin");
                    ExpectClose(brand(row, si::brCAM),
                                brand(row, si::brCBM) - brand(row, si::brAdvM) - brand(row, si::brAdvQ) -
                                    brand(row, si::brSlf),
                                "contribution after marketing");
                    for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += brand(row, *kMarketSums[i].second);
                }
                for (std::size_t i = 0; i < sums.size(); ++i)
                    ExpectClose(view.MarketReport(firm, zone, market, *kMarketSums[i].first), sums[i], "market sum");
                for (std::size_t i = 0; i < zoneSums.size(); ++i)
                    zoneSums[i] += view.MarketReport(firm, zone, market, *kZoneSums[i].second);
            }
            for (std::size_t i = 0; i < zoneSums.size(); ++i)
                ExpectClose(view.ZoneReport(firm, zone, *kZoneSums[i].first), zoneSums[i], "zone sum");
            auto x = [&](std::int8_t e) { return view.ZoneReport(firm, zone, e); };
            ExpectClose(x(si::ffxNC), x(si::ffxCAM) - x(si::ffxMRS) - x(si::ffxRnD) - x(si::ffxIP) + x(si::ffxECP),
                        "net contribution");
            if (zone > 1) {
                EXPECT_EQ(x(si::ffxIP), 0);
                EXPECT_EQ(x(si::ffxECP), 0);
                EXPECT_EQ(x(si::ffxRnD), 0);
            }
        }
}

TEST_P(FinanceInvariants, CumulativeElementsAreTheValuesOfTPlusThePeriods) {
    const test::TForecastView links(*industry_, t_ + 1);
    const test::TFinanceView view(*industry_, t_ + 1);
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
            SCOPED_TRACE(fixture_.name + " firm " + std::to_string(firm) + ", zone " + std::to_string(zone));
            for (int market = 1; market <= industry_->NbMarkets(); ++market) {
                for (const auto& [cumulative, period] : {std::pair{&si::ffmCumMRS, &si::ffmMRS},
                                                         std::pair{&si::ffmCumRnD, &si::ffmRnD}})
                    ExpectClose(view.MarketReport(firm, zone, market, *cumulative),
                                Before([&](const test::TFinanceView& t) {
                                    return t.MarketReport(firm, zone, market, *cumulative);
                                }) + view.MarketReport(firm, zone, market, *period),
                                "market cumulative");
                for (int row = 1; row <= links.FirmCount(firm, zone, market); ++row)
                    ExpectBrandCumulated(view, firm, zone, market, row, links.FirmBrand(firm, zone, market, row));
            }
            const std::pair<const std::int8_t*, std::vector<const std::int8_t*>> zoneCums[] = {
                {&si::ffxCumMRS, {&si::ffxMRS}}, {&si::ffxCumRnD, {&si::ffxRnD}},
                {&si::ffxCumAdv, {&si::ffxAdvM, &si::ffxAdvQ}}, {&si::ffxCumSlf, {&si::ffxSlf}},
                {&si::ffxCumIP, {&si::ffxIP}}, {&si::ffxCumECP, {&si::ffxECP}}, {&si::ffxCumNC, {&si::ffxNC}}};
            for (const auto& [cumulative, parts] : zoneCums) {
                long double expected =
                    Before([&](const test::TFinanceView& t) { return t.ZoneReport(firm, zone, *cumulative); });
                for (const std::int8_t* part : parts) expected += view.ZoneReport(firm, zone, *part);
                ExpectClose(view.ZoneReport(firm, zone, *cumulative), expected, "zone cumulative");
            }
        }
}

TEST_P(FinanceInvariants, LoanHistoryKeepsTheRowsOfTAndAddsTheRequest) {
    const test::TFinanceView view(*industry_, t_ + 1);
    for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
        for (int period = 0; period <= t_; ++period)
            for (std::int8_t e : {si::CostProfit, si::BgtChg, si::LoanCap, si::LoanDur, si::LoanIR})
                EXPECT_EQ(view.LoanHistory(firm, period, e),
                          test::TFinanceView(*industry_, t_).LoanHistory(firm, period, e));
        for (std::int8_t e : {si::BgtChg, si::LoanCap, si::LoanDur, si::LoanIR})
            EXPECT_EQ(view.LoanHistory(firm, t_ + 1, e), view.LoanRequest(firm, e));
    }
}

INSTANTIATE_TEST_SUITE_P(AllFixtures, FinanceInvariants, ::testing::Range(0, static_cast<int>(AllFixtures().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return AllFixtures()[static_cast<std::size_t>(info.param)].name;
                         });

}  // namespace
}  // namespace cv
