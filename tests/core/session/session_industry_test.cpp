#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/store/series_index.h"
#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "tests/support/checks.h"
#include "tests/support/test_industry.h"
#include "tests/support/damage.h"
#include "tests/support/recording_ui.h"
#include "tests/support/session_tree.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {
namespace fs = std::filesystem;

// A session on <tmp>/Sim/Binaries/cv3team, with a small industry in <tmp>/Sim/Private/Games/.
class SessionIndustryTest : public ::testing::Test {
protected:
    SessionIndustryTest() : session_(tree_.Exe("cv3team")) {
        fs::create_directories(GamesDir());
        test::WriteSmallIndustry(GameFile());
    }

    fs::path GamesDir() const { return tree_.RootPath() / "Private" / "Games"; }
    std::string GameFile() const { return (GamesDir() / "game.ind").string(); }

    // The session holds no industry and reported a refused file once.
    void ExpectRefused(const std::string& what) {
        EXPECT_EQ(session_.Industry(), nullptr) << what;
        EXPECT_TRUE(session_.IndFullPath().empty()) << what;
        EXPECT_TRUE(session_.IndName().empty()) << what;
        EXPECT_EQ(si::FtaEcoVars, nullptr) << what;
        EXPECT_EQ(si::InflationRate, kSeriesMissing) << what;
        const test::RecordingUi::MessageBoxCall box{TMsgDlgType::mtError, mbOK, "IndIncomplete", {0},
                                                    TAlignment::taCenter};
        EXPECT_EQ(ui_.messageBoxes, std::vector{box}) << what;
        ui_.messageBoxes.clear();
    }

    test::SessionTree tree_;
    test::RecordingUi ui_;
    TSession session_;
};

TEST_F(SessionIndustryTest, OpenEntersTheIndustryAndCloseReturnsToTheRoot) {
    session_.ForecastDone = true;
    ASSERT_TRUE(session_.IndOpen(GameFile()));
    ASSERT_NE(session_.Industry(), nullptr);
    EXPECT_TRUE(test::AllEqual<std::string>(
        {{session_.IndFullPath(), GameFile()}, {session_.IndDir(), GamesDir().string() + "/"},
         {session_.IndName(), "game"}, {session_.IndExt(), ".ind"}, {session_.IndFileName(), "game.ind"},
         {fs::current_path().string(), GamesDir().string()}}));
    EXPECT_FALSE(session_.ForecastDone);
    EXPECT_EQ(session_.IndustryOpenings(), 1u);
    EXPECT_EQ(session_.IndVersion(), 3);
    EXPECT_NE(session_.Industry()->Budget(), nullptr);
    // The series-index table now points into this industry.
    EXPECT_EQ(si::FtaEcoVars, session_.Industry()->FindSeries("FtaEcoVars"));
    EXPECT_EQ(si::InflationRate, 2);
    EXPECT_TRUE(session_.IsRestrictEnabled("rcDecisions", "NoRnD") &&
                session_.IsRestrictHidden("StuMkt", "ConsumerSurvey"));
    EXPECT_FALSE(session_.IsRestrictEnabled("rcDecisions", "NoSlf"));
    EXPECT_TRUE(ui_.messageBoxes.empty() && ui_.plainBoxes.empty());

    session_.IndClose();
    EXPECT_EQ(session_.Industry(), nullptr);
    EXPECT_EQ(session_.IndFullPath() + session_.IndDir() + session_.IndName() + session_.IndExt() +
                  session_.IndFileName(),
              "");
    EXPECT_EQ(session_.IndVersion(), 0);
    EXPECT_EQ(fs::current_path(), tree_.RootPath());
    EXPECT_EQ(si::FtaEcoVars, nullptr);
    EXPECT_EQ(si::InflationRate, kSeriesMissing);
    EXPECT_FALSE(session_.IsRestrictEnabled("rcDecisions", "NoRnD"));

    // The closed file opens again with what it held.
    ASSERT_TRUE(session_.IndOpen(GameFile()));
    EXPECT_EQ(session_.Industry()->CurPeriod(), 4);
    EXPECT_EQ(session_.Industry()->ScenarioName(), "Growth");
}

