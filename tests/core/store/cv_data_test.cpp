// The industry data: opening and creating the industry file, the series looked
// up at open, what a save writes (read from the volume table) and a round trip.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "core/store/cv_data.h"
#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "tests/support/checks.h"
#include "tests/support/stored_form.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_industry.h"

namespace cv {
namespace {

constexpr auto Context = test::CellContext;

// Positions in the series list of the test industry.
enum : std::int16_t { posPeriods, posFirms, posZones, posMarkets, posSegsZ2M1, posSegsOther, posBegEnd, posBrands };

// An industry of current period 3: two zones, two markets, three firms; the
// decisions of periods 0..5 hold a "Price" array per firm and market, the
// results of periods -1..3 a "Sales" scalar per firm, the defaults of period 5 one scalar.
void BuildIndustry(const std::string& file, TVolSetClock clock) {
    TCvData industry(std::move(clock));
    industry.Open(std::string(kIndustrySignature), file);
    TCvSeries& list = industry.SeriesList();
    for (const TSeries& series : {TSeries(1, "Periods", -1, {"P-1", "P0", "P1", "P2", "P3", "P4"}),
                                  TSeries(2, "Firms", 1, {"F1", "F2", "F3"}), TSeries(3, "Zones", 1, {"Z1", "Z2"}),
                                  TSeries(4, "Markets", 1, {"M1", "M2"}), TSeries(5, "SegsZ2M1", 1, {"Young", "Old"}),
                                  TSeries(6, "SegsOther", 1, {"All"}), TSeries(7, "BegEnd", 1, {"Beg", "End"}),
                                  TSeries(8, "Brands", 1, {"B1", "B2", "B3"})})
        list.AddSeries(series);
    TCvPerData& constant = industry.ConstPart();
    for (const auto& [name, position] : {std::pair{"PerSeries", +posPeriods}, {"FirSeries", +posFirms},
                                         {"FtaSeries", +posZones}, {"MktSeries", +posMarkets}, {"BadSeries", 99}})
        constant.SetSmallint(kCategoryIndustry, {}, name, static_cast<std::int16_t>(position));
    for (std::int16_t zone = 1; zone <= 2; ++zone)
        for (std::int16_t market = 1; market <= 2; ++market)
            constant.SetSmallint(kCategoryFtaMarket, Context(0, zone, market), "SegSeries",
                                 zone == 2 && market == 1 ? posSegsZ2M1 : posSegsOther);
    const TSeries* brands = list.GetSeries(posBrands);
    for (int period = 0; period <= 5; ++period)
        for (std::int16_t firm = 1; firm <= 3; ++firm)
            for (std::int16_t market = 1; market <= 2; ++market)
                industry.PerDecisions(period)
                    .CreateSimArr(kCategoryFirmMarket, Context(firm, 0, market), "Price", dkReal48, 0, {brands})
                    .SetReal48({1}, 10 * period + firm + market / 10.0L);
    for (int period = -1; period <= 3; ++period)
        for (std::int16_t firm = 1; firm <= 3; ++firm)
            industry.PerResults(period).SetReal(kCategoryFirm, Context(firm, 0, 0), "Sales", 100 * period + firm);
    industry.PerDefaults(5).SetSmallint(kCategoryIndustry, {}, "DefaultsMade", 1);
    industry.SetCurPeriod(3);
    industry.SetScenarioName("Spring");
    industry.Close();
}

// Every value of an industry: the info, the series list and each cell of each
// set in its stored form, keyed by set and cell.
std::map<std::string, std::string> Snapshot(TCvData& industry) {
    auto text = [](const auto& stored) {
        const std::vector<std::uint8_t> bytes = test::StoredForm(stored);
        return std::string(bytes.begin(), bytes.end());
    };
    std::map<std::string, std::string> values{
        {"info", std::to_string(industry.CurPeriod()) + " " + industry.ScenarioName()},
        {"series", text(industry.SeriesList())}};
    auto add = [&](const TCvPerData& set) {
        ForEachCell([&](const TCellIndex& cell) {
            if (const TSimData* bag = set.Cell(cell))
                values[std::to_string(set.What()) + "/" + std::to_string(set.Period()) + "/" +
                       std::to_string(cell.firm * 100 + cell.zone * 10 + cell.market)] = text(*bag);
        });
    };
    add(industry.ConstPart());
    for (int period = kFirstResultPeriod; period <= kLastResultPeriod; ++period) add(industry.PerResults(period));
    for (int period = kFirstDecisionPeriod; period <= kLastStoredPeriod; ++period) {
        add(industry.PerDecisions(period));
        add(industry.PerDefaults(period));
    }
    return values;
}

class CvDataTest : public ::testing::Test {
protected:
    void SetUp() override { BuildIndustry(file, clock.Function()); }

