// What must hold after a complete forecast on every fixture and on the sample
// industry, whatever the figures: the links follow the portfolio decisions, the
// channel sales add up to the plan, units are conserved, the preference
// figures keep their rules, shares add up to a thousand, the profit-and-loss
// identities and report sums hold, and cumulative elements are t's plus the
// period's. Everything is read back from the results set of t+1.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/base/random_generator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/mod_pref.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_finan.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

using test::Arr;
using test::ExpectClose;

constexpr int kCumulativeSlots = 19;  // "CumBrand" of the fixtures has 20 labels, the last the lost slots

struct TNamedIndustry {
    std::string name;
    test::TFixtureSpec spec;
    bool sample = false;
};

std::vector<TNamedIndustry> AllIndustries() {
    std::vector<TNamedIndustry> all{{"A", test::FixtureA()}, {"B", test::FixtureB()}, {"C", test::FixtureC()},
                                    {"B4", test::FixtureBAtPeriodFour()}};
    for (std::uint32_t seed = 1; seed <= 6; ++seed) all.push_back({"D" + std::to_string(seed), test::FixtureD(seed)});
    all.push_back({"Sample", test::FixtureA(), true});
    return all;
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
const std::pair<const std::int8_t*, std::vector<const std::int8_t*>> kCumulativeSums[] = {
    {&si::brcUSold, {&si::brUSold}}, {&si::brcRSales, {&si::brRSales}},        {&si::brcRev, {&si::brRev}},
    {&si::brcCGS, {&si::brCGS}},     {&si::brcIHSC, {&si::brIHC, &si::brISC}}, {&si::brcAdv, {&si::brAdvM, &si::brAdvQ}},
    {&si::brcSlf, {&si::brSlf}},     {&si::brcCAM, {&si::brCAM}}};

long double Sum(const TSimArr& array, int row, int dimension) {
    long double total = 0;
    for (int i = array.LB(dimension); i <= array.UB(dimension); ++i)
        total += dimension == 1 ? array.GetReal48({i}) : array.GetReal48({row, i});
    return total;
}

class ForecastInvariants : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        named_ = AllIndustries()[static_cast<std::size_t>(GetParam())];
        industry_ = named_.sample ? &world_.Open(sample::WriteSampleIndustryFile(world_.GamesDir()))
                                  : &world_.OpenFixture(named_.spec);
        ASSERT_TRUE(world_.RunForecast()) << world_.failureReason;
        EXPECT_TRUE(world_.warnings.empty());
        t_ = industry_->CurPeriod();
        view_.emplace(*industry_, t_ + 1);
    }

    const TCvPerData& Results() const { return industry_->PerResults(t_ + 1); }
    const TCvPerData& Decisions() const { return industry_->PerDecisions(t_ + 1); }

    // Calls Check(zone, market, brand, firm, row) for every marketed brand of t+1.
    template <class Check>
    void ForEachBrand(Check check) const {
        for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
            for (int market = 1; market <= industry_->NbMarkets(); ++market)
                for (int brand = 1; brand <= view_->MarketCount(zone, market); ++brand) {
                    SCOPED_TRACE(named_.name + " zone " + std::to_string(zone) + ", market " +
                                 std::to_string(market) + ", brand " + std::to_string(brand));
                    check(zone, market, brand, view_->MarketLink(zone, market, brand, si::Dfix),
                          view_->MarketLink(zone, market, brand, si::Dbix));
                }
    }

    // Whether market brand Brand of t+1 changed its actual attributes since t
    // (it was brand Previous of t) on the market's dimensions, the "Price"
    // scale included or not.
    bool AttributesChanged(int zone, int market, int brand, int previous, bool withPrice) const {
        const TSimArr& before = Arr(industry_->PerResults(t_), kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        const TSimArr& after = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        const int price = industry_->SemSeries(market)->IndexOf("Price");
        for (int p = industry_->DimSeries(market)->Lo(); p <= industry_->DimSeries(market)->Hi(); ++p)
            if ((withPrice || p != price) &&
                before.GetSmallint({previous, p, si::AttAct}) != after.GetSmallint({brand, p, si::AttAct}))
                return true;
        return false;
    }

    // The slot of Name (1..19, letter case ignored) among the cumulated brands of Period, 0 when none.
    int SlotOf(int period, int firm, int zone, int market, const std::string& name) const {
        const test::TForecastView view(*industry_, period);
        for (int k = 1; k <= kCumulativeSlots; ++k)
            if (SameModelName(view.CumulativeName(firm, zone, market, k), name)) return k;
        return 0;
    }

    test::TModelWorld world_;
    TNamedIndustry named_{"", test::TFixtureSpec(0, 1, 1, 1)};
    TCvInd* industry_ = nullptr;
    int t_ = 0;
    std::optional<test::TForecastView> view_;
};

