// The results set of t+1 after a run holds every array and counter of the
// forecast period with its kind and dimension series, in every cell of its
// category, and nothing else. The table below is transcribed from the data
// dictionary of the forecast period, independently of the model's own table;
// its last rows are the prototype lists that the R&D run carries from t into
// every firm-and-market cell of t+1.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/store/per_data.h"
#include "core/store/sim_data.h"
#include "core/session/industry.h"
#include "model/mod_cv3.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

// Dimension codes: "@Per", "@Cha", "@Seg", "@Sem", "@Map", "@Dim" stand for the
// industry's period series and the series of the cell's zone and market; any
// other name is a series of the series-index table.
struct TExpectedArray {
    int category;
    const char* name;
    int kind;  // -1: a small-integer counter
    int textLength;
    std::vector<std::string> dims;
};

constexpr int kCounter = -1;
constexpr int R = dkReal48, I = dkSmallint, B = dkByte, Z = dkZts;

const std::vector<TExpectedArray> kExpected = {
    {2, "LoansHist", R, 0, {"@Per", "LoanTerms"}},
    {3, "XFXRes", R, 0, {"@Cha", "ChaXFXRes"}},
    {3, "MsgAdm2All", Z, 128, {"MsgAdmLine"}},
    {5, "FFXRpt", R, 0, {"FFXRpt"}},
    {5, "StuFFXRpt", R, 0, {"FFXRpt"}},
    {5, "MsgAdm2Fir", Z, 128, {"MsgAdmLine"}},
    {5, "NbMsgSim", kCounter, 0, {}},
    {5, "MsgSim2Fir", Z, 16, {"MsgSim", "MsgSKP"}},
    {7, "NbMktedBrds", kCounter, 0, {}},
    {7, "BrdNames", Z, 8, {"MktBrand"}},
    {7, "XFMLinks", B, 0, {"MktBrand", "XFMLinks"}},
    {7, "SegSizes", R, 0, {"@Seg", "SegSize"}},
    {7, "SegSales", R, 0, {"@Seg", "UorV"}},
    {7, "BrdUSales", R, 0, {"MktBrand", "@Seg", "@Cha"}},
    {7, "BrdRPrices", I, 0, {"MktBrand", "@Cha"}},
    {7, "StuBrdSegUMS", I, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdChaUMS", I, 0, {"MktBrand", "@Cha"}},
    {7, "StuBrdAvgUMS", I, 0, {"MktBrand"}},
    {7, "StuBrdSegVMS", I, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdChaVMS", I, 0, {"MktBrand", "@Cha"}},
    {7, "StuBrdAvgVMS", I, 0, {"MktBrand"}},
    {7, "StuDistrCov", I, 0, {"MktBrand", "@Cha"}},
    {7, "BrdPastMSU", I, 0, {"PM2PM1", "MktBrand", "@Seg"}},
    {7, "StuByingHabits", I, 0, {"@Seg", "@Cha"}},
    {7, "DisCovIdxs", I, 0, {"MktBrand", "@Cha"}},
    {7, "BrdSegAwa", I, 0, {"MktBrand", "@Seg"}},
    {7, "BrdAvgAwa", I, 0, {"MktBrand"}},
    {7, "StuBrdSegAwa", I, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdAvgAwa", I, 0, {"MktBrand"}},
    {7, "BrdSegPI", I, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdSegPI", I, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdAvgPI", I, 0, {"MktBrand"}},
    {7, "PosSemBrds", I, 0, {"MktBrand", "@Sem", "PosSemBrd"}},
    {7, "PosSemIPs", I, 0, {"@Seg", "@Sem", "PosSemIP"}},
    {7, "PosMapBrds", I, 0, {"MktBrand", "@Map", "PosMapBrd"}},
    {7, "PosMapIPs", I, 0, {"@Seg", "@Map", "PosMapIP"}},
    {7, "SemWeights", I, 0, {"@Sem"}},
    {7, "SemScales", I, 0, {"@Sem", "MinMax"}},
    {7, "BrdTransfCost", I, 0, {"MktBrand"}},
    {7, "StuBrdAdv", R, 0, {"MktBrand", "@Seg"}},
    {7, "StuBrdSlf", R, 0, {"MktBrand", "@Cha"}},
    {7, "StuBrdAdvTestSeg", I, 0, {"MktBrand", "@Seg", "StuAdvTest"}},
    {7, "StuBrdAdvTest", R, 0, {"MktBrand"}},
    {7, "StuBrdSlfTestCha", I, 0, {"MktBrand", "@Cha", "StuSlfTest"}},
    {7, "StuBrdSlfTest", R, 0, {"MktBrand"}},
    {7, "StuCjaValues", I, 0, {"@Seg", "@Sem", "CjaLevel"}},
    {7, "StuCjaUtils", I, 0, {"@Seg", "@Sem", "CjaLevel"}},
    {7, "StuCjaWeights", I, 0, {"@Seg", "@Sem"}},
    {8, "NbMktedBrds", kCounter, 0, {}},
    {8, "FirMktedBrds", Z, 8, {"FirBrand"}},
    {8, "FirMktedPros", Z, 8, {"FirBrand"}},
    {8, "FFMLinks", B, 0, {"FirBrand", "FFMLinks"}},
    {8, "Inventory", R, 0, {"@Per", "FirBrand", "Inventory"}},
    {8, "BrdRpt", R, 0, {"FirBrand", "BrdRpt"}},
    {8, "BrdNDis", R, 0, {"FirBrand", "@Cha"}},
    {8, "BrdCumNames", Z, 8, {"CumBrand"}},
    {8, "BrdCumRes", R, 0, {"CumBrand", "BrdCumRes"}},
    {8, "FFMRpt", R, 0, {"FFMRpt"}},
    {8, "StuFFMRpt", R, 0, {"FFMRpt"}},
    {8, "MostRecentStuBH", I, 0, {"@Seg", "@Cha"}},
    {8, "StuFirSegUMS", I, 0, {"@Seg"}},
    {8, "StuFirChaUMS", I, 0, {"@Cha"}},
    {8, "StuFirSegVMS", I, 0, {"@Seg"}},
    {8, "StuFirChaVMS", I, 0, {"@Cha"}},
    {6, "NbPros", kCounter, 0, {}},
    {6, "ProNames", Z, 8, {"Prototype"}},
    {6, "ProTecs", R, 0, {"Prototype", "@Dim"}},
    {6, "ProFins", R, 0, {"Prototype", "ProFinances"}},
};

// Besides the counters above, SetupMarketedBrands adds the market's "MktAge".
const std::vector<std::string> kExtraScalars = {"MktAge"};

// The arrays that no step of the plan pass fills; they stay all zero.
const std::vector<std::string> kUnfilled = {"BrdSegAwa", "BrdAvgAwa", "BrdSegPI", "StuCjaUtils", "MsgAdm2All"};

const TSeries* ExpectedSeries(const TCvInd& industry, const std::string& code, int zone, int market) {
    if (code == "@Per") return industry.PerSeries();
    if (code == "@Cha") return industry.ChaSeries(zone);
    if (code == "@Seg") return industry.SegSeries(zone, market);
    if (code == "@Sem") return industry.SemSeries(market);
    if (code == "@Map") return industry.MapSeries(market);
    if (code == "@Dim") return industry.DimSeries(market);
    return industry.FindSeries(code);
}

void ExpectArray(const TCvInd& industry, const TSimData& cell, const TExpectedArray& expected, const TCellIndex& at) {
    const std::string where = std::string(expected.name) + " in cell (" + std::to_string(at.firm) + ", " +
                              std::to_string(at.zone) + ", " + std::to_string(at.market) + ")";
    if (expected.kind == kCounter) {
        const TSimValue* value = cell.FindScalar(expected.name);
        ASSERT_NE(value, nullptr) << where;
        EXPECT_EQ(value->kind, dkSmallint) << where;
        return;
    }
    const TSimArr* array = cell.FindSimArr(expected.name);
    ASSERT_NE(array, nullptr) << where;
    EXPECT_EQ(array->Kind(), expected.kind) << where;
    if (expected.kind == dkZts) {
        EXPECT_EQ(array->SubType(), expected.textLength) << where;
    }
    ASSERT_EQ(array->NDim(), static_cast<int>(expected.dims.size())) << where;
    for (int d = 1; d <= array->NDim(); ++d) {
        const TSeries* series = ExpectedSeries(industry, expected.dims[d - 1], at.zone, at.market);
        ASSERT_NE(series, nullptr) << where;
        EXPECT_EQ(array->DimName(d), series->Name()) << where << " dimension " << d;
        EXPECT_EQ(array->LB(d), series->Lo()) << where << " dimension " << d;
        EXPECT_EQ(array->UB(d), series->Hi()) << where << " dimension " << d;
    }
    const bool unfilled = std::find(kUnfilled.begin(), kUnfilled.end(), expected.name) != kUnfilled.end();
    EXPECT_TRUE(!unfilled || test::ArrayAllZero(*array)) << where;
}

// Every cell of every category: the expected arrays and counters, and no other array.
void ExpectDictionary(const TCvInd& industry, const TCvPerData& forecast) {
    ForEachCell([&](const TCellIndex& at) {
        const TSimData* cell = forecast.Cell(at);
        const bool firm = at.firm >= 1 && at.firm <= industry.NbFirms();
        const bool zone = at.zone >= 1 && at.zone <= industry.NbFtas();
        const bool market = at.market >= 1 && at.market <= industry.NbMarkets();
        int category = 0;
        if (firm && !at.zone && !at.market) category = kCategoryFirm;
        if (!at.firm && zone && !at.market) category = kCategoryFta;
        if (firm && zone && !at.market) category = kCategoryFirmFta;
        if (firm && !at.zone && market) category = kCategoryFirmMarket;
        if (!at.firm && zone && market) category = kCategoryFtaMarket;
        if (firm && zone && market) category = kCategoryFirmFtaMarket;
        int arrays = 0;
        for (const TExpectedArray& expected : kExpected) {
            if (expected.category != category) continue;
            ASSERT_NE(cell, nullptr);
            ExpectArray(industry, *cell, expected, at);
            if (expected.kind != kCounter) ++arrays;
        }
        if (category == 0) {
            EXPECT_TRUE(cell == nullptr || (cell->ArrayCount() == 0 && cell->ScalarCount() == 0));
        } else {
            EXPECT_EQ(cell->ArrayCount(), arrays) << "category " << category;
        }
    });
}

TEST(PeriodArrays, EveryFixtureGetsTheWholeDictionaryInEveryCell) {
    for (const test::TFixtureSpec& spec :
         {test::FixtureA(), test::FixtureB(), test::FixtureC(), test::FixtureD(1), test::FixtureD(2)}) {
        SCOPED_TRACE("fixture with " + std::to_string(spec.firms) +
                     " firms, t = " + std::to_string(spec.currentPeriod));
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(spec);
        TWorkRec work;
        TModCV3 driver;
        driver.Init(industry, &work);
        ASSERT_TRUE(driver.Run(rfMarketingPlan)) << driver.FailureReason();
        ExpectDictionary(industry, industry.PerResults(spec.currentPeriod + 1));
        const TCvPerData& forecast = industry.PerResults(spec.currentPeriod + 1);
        TDataContext context;
        context.SelFta = context.SelMarket = 1;
        for (const std::string& scalar : kExtraScalars) {
            EXPECT_NE(forecast.Cell(CalcIndices(kCategoryFtaMarket, context))->FindScalar(scalar), nullptr);
        }
        EXPECT_TRUE(work.Warnings.empty());
    }
}

TEST(PeriodArrays, AnIndustryWithoutZonesGetsOnlyTheFirmArraysAndPrototypeLists) {
    test::TFixtureSpec spec(3, 2, 0, 1);
    spec.Prototypes(1, 1) = {"PX"};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    ExpectDictionary(industry, industry.PerResults(4));
    TDataContext firm2;
    firm2.SelFirm = 2;
    EXPECT_NE(industry.PerResults(4).FindSimArr(kCategoryFirm, firm2, "LoansHist"), nullptr);
}

}  // namespace
}  // namespace cv