    test::RecordingUi ui;
    test::TempDir dir;
    test::ManualClock clock;
    std::string file = dir / "ALPHA.IND";
};

TEST_F(CvDataTest, OpeningAMissingFileCreatesAnEmptyIndustryFile) {
    const std::string file = dir / "NEWIND.DAT";
    TCvData industry;
    industry.Open(std::string(kIndustrySignature), file);
    EXPECT_TRUE(IsVolSetFile(file, std::string(kIndustrySignature)));  // on disk at once
    EXPECT_EQ(industry.IndustryName() + " " + std::to_string(industry.CurPeriod()), "NEWIND 32767");
    EXPECT_TRUE(industry.SeriesList().Count() == 0 && industry.MktSeries() == nullptr);
    const TVolSetHeader& header = industry.VolumeSet().Header();
    ASSERT_EQ(header.keyCount, 5);
    EXPECT_EQ(header.keys[1].name + " " + header.keys[4].name, "VkPeriod VkFirm");
    EXPECT_EQ((std::vector<int>{header.keys[1].low, header.keys[1].high}), (std::vector<int>{-1, 12}));
    // Nothing to look up in a new industry, so nothing is reported.
    EXPECT_TRUE(ui.plainBoxes.empty() && ui.errorBoxes.empty());
    industry.Close();

    // A file that is not a volume set is refused and the industry stays closed.
    test::WriteFileBytes(dir / "TEXT.IND", "just some text, no header here at all");
    TCvData other;
    EXPECT_THROW(other.Open(std::string(kIndustrySignature), dir / "TEXT.IND"), EVolSetError);
    EXPECT_FALSE(other.IsOpen());
}

TEST_F(CvDataTest, OpenReadsTheInfoTheSeriesAndTheirPositions) {
    TCvData industry;
    industry.Open(std::string(kIndustrySignature), file);
    EXPECT_THROW(industry.Open(std::string(kIndustrySignature), dir / "OTHER.IND"), EVolSetError);
    EXPECT_EQ(industry.FileName(), file);
    EXPECT_EQ(industry.IndustryName() + " " + std::to_string(industry.CurPeriod()) + " " + industry.ScenarioName(),
              "ALPHA 3 Spring");
    ASSERT_NE(industry.PerSeries(), nullptr);
    EXPECT_EQ(industry.PerSeries()->Name() + industry.FirSeries()->Name() + industry.FtaSeries()->Name() +
                  industry.MktSeries()->Name(),
              "PeriodsFirmsZonesMarkets");
    EXPECT_EQ(industry.FindSeries("segsz2m1"), industry.SeriesList().GetSeries(posSegsZ2M1));
    // Markets 1..2 (M1, M2) give 1..3: "AllMkts", M1, M2.
    EXPECT_EQ(industry.AllOrOneMkt().Name() + std::to_string(industry.AllOrOneMkt().Lo()), "AllOrOneMkt1");
    EXPECT_EQ(industry.AllOrOneMkt().Labels(), (std::vector<std::string>{"AllMkts", "M1", "M2"}));

    // Segments are per zone and market: cell (0, 2, 1) names "SegsZ2M1", the others "SegsOther".
    EXPECT_EQ(industry.GetCellSeries("SegSeries", Context(3, 2, 1))->Name(), "SegsZ2M1");
    EXPECT_EQ(industry.GetCellSeries("SegSeries", Context(0, 1, 2))->Name(), "SegsOther");
    EXPECT_TRUE(ui.plainBoxes.empty() && ui.errorBoxes.empty());

    // An unknown kind is reported and read with category 1; a position outside
    // the list is reported and gives none; a missing one is damaged data, named.
    EXPECT_EQ(industry.GetCellSeries("BadSeries", {}), nullptr);
    EXPECT_EQ(ui.plainBoxes,
              (std::vector<std::string>{"*** ERROR: unknown series BadSeries",
                                        "[GetSeries] Bad series position : 99"}));
    EXPECT_EQ(test::ErrorText<EDataError>([&] { industry.GetCellSeries("ChaSeries", Context(0, 1, 0)); }),
              "scalar ChaSeries missing in the constant part, zone 1");
    EXPECT_TRUE(ui.errorBoxes.empty());
    industry.Close();
}

// The global series index follows the open industry: emptied by Close and by
// destruction, so that it never points at freed series.
TEST_F(CvDataTest, TheSeriesIndexTableIsEmptiedWhenTheIndustryCloses) {
    {
        TCvData industry;
        industry.Open(std::string(kIndustrySignature), file);
        EXPECT_EQ((std::vector<int>{si::Beg, si::End}), (std::vector<int>{1, 2}));
        industry.Close();
        EXPECT_TRUE(si::BegEnd == nullptr && si::End == kSeriesMissing);
        industry.Open(std::string(kIndustrySignature), file);
        EXPECT_EQ(si::End, 2);
    }
    EXPECT_TRUE(si::BegEnd == nullptr && si::Beg == kSeriesMissing);
}

// The info volume's period cut short (tag 1 and one byte of its word): Open
// fails, the industry stays closed and the file unchanged.
TEST_F(CvDataTest, ADamagedInfoVolumeFailsTheOpenAndLeavesTheIndustryClosed) {
    TVolSet volumes;
    volumes.OpenReadWrite(file);
    const std::uint8_t cut[] = {1, 3};
    volumes.VolumeSet(cut, sizeof cut, {1, 32767, 32767, 32767, 32767});
    volumes.Close();
    const std::string bytes = test::ReadFileBytes(file);
    TCvData damaged;
    EXPECT_THROW(damaged.Open(std::string(kIndustrySignature), file), EDataError);
    EXPECT_FALSE(damaged.IsOpen());
    EXPECT_EQ(test::ReadFileBytes(file), bytes);
}

// Results are kept for periods -1..12, decisions and defaults for 0..13; each
// table takes its first and last period and refuses the one beyond either end.
TEST_F(CvDataTest, EachSetTableTakesItsOwnPeriodRangeOnly) {
    TCvData industry(clock.Function());
    industry.Open(std::string(kIndustrySignature), file);
    struct Table {
        const char* name;
        std::function<void(int)> use;
        int first, last;
    };
    const Table tables[] = {
        {"results", [&](int period) { industry.PerResults(period); }, -1, 12},
        {"new results", [&](int period) { industry.NewPerResults(period); }, -1, 12},
        {"freed results", [&](int period) { industry.FreePerResults(period); }, -1, 12},
        {"decisions", [&](int period) { industry.PerDecisions(period); }, 0, 13},
        {"defaults", [&](int period) { industry.PerDefaults(period); }, 0, 13},
    };
    for (const Table& table : tables) {
        EXPECT_NO_THROW(table.use(table.first)) << table.name;
        EXPECT_NO_THROW(table.use(table.last)) << table.name;
        EXPECT_THROW(table.use(table.first - 1), ERangeError) << table.name;
        EXPECT_THROW(table.use(table.last + 1), ERangeError) << table.name;
    }
    industry.Close();
}

TEST_F(CvDataTest, SaveDecisionsWritesExactlyTheChangedCellAndTheInfoVolumeOnlyWhenItChanged) {
    TCvData industry(clock.Function());
    industry.Open(std::string(kIndustrySignature), file);
    // Sets read but not changed are not written.
    industry.PerDecisions(4);
    industry.PerResults(3).GetReal(kCategoryFirm, Context(1, 0, 0), "Sales");
    clock.now += 5;
    industry.PerDecisions(5).GetSimArr(kCategoryFirmMarket, Context(2, 0, 1), "Price").SetReal48({3}, 77.5L);
    industry.SaveDecisions();
    // Keys (type, period, zone, market, firm) of the volumes stored at the clock's time.
    const auto storedNow = [&] {
        std::vector<std::vector<std::int16_t>> stored;
        const TVolSet& volumes = industry.VolumeSet();
        for (int i = 0; i < volumes.VolumeCount(); ++i)
            if (volumes.Entry(i).stored == clock.now)
                stored.emplace_back(volumes.Entry(i).keys.begin(), volumes.Entry(i).keys.begin() + 5);
        return stored;
    };
    // The firm 2, market 1 cell of period 5; the info volume is as the file holds it.
    EXPECT_EQ(storedNow(), (std::vector<std::vector<std::int16_t>>{{5, 5, 32767, 1, 2}}));
    industry.Close();
    // Another period: the info volume alone.
    industry.Open(std::string(kIndustrySignature), file);
    clock.now += 5;
    industry.SetCurPeriod(4);
    industry.SaveDecisions();
    EXPECT_EQ(storedNow(), (std::vector<std::vector<std::int16_t>>{{1, 32767, 32767, 32767, 32767}}));
    industry.Close();
}

// Reading every set and closing, with the clock moved on, leaves the file byte
// for byte as it was: no load dates, no info volume, no table written.
TEST_F(CvDataTest, ClosingAnUnchangedIndustryWritesNothing) {
    const std::string before = test::ReadFileBytes(file);
    const auto modified = std::filesystem::last_write_time(file);
    clock.now += 5;
    TCvData industry(clock.Function());
    industry.Open(std::string(kIndustrySignature), file);
    const std::map<std::string, std::string> values = Snapshot(industry);
    EXPECT_FALSE(values.empty());
    industry.SaveAll();
    industry.Close();
    EXPECT_TRUE(test::ReadFileBytes(file) == before);
    EXPECT_EQ(std::filesystem::last_write_time(file), modified);
}

TEST_F(CvDataTest, AFullRoundTripPreservesEveryValue) {
    std::map<std::string, std::string> expected;
    {
        TCvData industry;
        industry.Open(std::string(kIndustrySignature), file);
        industry.PerDecisions(5).GetSimArr(kCategoryFirmMarket, Context(1, 0, 2), "Price").SetReal48({2}, -3.25L);
        industry.PerDecisions(5).SetString(kCategoryFirm, Context(3, 0, 0), "Brief", "Grow in M2");
        industry.PerResults(-1).SetReal(kCategoryFtaMarket, Context(0, 2, 2), "Demand", 1.5e9L);
        industry.PerDefaults(12).SetSmallint(kCategoryIndustry, {}, "Made", 2);
        industry.ConstPart().SetReal(kCategoryFta, Context(0, 1, 0), "Inflation", 0.025L);
        industry.SeriesList().AddSeries(TSeries(9, "Extra", 0, {"E0"}));
        industry.SetCurPeriod(4);
        industry.SetScenarioName("Autumn-long-name");
        industry.PerDecisions(13).SetSmallint(kCategoryIndustry, {}, "InMemoryOnly", 1);
        expected = Snapshot(industry);
        EXPECT_EQ(expected["info"], "4 Autumn-l");  // the scenario slot holds 8 characters
        industry.Close();
    }
    TCvData reopened;
    reopened.Open(std::string(kIndustrySignature), file);
    EXPECT_EQ(Snapshot(reopened), expected);
    EXPECT_FALSE(reopened.PerDecisions(13).HasCells());
    reopened.Close();
}

}  // namespace
}  // namespace cv