// Each firm's decided brands ("DecBrdPort" of t+1) become the market's brands
// in firm order; a brand links to the first brand of t of its name and to the
// prototype it names, its own firm's when that lists it.
TEST_P(ForecastInvariants, LinksFollowThePortfolioDecisions) {
    const test::TForecastView now(*industry_, t_);
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int market = 1; market <= industry_->NbMarkets(); ++market) {
            int m = 0;
            for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
                const TDataContext cell = test::FixtureCell(0, firm, zone, market);
                const int decided = Decisions().GetSmallint(kCategoryFirmFtaMarket, cell, "NbMktedBrds");
                ASSERT_EQ(view_->FirmCount(firm, zone, market), decided);
                if (decided == 0) continue;
                const TSimArr& portfolio = Arr(Decisions(), kCategoryFirmFtaMarket, cell, "DecBrdPort");
                const int ownPrototypes = industry_->PerResults(t_).GetSmallint(
                    kCategoryFirmMarket, test::FixtureCell(0, firm, 0, market), "NbPros");
                for (int k = 1; k <= decided; ++k) {
                    const std::string name = portfolio.GetZts({k, si::BrdName});
                    const std::string prototype = portfolio.GetZts({k, si::ProName});
                    ++m;
                    SCOPED_TRACE(named_.name + " " + name);
                    EXPECT_EQ(view_->FirmLink(firm, zone, market, k, si::Mbix), m);
                    EXPECT_EQ(view_->MarketLink(zone, market, m, si::Dfix), firm);
                    EXPECT_EQ(view_->MarketLink(zone, market, m, si::Dbix), k);
                    EXPECT_EQ(view_->BrandName(zone, market, m), name);
                    const int previous = view_->MarketLink(zone, market, m, si::pMbix);
                    for (int j = 1; j < (previous ? previous : now.MarketCount(zone, market) + 1); ++j)
                        EXPECT_FALSE(SameModelName(now.BrandName(zone, market, j), name));
                    EXPECT_TRUE(!previous || SameModelName(now.BrandName(zone, market, previous), name));
                    const int owner = view_->MarketLink(zone, market, m, si::Rfix);
                    EXPECT_TRUE(SameModelName(
                        now.Prototype(owner, market, view_->MarketLink(zone, market, m, si::Rpix)), prototype));
                    bool ownList = false;
                    for (int j = 1; j <= ownPrototypes; ++j)
                        ownList = ownList || SameModelName(now.Prototype(firm, market, j), prototype);
                    EXPECT_TRUE(!ownList || owner == firm);
                }
            }
            EXPECT_EQ(view_->MarketCount(zone, market), m);
        }
}

