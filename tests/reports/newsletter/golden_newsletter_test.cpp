// Golden files of the newsletter's pages, built on the sample industry for
// team A in zone North at every period, in tests/data/golden/newsletter/.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/newsletter/news_screen.h"
#include "tests/reports/support/golden_file.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

class GoldenNewsletterTest : public test::ResultsTest {};

TEST_F(GoldenNewsletterTest, EveryPageMatchesItsGoldenFile) {
    const std::filesystem::path folder = std::filesystem::path(CV_GOLDEN_DIR).parent_path() / "newsletter";
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
        const std::string text = test::RenderEveryPeriod(
            [&](int period, int market) {
                TDataContext context = Context(period);
                context.SelMarket = static_cast<std::int16_t>(market);
                context.GraphOption = static_cast<std::int16_t>(page.scoreMode);
                return TCVScreen::Create<TNewsScr>(owner.get(), context, page.page,
                                                   kPlaceCentreX | kPlaceCentreY, 0, 0, kWindowMode);
            },
            Session->Industry()->CurPeriod(), page.perMarket ? Session->Industry()->NbMarkets() : 1);
        test::CheckGolden(folder / (std::string(page.name) + ".txt"), text);
    }
}

}  // namespace
}  // namespace cv
