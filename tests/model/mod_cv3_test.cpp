// The model driver: the run's frame (seed, fresh forecast period, model log,
// wait notice), the order of its steps, the default decisions only before the
// last period, the full-period branch, and the one error path.

#include "model/mod_cv3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/log_file.h"
#include "core/base/random_generator.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/model_access.h"
#include "model/work_rec.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/forecast_grid.h"
#include "tests/model/fixtures/forecast_view.h"
#include "tests/model/fixtures/model_checks.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/model/rnd/rnd_world.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

TDataContext MarketCell() {
    TDataContext context;
    context.SelFta = context.SelMarket = 1;
    return context;
}

using test::Contains;

TEST(ModCV3, RunWritesTheForecastAndTheModelLogAndClosesTheNotice) {
    test::TModelWorld world;
    world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    // t = 0: the log of period 1 is "CV3LOG" + "01" + ".TXT" in the private directory.
    EXPECT_TRUE(fs::exists(world.PrivateDir() / "CV3LOG01.TXT"));
    EXPECT_FALSE(LogIsOpen());
    ASSERT_EQ(world.ui.progressBoxes.size(), 1u);
    EXPECT_EQ(world.ui.progressBoxes[0], (std::vector<std::string>{"Running the simulation   -   Period 1",
                                                                   "100% completed", "", "Please wait ..."}));
    EXPECT_FALSE(world.ui.progressOpen);
    EXPECT_TRUE(world.ui.plainBoxes.empty());
    EXPECT_TRUE(world.ui.errorBoxes.empty());
    EXPECT_TRUE(world.warnings.empty());
    EXPECT_FALSE(Session->ForecastDone);  // the plan dialog marks it, not the driver

    world.OpenFixture(test::FixtureC(), "first.ind");
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    EXPECT_TRUE(fs::exists(world.PrivateDir() / "CV3LOG00.TXT"));
}

// The first draw after seeding with t x 7 as an unsigned 32-bit value:
//   t = 0:  seed 0;           0 x 134775813 + 1 = 1
//   t = 1:  seed 7;           7 x 134775813 + 1 = 943430692
//   t = -1: seed 2^32 - 7 = 4294967289; -7 x 134775813 + 1 = -943430690 = 2^32 - 943430690 = 3351536606
TEST(ModCV3, StartSeedsTheGeneratorWithTheCurrentPeriodTimesSeven) {
    struct TCase {
        int period;
        std::uint32_t seed;
        std::uint32_t next;
    };
    for (const TCase& c : {TCase{0, 0, 1}, TCase{1, 7, 943430692}, TCase{-1, 4294967289u, 3351536606u}}) {
        SCOPED_TRACE("t = " + std::to_string(c.period));
        test::TFixtureSpec spec = c.period < 0 ? test::FixtureC() : test::FixtureA();
        spec.currentPeriod = c.period;
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(spec);
        TWorkRec work;
        TModCV3 driver;
        driver.Init(industry, &work);
        SetRandomSeed(12345);
        driver.Start(rfMarketingPlan);
        EXPECT_EQ(RandomSeed(), c.seed);
        EXPECT_EQ(RandomReal(), c.next / 4294967296.0);
        driver.Finish(rfMarketingPlan);
    }
}

TEST(ModCV3, EveryRunStartsFromAFreshForecastPeriod) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast());
    industry.PerResults(1).SetSmallint(kCategoryFtaMarket, MarketCell(), "Leftover", 9);
    ASSERT_TRUE(world.RunForecast());
    const TSimData* cell = industry.PerResults(1).Cell(CalcIndices(kCategoryFtaMarket, MarketCell()));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->FindScalar("Leftover"), nullptr);
    EXPECT_EQ(test::TForecastView(industry, 1).MarketCount(1, 1), 2);
}

// Passes every call on to the recorder; notes in the model log when the wait
// notice is shown and, for the test, whether the decisions of t+2 held
// anything when it was shown and when it was closed (after the log's close).
class TNoticeLoggingUi final : public UiServices {
public:
    TNoticeLoggingUi(test::RecordingUi& recorder, TCvInd& industry) : recorder_(recorder), industry_(industry) {
        InstallUiServices(this);
    }
    ~TNoticeLoggingUi() override { InstallUiServices(&recorder_); }