// Channel sales of a segment add up to the plan; the average prices lie within
// the channel prices, the selling price below the retail one; the stock of t
// less what is disposed of, plus production, is the units sold plus the
// closing stock in the layers.
TEST_P(ForecastInvariants, SalesFollowThePlanAndUnitsAreConserved) {
    ForEachBrand([&](int zone, int market, int brand, int firm, int row) {
        const TSimArr& sales = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdUSales");
        const TSimArr& plan = Arr(Decisions(), kCategoryFirmFtaMarket, firm, zone, market, "MPBrdSegSales");
        long double sold = 0;
        for (int s = sales.LB(2); s <= sales.UB(2); ++s) {
            long double channels = 0;
            for (int c = sales.LB(3); c <= sales.UB(3); ++c) channels += sales.GetReal48({brand, s, c});
            ExpectClose(channels, plan.GetReal48({row, s}), "segment " + std::to_string(s));
            sold += channels;
        }
        const TSimArr& prices = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "BrdRPrices");
        long double lowest = prices.GetReal48({brand, prices.LB(2)}), highest = lowest;
        for (int c = prices.LB(2); c <= prices.UB(2); ++c) {
            lowest = std::min(lowest, prices.GetReal48({brand, c}));
            highest = std::max(highest, prices.GetReal48({brand, c}));
        }
        auto report = [&](std::int8_t element) { return view_->Brand(firm, zone, market, row, element); };
        EXPECT_GE(report(si::brRPrice), lowest - 0.5);  // channel prices are stored rounded
        EXPECT_LE(report(si::brRPrice), highest + 0.5);
        EXPECT_LE(report(si::brSPrice), report(si::brRPrice));

        const int previous = view_->FirmLink(firm, zone, market, row, si::pDbix);
        long double opening = 0, closing = 0;
        if (previous && t_ >= 0) {
            const TSimArr& before = Arr(industry_->PerResults(t_), kCategoryFirmFtaMarket, firm, zone, market, "Inventory");
            for (int k = before.LB(1); k <= before.UB(1); ++k) opening += before.GetReal48({k, previous, si::InvSize});
        }
        const TSimArr& layers = Arr(Results(), kCategoryFirmFtaMarket, firm, zone, market, "Inventory");
        for (int k = layers.LB(1); k <= layers.UB(1); ++k) {
            EXPECT_GE(layers.GetReal48({k, row, si::InvSize}), 0) << "layer " << k;
            closing += layers.GetReal48({k, row, si::InvSize});
        }
        ExpectClose(report(si::brUSold), sold, "units sold");
        // The stock of t of a brand whose attributes changed (its price among them) is
        // disposed of, otherwise what the firm decided to sell off.
        const TSimArr& mix = Arr(Decisions(), kCategoryFirmFtaMarket, firm, zone, market, "DecBrdCV3");
        const int previousInMarket = view_->MarketLink(zone, market, brand, si::pMbix);
        const bool changed = previousInMarket && t_ + 1 > 0 &&
                             AttributesChanged(zone, market, brand, previousInMarket, true);
        const long double disposed =
            changed ? opening : std::clamp(mix.GetReal48({row, si::SellStock}), 0.0L, opening);
        ExpectClose(opening - disposed + report(si::brUProd), sold + closing, "units conserved");
        ExpectClose(report(si::brUInv), closing, "closing stock");
    });
}

// The firm's sales force is the sum of its channels.
TEST_P(ForecastInvariants, SalesForceIsTheSumOfItsChannels) {
    for (int firm = 1; firm <= industry_->NbFirms(); ++firm)
        for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
            EXPECT_EQ(view_->ZoneReport(firm, zone, si::ffxSlp),
                      Sum(Arr(Decisions(), kCategoryFirmFta, firm, zone, 0, "SlfSize"), 0, 1))
                << named_.name << " firm " << firm << ", zone " << zone;
}

// Portfolio status 4 for a brand new in the market, else 1 or 3 as its
// characteristics but the price changed; scale minima from the parameters; natural
// positions grow with the attribute.
TEST_P(ForecastInvariants, PreferenceStatusScalesAndPositions) {
    ForEachBrand([&](int zone, int market, int brand, int firm, int row) {
        const TSimArr& positions = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "PosSemBrds");
        const int previous = view_->MarketLink(zone, market, brand, si::pMbix);
        const TSimArr* before = t_ < 0 ? nullptr
                                       : industry_->PerResults(t_).FindSimArr(kCategoryFtaMarket,
                                                                             test::FixtureCell(0, 0, zone, market), "PosSemBrds");
        double expected = before ? kPortNew : kPortCarriedOn;  // without positions of t every brand is carried on
        // The portfolio status leaves the price out.
        if (previous != 0 && before)
            expected = AttributesChanged(zone, market, brand, previous, false) ? kPortModified : kPortCarriedOn;
        EXPECT_EQ(Arr(Decisions(), kCategoryFirmFtaMarket, firm, zone, market, "DecBrdCV3").GetReal48({row, si::PortStatus}),
                  expected);
        const TSimArr& scales = Arr(Results(), kCategoryFtaMarket, 0, zone, market, "SemScales");
        for (int k = scales.LB(1); k <= scales.UB(1); ++k) {
            EXPECT_LE(scales.GetSmallint({k, si::SrMin}), scales.GetSmallint({k, si::SrMax})) << "scale " << k;
            const int a = positions.GetSmallint({brand, k, si::AttAct});
            for (int other = 1; other <= view_->MarketCount(zone, market); ++other)
                if (positions.GetSmallint({other, k, si::AttAct}) > a) {
                    EXPECT_GE(positions.GetSmallint({other, k, si::NatPos}), positions.GetSmallint({brand, k, si::NatPos}))
                        << "brand " << other << ", scale " << k;
                }
        }
    });
}

