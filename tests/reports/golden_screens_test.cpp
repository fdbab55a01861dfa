// Golden files: every screen of the results page, the firm screens that only
// the marketing plan and the loan dialog open, and every newsletter page,
// built on the sample industry for team A (zone North) at every period (and
// for each market when the screen is about one market), rendered cell by cell
// and compared with the checked-in files of tests/data/golden/.
// CV_REGENERATE_GOLDEN=1 rewrites them; do it on purpose only, and review the
// difference before committing it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/budget/bgt_screen.h"
#include "reports/newsletter/news_screen.h"
#include "reports/results/brand_result.h"
#include "reports/results/cumul_result.h"
#include "reports/results/decsummary.h"
#include "reports/results/firm_result.h"
#include "reports/pages/results_menu.h"
#include "tests/reports/support/golden_file.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

namespace fs = std::filesystem;

// The screens that no menu item of the results page opens.
const TPageItem kOtherScreens[] = {
    {"PlanContribution", "", KindScreen<TFirResult, TFirResult::kPlanContribution>},
    {"LoanRequestSchedule", "", KindScreen<TFirResult, TFirResult::kLoanRequestSchedule>},
};

class GoldenScreensTest : public test::ResultsTest {
protected:
    // Every period's screens of Create, for each market when PerMarket.
    std::string Render(bool perMarket, const std::function<std::unique_ptr<TCVScreen>(TDataContext&)>& create) {
        return test::RenderEveryPeriod(
            [&](int period, int market) {
                TDataContext context = Context(period);
                context.SelMarket = static_cast<std::int16_t>(market);
                return create(context);
            },
            Session->Industry()->CurPeriod(), perMarket ? Session->Industry()->NbMarkets() : 1);
    }
    void Check(const TPageItem& item) {
        const std::string text =
            Render(item.perMarket, [&](TDataContext& context) { return item.screen(owner.get(), context); });
        test::CheckGolden(fs::path(CV_GOLDEN_DIR) / (std::string(item.name) + ".txt"), text);
    }
};

TEST_F(GoldenScreensTest, EveryResultScreenMatchesItsGoldenFile) {
    for (const TPageMenuGroup& group : ResultsPageMenu().groups)
        for (const TPageItem& item : group.items) Check(item);
    for (const TPageItem& item : kOtherScreens) Check(item);
}

TEST_F(GoldenScreensTest, EveryNewsletterPageMatchesItsGoldenFile) {
    const fs::path folder = fs::path(CV_GOLDEN_DIR).parent_path() / "newsletter";
    const struct {
        int page;
        const char* name;
        int scoreMode;
        bool perMarket = false;
    } pages[] = {{TNewsScr::kStockMarket, "NLSMktSPI", 0},
                 {TNewsScr::kEconomicVariables, "NLEcoVars", 0},
                 {TNewsScr::kStudyPrices, "NLEcoMRS", 0},
                 {TNewsScr::kBrandCharacteristics, "NLBrdAttr", 0, true},
                 {TNewsScr::kBrandSales, "NLBrdSales", 0, true},
                 {TNewsScr::kScoreCard, "ScoreCard-values", TNewsScr::kValuesMode},
                 {TNewsScr::kScoreCard, "ScoreCard-growth", TNewsScr::kGrowthMode},
                 {TNewsScr::kScoreCard, "ScoreCard-index", TNewsScr::kIndexMode}};
    for (const auto& page : pages) {
        const std::string text = Render(page.perMarket, [&](TDataContext& context) {
            context.GraphOption = static_cast<std::int16_t>(page.scoreMode);
            return TCVScreen::Create<TNewsScr>(owner.get(), context, page.page, kWindowLayout);
        });
        test::CheckGolden(folder / (std::string(page.name) + ".txt"), text);
    }
}

template <class Screen>
std::unique_ptr<TCVScreen> Make(QWidget* owner, const TDataContext& context, int kind) {
    return TCVScreen::Create<Screen>(owner, context, kind, kWindowLayout);
}

TEST_F(GoldenScreensTest, AnUnknownKindSaysSoAndBuildsNothing) {
    const struct {
        std::unique_ptr<TCVScreen> (*make)(QWidget*, const TDataContext&, int);
        int kind;
        const char* message;
    } cases[] = {{Make<TFirResult>, 9, "Unknown firm result screen 9"},
                 {Make<TBrdResult>, 4, "Unknown brand result screen 4"},
                 {Make<TCumResult>, 3, "Unknown brand cumulative result screen 3"},
                 {Make<TDecSummary>, 6, "Unknown decision summary screen 6"},
                 {Make<TBgtScreen>, 4, "Unknown budget screen 4"},
                 {Make<TNewsScr>, 9, "Unknown newsletter screen 9"}};
    for (const auto& c : cases) {
        root.ui.plainBoxes.clear();
        EXPECT_EQ(c.make(owner.get(), Context(3), c.kind)->Table(), nullptr) << c.message;
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{c.message});
    }
}

}  // namespace
}  // namespace cv
