// The model base on the fixtures, after a forecast has set up the marketed
// brands of t+1 (the figures of fixture_industry.h and fixture_catalog.h).

#include "model/mod_basic.h"

#include <gtest/gtest.h>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "model/model_access.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

// A base module bound to the open industry after a forecast, on zone 1, market 1.
class ModBasicTest : public ::testing::Test {
protected:
    TModBasic& Forecast(const test::TFixtureSpec& spec) {
        TCvInd& industry = world_.OpenFixture(spec);
        EXPECT_TRUE(world_.RunForecast()) << world_.failureReason;
        module_.Init(industry, nullptr);
        module_.SetMarket(1, 1);
        return module_;
    }

    TSimArr& ForecastArray(int category, std::string_view name) {
        return RequireArr(*module_.ResultsT1, category, module_.Ctx, name);
    }

    test::TModelWorld world_;
    TModBasic module_;
};

TEST_F(ModBasicTest, SetMarketCopiesTheLinksOfEveryMarketedBrand) {
    const TModBasic& module = Forecast(test::FixtureB());
    TCvInd& industry = *module.Data;
    EXPECT_EQ(module.Ctx.SelPeriod, 0);
    EXPECT_EQ(module.DimSeries, industry.DimSeries(1));
    EXPECT_EQ(module.ChaSeries, industry.ChaSeries(1));
    EXPECT_EQ(module.SegSeries, industry.SegSeries(1, 1));
    EXPECT_EQ(module.MktBrand, si::MktBrand);
    // t: ALPHA, BRAVO (firm 1), ECHO (firm 2). t+1: Bravo, COSMO (firm 1), DELTA (firm 2).
    EXPECT_EQ(module.NbMktedBrdsT, 3);
    EXPECT_EQ(module.NbMktedBrdsT1, 3);
    EXPECT_EQ(module.Dfix, (TMktBrandBytes{0, 1, 1, 2}));
    EXPECT_EQ(module.Dbix, (TMktBrandBytes{0, 1, 2, 1}));
    EXPECT_EQ(module.pMbix, (TMktBrandBytes{0, 2, 0, 0}));
    EXPECT_EQ(module.Rfix, (TMktBrandBytes{0, 1, 1, 1}));
    EXPECT_EQ(module.Rpix, (TMktBrandBytes{0, 2, 3, 1}));
    EXPECT_EQ(module.FirNbMktedBrdsT, (TFirmBytes{0, 2, 1}));
    EXPECT_EQ(module.FirNbMktedBrdsT1, (TFirmBytes{0, 2, 1}));
    EXPECT_EQ(module.Mbix[1][1], 1);
    EXPECT_EQ(module.Mbix[1][2], 2);
    EXPECT_EQ(module.Mbix[2][1], 3);
    EXPECT_EQ(module.pDfix[2][1], 2);
    EXPECT_EQ(module.pDbix[1][1], 2);
    EXPECT_EQ(module.pDbix[1][2], 0);
}

TEST_F(ModBasicTest, SetMarketOnAMarketWithoutBrandsLeavesNoRow) {
    test::TFixtureSpec spec = test::FixtureA();
    test::TFixtureSpec two(spec.currentPeriod, 1, 1, 2);
    two.Prototypes(1, 1) = spec.Prototypes(1, 1);
    two.Cell(1, 1, 1) = spec.Cell(1, 1, 1);
    TModBasic& module = Forecast(two);
    ASSERT_EQ(module.NbMktedBrdsT1, 2);
    module.SetMarket(1, 2);
    EXPECT_EQ(module.NbMktedBrdsT1, 0);
    EXPECT_EQ(module.Dfix, TMktBrandBytes{});
    EXPECT_EQ(module.FirNbMktedBrdsT1, TFirmBytes{});
    EXPECT_EQ(module.Mbix[1][1], 0);
}

