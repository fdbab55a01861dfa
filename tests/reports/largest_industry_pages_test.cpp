// The largest industry of the model fixtures is complete for every page: after
// a forecast, every newsletter page of every market and every screen of the
// results page builds for each firm without a box, as the speed benchmarks
// that measure pages on it need. Its current period has no period before it
// in the file: the brand sales page says so once per market, and no other
// page misses anything.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/newsletter/news_screen.h"
#include "reports/pages/results_menu.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"

namespace cv {
namespace {

constexpr char kNoPreviousBrands[] =
    "The results of the period before hold no brands of this market: its figures are left empty.";

class LargestIndustryPages : public ::testing::Test {
protected:
    LargestIndustryPages() {
        Translator = std::make_unique<TTranslate>();
        Translator->Open(CV_LANGUAGE_FILE);
        owner.resize(1000, 640);
    }
    ~LargestIndustryPages() override { Translator.reset(); }

    TDataContext Context(int period, int firm, int market) const {
        TDataContext context;
        context.SelPeriod = context.CurPeriod = context.DecPeriod = static_cast<std::int16_t>(period);
        context.SelFirm = static_cast<std::int16_t>(firm);
        context.SelFta = 1;
        context.SelMarket = static_cast<std::int16_t>(market);
        return context;
    }
    void ExpectBoxes(const std::string& what, const std::vector<std::string>& plain = {}) {
        EXPECT_TRUE(world.ui.errorBoxes.empty()) << what << ": " << world.ui.errorBoxes.size() << " boxes, first "
                                                 << (world.ui.errorBoxes.empty() ? "" : world.ui.errorBoxes.front());
        EXPECT_EQ(world.ui.plainBoxes, plain) << what;
        world.ui.errorBoxes.clear();
        world.ui.plainBoxes.clear();
    }

    test::TModelWorld world;
    QWidget owner;
};

TEST_F(LargestIndustryPages, EveryNewsletterPageAndResultScreenBuildsWithoutABox) {
    world.OpenFixture(test::FixtureLargest());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TCvInd& industry = *Session->Industry();
    // The current period, as a team reads it, and the forecast period.
    for (const int period : {int{industry.CurPeriod()}, industry.CurPeriod() + 1}) {
        const std::string when = " in period " + std::to_string(period);
        for (int market = 1; market <= industry.NbMarkets(); ++market)
            for (int page = TNewsScr::kStockMarket; page <= TNewsScr::kScoreCard; ++page) {
                const auto screen =
                    TCVScreen::Create<TNewsScr>(&owner, Context(period, 1, market), page, kWindowLayout);
                EXPECT_NE(screen->Table(), nullptr);
                const bool refused = page == TNewsScr::kBrandSales && period == industry.CurPeriod();
                ExpectBoxes("newsletter page " + std::to_string(page) + ", market " + std::to_string(market) + when,
                            refused ? std::vector<std::string>{kNoPreviousBrands} : std::vector<std::string>{});
            }
        for (int firm = 1; firm <= industry.NbFirms(); ++firm)
            for (const TResultGroup& group : ResultMenuGroups())
                for (const TResultItem& item : group.items) {
                    const auto screen = item.create(&owner, Context(period, firm, 1));
                    ExpectBoxes(std::string(item.name) + ", firm " + std::to_string(firm) + when);
                }
    }
}

}  // namespace
}  // namespace cv
