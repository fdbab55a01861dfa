// The largest industry of the model fixtures is complete for every decision
// dialog, as the speed benchmarks that open them on it need: the decisions
// page finds no error in the decision period (so the marketing plan may be
// opened), and each area's dialog opens in every zone and market and shows
// each of its tabs without a box.

#include <QTabBar>
#include <QTest>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "tests/app/support/program_root.h"
#include "tests/decisions/page/shown_page.h"
#include "tests/decisions/checks/message_keys.h"
#include "tests/model/fixtures/fixture_catalog.h"
#include "tests/model/fixtures/fixture_industry.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

constexpr std::array<TDecisionArea, kDecisionAreaCount> kAreas{
    TDecisionArea::BrandPortfolio, TDecisionArea::MarketingMix, TDecisionArea::Distribution,
    TDecisionArea::Studies,        TDecisionArea::RnD,          TDecisionArea::Summary,
    TDecisionArea::Budget,         TDecisionArea::MarketingPlan};

class LargestIndustryDialogs : public StartedProgramTest {
protected:
    QWidget* ShownWindow() override { return &Main(); }

    // The largest industry open as team 1's copy, on the decisions page.
    void ShowPage() {
        const std::filesystem::path file = root.RootPath() / "Private" / "LARGEST.ind";
        WriteFixtureIndustry(file, FixtureLargest());
        page = ShowDecisionsPage(Main(), file, 1);
        ASSERT_NE(page, nullptr);
    }

    // The boxes shown since the last call, one line each, cleared.
    std::string TakeBoxes() {
        std::string text;
        for (const std::string& box : root.ui.errorBoxes) text += "error: " + box + "\n";
        for (const std::string& box : root.ui.plainBoxes) text += "plain: " + box + "\n";
        for (const auto& box : root.ui.messageBoxes) text += "message: " + box.key + "\n";
        for (const auto& list : root.ui.messageLists)
            for (const std::string& key : MessageKeys(list.items)) text += "listed: " + key + "\n";
        root.ui.errorBoxes.clear();
        root.ui.plainBoxes.clear();
        root.ui.messageBoxes.clear();
        root.ui.messageLists.clear();
        return text;
    }

    // Opens Area's dialog in Zone and Market and shows every tab of each of
    // its tab sets in turn; then cancels it.
    void PageThrough(TDecisionArea area, int zone, int market) {
        page->Data.SelFta = static_cast<std::int16_t>(zone);
        page->Data.SelMarket = static_cast<std::int16_t>(market);
        WhenModalShown shown(
            [](QWidget& dialog) {
                for (QTabBar* tabs : dialog.findChildren<QTabBar*>())
                    for (int tab = 0; tab < tabs->count(); ++tab) {
                        tabs->setCurrentIndex(tab);
                        EXPECT_EQ(tabs->currentIndex(), tab) << tabs->objectName().toStdString() << " refused";
                    }
            },
            "LargestIndustryDialogs_" + std::to_string(static_cast<int>(area)));
        page->OpenArea(area);
        EXPECT_TRUE(shown.Ran());
    }

    TFoDecision* page = nullptr;
};

TEST_F(LargestIndustryDialogs, ThePageFindsNoError) {
    ShowPage();
    EXPECT_EQ(page->LastReview().ErrorCount, 0);
    QTest::mouseClick(page->findChild<QPushButton*>("BBErrors"), Qt::LeftButton);
    EXPECT_EQ(TakeBoxes(), "");
}

TEST_F(LargestIndustryDialogs, EveryDialogShowsEachTabInEveryZoneAndMarketWithoutABox) {
    ShowPage();
    const TCvInd& industry = *Session->Industry();
    for (const TDecisionArea area : kAreas)
        for (int zone = 1; zone <= industry.NbFtas(); ++zone)
            for (int market = 1; market <= industry.NbMarkets(); ++market) {
                PageThrough(area, zone, market);
                EXPECT_EQ(TakeBoxes(), "") << "area " << static_cast<int>(area) << ", zone " << zone << ", market "
                                           << market;
            }
}

}  // namespace
}  // namespace cv::test
