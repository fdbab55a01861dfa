// The marketed brands of t+1 and their links, derived by hand from each
// fixture's brands of t, portfolio decisions of t+1 and prototypes of t.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/store/series_index.h"
#include "core/session/industry.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

using test::TFixtureSpec;
using test::TForecastView;

struct TLinks {
    int firm, slot, previous, prototypeFirm, prototypeIndex;
};

void ExpectMarketBrand(const TForecastView& view, int zone, int market, int brand, const std::string& name,
                       const TLinks& links) {
    SCOPED_TRACE("market brand " + std::to_string(brand) + " " + name);
    EXPECT_EQ(view.BrandName(zone, market, brand), name);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dfix), links.firm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dbix), links.slot);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::pMbix), links.previous);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rfix), links.prototypeFirm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rpix), links.prototypeIndex);
}

void ExpectFirmBrand(const TForecastView& view, int firm, int slot, const std::string& name,
                     const std::string& prototype, int marketBrand, int previousSlot) {
    SCOPED_TRACE("brand " + std::to_string(slot) + " of firm " + std::to_string(firm));
    EXPECT_EQ(view.FirmBrand(firm, 1, 1, slot), name);
    EXPECT_EQ(view.FirmPrototype(firm, 1, 1, slot), prototype);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::Mbix), marketBrand);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::pDfix), firm);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::pDbix), previousSlot);
}

TEST(MarketedBrands, FixtureAOneFirmCarriesABrandOnAndLaunchesOne) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 1);
    // Decisions of period 1: "Bravo" (PBRAVO), COSMO (PCOSMO). Market of t: ALPHA, BRAVO;
    // "Bravo" is BRAVO ignoring case: market brand 2 and firm slot 2 of t. COSMO is new.
    // Prototypes of firm 1: PALPHA, PBRAVO, PCOSMO -> (1, 2) and (1, 3).
    EXPECT_EQ(view.MarketCount(1, 1), 2);
    EXPECT_EQ(view.FirmCount(1, 1, 1), 2);
    ExpectMarketBrand(view, 1, 1, 1, "Bravo", {1, 1, 2, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "COSMO", {1, 2, 0, 1, 3});
    ExpectFirmBrand(view, 1, 1, "Bravo", "PBRAVO", 1, 2);
    ExpectFirmBrand(view, 1, 2, "COSMO", "PCOSMO", 2, 0);
    // Age 1 in t, brands in t+1 = 1: 1 + 1.
    EXPECT_EQ(view.MarketAge(1, 1), 2);
}

TEST(MarketedBrands, FixtureBASecondFirmBuildsOnTheFirstFirmsPrototype) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 1);
    // Firm 1's two brands as in (a), then firm 2's DELTA as market brand 3. The market of t
    // is ALPHA, BRAVO, ECHO: DELTA is new. Firm 2 lists only PECHO; PALPHA is firm 1's first.
    EXPECT_EQ(view.MarketCount(1, 1), 3);
    EXPECT_EQ(view.FirmCount(1, 1, 1), 2);
    EXPECT_EQ(view.FirmCount(2, 1, 1), 1);
    ExpectMarketBrand(view, 1, 1, 1, "Bravo", {1, 1, 2, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "COSMO", {1, 2, 0, 1, 3});
    ExpectMarketBrand(view, 1, 1, 3, "DELTA", {2, 1, 0, 1, 1});
    ExpectFirmBrand(view, 2, 1, "DELTA", "PALPHA", 3, 0);
    EXPECT_EQ(view.MarketAge(1, 1), 2);
}

TEST(MarketedBrands, FixtureCFirstPeriodAgesAMarketWithBrandsToOne) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureC());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 0);
    // Period -1 had ALPHA; period 0 decides ALPHA (carried on: 1) and BRAVO (new).
    EXPECT_EQ(view.MarketCount(1, 1), 2);
    ExpectMarketBrand(view, 1, 1, 1, "ALPHA", {1, 1, 1, 1, 1});
    ExpectMarketBrand(view, 1, 1, 2, "BRAVO", {1, 2, 0, 1, 2});
    // t+1 is period 0 with brands: age 1, whatever the age of t.
    EXPECT_EQ(view.MarketAge(1, 1), 1);
}

