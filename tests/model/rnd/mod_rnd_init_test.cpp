#include <gtest/gtest.h>

#include <memory>

#include "core/store/per_data.h"
#include "core/store/sim_data.h"
#include "core/base/errors.h"
#include "model/rnd/mod_rnd.h"
#include "tests/model/rnd/rnd_sample.h"

namespace cv {
namespace {

using test::kFirmA;
using test::kFirmE;
using test::kFirmI;
using test::kMarketM1;
using test::kMarketM2;

constexpr double kReal48Tolerance = 1e-11;

class RnDInitTest : public test::RnDSampleTest {
protected:
    TDataContext FirmCell(std::int16_t firm) const {
        TDataContext context;
        context.SelFirm = firm;
        return context;
    }
    // Keeps only "Technical" and "UCParams" in the constant cell of Market.
    void KeepOnlyCostTables(std::int16_t market) {
        TSimData* cell = industry.ConstPart().Cell({0, 0, market});
        TSimData kept;
        for (const char* name : {"Technical", "UCParams"}) {
            auto copy = std::make_unique<TSimArr>();
            copy->Assign(*cell->GetSimArr(name));
            kept.AddSimArr(name, std::move(copy));
        }
        ReplaceCell(industry.ConstPart(), {0, 0, market}, kept);
    }