// Unit and value shares of brands and firms add up to 1000 in a market with
// brands, 0 without; so do the firms' unit shares in a zone with sales.
TEST_P(ForecastInvariants, SharesAddUpToAThousandWhereThereAreSales) {
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone) {
        long double zoneUnits = 0, zoneShares = 0;
        for (int market = 1; market <= industry_->NbMarkets(); ++market) {
            const std::string where = named_.name + " zone " + std::to_string(zone) + ", market " + std::to_string(market);
            long double units = 0, values = 0, firmUnits = 0, firmValues = 0;
            for (int brand = 1; brand <= view_->MarketCount(zone, market); ++brand) {
                const int firm = view_->MarketLink(zone, market, brand, si::Dfix);
                const int row = view_->MarketLink(zone, market, brand, si::Dbix);
                units += view_->Brand(firm, zone, market, row, si::brUMS);
                values += view_->Brand(firm, zone, market, row, si::brVMS);
            }
            for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
                firmUnits += view_->MarketReport(firm, zone, market, si::ffmUMS);
                firmValues += view_->MarketReport(firm, zone, market, si::ffmVMS);
                zoneUnits += view_->MarketReport(firm, zone, market, si::ffmUSold);
            }
            const long double whole = view_->MarketCount(zone, market) > 0 ? 1000 : 0;
            ExpectClose(units, whole, where + ": brand unit shares");
            ExpectClose(values, whole, where + ": brand value shares");
            ExpectClose(firmUnits, whole, where + ": firm unit shares");
            ExpectClose(firmValues, whole, where + ": firm value shares");
        }
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) zoneShares += view_->ZoneReport(firm, zone, si::ffxUMS);
        ExpectClose(zoneShares, zoneUnits > 0 ? 1000 : 0, named_.name + " zone unit shares");
    }
}

TEST_P(ForecastInvariants, ProfitAndLossIdentitiesAndReportSums) {
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
            SCOPED_TRACE(named_.name + " firm " + std::to_string(firm) + ", zone " + std::to_string(zone));
            std::vector<long double> zoneSums(std::size(kZoneSums), 0);
            for (int market = 1; market <= industry_->NbMarkets(); ++market) {
                auto brand = [&](int row, std::int8_t e) { return view_->Brand(firm, zone, market, row, e); };
                std::vector<long double> sums(std::size(kMarketSums), 0);
                for (int row = 1; row <= view_->FirmCount(firm, zone, market); ++row) {
                    ExpectClose(brand(row, si::brCBM),
                                brand(row, si::brRev) - brand(row, si::brCGS) - brand(row, si::brIHC) - brand(row, si::brISC),
                                "gross margin");
                    ExpectClose(brand(row, si::brCAM),
                                brand(row, si::brCBM) - brand(row, si::brAdvM) - brand(row, si::brAdvQ) - brand(row, si::brSlf),
                                "contribution after marketing");
                    for (std::size_t i = 0; i < sums.size(); ++i) sums[i] += brand(row, *kMarketSums[i].second);
                }
                for (std::size_t i = 0; i < sums.size(); ++i)
                    ExpectClose(view_->MarketReport(firm, zone, market, *kMarketSums[i].first), sums[i], "market sum");
                for (std::size_t i = 0; i < zoneSums.size(); ++i)
                    zoneSums[i] += view_->MarketReport(firm, zone, market, *kZoneSums[i].second);
            }
            for (std::size_t i = 0; i < zoneSums.size(); ++i)
                ExpectClose(view_->ZoneReport(firm, zone, *kZoneSums[i].first), zoneSums[i], "zone sum");
            auto x = [&](std::int8_t e) { return view_->ZoneReport(firm, zone, e); };
            ExpectClose(x(si::ffxNC), x(si::ffxCAM) - x(si::ffxMRS) - x(si::ffxRnD) - x(si::ffxIP) + x(si::ffxECP),
                        "net contribution");
            if (zone > 1) {  // R&D, interest and the loan's cost or profit are booked in zone 1 only
                EXPECT_EQ(x(si::ffxIP), 0);
                EXPECT_EQ(x(si::ffxECP), 0);
                EXPECT_EQ(x(si::ffxRnD), 0);
            }
        }
}