TEST(MarketedBrands, NumberingSkipsFirmsWithoutBrandsAndPrototypesPreferTheOwnFirm) {
    TFixtureSpec spec(4, 3, 1, 1);
    spec.Prototypes(1, 1) = {"PSHARE", "PONE"};
    spec.Prototypes(2, 1) = {"PTWO"};
    spec.Prototypes(3, 1) = {"PTHREE", "PSHARE"};
    spec.Cell(2, 1, 1).brandsT1 = {{"TWO", "PTWO", {}}};
    spec.Cell(3, 1, 1).brandsT1 = {{"THREE", "PSHARE", {}}, {"TRIO", "PONE", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 5);
    // Firm 1 decides nothing: firm 2's TWO is market brand 1, firm 3's brands 2 and 3.
    // PSHARE is listed by firm 1 (place 1) and by firm 3 (place 2): THREE of firm 3 links to
    // firm 3. PONE only by firm 1, place 2. No market had brands: every pMbix is 0.
    EXPECT_EQ(view.FirmCount(1, 1, 1), 0);
    EXPECT_EQ(view.MarketCount(1, 1), 3);
    ExpectMarketBrand(view, 1, 1, 1, "TWO", {2, 1, 0, 2, 1});
    ExpectMarketBrand(view, 1, 1, 2, "THREE", {3, 1, 0, 3, 2});
    ExpectMarketBrand(view, 1, 1, 3, "TRIO", {3, 2, 0, 1, 2});
    // Age 0 in t, brands now: 0 + 1.
    EXPECT_EQ(view.MarketAge(1, 1), 1);
}

TEST(MarketedBrands, RenamedBrandIsNewAndTwinNamesOfTLinkToTheFirst) {
    TFixtureSpec spec(2, 2, 1, 1);
    spec.Prototypes(1, 1) = {"PTWIN", "PNEW"};
    spec.Cell(1, 1, 1).brandsT = {"OLDNAME", "TWIN"};
    spec.Cell(2, 1, 1).brandsT = {"TWIN"};
    spec.Cell(1, 1, 1).brandsT1 = {{"NEWNAME", "PNEW", {}}};
    spec.Cell(2, 1, 1).brandsT1 = {{"twin", "PTWIN", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 3);
    // Market of t: OLDNAME (1), TWIN (2, firm 1), TWIN (3, firm 2). NEWNAME matches nothing.
    // "twin" of firm 2 matches TWIN ignoring case: first in market order is 2; in firm 2's
    // own list of t it is slot 1.
    ExpectMarketBrand(view, 1, 1, 1, "NEWNAME", {1, 1, 0, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "twin", {2, 1, 2, 1, 1});
    ExpectFirmBrand(view, 1, 1, "NEWNAME", "PNEW", 1, 0);
    ExpectFirmBrand(view, 2, 1, "twin", "PTWIN", 2, 1);
}

TEST(MarketedBrands, MarketWithoutBrandsKeepsAgeingOnceItHadBrands) {
    TFixtureSpec spec(6, 1, 1, 2);
    spec.Prototypes(1, 1) = {"PX"};
    spec.MarketAgeT(1, 1) = 3;
    spec.MarketAgeT(1, 2) = 0;
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 7);
    // No brand in t+1 anywhere: age 3 becomes 4; a market that never had brands stays 0.
    EXPECT_EQ(view.MarketCount(1, 1), 0);
    EXPECT_EQ(view.MarketAge(1, 1), 4);
    EXPECT_EQ(view.MarketAge(1, 2), 0);
}

// Invariants of the links, read back from the data itself, on randomised industries.
void ExpectLinkInvariants(TCvInd& industry, const TFixtureSpec& spec) {
    const TForecastView next(industry, spec.currentPeriod + 1);
    const TForecastView now(industry, spec.currentPeriod);
    for (int zone = 1; zone <= spec.zones; ++zone)
        for (int market = 1; market <= spec.markets; ++market) {
            SCOPED_TRACE("zone " + std::to_string(zone) + ", market " + std::to_string(market));
            int m = 0;
            for (int firm = 1; firm <= spec.firms; ++firm) {
                const std::vector<test::TFixtureBrand>& decided = spec.Cell(firm, zone, market).brandsT1;
                ASSERT_EQ(next.FirmCount(firm, zone, market), static_cast<int>(decided.size()));
                for (int k = 1; k <= static_cast<int>(decided.size()); ++k) {
                    ++m;
                    const test::TFixtureBrand& brand = decided[static_cast<std::size_t>(k - 1)];
                    EXPECT_EQ(next.FirmLink(firm, zone, market, k, si::Mbix), m);
                    EXPECT_EQ(next.MarketLink(zone, market, m, si::Dfix), firm);
                    EXPECT_EQ(next.MarketLink(zone, market, m, si::Dbix), k);
                    EXPECT_EQ(next.BrandName(zone, market, m), brand.name);
                    // The previous place is the first brand of t with that name, or 0.
                    const int previous = next.MarketLink(zone, market, m, si::pMbix);
                    const int countT = now.MarketCount(zone, market);
                    for (int j = 1; j < (previous ? previous : countT + 1); ++j)
                        EXPECT_FALSE(SameModelName(now.BrandName(zone, market, j), brand.name));
                    EXPECT_TRUE(!previous || SameModelName(now.BrandName(zone, market, previous), brand.name));
                    // The prototype is where the link says; the own firm wins when it lists it.
                    const int owner = next.MarketLink(zone, market, m, si::Rfix);
                    const int place = next.MarketLink(zone, market, m, si::Rpix);
                    EXPECT_EQ(now.Prototype(owner, market, place), brand.prototype);
                    const auto& own = spec.Prototypes(firm, market);
                    const bool ownList = std::find(own.begin(), own.end(), brand.prototype) != own.end();
                    EXPECT_TRUE(!ownList || owner == firm);
                }
            }
            EXPECT_EQ(next.MarketCount(zone, market), m);
        }
}

TEST(MarketedBrands, RandomisedIndustriesKeepTheLinkInvariants) {
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const TFixtureSpec spec = test::FixtureD(seed);
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(spec);
        ASSERT_TRUE(world.RunForecast()) << world.failureReason;
        ExpectLinkInvariants(industry, spec);
    }
}

}  // namespace
}  // namespace cv
