// The sample industry reads like a game in progress: its history is what our
// model forecast period by period, its current period has room for the map
// regressions, and a forecast made on it raises no warning and gives the
// portfolio statuses of a normal game.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/log_file.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/support/stored_form.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv {
namespace {

constexpr int kDecision = 4;

using test::Contains;

// The forecast of the decision period, at the most detailed log level, finds
// every quantity it reads and warns of nothing. Brands carried on keep their
// prototypes' levels (status 1, or 2 when their base cost did not rise); the
// brand launched in the decision period is new (4); none comes out modified (3).
TEST(SampleForecast, ForecastWarnsOfNothingAndGivesTheStatusesOfANormalGame) {
    test::TModelWorld world;
    TCvInd& industry = world.Open(sample::WriteSampleIndustryFile(world.GamesDir()));
    DebugLevel = 9;
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    DebugLevel = 0;
    EXPECT_TRUE(world.warnings.empty()) << world.warnings.front();
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG04.TXT");
    for (const char* missing : {"Unknown scalar", "cannot get SimArr", "missing", "Warning"})
        EXPECT_FALSE(Contains(log, missing)) << missing;
    EXPECT_TRUE(world.ui.errorBoxes.empty());
    EXPECT_TRUE(world.ui.plainBoxes.empty());

    const test::TForecastView forecast(industry, kDecision);
    int carried = 0;
    int launched = 0;
    for (int zone = 1; zone <= industry.NbFtas(); ++zone)
        for (int market = 1; market <= industry.NbMarkets(); ++market)
            for (int m = 1; m <= forecast.MarketCount(zone, market); ++m) {
                const int firm = forecast.MarketLink(zone, market, m, si::Dfix);
                const int slot = forecast.MarketLink(zone, market, m, si::Dbix);
                const TDataContext firmCell = test::FixtureCell(kDecision, firm, zone, market);
                const TSimArr* mix =
                    industry.PerDecisions(kDecision).FindSimArr(kCategoryFirmFtaMarket, firmCell, "DecBrdCV3");
                ASSERT_NE(mix, nullptr);
                const long double status = mix->GetReal48({slot, si::PortStatus});
                const std::string brand = forecast.BrandName(zone, market, m);
                if (forecast.MarketLink(zone, market, m, si::pMbix) == 0) {
                    EXPECT_EQ(status, 4) << brand;
                    ++launched;
                } else {
                    EXPECT_TRUE(status == 1 || status == 2) << brand << " " << static_cast<double>(status);
                    ++carried;
                }
            }
    EXPECT_GT(carried, launched);
    EXPECT_GE(launched, 1);
}

// Every cell of Set in its stored form, grid order.
std::vector<std::vector<std::uint8_t>> StoredCells(TCvPerData& set) {
    std::vector<std::vector<std::uint8_t>> cells;
    ForEachCell([&](const TCellIndex& cell) {
        const TSimData* bag = set.Cell(cell);
        cells.push_back(bag ? test::StoredForm(*bag) : std::vector<std::uint8_t>{});
    });
    return cells;
}

// A forecast made again carries the decisions of t+1 over the default
// decisions of t+2 that the first one made: the same decisions, and no warning
// in the model log.
TEST(SampleForecast, AForecastMadeAgainGivesTheSameDefaultsAndWarnsOfNothing) {
    test::TModelWorld world;
    TCvInd& industry = world.Open(sample::WriteSampleIndustryFile(world.GamesDir()));
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const auto first = StoredCells(industry.PerDecisions(kDecision + 1));
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(StoredCells(industry.PerDecisions(kDecision + 1)) == first);
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG04.TXT");
    EXPECT_FALSE(Contains(log, "Warning")) << log.substr(0, 400);
}

}  // namespace
}  // namespace cv