TEST_F(SessionIndustryTest, IncompleteOrInvalidFilesLeaveNoIndustryAndAreNotChanged) {
    const auto refuse = [&](const std::string& what, const std::string& file) {
        const std::string before = test::ReadFileBytes(file);
        ASSERT_TRUE(session_.IndOpen(GameFile()));  // a refused file also closes the open one
        session_.ForecastDone = true;
        EXPECT_FALSE(session_.IndOpen(file)) << what;
        ExpectRefused(what);
        EXPECT_FALSE(session_.ForecastDone) << what;
        EXPECT_EQ(test::ReadFileBytes(file), before) << what;
    };
    const auto shaped = [&](const std::string& name, const test::TSmallIndustryShape& shape) {
        test::WriteSmallIndustry((GamesDir() / name).string(), shape);
        return (GamesDir() / name).string();
    };
    const auto without = [&](const std::string& name, int volType) {
        test::CopyIndustryWithout(GameFile(), (GamesDir() / name).string(), volType);
        return (GamesDir() / name).string();
    };
    // The copy itself is sound: with nothing left out it opens.
    EXPECT_TRUE(session_.IndOpen(without("copy.ind", 0)));
    refuse("no info volume", without("noinfo.ind", 1));
    refuse("no series list", without("noseries.ind", 2));
    refuse("no period series", shaped("noper.ind", {.withPerSeries = false}));
    refuse("bad series position", shaped("baddim.ind", {.badDimPosition = true}));
    refuse("fourth market", shaped("market4.ind", {.markets = 4}));
    refuse("fourth zone", shaped("zone4.ind", {.ftas = 4}));
    EXPECT_TRUE(session_.IndOpen(shaped("three.ind", {.markets = 3, .ftas = 3})));  // three of each are allowed

    // Truncated and damaged files: DamagedBytesAreRefusedOrOpenedNeverACrash.
    const std::string text = (GamesDir() / "text.ind").string();
    test::WriteFileBytes(text, "not an industry file\r\n");
    refuse("not a volume set", text);

    // A missing file is refused before anything is created.
    const std::string missing = (GamesDir() / "missing.ind").string();
    ASSERT_TRUE(session_.IndOpen(GameFile()));
    EXPECT_FALSE(session_.IndOpen(missing));
    ExpectRefused("missing");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(SessionIndustryTest, DamagedBytesAreRefusedOrOpenedNeverACrash) {
    const std::string game = test::ReadFileBytes(GameFile());
    const std::string damaged = (GamesDir() / "damaged.ind").string();
    for (const std::string& bytes : test::FlippedCopies(game, 200, 37)) {
        test::WriteFileBytes(damaged, bytes);
        if (session_.IndOpen(damaged)) {
            EXPECT_NE(session_.Industry(), nullptr);
            session_.IndClose();
        } else {
            ExpectRefused("flipped");
            EXPECT_EQ(test::ReadFileBytes(damaged), bytes);
        }
        ui_.plainBoxes.clear();
        ui_.errorBoxes.clear();
    }
    for (const std::string& cut : test::Truncations(game, 13)) {
        test::WriteFileBytes(damaged, cut);
        EXPECT_FALSE(session_.IndOpen(damaged)) << cut.size();
        ExpectRefused("cut at " + std::to_string(cut.size()));
        ui_.plainBoxes.clear();
        ui_.errorBoxes.clear();
    }
}

TEST_F(SessionIndustryTest, ExpandTokensReplacesTheFirstOccurrenceOfEachToken) {
    ASSERT_TRUE(session_.IndOpen(GameFile()));
    // Firm "D\xe9lta", segment "Families" of zone South, market "Vodites", map axis "Style".
    TDataContext context = test::CellContext(4, 2, 2);
    context.SelSegment = 1;
    context.VertAxis = 2;
    context.SelPeriod = 0;
    context.DecPeriod = 5;
    const auto expand = [&](const std::string& text) { return session_.ExpandTokens(text, context); };
    EXPECT_TRUE(test::AllEqual<std::string>({{expand("@market, @Market, @MARKET"), "vodites, Vodites, VODITES"},
                                             {expand("@SEGMENT @MAP @INDUSTRY @FIRM @SCENARIO @BASICSCENARIO"),
                                              "FAMILIES STYLE GAME D\xc9LTA GROWTH BASIC"},
                                             {expand("@SELPER @SELPM1 @SELPP1 @SELPP5 @DECPER"), "0 -1 1 5 5"},
                                             {expand("@FIRM and @FIRM"), "D\xc9LTA and @FIRM"},
                                             {expand("no tokens here"), "no tokens here"},
                                             {expand(""), ""}}));

    // Only the tokens present are worked out: a zone 0 is no matter without "@SEGMENT".
    context.SelFta = 0;
    EXPECT_EQ(expand("@FIRM"), "D\xc9LTA");
    EXPECT_THROW(expand("@SEGMENT"), ERangeError);
}

TEST_F(SessionIndustryTest, TheZoneTokenNamesTheContextsZoneUpperCased) {
    ASSERT_TRUE(session_.IndOpen(GameFile()));
    // The small industry's zones are "North" and "South", its markets "Sonites" and "Vodites".
    const struct {
        int zone;
        const char* text;
        const char* expanded;
    } cases[] = {
        {1, "@ZONE", "NORTH"},
        {2, "@ZONE", "SOUTH"},
        {2, "in market @MARKET of zone @ZONE - period @SELPER", "in market VODITES of zone SOUTH - period 3"},
        {1, "@ZONE and @ZONE", "NORTH and @ZONE"},
        {2, "@zone @Zone", "@zone @Zone"},
    };
    for (const auto& c : cases) {
        TDataContext context = test::CellContext(1, c.zone, 2);
        context.SelPeriod = 3;
        EXPECT_EQ(session_.ExpandTokens(c.text, context), c.expanded) << c.text << " in zone " << c.zone;
    }
}

}  // namespace
}  // namespace cv
