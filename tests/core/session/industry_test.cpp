#include "core/session/industry.h"

#include <gtest/gtest.h>


#include "core/store/industry_file.h"
#include "core/base/errors.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "tests/support/checks.h"
#include "tests/support/test_industry.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

// A small industry opened as the session opens it.
class IndustryTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteSmallIndustry(dir_ / "game.ind");
        industry_.Open(std::string(kIndustrySignature), dir_ / "game.ind");
        industry_.InitSeries();
    }
    void TearDown() override {
        Translator.reset();
        industry_.Close();
    }

    test::TempDir dir_;
    test::RecordingUi ui_;
    TCvInd industry_;
};

TEST_F(IndustryTest, EconomicsClampPeriodsAndConvertAtTheExchangeRateOfPeriodZero) {
    // InflationRate of zone North is (p + 1) / 64: period 15 reads period 12, period -1 reads period 0.
    EXPECT_EQ(industry_.InflationRate(15, 1, 0), 13 / 64.0L);
    EXPECT_EQ(industry_.InflationRate(-1, 1, 0), 1 / 64.0L);
    // Deflator 2 adds 2 / 128 to period 5's 6 / 64.
    EXPECT_EQ(industry_.InflationRate(5, 1, 2), 6 / 64.0L + 2 / 128.0L);
    // Zone South has no "DeflatFacs": k = 0 never reads it, k = 1 must.
    EXPECT_EQ(industry_.InflationRate(5, 2, 0), 1 + 6 / 64.0L);
    EXPECT_THROW(industry_.InflationRate(5, 2, 1), EDataError);
    // GnpGrowthRate is p / 32, clamped the same way.
    EXPECT_EQ(industry_.GnpGrowthRate(20, 1), 12 / 32.0L);
    EXPECT_EQ(industry_.GnpGrowthRate(-1, 1), 0);

    // CumInflation[p, k] = p / 16 + k / 256. Without the current period: 100 x (1 + 5/16 + 1/256).
    EXPECT_EQ(industry_.CumInflation(5, 1, false, 100, 1), 100 * (1 + 5 / 16.0L + 1 / 256.0L));
    // With it, also x (1 + 6/64 + 1/128), the inflation of period 5 with deflator 1.
    EXPECT_EQ(industry_.CumInflation(5, 1, true, 100, 1),
              100 * (1 + 5 / 16.0L + 1 / 256.0L) * (1 + 6 / 64.0L + 1 / 128.0L));
    // Lowered to the last period of the period series, 12.
    EXPECT_EQ(industry_.CumInflation(40, 1, false, 1, 0), 1 + 12 / 16.0L);

    // Period 5 in zone North: exchange rate of period 0 (2, not the 3 of later periods), then
    // 200 x (1 + 5/16 + 1/256) = 263.28125.
    EXPECT_EQ(industry_.ConvertToFta(5, 1, false, 100, 1), 263.28125L);
    // Zone South: rate 3, accumulated rate 1 + 5/16 (k = 0): 300 x 2.3125.
    EXPECT_EQ(industry_.ConvertToFta(5, 2, false, 100, 0), 693.75L);
    EXPECT_THROW(industry_.ConvertToFta(5, 4, false, 100, 0), ERangeError);
}

TEST_F(IndustryTest, RestrictionBitsByCategoryAndItem) {
    // rcDecisions holds 4: only item 3, "NoRnD"; StuMkt is hidden for its item 1. rcReport holds every
    // bit, but its items sit at 15, 16 and 17: a word has 16 bits. Unknown items and categories, a
    // category series missing from the industry and a series that is no category answer false.
    EXPECT_TRUE(test::AllEqual<bool>({{industry_.RestrictEnabled("RCDECISIONS", "nornd"), true},
                                      {industry_.RestrictEnabled("rcDecisions", "NoObjective"), false},
                                      {industry_.RestrictEnabled("rcDecisions", "NoSlf"), false},
                                      {industry_.RestrictHidden("rcDecisions", "NoRnD"), false},
                                      {industry_.RestrictHidden("StuMkt", "ConsumerSurvey"), true},
                                      {industry_.RestrictHidden("StuMkt", "ConsumerPanel"), false},
                                      {industry_.RestrictEnabled("rcDecisions", "NoSuchItem"), false},
                                      {industry_.RestrictEnabled("rcNoSuch", "NoRnD"), false},
                                      {industry_.RestrictEnabled("rcAnalysis", "NoMarket"), false},
                                      {industry_.RestrictEnabled("rcReport", "NoReport"), true},
                                      {industry_.RestrictEnabled("rcReport", "NoCompanyResults"), true},
                                      {industry_.RestrictEnabled("rcReport", "NoBrandResults"), false},
                                      {industry_.RestrictEnabled("Firms", "Alpha"), false}}));
}

TEST_F(IndustryTest, LabelsComeFromTheSeriesSectionOfTheLanguageFile) {
    const std::vector<TLangEntry> series{
        {"Firms", {"Alpha Ltd", "Beta Ltd", "Gamma Ltd", "Delta Ltd"}},
        {"Markets", {"Sonites", "Vodites"}},
        {"DimSon", {"Weight", "Power"}},
        {"ShortDimSon", {"Wt", "Pw"}},
        {"UnitDimVod", {"cm", "km/h"}},
        {"UnitSemAll", {"pts"}},
        {"InitialSegSouth", {"F", "P"}},
        {"ShortSegNorth", {"Bf", "Sg"}},
        {"LongChaAll", {"Department stores", "Online shops"}},
        {"StuFta", {"Benchmarking study"}},
        {"StuMkt", {"Survey", "Panel"}},
        {"Ftas", {"Northern zone", "Southern zone"}},
    };
    WriteLanguageFile(dir_ / "STRSTD.enu", {{kSectionSeries, series}});
    Translator = std::make_unique<TTranslate>();
    Translator->Open(dir_ / "STRSTD.enu");

    EXPECT_TRUE(test::AllEqual<std::string>({
        {industry_.FirmLabel(3.5), "Delta Ltd"}, {industry_.FirmLabel(1.4999), "Alpha Ltd"},
        {industry_.FtaLabel(2), "Southern zone"}, {industry_.MarketLabel(1), "Sonites"},
        {industry_.DimLabel(1, 2), "Power"}, {industry_.DimShortLabel(1, 1), "Wt"},
        {industry_.DimUnitLabel(2, 2), "km/h"}, {industry_.SemUnitLabel(1, 1), "pts"},
        {industry_.SegmentInitialLabel(2, 2, 1), "F"}, {industry_.SegmentShortLabel(1, 1, 2), "Sg"},
        {industry_.ChannelLongLabel(1, 2), "Online shops"}, {industry_.StuFtaLabel(1), "Benchmarking study"},
        {industry_.StuMktLabel(2), "Panel"}, {industry_.SeriesLabel(industry_.MktSeries(), 2), "Vodites"}}));
    // A line the entry lacks, and an entry the file lacks, give the translator's answer.
    EXPECT_EQ(industry_.SemUnitLabel(1, 2), "bad line number 2");
    EXPECT_EQ(industry_.MapLabel(1, 1), "bad line number 1");
}

}  // namespace
}  // namespace cv