TEST_P(ForecastInvariants, CumulativeElementsAreTheValuesOfTPlusThePeriods) {
    auto before = [&](auto read) { return t_ < 0 ? 0 : read(test::TForecastView(*industry_, t_)); };
    for (int zone = 1; zone <= industry_->NbFtas(); ++zone)
        for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
            SCOPED_TRACE(named_.name + " firm " + std::to_string(firm) + ", zone " + std::to_string(zone));
            for (int market = 1; market <= industry_->NbMarkets(); ++market) {
                for (const auto& [cumulative, period] :
                     {std::pair{&si::ffmCumMRS, &si::ffmMRS}, std::pair{&si::ffmCumRnD, &si::ffmRnD}})
                    ExpectClose(view_->MarketReport(firm, zone, market, *cumulative),
                                before([&](const test::TForecastView& t) { return t.MarketReport(firm, zone, market, *cumulative); }) +
                                    view_->MarketReport(firm, zone, market, *period),
                                "market cumulative");
                for (int row = 1; row <= view_->FirmCount(firm, zone, market); ++row) {
                    const std::string name = view_->FirmBrand(firm, zone, market, row);
                    const int slot = SlotOf(t_ + 1, firm, zone, market, name);
                    ASSERT_GT(slot, 0) << name;
                    EXPECT_EQ(view_->Cumulative(firm, zone, market, slot, si::brcIsMkted), 1) << name;
                    const int old = t_ < 0 ? 0 : SlotOf(t_, firm, zone, market, name);
                    for (const auto& [cumulative, parts] : kCumulativeSums) {
                        long double expected =
                            old ? test::TForecastView(*industry_, t_).Cumulative(firm, zone, market, old, *cumulative) : 0;
                        for (const std::int8_t* part : parts) expected += view_->Brand(firm, zone, market, row, *part);
                        ExpectClose(view_->Cumulative(firm, zone, market, slot, *cumulative), expected, name);
                    }
                }
            }
            const std::pair<const std::int8_t*, std::vector<const std::int8_t*>> zoneCums[] = {
                {&si::ffxCumMRS, {&si::ffxMRS}},  {&si::ffxCumRnD, {&si::ffxRnD}}, {&si::ffxCumAdv, {&si::ffxAdvM, &si::ffxAdvQ}},
                {&si::ffxCumSlf, {&si::ffxSlf}}, {&si::ffxCumIP, {&si::ffxIP}},   {&si::ffxCumECP, {&si::ffxECP}},
                {&si::ffxCumNC, {&si::ffxNC}}};
            for (const auto& [cumulative, parts] : zoneCums) {
                long double expected = before([&](const test::TForecastView& t) { return t.ZoneReport(firm, zone, *cumulative); });
                for (const std::int8_t* part : parts) expected += view_->ZoneReport(firm, zone, *part);
                ExpectClose(view_->ZoneReport(firm, zone, *cumulative), expected, "zone cumulative");
            }
        }
}

// A second forecast, whatever state the generator was left in, leaves the same
// bytes in the results of t+1 and the decisions and defaults of t+2.
TEST_P(ForecastInvariants, ASecondForecastLeavesTheSameBytes) {
    // Each run makes the results set of t+1 afresh: the sets are looked up after it.
    auto bytes = [&] {
        return std::vector<test::TGridBytes>{test::GridBytes(industry_->PerResults(t_ + 1)),
                                             test::GridBytes(industry_->PerDecisions(t_ + 2)),
                                             test::GridBytes(industry_->PerDefaults(t_ + 2))};
    };
    const std::vector<test::TGridBytes> first = bytes();
    EXPECT_GT(test::FilledCells(first[0]), 0);
    EXPECT_EQ(test::FirstDifference(first[1], first[2]), "");
    SetRandomSeed(987654321);
    ASSERT_TRUE(world_.RunForecast()) << world_.failureReason;
    const std::vector<test::TGridBytes> second = bytes();
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(test::FirstDifference(first[i], second[i]), "") << "set " << i;
}

