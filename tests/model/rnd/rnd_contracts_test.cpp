#include "model/rnd/rnd_contracts.h"

#include <gtest/gtest.h>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "tests/model/rnd/rnd_sample.h"

namespace cv {
namespace {

using test::kFirmA;
using test::kFirmE;
using test::kFirmI;
using test::kMarketM1;
using test::kMarketM2;

// Contracts of the sample's decision period: A (zone 1) buys PIBIS from I for a lump
// royalty of 500,000; I (zone 1) holds that contract and the joint development of
// PENZO, E developing with 240,000 and I partner with 60,000. Both signed and first
// used in period 4, for 3 periods.
class RnDContractsTest : public test::RnDSampleTest {
protected:
    TDataContext ZoneContext(std::int16_t firm, std::int16_t zone, std::int16_t market = kMarketM1) const {
        TDataContext context = Context(firm, market);
        context.SelFta = zone;
        return context;
    }
    // Replaces the table of Firm in Zone by one of Slots contracts whose texts may be long.
    TSimArr& LongTextTable(std::int16_t firm, std::int16_t zone, int count, int slots) {
        TCvPerData& decisions = industry.PerDecisions(4);
        EmptyCell(decisions, {firm, zone, 0});
        const TDataContext context = ZoneContext(firm, zone);
        auto termArray = std::make_unique<TSimArr>();
        termArray->Init(dkReal48, 0, 3, {1, 1, 1}, {slots, 2, si::CctTerms->Hi()});
        decisions.AddSimArr(kCategoryFirmFta, context, "CctTerms", std::move(termArray));
        auto whatArray = std::make_unique<TSimArr>();
        whatArray->Init(dkZts, 0, 2, {1, 1}, {slots, si::CctWhat->Hi()});
        decisions.SetSmallint(kCategoryFirmFta, context, "NbCcts", static_cast<std::int16_t>(count));
        return decisions.AddSimArr(kCategoryFirmFta, context, "CctWhat", std::move(whatArray));
    }