    void ShowPlainBox(const std::string& text) override { recorder_.ShowPlainBox(text); }
    void ShowErrorBox(const std::string& text) override { recorder_.ShowErrorBox(text); }
    TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                const std::vector<int>& lines, TAlignment alignment) override {
        return recorder_.ShowMessageBox(type, buttons, key, lines, alignment);
    }
    void ShowProgressBox(const std::vector<std::string>& lines) override {
        atShow = DecisionsT2();
        LogFmt(0, "NOTICE SHOWN");
        recorder_.ShowProgressBox(lines);
    }
    void CloseProgressBox() override {
        atClose = DecisionsT2();
        recorder_.CloseProgressBox();
    }
    void ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) override {
        recorder_.ShowMessageList(items, texts, alignment);
    }
    void ProcessPaintAndTimerEvents() override { recorder_.ProcessPaintAndTimerEvents(); }

    std::string atShow;
    std::string atClose;

private:
    std::string DecisionsT2() const {
        return industry_.PerDecisions(industry_.CurPeriod() + 2).HasCells() ? "filled" : "empty";
    }

    test::RecordingUi& recorder_;
    TCvInd& industry_;
};

// In the model log: the R&D run's copies before the plan pass, the plan pass
// (finance last) before the notice, the projects' outcomes and the default
// decisions behind it.
TEST(ModCV3, RunsTheRnDModelAroundThePlanPassAndTheDefaultsBehindTheNotice) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    DebugLevel = 1;
    TNoticeLoggingUi ui(world.ui, industry);
    ASSERT_FALSE(industry.PerDecisions(2).HasCells());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG01.TXT");
    std::size_t at = 0;
    for (const char* step : {"TModRnD.RunDup for F1", "TModRnD.RunDup for F2", "TModRnD.MergeProsAndPrjs for F2",
                             "TModFinan.BackBone", "NOTICE SHOWN", "TModRnD.RunProjects for F1",
                             "TModRnD.RunProjects for F2"}) {
        const std::size_t found = log.find(step, at);
        ASSERT_NE(found, std::string::npos) << step << " after position " << at << "\n" << log;
        at = found;
    }
    EXPECT_EQ(ui.atShow, "empty");
    EXPECT_EQ(ui.atClose, "filled");
    EXPECT_EQ(test::FirstDifference(test::GridBytes(industry.PerDecisions(2)), test::GridBytes(industry.PerDefaults(2))),
              "");
}

// The period series runs 0..12: from t = 10 the forecast of 11 lays down the
// defaults of 12; from t = 11 the forecast of 12, the last period, leaves the
// decisions and defaults of 13 as they were.
TEST(ModCV3, DefaultDecisionsOnlyWhileTheForecastPeriodIsBeforeTheLast) {
    for (int t : {10, 11}) {
        SCOPED_TRACE("t = " + std::to_string(t));
        test::TFixtureSpec spec = test::FixtureB();
        spec.currentPeriod = t;
        test::TModelWorld world;
        TCvInd& industry = world.OpenFixture(spec);
        TDataContext firmCell;
        firmCell.SelFirm = 1;
        industry.PerDecisions(t + 2).SetSmallint(kCategoryFirm, firmCell, "Earlier", 3);
        const test::TGridBytes before = test::GridBytes(industry.PerDecisions(t + 2));
        ASSERT_TRUE(world.RunForecast()) << world.failureReason;
        const test::TGridBytes after = test::GridBytes(industry.PerDecisions(t + 2));
        if (t == 10) {
            EXPECT_NE(test::FirstDifference(before, after), "");
            EXPECT_EQ(test::FirstDifference(after, test::GridBytes(industry.PerDefaults(t + 2))), "");
        } else {
            EXPECT_EQ(test::FirstDifference(before, after), "");
            EXPECT_FALSE(industry.PerDefaults(t + 2).HasCells());
        }
    }
}