// The loan history keeps the rows of t and adds the request of t+1.
TEST_P(ForecastInvariants, LoanHistoryKeepsTheRowsOfTAndAddsTheRequest) {
    for (int firm = 1; firm <= industry_->NbFirms(); ++firm) {
        for (int period = 0; period <= t_; ++period)
            for (std::int8_t e : {si::CostProfit, si::BgtChg, si::LoanCap, si::LoanDur, si::LoanIR})
                EXPECT_EQ(view_->LoanHistory(firm, period, e), test::TForecastView(*industry_, t_).LoanHistory(firm, period, e));
        for (std::int8_t e : {si::BgtChg, si::LoanCap, si::LoanDur, si::LoanIR})
            EXPECT_EQ(view_->LoanHistory(firm, t_ + 1, e), view_->LoanRequest(firm, e));
    }
}

// A parameter the industry leaves out acts as its documented default: the
// forecast with the parameter absent leaves the same bytes as with the default
// written in every cell of its category, and other bytes with another value
// (so that the fixture shows the parameter's effect at all).
TEST(ForecastParameters, AnAbsentParameterActsAsItsDefault) {
    // Industry: 'B' fixture (b) at period four, 'D' the randomised fixture of
    // seed 1 (two zones: the second hires), 'C' the first-period fixture, 'S'
    // the sample industry (stock of t, some of it sold off).
    struct TCase {
        char industry;
        int category;
        const char* name;
        long double byDefault;
        long double other;
    };
    const TCase cases[] = {
        {'B', kCategoryFta, "SlpBaseCost", 20000, 25000},        {'B', kCategoryFta, "SlpFireCost", 5000, 6000},
        {'D', kCategoryFta, "SlpHireCost", 3000, 4000},          {'B', kCategoryIndustry, "NPBgtMin", 7000000, 9000000},
        {'B', kCategoryIndustry, "NPBgtMax", 20000000, 6000000}, {'B', kCategoryIndustry, "NPBgtCoef", 0.4L, 100},
        {'C', kCategoryFta, "RevGrowthBefPer0", 0.05L, 0.2L},    {'B', kCategoryFta, "SpiBase", 1000, 1500},
        {'B', kCategoryFta, "SpiLag", 1, 2},                     {'B', kCategoryFta, "SpiCoefPER", 10, 15},
        {'B', kCategoryFta, "SpiCoefMin", 1.5L, 50},             {'S', kCategoryFtaMarket, "ISCCoef", 0.1L, 0.3L},
        {'B', kCategoryFtaMarket, "AdjustProdPlan", 0.2L, 0},    {'B', kCategoryFtaMarket, "IHCCoef", 0.08L, 0.2L},
        {'B', kCategoryFtaMarket, "ExpEffReduc", 0.85L, 0.7L},   {'B', kCategoryFtaMarket, "ExpEffMult", 2, 3},
        {'B', kCategoryFtaMarket, "ExpEffBatch", 100000, 50000}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::TModelWorld world;
        TCvInd& industry = c.industry == 'S'   ? world.Open(sample::WriteSampleIndustryFile(world.GamesDir()))
                           : c.industry == 'D' ? world.OpenFixture(test::FixtureD(1))
                           : c.industry == 'C' ? world.OpenFixture(test::FixtureC())
                                               : world.OpenFixture(test::FixtureBAtPeriodFour());
        auto forecast = [&] {
            EXPECT_TRUE(world.RunForecast()) << world.failureReason;
            const int t = industry.CurPeriod();
            return std::vector<test::TGridBytes>{test::GridBytes(industry.PerResults(t + 1)),
                                                 test::GridBytes(industry.PerDecisions(t + 2))};
        };
        auto set = [&](long double value) {
            for (int zone = 0; zone <= industry.NbFtas(); ++zone)
                for (int market = 0; market <= industry.NbMarkets(); ++market) {
                    const bool zoneCell = c.category != kCategoryIndustry, marketCell = c.category == kCategoryFtaMarket;
                    if ((zone > 0) != zoneCell || (market > 0) != marketCell) continue;
                    industry.ConstPart().SetReal(c.category, test::FixtureCell(0, 0, zone, market), c.name, value);
                }
        };
        const auto absent = forecast();
        set(c.byDefault);
        EXPECT_TRUE(forecast() == absent);
        set(c.other);
        EXPECT_FALSE(forecast() == absent);
    }
}

INSTANTIATE_TEST_SUITE_P(AllIndustries, ForecastInvariants, ::testing::Range(0, static_cast<int>(AllIndustries().size())),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return AllIndustries()[static_cast<std::size_t>(info.param)].name;
                         });

}  // namespace
}  // namespace cv
