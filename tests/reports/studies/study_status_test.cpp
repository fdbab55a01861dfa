// Whether a study screen shows its table or the "StuInfos" explanation: the
// status of its study (restricted, not applicable, not bought, the
// administrator's view) on the sample industry; where a restriction counts,
// on its variant whose instructor restricted the conjoint study and hid the
// sales-force experiment.
#include <gtest/gtest.h>

#include "core/base/errors.h"
#include "core/session/session.h"
#include "tests/reports/studies/study_fixture.h"

namespace cv {
namespace {

constexpr int kNotAllowedLine = 1, kNoBrandsLine = 2, kNotBoughtLine = 3, kTooFewBrandsLine = 4;

class StudyStatusTest : public test::StudyTest {
protected:
    // The screens of every allowed market study: 1..22 without the hidden experiment 19.
    static std::vector<int> AllowedScreens() {
        std::vector<int> screens;
        for (int screen = 1; screen <= 22; ++screen)
            if (screen != 19) screens.push_back(screen);
        return screens;
    }
    // The explanation line Line, or "" for a screen that shows its own table.
    static std::string Infos(int line) { return line == 0 ? "" : StudyText("StuInfos", line); }
};

TEST_F(StudyStatusTest, AMarketWithoutBrandsShowsOnlyTheIdealPointsAndTheForecast) {
    const TDataContext context = Context();
    BuyEveryStudy(context, true);
    SetMarketedBrands(context, 0);
    for (int screen : AllowedScreens()) {
        const auto shown = MarketScreen(screen, context);
        const bool built = screen == 6 || screen == 15;
        EXPECT_EQ(InfosLine(*shown), Infos(built ? 0 : kNoBrandsLine)) << screen;
        EXPECT_EQ(shown->GetStatus(), built ? ssShown : ssNotApplicable) << screen;
        EXPECT_EQ(shown->IsEmpty(), !built) << screen;
    }
}

TEST_F(StudyStatusTest, TwoBrandsAreTooFewForTheMapButEnoughForTheScales) {
    // The sample sets no "MinBrdForMap": three brands are needed.
    const TDataContext context = Context();
    BuyEveryStudy(context, true);
    SetMarketedBrands(context, 2);
    for (int screen : {10, 11, 12, 13, 14, 22}) EXPECT_EQ(InfosLine(*MarketScreen(screen, context)), Infos(kTooFewBrandsLine)) << screen;
    for (int screen : {6, 7, 8, 9, 21}) EXPECT_EQ(InfosLine(*MarketScreen(screen, context)), Infos(0)) << screen;
    SetMarketedBrands(context, 3);
    EXPECT_EQ(InfosLine(*MarketScreen(10, context)), Infos(0));
}

TEST_F(StudyStatusTest, ARestrictionIsTestedBeforeTheOrderAndTheAdministratorSeesEverything) {
    OpenRestrictedVariant();
    const TDataContext context = Context();
    BuyEveryStudy(context, false);
    const struct {
        int screen;
        bool admin;
        int line;
    } cases[] = {
        {23, false, kNotAllowedLine},  // conjoint: restricted and not bought
        {19, false, kNotAllowedLine},  // the hidden experiment
        {1, false, kNotBoughtLine},
        {15, false, kNotBoughtLine},
        {1, true, 0},   // not bought, but the administrator looks
        {23, true, 0},  // and no restriction holds for the administrator
        {19, true, 0},
    };
    for (const auto& c : cases) {
        Session->SetAdminView(c.admin);
        const auto shown = MarketScreen(c.screen, context);
        EXPECT_EQ(InfosLine(*shown), Infos(c.line)) << c.screen << (c.admin ? " as administrator" : "");
    }
}

TEST_F(StudyStatusTest, TheExplanationNamesTheStudyAndIsLeftOutOfDocuments) {
    const TDataContext context = Context();
    BuyStudy(context, "StuMkt", "ConsumerPanel", false);
    auto shown = MarketScreen(4, context, kDocumentLayout);
    EXPECT_EQ(shown->Table(), nullptr);  // a document builds it itself
    shown->Build(context);
    EXPECT_EQ(shown->Table()->Sheet().Captions().titleLines, std::vector<std::string>{"CONSUMER PANEL"});
    EXPECT_EQ(InfosLine(*shown), Infos(kNotBoughtLine));
    EXPECT_TRUE(shown->IsEmpty());
    EXPECT_EQ(shown->Table()->Sheet().TableType(), 4);
    // Bought again, the same screen builds its own table once more.
    BuyStudy(context, "StuMkt", "ConsumerPanel", true);
    shown->Build(context);
    EXPECT_EQ(shown->Table()->Sheet().TableName(), "StuUMS");
    EXPECT_EQ(InfosLine(*shown), "");
}

TEST_F(StudyStatusTest, TheBenchmarkingStudyIsBoughtForTheZone) {
    const TDataContext context = Context();
    BuyStudy(context, "StuFta", "Benchmark", false);
    for (int screen = 51; screen <= 55; ++screen) {
        const auto shown = ZoneScreen(screen, context);
        EXPECT_EQ(InfosLine(*shown), Infos(kNotBoughtLine)) << screen;
        EXPECT_EQ(shown->Table()->Sheet().Captions().titleLines, std::vector<std::string>{"BENCHMARK"});
    }
    BuyStudy(context, "StuFta", "Benchmark", true);
    EXPECT_EQ(InfosLine(*ZoneScreen(51, context)), "");
}

TEST_F(StudyStatusTest, AnExperimentPrintsOnlyItsSecondTitleAndNamesItsSize) {
    const TDataContext context = Context();
    BuyEveryStudy(context, true);
    const struct {
        int screen;
        const char* section;
        const char* size;  // the sample sets neither coefficient: (1.2 - 1) x 100 and 10
    } cases[] = {{18, "StuExpAdv", "20"}, {19, "StuExpSlf", "10"}};
    Session->SetAdminView(true);  // the sales-force experiment is hidden from the team
    for (const auto& c : cases) {
        const auto shown = MarketScreen(c.screen, context);
        EXPECT_EQ(shown->Table()->Sheet().Captions().titleLines.size(), 2u) << c.screen;
        auto printed = MarketScreen(c.screen, context, kDocumentLayout);
        printed->Build(context);
        const TQNTable& table = *printed->Table();
        EXPECT_EQ(table.Sheet().Captions().titleLines, std::vector<std::string>{StudyText(c.section, 2)});
        EXPECT_EQ(table.Sheet().TableType(), 4);
        const int footer = table.Sheet().Geometry().RowStart(2);
        const std::string first = test::CellText(table, footer, 1);
        EXPECT_NE(first.find(c.size), std::string::npos) << first;
        EXPECT_EQ(first.find("@1"), std::string::npos) << first;
    }
}

TEST_F(StudyStatusTest, AnUnknownScreenSaysSoAndBuildsNothing) {
    root.ui.plainBoxes.clear();
    EXPECT_EQ(MarketScreen(26)->Table(), nullptr);
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"Unknown market level study screen 26"});
    try {
        ZoneScreen(56, Context());
        ADD_FAILURE() << "screen 56 was built";
    } catch (const ERangeError& error) {
        EXPECT_STREQ(error.what(), "Unknown fta level study screen 56");
    }
}

}  // namespace
}  // namespace cv