TEST(ModCV3, FullPeriodOnlyAnswersWithItsMessage) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    industry.NewPerResults(1).SetSmallint(kCategoryFtaMarket, MarketCell(), "Earlier", 4);
    TModCV3 driver;
    driver.Init(industry, nullptr);
    EXPECT_FALSE(driver.Run(rfFullPeriod));
    EXPECT_EQ(world.ui.plainBoxes,
              std::vector<std::string>{"This version was not compiled with the appropriate options. Please contact "
                                       "Quenor."});
    EXPECT_EQ(industry.CurPeriod(), 0);
    EXPECT_EQ(industry.PerResults(1).GetSmallint(kCategoryFtaMarket, MarketCell(), "Earlier"), 4);
    EXPECT_FALSE(fs::exists(world.PrivateDir() / "CV3LOG01.TXT"));
    EXPECT_TRUE(world.ui.progressBoxes.empty());
}

// A run that fails: Run answers false with the reason, the process goes on, the
// notice and the log are closed with the reason in the log, and the forecast
// period holds nothing but zeros.
void ExpectAbandoned(test::TModelWorld& world, TCvInd& industry, const std::string& reason) {
    EXPECT_FALSE(world.RunForecast());
    EXPECT_EQ(world.failureReason, reason);
    EXPECT_FALSE(LogIsOpen());
    EXPECT_FALSE(world.ui.progressOpen);
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG05.TXT");
    EXPECT_TRUE(Contains(log, "Model run abandoned: " + reason)) << log;
    std::string where;
    EXPECT_TRUE(test::ForecastAllZero(industry, 5, where)) << where;
}

TEST(ModCV3, MissingPrototypeAbandonsTheRunAndLeavesAnEmptyForecast) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
    spec.Cell(2, 1, 1).brandsT1.push_back({"GHOST", "PNONE", {}});
    EXPECT_THROW(world.OpenFixture(spec), std::runtime_error);  // the builder refuses it
    TCvInd& industry = world.OpenUncheckedFixture(spec);
    ExpectAbandoned(world, industry, "Could not find prototype PNONE for GHOST");
    // Every array of the dictionary is there again, all zero.
    EXPECT_EQ(test::TForecastView(industry, 5).MarketCount(1, 1), 0);
}

TEST(ModCV3, MissingSeriesOrLabelAbandonsTheRun) {
    test::TModelWorld world;
    test::TFixtureSpec noSeries = test::FixtureBAtPeriodFour();
    noSeries.omittedSeries = {"BrdCumRes"};
    TCvInd& industry = world.OpenFixture(noSeries);
    ExpectAbandoned(world, industry, "the industry has no series BrdCumRes");
    EXPECT_FALSE(industry.PerResults(5).HasCells());  // no dictionary without the series

    test::TFixtureSpec noLabel = test::FixtureBAtPeriodFour();
    noLabel.omittedLabels = {"XFMLinks.Rpix"};
    TCvInd& other = world.OpenUncheckedFixture(noLabel, "nolabel.ind");
    ExpectAbandoned(world, other, "the series XFMLinks has no label Rpix");

    test::TFixtureSpec noColumn = test::FixtureBAtPeriodFour();
    noColumn.omittedLabels = {"DecBrdPort.ProName"};
    TCvInd& third = world.OpenUncheckedFixture(noColumn, "nocolumn.ind");
    ExpectAbandoned(world, third, "the series DecBrdPort has no label ProName");
}

TEST(ModCV3, MissingDecisionArrayAbandonsTheRunNamingTheArrayAndCell) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
    spec.omittedDecisionArrays = {"DecBrdPort"};
    TCvInd& industry = world.OpenUncheckedFixture(spec);
    ExpectAbandoned(world, industry, "array DecBrdPort missing in the decisions of period 5, firm 1, zone 1, market 1");
}

std::vector<long double> Elements(const TSimArr& array) {
    std::vector<long double> values;
    for (int row = array.LB(1); row <= array.UB(1); ++row)
        for (int column = array.LB(2); column <= array.UB(2); ++column) values.push_back(array.GetReal48({row, column}));
    return values;
}

