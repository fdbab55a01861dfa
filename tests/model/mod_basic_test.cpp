// The model base on the fixtures, after a forecast has set up the marketed
// brands of t+1 (the figures of fixture_industry.h and fixture_catalog.h): what
// Init and SetMarket read, the checked brand and sales-force accessors, and
// whether a brand counts as modified.

#include "model/mod_basic.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

// A base module bound to the open industry after a forecast, on zone 1, market 1.
class ModBasicTest : public ::testing::Test {
protected:
    TModBasic& Forecast(const test::TFixtureSetup& setup) {
        industry_ = &world_.OpenFixture(setup);
        EXPECT_TRUE(world_.RunForecast()) << world_.failureReason;
        module_.Init(*industry_, &work_);
        module_.SetMarket(1, 1);
        return module_;
    }
    TSimArr& ForecastArray(int category, int firm, std::string_view name) {
        return test::Arr(industry_->PerResults(industry_->CurPeriod() + 1), category, firm, 1, 1, name);
    }

    test::TModelWorld world_;
    TCvInd* industry_ = nullptr;
    TWorkRec work_;
    TModBasic module_;
};

TEST_F(ModBasicTest, SetMarketCopiesTheLinksOfEveryMarketedBrand) {
    const TModBasic& module = Forecast(test::FixtureB());
    EXPECT_EQ(module.Ctx().SelPeriod, 0);
    EXPECT_EQ(module.DimSeries(), industry_->DimSeries(1));
    EXPECT_EQ(module.ChaSeries(), industry_->ChaSeries(1));
    EXPECT_EQ(module.SegSeries(), industry_->SegSeries(1, 1));
    EXPECT_EQ(module.MktBrand(), si::MktBrand);
    // t: ALPHA, BRAVO (firm 1), ECHO (firm 2). t+1: Bravo, COSMO (firm 1), DELTA (firm 2).
    EXPECT_EQ(module.NbMktedBrdsT(), 3);
    EXPECT_EQ(module.NbMktedBrdsT1(), 3);
    EXPECT_EQ(module.Dfix(), (TMktBrandBytes{0, 1, 1, 2}));
    EXPECT_EQ(module.Dbix(), (TMktBrandBytes{0, 1, 2, 1}));
    EXPECT_EQ(module.pMbix(), (TMktBrandBytes{0, 2, 0, 0}));
    EXPECT_EQ(module.Rfix(), (TMktBrandBytes{0, 1, 1, 1}));
    EXPECT_EQ(module.Rpix(), (TMktBrandBytes{0, 2, 3, 1}));
    EXPECT_EQ(module.FirNbMktedBrdsT(), (TFirmBytes{0, 2, 1}));
    EXPECT_EQ(module.FirNbMktedBrdsT1(), (TFirmBytes{0, 2, 1}));
    EXPECT_EQ(module.Mbix()[1][1], 1);
    EXPECT_EQ(module.Mbix()[1][2], 2);
    EXPECT_EQ(module.Mbix()[2][1], 3);
    EXPECT_EQ(module.pDfix()[2][1], 2);
    EXPECT_EQ(module.pDbix()[1][1], 2);
    EXPECT_EQ(module.pDbix()[1][2], 0);
}

TEST_F(ModBasicTest, BrandDecisionsAndSalesForceOfTheBrandsFirm) {
    TModBasic& module = Forecast(test::FixtureB());
    // Market brand 3 is DELTA, slot 1 of firm 2. "Price" is label 6 of "DecBrdCV3" (lo 1):
    // 1000 x 2 + 100 x 1 + 6.
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 2106);
    module.SetBrandDecision(3, si::Price, 99.5);
    EXPECT_EQ(module.GetBrandDecision(3, si::Price), 99.5);
    EXPECT_EQ(module.GetBrandDecision(1, si::Price), 1106);  // firm 1, slot 1: untouched
    // "SlfSize"[2] of firm 2 = 10 x 2 + 2 = 22; "SlfAlloc"[2, 1] = 1 / 8.
    EXPECT_EQ(module.GetSalesForceSize(2, 1, 2), 22);
    EXPECT_EQ(module.GetSalesForceAlloc(2, 3), 2.75);
    // COSMO: firm 1, slot 2, channel 2: (10 + 2) x 2 / 8.
    EXPECT_EQ(module.GetSalesForceAlloc(2, 2), 3);
    // Market brands 1..3, members of "DecBrdCV3", channels 1..2.
    EXPECT_THROW(module.GetBrandDecision(0, si::Price), EModelError);
    EXPECT_THROW(module.GetBrandDecision(4, si::Price), EModelError);
    EXPECT_THROW(module.SetBrandDecision(4, si::Price, 1), EModelError);
    EXPECT_THROW(module.GetBrandDecision(1, 40), EModelError);
    EXPECT_THROW(module.GetSalesForceAlloc(3, 1), EModelError);
    EXPECT_THROW(module.GetSalesForceAlloc(1, 0), EModelError);
}

TEST_F(ModBasicTest, BrandIsModifiedWhenNewOrWhenItsAttributesChanged) {
    TModBasic& module = Forecast(test::FixtureB());
    EXPECT_TRUE(module.IsBrandModified(2));  // COSMO is new
    // Bravo was market brand 2 of t: "PosSemBrds"[2, d, AttAct] = 20 + d (the forecast wrote its own).
    TSimArr& positions = ForecastArray(kCategoryFtaMarket, 0, "PosSemBrds");
    for (int d = 1; d <= 3; ++d) positions.SetSmallint({1, d, si::AttAct}, 20 + d);
    EXPECT_FALSE(module.IsBrandModified(1));
    positions.SetSmallint({1, 3, si::AttAct}, 24);
    EXPECT_TRUE(module.IsBrandModified(1));
    EXPECT_THROW(module.IsBrandModified(4), EModelError);
}

