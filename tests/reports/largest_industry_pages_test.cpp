// The largest industry of the model fixtures is complete for every page: after
// a forecast, every newsletter page of every market and every firm screen (the
// results page's and those other windows open) builds for each firm without a
// box, as the speed benchmarks that measure pages on it need, and reads no
// missing text, period before the first or number that is not one; every zone,
// channel and segment has its label.

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/pages/newsletter_menu.h"
#include "reports/pages/results_menu.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/model_world.h"
#include "tests/reports/support/believable_text.h"
#include "tests/reports/support/every_screen.h"
#include "tests/reports/support/results_fixture.h"

namespace cv {
namespace {

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
    void ExpectNoBox(const std::string& what) {
        EXPECT_TRUE(world.ui.errorBoxes.empty()) << what << ": " << world.ui.errorBoxes.size() << " boxes, first "
                                                 << (world.ui.errorBoxes.empty() ? "" : world.ui.errorBoxes.front());
        EXPECT_TRUE(world.ui.plainBoxes.empty()) << what << ": " << world.ui.plainBoxes.front();
        world.ui.errorBoxes.clear();
        world.ui.plainBoxes.clear();
    }

    test::TModelWorld world;
    QWidget owner;
};

TEST_F(LargestIndustryPages, EveryNewsletterPageAndFirmScreenBuildsWithoutABoxOrAFlaw) {
    world.OpenFixture(test::FixtureLargest());
    ASSERT_TRUE(world.RunForecast()) << world.failureReason;
    const TCvInd& industry = *Session->Industry();
    // The current period, as a team reads it, and the forecast period; each
    // view of each page menu, for each firm, and for each market when it reads one.
    std::vector<TPageItem> items(test::OtherFirmScreens().begin(), test::OtherFirmScreens().end());
    for (const TPageMenu* menu : {&ResultsPageMenu(), &NewsletterPageMenu()})
        for (const TPageMenuGroup& group : menu->groups)
            for (const TPageItem& item : group.items)
                if (item.screen) items.push_back(item);
    for (const int period : {int{industry.CurPeriod()}, industry.CurPeriod() + 1})
        for (const TPageItem& item : items) {
            for (int firm = 1; firm <= industry.NbFirms(); ++firm)
                for (int market = 1; market <= (item.perMarket ? industry.NbMarkets() : 1); ++market) {
                    const std::string where = std::string(item.name) + ", firm " + std::to_string(firm) +
                                              ", market " + std::to_string(market) + " in period " +
                                              std::to_string(period);
                    const auto screen = item.screen(&owner, Context(period, firm, market));
                    ASSERT_NE(screen->Table(), nullptr) << where;
                    for (const std::string& flaw : test::FlawsIn(test::RenderTable(*screen->Table())))
                        ADD_FAILURE() << where << " shows " << flaw;
                    ExpectNoBox(where);
                }
        }
}

// The language file names every zone, and the channels and segments of every
// zone and market, in each form the pages use: none reads "bad line number".
TEST_F(LargestIndustryPages, EveryZoneChannelAndSegmentHasItsLabel) {
    world.OpenFixture(test::FixtureLargest());
    const TCvInd& industry = *Session->Industry();
    std::vector<std::string> labels;
    for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
        labels.push_back(industry.FtaLabel(zone));
        for (int c = 1; c <= industry.ChaSeries(zone)->Count(); ++c) {
            labels.push_back(industry.ChannelLabel(zone, c));
            labels.push_back(industry.ChannelLongLabel(zone, c));
        }
        for (int market = 1; market <= industry.NbMarkets(); ++market)
            for (int s = 1; s <= industry.SegSeries(zone, market)->Count(); ++s) {
                labels.push_back(industry.SegmentLabel(zone, market, s));
                labels.push_back(industry.SegmentShortLabel(zone, market, s));
                labels.push_back(industry.SegmentInitialLabel(zone, market, s));
            }
    }
    EXPECT_EQ(labels.size(), 3u * (1 + 3 * 2 + 3 * 5 * 3));
    for (const std::string& label : labels) EXPECT_EQ(label.find("bad line number"), std::string::npos) << label;
}

}  // namespace
}  // namespace cv