// Firm 1 develops XRAY jointly with firm 2 (contract "Dev", firm 2 paying
// 40,000). A run writes the brands' portfolio statuses (preference: Bravo
// modified, 3) and the alliance fields of XRAY (partner 2, the other's budget
// 40,000) into the decisions of period 5; without a loan request the finance
// step stops the run, and both arrays are back as they were, the same arrays.
TEST(ModCV3, AFailedRunPutsBackWhatItWroteIntoTheDecisions) {
    for (const bool withLoan : {true, false}) {
        SCOPED_TRACE(withLoan ? "complete run" : "run without a loan request");
        test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
        if (!withLoan) spec.omittedDecisionArrays = {"LoanVal"};
        test::TRnDWorld rnd(spec);
        rnd.SetProjects(1, 1, {{"XRAY", {50, 50, 54}, 100000, 300}});
        rnd.SetContracts(1, 1, {{"Dev", "XRAY", 1, 2, 100000, 40000}});
        TCvPerData& decisions = rnd.industry.PerDecisions(5);
        TDataContext cell = MarketCell();
        cell.SelFirm = 1;
        TSimArr* mix = decisions.FindSimArr(kCategoryFirmFtaMarket, cell, "DecBrdCV3");
        cell.SelFta = 0;
        TSimArr* projects = decisions.FindSimArr(kCategoryFirmMarket, cell, "PrjFins");
        ASSERT_NE(mix, nullptr);
        ASSERT_NE(projects, nullptr);
        const std::vector<long double> mixBefore = Elements(*mix);
        const std::vector<long double> projectsBefore = Elements(*projects);
        EXPECT_EQ(rnd.world.RunForecast(), withLoan) << rnd.world.failureReason;
        EXPECT_EQ(decisions.FindSimArr(kCategoryFirmMarket, cell, "PrjFins"), projects);
        cell.SelFta = 1;
        EXPECT_EQ(decisions.FindSimArr(kCategoryFirmFtaMarket, cell, "DecBrdCV3"), mix);
        if (withLoan) {
            EXPECT_EQ(mix->GetReal48({1, si::PortStatus}), 3);
            EXPECT_EQ(projects->GetReal48({1, si::ProPartner}), 2);
            EXPECT_EQ(projects->GetReal48({1, si::ProAllBgtOther}), 40000);
        } else {
            EXPECT_TRUE(Contains(rnd.world.failureReason, "LoanVal")) << rnd.world.failureReason;
            EXPECT_EQ(Elements(*mix), mixBefore);
            EXPECT_EQ(Elements(*projects), projectsBefore);
        }
    }
}

// Only the default decisions use the brand decisions' "AvailStock": without it
// the run fails at its last step, after the plan pass and the R&D outcomes,
// and leaves nothing of itself: the forecast period all zero, the decisions
// of t+2 as they were, no defaults.
TEST(ModCV3, AFailureOfTheDefaultDecisionsAbandonsTheWholeRun) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureBAtPeriodFour();
    spec.omittedLabels = {"DecBrdCV3.AvailStock"};
    TCvInd& industry = world.OpenFixture(spec);
    TDataContext firmCell;
    firmCell.SelFirm = 1;
    industry.PerDecisions(6).SetSmallint(kCategoryFirm, firmCell, "Earlier", 3);
    const test::TGridBytes before = test::GridBytes(industry.PerDecisions(6));
    DebugLevel = 1;
    ExpectAbandoned(world, industry, "the series DecBrdCV3 has no label AvailStock");
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG05.TXT");
    EXPECT_TRUE(Contains(log, "TModRnD.RunProjects for F2")) << log;
    EXPECT_EQ(test::FirstDifference(before, test::GridBytes(industry.PerDecisions(6))), "");
    EXPECT_FALSE(industry.PerDefaults(6).HasCells());
}

TEST(ModCV3, CountsBeyondTheArraysAreClampedWithAWarning) {
    test::TModelWorld world;
    test::TFixtureSpec spec = test::FixtureOverfullPortfolio();
    // Firm 1 states six brands but its portfolio has five slots; all five are listed.
    // The market has 6 slots: firm 2's DELTA finds one left, a second brand none.
    spec.mktBrandSlots = 6;
    spec.Cell(2, 1, 1).brandsT1.push_back({"EXTRA", "PECHO", {}});
    EXPECT_THROW(world.OpenFixture(spec), std::runtime_error);
    TCvInd& industry = world.OpenUncheckedFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const test::TForecastView view(industry, 5);
    EXPECT_EQ(view.FirmCount(1, 1, 1), 5);
    EXPECT_EQ(view.FirmCount(2, 1, 1), 1);
    EXPECT_EQ(view.MarketCount(1, 1), 6);
    EXPECT_EQ(view.BrandName(1, 1, 6), "DELTA");
    EXPECT_EQ(world.warnings,
              (std::vector<std::string>{"brands of firm 1, zone 1, market 1: 6 is outside 0..5 and is taken as 5",
                                        "brands of firm 2, zone 1, market 1: 2 is outside 0..1 and is taken as 1"}));
    const std::string log = test::ReadFileBytes(world.PrivateDir() / "CV3LOG05.TXT");
    EXPECT_TRUE(Contains(log, "Warning: brands of firm 1, zone 1, market 1: 6 is outside 0..5")) << log;
}