// Each market's attributes are compared in the market SetMarket selects, also
// after another market was asked about.
TEST_F(ModBasicTest, BrandIsModifiedInTheMarketSelected) {
    TModBasic& module = Forecast(test::FixtureLargest(1, 1, 2, 1, 1));
    TCvPerData& forecast = industry_->PerResults(industry_->CurPeriod() + 1);
    // B11 was market brand 1 of t in both markets: "PosSemBrds"[1, d, AttAct] = 10 + d.
    for (int market : {1, 2}) {
        TSimArr& positions = test::Arr(forecast, kCategoryFtaMarket, 0, 1, market, "PosSemBrds");
        for (int d = 1; d <= 3; ++d) positions.SetSmallint({1, d, si::AttAct}, market == 2 && d == 3 ? 99 : 10 + d);
    }
    EXPECT_FALSE(module.IsBrandModified(1));
    module.SetMarket(1, 2);
    EXPECT_TRUE(module.IsBrandModified(1));
    module.SetMarket(1, 1);
    EXPECT_FALSE(module.IsBrandModified(1));
}

// A module using an open link book takes over the links that another module
// read for the same cell, exactly as SetMarket would read them; a closed book keeps nothing.
TEST_F(ModBasicTest, SetMarketTakesTheLinksBookedForTheCell) {
    TLinkBook book;
    book.Open();
    Forecast(test::FixtureB());
    module_.UseLinkBook(&book);
    module_.SetMarket(1, 1);
    const TModBasic& reader = module_;
    // Brand 1 of firm 1 is taken off the data, which a module reading it again would see.
    TDataContext firm1 = std::as_const(module_).Ctx();
    firm1.SelFirm = 1;
    industry_->PerResults(industry_->CurPeriod() + 1).SetSmallint(kCategoryFirmFtaMarket, firm1, "NbMktedBrds", 1);
    TModBasic booked;
    booked.Init(*industry_, nullptr);
    booked.UseLinkBook(&book);
    booked.SetMarket(1, 1);
    EXPECT_EQ(std::as_const(booked).Ctx().SelFta, 1);
    EXPECT_EQ(std::as_const(booked).Ctx().SelMarket, 1);
    EXPECT_EQ(booked.SegSeries(), industry_->SegSeries(1, 1));
    EXPECT_EQ(booked.NbMktedBrdsT(), 3);
    EXPECT_EQ(booked.NbMktedBrdsT1(), 3);
    EXPECT_EQ(booked.Dfix(), reader.Dfix());
    EXPECT_EQ(booked.Dbix(), reader.Dbix());
    EXPECT_EQ(booked.Rfix(), reader.Rfix());
    EXPECT_EQ(booked.Rpix(), reader.Rpix());
    EXPECT_EQ(booked.pMbix(), reader.pMbix());
    EXPECT_EQ(booked.FirNbMktedBrdsT(), reader.FirNbMktedBrdsT());
    EXPECT_EQ(booked.FirNbMktedBrdsT1(), (TFirmBytes{0, 2, 1}));
    EXPECT_EQ(booked.Mbix(), reader.Mbix());
    EXPECT_EQ(booked.pDfix(), reader.pDfix());
    EXPECT_EQ(booked.pDbix(), reader.pDbix());
    EXPECT_EQ(booked.BrdNames(), &ForecastArray(kCategoryFtaMarket, 0, "BrdNames"));
    EXPECT_EQ(booked.XFMLinks(), &ForecastArray(kCategoryFtaMarket, 0, "XFMLinks"));
    EXPECT_EQ(booked.FFMLinks(), &ForecastArray(kCategoryFirmFtaMarket, 2, "FFMLinks"));  // of the last firm
    // DELTA (firm 2, slot 1): its decision is found through the links taken over.
    EXPECT_EQ(booked.GetBrandDecision(3, si::Price), 2106);

    book.Close();
    booked.SetMarket(1, 1);
    EXPECT_EQ(booked.FirNbMktedBrdsT1(), (TFirmBytes{0, 1, 1}));
}

// Links whose reading reported something are not kept, so that every module
// reads them and reports them as it did without the book.
TEST_F(ModBasicTest, LinksThatReportedAWarningAreReadAgain) {
    TLinkBook book;
    book.Open();
    Forecast(test::FixtureB());
    TDataContext firm1 = std::as_const(module_).Ctx();
    firm1.SelFirm = 1;
    industry_->PerResults(industry_->CurPeriod() + 1).SetSmallint(kCategoryFirmFtaMarket, firm1, "NbMktedBrds", 9);
    module_.UseLinkBook(&book);
    module_.SetMarket(1, 1);
    ASSERT_FALSE(work_.Warnings.empty());
    TWorkRec otherWork;
    TModBasic other;
    other.Init(*industry_, &otherWork);
    other.UseLinkBook(&book);
    other.SetMarket(1, 1);
    EXPECT_EQ(otherWork.Warnings, work_.Warnings);
    EXPECT_EQ(other.FirNbMktedBrdsT1()[1], module_.FirNbMktedBrdsT1()[1]);
}

}  // namespace
}  // namespace cv