TEST_F(ModBasicTest, BrandDecisionsAndSalesForceOfTheBrandsFirm) {
    TModBasic& module = Forecast(test::FixtureB());
    // Market brand 3 is DELTA, slot 1 of firm 2. "Price" is label 6 of "DecBrdCV3" (lo 1):
    // 1000 x 2 + 100 x 1 + 6.
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 2106);
    module.SetBrandDecision(3, si::Price, 99.5);
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 99.5);
    EXPECT_EQ(module.GetBrandDecision(1, si::Price), 1106);  // firm 1, slot 1: untouched
    // "SlfSize"[2] of firm 2 = 10 x 2 + 2 = 22; "SlfAlloc"[2, 1] = 1 / 8; the context's firm is 0.
    ASSERT_EQ(module.Ctx.SelFirm, 0);
    EXPECT_EQ(module.GetSalesForceSize(2, 1, 2), 22);
    EXPECT_EQ(module.GetSalesForceAlloc(2, 3), 2.75);
    // COSMO: firm 1, slot 2, channel 2: (10 + 2) x 2 / 8.
    EXPECT_EQ(module.GetSalesForceAlloc(2, 2), 3);
    EXPECT_THROW(module.GetBrandDecision(4, si::Price), EModelError);
    EXPECT_THROW(module.GetBrandDecision(1, 40), EModelError);
    EXPECT_THROW(module.GetSalesForceAlloc(3, 1), EModelError);  // the zone has two channels
}

TEST_F(ModBasicTest, BrandIsModifiedWhenNewOrWhenItsAttributesChanged) {
    TModBasic& module = Forecast(test::FixtureB());
    EXPECT_TRUE(module.IsBrandModified(2));  // COSMO is new
    // Bravo was market brand 2 of t: "PosSemBrds"[2, d, AttAct] = 20 + d; t+1 is still all zero.
    EXPECT_TRUE(module.IsBrandModified(1));
    TSimArr& positions = ForecastArray(kCategoryFtaMarket, "PosSemBrds");
    for (int d = 1; d <= 3; ++d) positions.SetSmallint({1, d, si::AttAct}, 20 + d);
    EXPECT_FALSE(module.IsBrandModified(1));
    positions.SetSmallint({1, 3, si::AttAct}, 24);
    EXPECT_TRUE(module.IsBrandModified(1));
}

TEST_F(ModBasicTest, NoBrandIsModifiedInTheFirstSimulatedPeriod) {
    TModBasic& module = Forecast(test::FixtureC());
    EXPECT_FALSE(module.IsBrandModified(1));
    EXPECT_FALSE(module.IsBrandModified(2));  // new, but t+1 is period 0
}

TEST_F(ModBasicTest, SixthSimulationMessageOfAFiveSlotListIsDropped) {
    TModBasic& module = Forecast(test::FixtureA());
    module.Ctx.SelFirm = 1;
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(module.AddSimMessage({"messages", "KEY" + std::to_string(i), "a", "b", "c", "d", "e"}));
    EXPECT_FALSE(module.AddSimMessage({"messages", "KEY6"}));
    EXPECT_EQ(module.ResultsT1->GetSmallint(kCategoryFirmFta, module.Ctx, "NbMsgSim"), 5);
    const TSimArr& messages = ForecastArray(kCategoryFirmFta, "MsgSim2Fir");
    EXPECT_EQ(messages.GetZts({1, si::Section}), "messages");
    EXPECT_EQ(messages.GetZts({1, si::Keyword}), "KEY1");
    EXPECT_EQ(messages.GetZts({5, si::Keyword}), "KEY5");
    EXPECT_EQ(messages.GetZts({5, si::Param1}), "a");
    EXPECT_EQ(messages.GetZts({5, si::Param5}), "e");
}

TEST_F(ModBasicTest, MessagePartsAreCutToSixteenCharacters) {
    TModBasic& module = Forecast(test::FixtureA());
    module.Ctx.SelFirm = 1;
    EXPECT_TRUE(module.AddSimMessage({"messages", "KEY", "0123456789abcdefXYZ"}));
    EXPECT_EQ(ForecastArray(kCategoryFirmFta, "MsgSim2Fir").GetZts({1, si::Param1}), "0123456789abcdef");
    EXPECT_TRUE(world_.ui.plainBoxes.empty());
}

TEST_F(ModBasicTest, InitNamesTheSeriesOrLabelThatIsMissing) {
    test::TFixtureSpec noLabel = test::FixtureA();
    noLabel.omittedLabels = {"FFMLinks.pDbix"};
    TCvInd& industry = world_.OpenFixture(noLabel);
    try {
        module_.Init(industry, nullptr);
        FAIL() << "Init accepted an industry without FFMLinks.pDbix";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "the series FFMLinks has no label pDbix");
    }
    test::TFixtureSpec noSeries = test::FixtureA();
    noSeries.omittedSeries = {"MsgSKP"};
    TCvInd& other = world_.OpenFixture(noSeries);
    try {
        module_.Init(other, nullptr);
        FAIL() << "Init accepted an industry without MsgSKP";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "the industry has no series MsgSKP");
    }
}

}  // namespace
}  // namespace cv