// The marketed brands of t+1 and their links, derived by hand from each
// fixture's brands of t, portfolio decisions of t+1 and prototypes of t.

using test::TFixtureSpec;
using test::TForecastView;

struct TLinks {
    int firm, slot, previous, prototypeFirm, prototypeIndex;
};

void ExpectMarketBrand(const TForecastView& view, int zone, int market, int brand, const std::string& name,
                       const TLinks& links) {
    SCOPED_TRACE("market brand " + std::to_string(brand) + " " + name);
    EXPECT_EQ(view.BrandName(zone, market, brand), name);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dfix), links.firm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Dbix), links.slot);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::pMbix), links.previous);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rfix), links.prototypeFirm);
    EXPECT_EQ(view.MarketLink(zone, market, brand, si::Rpix), links.prototypeIndex);
}

void ExpectFirmBrand(const TForecastView& view, int firm, int slot, const std::string& name,
                     const std::string& prototype, int marketBrand, int previousSlot) {
    SCOPED_TRACE("brand " + std::to_string(slot) + " of firm " + std::to_string(firm));
    EXPECT_EQ(view.FirmBrand(firm, 1, 1, slot), name);
    EXPECT_EQ(view.FirmPrototype(firm, 1, 1, slot), prototype);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::Mbix), marketBrand);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::pDfix), firm);
    EXPECT_EQ(view.FirmLink(firm, 1, 1, slot, si::pDbix), previousSlot);
}

TEST(MarketedBrands, FixtureAOneFirmCarriesABrandOnAndLaunchesOne) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureA());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 1);
    // Decisions of period 1: "Bravo" (PBRAVO), COSMO (PCOSMO). Market of t: ALPHA, BRAVO;
    // "Bravo" is BRAVO ignoring case: market brand 2 and firm slot 2 of t. COSMO is new.
    // Prototypes of firm 1: PALPHA, PBRAVO, PCOSMO -> (1, 2) and (1, 3).
    EXPECT_EQ(view.MarketCount(1, 1), 2);
    EXPECT_EQ(view.FirmCount(1, 1, 1), 2);
    ExpectMarketBrand(view, 1, 1, 1, "Bravo", {1, 1, 2, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "COSMO", {1, 2, 0, 1, 3});
    ExpectFirmBrand(view, 1, 1, "Bravo", "PBRAVO", 1, 2);
    ExpectFirmBrand(view, 1, 2, "COSMO", "PCOSMO", 2, 0);
    // Age 1 in t, brands in t+1 = 1: 1 + 1.
    EXPECT_EQ(view.MarketAge(1, 1), 2);
}

TEST(MarketedBrands, FixtureBASecondFirmBuildsOnTheFirstFirmsPrototype) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureB());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 1);
    // Firm 1's two brands as in (a), then firm 2's DELTA as market brand 3. The market of t
    // is ALPHA, BRAVO, ECHO: DELTA is new. Firm 2 lists only PECHO; PALPHA is firm 1's first.
    EXPECT_EQ(view.MarketCount(1, 1), 3);
    EXPECT_EQ(view.FirmCount(1, 1, 1), 2);
    EXPECT_EQ(view.FirmCount(2, 1, 1), 1);
    ExpectMarketBrand(view, 1, 1, 1, "Bravo", {1, 1, 2, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "COSMO", {1, 2, 0, 1, 3});
    ExpectMarketBrand(view, 1, 1, 3, "DELTA", {2, 1, 0, 1, 1});
    ExpectFirmBrand(view, 2, 1, "DELTA", "PALPHA", 3, 0);
    EXPECT_EQ(view.MarketAge(1, 1), 2);
}