    TModCct contracts;
};

TEST_F(RnDContractsTest, ContractsReadAsFlatRecordsInRankOrder) {
    EXPECT_TRUE(contracts.NeedsReload(ZoneContext(kFirmI, 1)));
    contracts.Load(&industry, ZoneContext(kFirmI, 1));
    ASSERT_EQ(contracts.GetNbCcts(ZoneContext(kFirmI, 1)), 2);
    const TCctRec development = contracts.GetCctByRank(ZoneContext(kFirmI, 1), 1);
    EXPECT_EQ(development.CctType, "Dev");
    EXPECT_EQ(development.Kind(), TCctKind::Dev);
    EXPECT_EQ(development.PrjName, "PENZO");
    EXPECT_EQ(development.Firm, (TCctPair{2, 3}));
    EXPECT_EQ(development.DevBgt, (TCctPair{240000, 60000}));
    EXPECT_EQ(development.CctAllowed, (TCctPair{1, 1}));
    EXPECT_EQ(development.RoyLump, (TCctPair{0, 0}));

    const TCctRec acquisition = contracts.GetCctByRank(ZoneContext(kFirmI, 1), 2);
    EXPECT_EQ(acquisition.Kind(), TCctKind::Acq);
    EXPECT_EQ(acquisition.PrjName, "PIBIS");
    EXPECT_EQ(acquisition.Firm, (TCctPair{3, 1}));
    EXPECT_EQ(acquisition.RoyLump, (TCctPair{500000, 0}));
    EXPECT_EQ(acquisition.RoyUnit, (TCctPair{0, 0}));
    EXPECT_EQ(acquisition.PerSigned, 4);
    EXPECT_EQ(acquisition.Per1stUse, 4);
    EXPECT_EQ(acquisition.Duration, 3);
}

TEST_F(RnDContractsTest, AnotherFirmZoneOrMarketReloadsTheTable) {
    contracts.Load(&industry, ZoneContext(kFirmA, 1));
    EXPECT_EQ(contracts.Data(), &industry);
    EXPECT_FALSE(contracts.NeedsReload(ZoneContext(kFirmA, 1)));
    EXPECT_EQ(contracts.GetNbCcts(ZoneContext(kFirmA, 1)), 1);
    EXPECT_EQ(contracts.GetCctByRank(ZoneContext(kFirmA, 1), 1).PrjName, "PIBIS");

    // Zone 2 of A holds none.
    EXPECT_TRUE(contracts.NeedsReload(ZoneContext(kFirmA, 2)));
    EXPECT_EQ(contracts.GetNbCcts(ZoneContext(kFirmA, 2)), 0);
    EXPECT_EQ(contracts.Context().SelFta, 2);
    // E holds its development contract in zone 2.
    EXPECT_EQ(contracts.GetNbCcts(ZoneContext(kFirmE, 2)), 1);
    EXPECT_EQ(contracts.Data(), &industry);
    // The market is part of the test although the table does not depend on it.
    EXPECT_TRUE(contracts.NeedsReload(ZoneContext(kFirmE, 2, kMarketM2)));
    EXPECT_EQ(contracts.GetCctByRank(ZoneContext(kFirmE, 2, kMarketM2), 1).PrjName, "PENZO");
    EXPECT_EQ(contracts.Context().SelMarket, kMarketM2);
    // A period change alone is no reload.
    TDataContext otherPeriod = ZoneContext(kFirmE, 2, kMarketM2);
    otherPeriod.SelPeriod = 1;
    EXPECT_FALSE(contracts.NeedsReload(otherPeriod));
}

TEST_F(RnDContractsTest, TypesIgnoreCaseAndTextsAreCutToSixteen) {
    TSimArr& what = LongTextTable(kFirmE, 1, 3, 4);
    what.SetZts({1, si::CctType}, "dev");
    what.SetZts({1, si::PrjName}, "ABCDEFGHIJKLMNOPQRST");
    what.SetZts({2, si::CctType}, "ACQ");
    what.SetZts({3, si::CctType}, "Licence");
    const TDataContext context = ZoneContext(kFirmE, 1);
    contracts.Load(&industry, context);
    ASSERT_EQ(contracts.GetNbCcts(context), 3);
    const TCctRec first = contracts.GetCctByRank(context, 1);
    EXPECT_EQ(first.Kind(), TCctKind::Dev);
    EXPECT_EQ(first.PrjName, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(contracts.GetCctByRank(context, 2).Kind(), TCctKind::Acq);
    EXPECT_EQ(contracts.GetCctByRank(context, 3).Kind(), TCctKind::Other);
    EXPECT_EQ(contracts.GetCctByRank(context, 3).CctType, "Licence");
}

TEST_F(RnDContractsTest, CountsBeyondTheTableAreCutAndMissingTablesAreModelErrors) {
    LongTextTable(kFirmE, 1, 9, 4);
    contracts.Load(&industry, ZoneContext(kFirmA, 1));
    EXPECT_EQ(contracts.GetNbCcts(ZoneContext(kFirmE, 1)), 4);
    EXPECT_NE(LogText().find("NbCcts = 9 outside 0..4 in decisions of period 4, firm 2, zone 1: 4 used"),
              std::string::npos);

    EmptyCell(industry.PerDecisions(4), {kFirmI, 2, 0});
    EXPECT_THROW(contracts.GetNbCcts(ZoneContext(kFirmI, 2)), EModelError);
    // The table bound before stays bound.
    EXPECT_EQ(contracts.Context().SelFirm, kFirmE);
    EXPECT_FALSE(contracts.NeedsReload(ZoneContext(kFirmE, 1)));

    TModCct unbound;
    EXPECT_THROW(unbound.Load(nullptr, ZoneContext(kFirmA, 1)), EModelError);
}

TEST_F(RnDContractsTest, ATableWithoutEveryElementOfTheRecordIsAModelError) {
    // Terms of one party only: a record would read party 2 outside the table.
    TCvPerData& decisions = industry.PerDecisions(4);
    EmptyCell(decisions, {kFirmE, 1, 0});
    const TDataContext context = ZoneContext(kFirmE, 1);
    auto terms = std::make_unique<TSimArr>();
    terms->Init(dkReal48, 0, 3, {1, 1, 1}, {2, 1, si::CctTerms->Hi()});
    decisions.AddSimArr(kCategoryFirmFta, context, "CctTerms", std::move(terms));
    auto what = std::make_unique<TSimArr>();
    what->Init(dkZts, 0, 2, {1, 1}, {2, si::CctWhat->Hi()});
    decisions.AddSimArr(kCategoryFirmFta, context, "CctWhat", std::move(what));
    decisions.SetSmallint(kCategoryFirmFta, context, "NbCcts", 1);
    try {
        contracts.Load(&industry, context);
        ADD_FAILURE() << "no error for a table without party 2";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "array CctTerms does not span 1..2 in its dimension 2");
    }
    EXPECT_TRUE(contracts.NeedsReload(context));
}

TEST_F(RnDContractsTest, RankOutsideTheContractsIsAModelErrorNotAnExit) {
    contracts.Load(&industry, ZoneContext(kFirmA, 1));
    try {
        contracts.GetCctByRank(ZoneContext(kFirmA, 1), 2);
        ADD_FAILURE() << "no error for rank 2 of 1";
    } catch (const EModelError& error) {
        EXPECT_STREQ(error.what(), "TModCct.GetCctByRank not enough Ccts iFir=1 iFta=1 aCct=2 nCct=1");
    }
    EXPECT_THROW(contracts.GetCctByRank(ZoneContext(kFirmA, 2), 1), EModelError);
    EXPECT_THROW(contracts.GetCctByRank(ZoneContext(kFirmA, 1), 0), EModelError);
    EXPECT_NE(LogText().find("TModCct.GetCctByRank not enough Ccts iFir=1 iFta=2 aCct=1 nCct=0"), std::string::npos);
    // The table stays usable.
    EXPECT_EQ(contracts.GetCctByRank(ZoneContext(kFirmA, 1), 1).PrjName, "PIBIS");
}

}  // namespace
}  // namespace cv