    TModRnD rnd;
};

TEST_F(RnDInitTest, BindsTheFirmsListsColumnsAndParametersInItsHomeZone) {
    rnd.Init(industry, Context(kFirmE, kMarketM2));
    EXPECT_EQ(rnd.Data, &industry);
    EXPECT_EQ(rnd.Context.SelFirm, kFirmE);
    EXPECT_EQ(rnd.Context.SelFta, 2);
    EXPECT_EQ(rnd.Context.SelMarket, kMarketM2);
    EXPECT_EQ(rnd.ResCur, &industry.PerResults(3));
    EXPECT_EQ(rnd.ResNext, &industry.PerResults(4));
    EXPECT_EQ(rnd.DecNext, &industry.PerDecisions(4));
    // Labels in their series order, lo 1 (series-index table order).
    EXPECT_EQ(rnd.ResearchCateg, 1);
    EXPECT_EQ(rnd.Tec.TDMinLev, 1);
    EXPECT_EQ(rnd.Tec.TDSuc2Muc, 5);
    EXPECT_EQ(rnd.Fin.ProDecStatus, 1);
    EXPECT_EQ(rnd.Fin.ProReqBgt, 7);
    EXPECT_EQ(rnd.Fin.ProReqBgtRQ, 18);
    // E in M2: prototypes PELMA, PEVOS; project PENZO.
    EXPECT_EQ(rnd.NbPros, 2);
    EXPECT_EQ(rnd.ProNames->GetZts({2}), "PEVOS");
    EXPECT_EQ(rnd.NbPrjs, 1);
    EXPECT_EQ(rnd.PrjNames->GetZts({1}), "PENZO");
    EXPECT_EQ(rnd.PrjTecs->GetReal48({1, 2}), 160);
    EXPECT_EQ(rnd.Technical->GetReal48({1, rnd.Tec.TDUnitCost}), -5);
    EXPECT_EQ(rnd.UCParams->GetReal48({rnd.Tec.TDDevBgt}), 20000);
    EXPECT_NEAR(rnd.MinUCOverEst, 0.05, kReal48Tolerance);
    EXPECT_NEAR(rnd.MaxDBOverEst, 0.3, kReal48Tolerance);
    EXPECT_EQ(rnd.MinRnDBgt, 100000);
    EXPECT_EQ(rnd.MinRUC, 10);
    EXPECT_EQ(rnd.MaxRUC, 1500);

    // Moving to another firm and market rebinds everything.
    rnd.Init(industry, Context(kFirmA, kMarketM1));
    EXPECT_EQ(rnd.Context.SelFta, 1);
    EXPECT_EQ(rnd.NbPros, 3);
    EXPECT_EQ(rnd.ProNames->GetZts({3}), "PALTO");
    EXPECT_EQ(rnd.NbPrjs, 2);

    // The prototypes of another results set: period 2 holds PALBA and PARNO; the forecast
    // period holds no lists yet, which leaves the lists bound before.
    rnd.BindPrototypes(industry.PerResults(2));
    EXPECT_EQ(rnd.NbPros, 2);
    EXPECT_EQ(rnd.ProNames, industry.PerResults(2).FindSimArr(kCategoryFirmMarket, rnd.Context, "ProNames"));
    EXPECT_THROW(rnd.BindPrototypes(*rnd.ResNext), EModelError);
    EXPECT_EQ(rnd.NbPros, 2);
    EXPECT_EQ(rnd.ProNames->GetZts({2}), "PARNO");
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.plainBoxes.empty());
}

TEST_F(RnDInitTest, ParametersTheIndustryLacksTakeTheirDefaults) {
    KeepOnlyCostTables(kMarketM2);
    industry.ConstPart().SetReal(kCategoryMarket, Context(kFirmE, kMarketM2), "MaxRUC", 899.5);
    rnd.Init(industry, Context(kFirmE, kMarketM2));
    EXPECT_NEAR(rnd.MinRnDBgtRatio, 0.8, kReal48Tolerance);
    EXPECT_EQ(rnd.MinRnDBgt, 100000);
    EXPECT_EQ(rnd.MaxRnDBgt, 20000000);
    EXPECT_EQ(rnd.MinUCOverEst, 0);
    EXPECT_EQ(rnd.MaxUCOverEst, 0);
    EXPECT_EQ(rnd.MinDBOverEst, 0);
    EXPECT_EQ(rnd.MaxDBOverEst, 0);
    EXPECT_EQ(rnd.MinRUC, 10);
    EXPECT_EQ(rnd.MaxRUC, 900);  // 899.5 rounds to the even 900
}

TEST_F(RnDInitTest, HomeZoneIsKeptWithinTheIndustrysZones) {
    TCvPerData& constant = industry.ConstPart();
    EXPECT_EQ(TModRnD::HomeFta(industry, kFirmE), 2);
    constant.SetSmallint(kCategoryFirm, FirmCell(kFirmE), "HomeFta", 7);
    EXPECT_EQ(TModRnD::HomeFta(industry, kFirmE), 2);
    constant.SetSmallint(kCategoryFirm, FirmCell(kFirmA), "HomeFta", 0);
    EXPECT_EQ(TModRnD::HomeFta(industry, kFirmA), 1);

    // A firm without "HomeFta": zone 1, whose economics exist, instead of zone 0.
    EmptyCell(constant, {kFirmI, 0, 0});
    rnd.Init(industry, Context(kFirmI, kMarketM1));
    EXPECT_EQ(rnd.Context.SelFta, 1);
    EXPECT_NO_THROW(industry.ConvertToFta(industry.DecPeriod(), rnd.Context.SelFta, true, 1, rnd.ResearchCateg));

    const std::string log = LogText();
    EXPECT_NE(log.find("HomeFta 7 of firm 2 is not a zone in 1..2: zone 2 used"), std::string::npos);
    EXPECT_NE(log.find("HomeFta 0 of firm 1 is not a zone in 1..2: zone 1 used"), std::string::npos);
    EXPECT_NE(log.find("HomeFta missing for firm 3: zone 1 used"), std::string::npos);
    EXPECT_TRUE(ui.errorBoxes.empty());
}

TEST_F(RnDInitTest, CountsAreCutToTheirListsAndAMissingListIsAModelError) {
    TDataContext context = Context(kFirmA, kMarketM1);
    industry.PerResults(3).SetSmallint(kCategoryFirmMarket, context, "NbPros", 25);
    industry.PerDecisions(4).SetSmallint(kCategoryFirmMarket, context, "NbPrjs", -3);
    rnd.Init(industry, context);
    EXPECT_EQ(rnd.NbPros, 20);
    EXPECT_EQ(rnd.NbPrjs, 0);
    const std::string log = LogText();
    EXPECT_NE(log.find("NbPros = 25 outside 0..20 in results of period 3, firm 1, market 1: 20 used"),
              std::string::npos);
    EXPECT_NE(log.find("NbPrjs = -3 outside 0..10 in decisions of period 4, firm 1, market 1: 0 used"),
              std::string::npos);

    // A firm whose project lists are missing: the error names the list, the object stays bound as before.
    EmptyCell(industry.PerDecisions(4), {kFirmE, 0, kMarketM2});
    try {
        rnd.Init(industry, Context(kFirmE, kMarketM2));
        ADD_FAILURE() << "no error for a missing project list";
    } catch (const EModelError& error) {
        EXPECT_NE(std::string(error.what()).find("PrjNames"), std::string::npos) << error.what();
    }
    EXPECT_EQ(rnd.Context.SelFirm, kFirmA);
    EXPECT_EQ(rnd.NbPros, 20);
}

TEST(RnDUnbound, EstimatesAndListsBeforeInitAreModelErrors) {
    TModRnD rnd;
    TDynArr levels;
    levels.Init(dkReal48, 0, 2, {1, 1}, {1, 1});
    EXPECT_THROW(rnd.CalcUCs(levels, levels, 0, levels, 1, nullptr, 1, false), EModelError);
    EXPECT_THROW(rnd.SetNbPrjs(0), EModelError);
    EXPECT_FALSE(rnd.IsProject("ANY"));
    EXPECT_EQ(rnd.PrototypeIndex("ANY"), 0);
}

}  // namespace
}  // namespace cv