TEST(MarketedBrands, FixtureCFirstPeriodAgesAMarketWithBrandsToOne) {
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(test::FixtureC());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 0);
    // Period -1 had ALPHA; period 0 decides ALPHA (carried on: 1) and BRAVO (new).
    EXPECT_EQ(view.MarketCount(1, 1), 2);
    ExpectMarketBrand(view, 1, 1, 1, "ALPHA", {1, 1, 1, 1, 1});
    ExpectMarketBrand(view, 1, 1, 2, "BRAVO", {1, 2, 0, 1, 2});
    // t+1 is period 0 with brands: age 1, whatever the age of t.
    EXPECT_EQ(view.MarketAge(1, 1), 1);
}

TEST(MarketedBrands, NumberingSkipsFirmsWithoutBrandsAndPrototypesPreferTheOwnFirm) {
    TFixtureSpec spec(4, 3, 1, 1);
    spec.Prototypes(1, 1) = {"PSHARE", "PONE"};
    spec.Prototypes(2, 1) = {"PTWO"};
    spec.Prototypes(3, 1) = {"PTHREE", "PSHARE"};
    spec.Cell(2, 1, 1).brandsT1 = {{"TWO", "PTWO", {}}};
    spec.Cell(3, 1, 1).brandsT1 = {{"THREE", "PSHARE", {}}, {"TRIO", "PONE", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 5);
    // Firm 1 decides nothing: firm 2's TWO is market brand 1, firm 3's brands 2 and 3.
    // PSHARE is listed by firm 1 (place 1) and by firm 3 (place 2): THREE of firm 3 links to
    // firm 3. PONE only by firm 1, place 2. No market had brands: every pMbix is 0.
    EXPECT_EQ(view.FirmCount(1, 1, 1), 0);
    EXPECT_EQ(view.MarketCount(1, 1), 3);
    ExpectMarketBrand(view, 1, 1, 1, "TWO", {2, 1, 0, 2, 1});
    ExpectMarketBrand(view, 1, 1, 2, "THREE", {3, 1, 0, 3, 2});
    ExpectMarketBrand(view, 1, 1, 3, "TRIO", {3, 2, 0, 1, 2});
    // Age 0 in t, brands now: 0 + 1.
    EXPECT_EQ(view.MarketAge(1, 1), 1);
}

TEST(MarketedBrands, RenamedBrandIsNewAndTwinNamesOfTLinkToTheFirst) {
    TFixtureSpec spec(2, 2, 1, 1);
    spec.Prototypes(1, 1) = {"PTWIN", "PNEW"};
    spec.Cell(1, 1, 1).brandsT = {"OLDNAME", "TWIN"};
    spec.Cell(2, 1, 1).brandsT = {"TWIN"};
    spec.Cell(1, 1, 1).brandsT1 = {{"NEWNAME", "PNEW", {}}};
    spec.Cell(2, 1, 1).brandsT1 = {{"twin", "PTWIN", {}}};
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 3);
    // Market of t: OLDNAME (1), TWIN (2, firm 1), TWIN (3, firm 2). NEWNAME matches nothing.
    // "twin" of firm 2 matches TWIN ignoring case: first in market order is 2; in firm 2's
    // own list of t it is slot 1.
    ExpectMarketBrand(view, 1, 1, 1, "NEWNAME", {1, 1, 0, 1, 2});
    ExpectMarketBrand(view, 1, 1, 2, "twin", {2, 1, 2, 1, 1});
    ExpectFirmBrand(view, 1, 1, "NEWNAME", "PNEW", 1, 0);
    ExpectFirmBrand(view, 2, 1, "twin", "PTWIN", 2, 1);
}

TEST(MarketedBrands, MarketWithoutBrandsKeepsAgeingOnceItHadBrands) {
    TFixtureSpec spec(6, 1, 1, 2);
    spec.Prototypes(1, 1) = {"PX"};
    spec.MarketAgeT(1, 1) = 3;
    spec.MarketAgeT(1, 2) = 0;
    test::TModelWorld world;
    TCvInd& industry = world.OpenFixture(spec);
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TForecastView view(industry, 7);
    // No brand in t+1 anywhere: age 3 becomes 4; a market that never had brands stays 0.
    EXPECT_EQ(view.MarketCount(1, 1), 0);
    EXPECT_EQ(view.MarketAge(1, 1), 4);
    EXPECT_EQ(view.MarketAge(1, 2), 0);
}

}  // namespace
}  // namespace cv
