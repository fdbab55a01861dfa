// The R&D run on the sample industry (tools/sample_industry): its contracts and
// projects reach the prototype lists of the forecast period, with nothing
// missing. Sample facts (docs/sample_industry.md): t = 3; A (firm 1, zone 1)
// buys PIBIS from I (firm 3) in market M1 and has the projects PAXIS (312,500.75)
// and PAVIA (180,000); E (firm 2, zone 2) develops PENZO (240,000) in M2 with I
// as partner (60,000); prototypes of period 3: A in M1 PALBA, PARNO, PALTO;
// I in M1 PIBIS, PIRMA, with the project PILEX; E in M2 PELMA, PEVOS.

#include <gtest/gtest.h>

#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/base/random_generator.h"
#include "model/rnd/mod_rnd.h"
#include "model/work_rec.h"
#include "tests/model/rnd/rnd_sample.h"

namespace cv {
namespace {

using test::kFirmA;
using test::kFirmE;
using test::kFirmI;
using test::kMarketM1;
using test::kMarketM2;

class RnDSampleRun : public test::RnDSampleTest {
protected:
    std::string Name(std::int16_t firm, std::int16_t market, int row) {
        return Lists(firm, market, "ProNames").GetZts({row});
    }
    double Fin(std::int16_t firm, std::int16_t market, int row, int column) {
        return static_cast<double>(Lists(firm, market, "ProFins").GetReal48({row, column}));
    }
    int Count(std::int16_t firm, std::int16_t market) {
        return industry.PerResults(4).GetSmallint(kCategoryFirmMarket, Context(firm, market), "NbPros");
    }
    const TSimArr& Lists(std::int16_t firm, std::int16_t market, const char* name) {
        const TSimArr* list = industry.PerResults(4).FindSimArr(kCategoryFirmMarket, Context(firm, market), name);
        if (!list) throw std::runtime_error(std::string("no list ") + name);
        return *list;
    }
};

TEST_F(RnDSampleRun, ContractsAndProjectsReachTheListsOfTheForecastPeriod) {
    SetRandomSeed(3 * 7);
    TWorkRec work;
    TModRnD rnd;
    rnd.WorkRec = &work;
    rnd.Run(industry);

    // A bought PIBIS from the higher-numbered I before I's own turn, then merged its projects.
    ASSERT_EQ(Count(kFirmA, kMarketM1), 6);
    const char* names[] = {"PALBA", "PARNO", "PALTO", "PIBIS", "PAXIS", "PAVIA"};
    for (int row = 1; row <= 6; ++row) EXPECT_EQ(Name(kFirmA, kMarketM1, row), names[row - 1]);
    EXPECT_EQ(Lists(kFirmA, kMarketM1, "ProTecs").GetReal48({4, 4}), 210);
    EXPECT_EQ(Fin(kFirmA, kMarketM1, 4, si::ProDeveloper), kFirmI);
    EXPECT_EQ(Fin(kFirmA, kMarketM1, 5, si::ProCumBgt), 312500.75);
    EXPECT_EQ(Fin(kFirmA, kMarketM1, 5, si::ProReqBgt), -1);
    EXPECT_EQ(Fin(kFirmA, kMarketM1, 6, si::ProCumBgt), 180000);
    // I keeps PIBIS.
    ASSERT_EQ(Count(kFirmI, kMarketM1), 3);
    EXPECT_EQ(Name(kFirmI, kMarketM1, 1), "PIBIS");
    EXPECT_EQ(Name(kFirmI, kMarketM1, 3), "PILEX");
    // E's PENZO: developer E, partner I, I's 60,000; spent 240,000 + 60,000.
    ASSERT_EQ(Count(kFirmE, kMarketM2), 3);
    EXPECT_EQ(Name(kFirmE, kMarketM2, 3), "PENZO");
    EXPECT_EQ(Fin(kFirmE, kMarketM2, 3, si::ProDeveloper), kFirmE);
    EXPECT_EQ(Fin(kFirmE, kMarketM2, 3, si::ProPartner), kFirmI);
    EXPECT_EQ(Fin(kFirmE, kMarketM2, 3, si::ProAllBgtOther), 60000);
    EXPECT_EQ(Fin(kFirmE, kMarketM2, 3, si::ProCumBgt), 300000);

    // The outcomes of every firm and market.
    for (const std::int16_t firm : {kFirmA, kFirmE, kFirmI})
        for (const std::int16_t market : {kMarketM1, kMarketM2}) {
            rnd.Init(industry, Context(firm, market));
            rnd.RunProjects(rnd.Context);
        }
    // Open prototypes stay open or become available; none is left uncosted.
    for (const int row : {5, 6}) {
        const double required = Fin(kFirmA, kMarketM1, row, si::ProReqBgt);
        EXPECT_TRUE(required == 0 || required >= 100000) << row << ": " << required;
        EXPECT_GE(Fin(kFirmA, kMarketM1, row, si::ProReqUC), Fin(kFirmA, kMarketM1, row, si::ProMinUC));
    }
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.plainBoxes.empty());
    EXPECT_EQ(LogText().find("cannot get SimArr"), std::string::npos);
    EXPECT_TRUE(work.Warnings.empty());
}

}  // namespace
}  // namespace cv
