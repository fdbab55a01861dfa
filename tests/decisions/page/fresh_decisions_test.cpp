// A team that starts from the default decisions (the "fresh" sample) takes
// every decision group through the three dialogs it needs: the marketing mix
// of each brand, the sales force and the study orders, in each zone. The page
// then shows its decisions complete. One warning stays: the defaults launch
// no brand on the prototype PALTO, completed this period, which only the
// brand portfolio can do.
#include <QLabel>
#include <QTest>
#include <functional>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/dialogs/brand_tab_bar.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "shell/selector/cv_bar.h"
#include "ui/fields/qn_edit.h"
#include "tests/app/support/program_root.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/decisions/checks/message_keys.h"
#include "tests/ui/support/window_test.h"
#include "tools/sample_industry/sample_industry.h"

namespace cv::test {
namespace {

class FreshDecisionsTest : public StartedProgramTest {
protected:
    QWidget* ShownWindow() override { return &Main(); }

    // The fresh sample with the program's own dialogs on the page.
    void ShowFreshPage() {
        page = ShowDecisionsPage(root, Main(), {sample::TSampleDecisions::Fresh, sample::TSampleRestrictions::None});
        ASSERT_NE(page, nullptr);
    }

    // Opens Area's dialog and, for each zone (and market when it lends the
    // market selector), runs Take on it; then presses OK.
    void TakeArea(TDecisionArea area, bool eachMarket, const std::function<void(TFoCv3Dec&)>& take) {
        WhenModalShown shown([&](QWidget& window) {
            auto& dialog = dynamic_cast<TFoCv3Dec&>(window);
            const TCvInd& industry = *Session->Industry();
            TBarGrpBtn* zones = CvBar->Group(industry.FtaSeries()->Name());
            TBarGrpBtn* markets = CvBar->Group(industry.MktSeries()->Name());
            const int marketCount = eachMarket ? industry.NbMarkets() : 1;
            for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
                if (page->Data.SelFta != zone)
                    CvBar->SelectionChanged(*zones, zones->Buttons.at(static_cast<std::size_t>(zone - 1)));
                ASSERT_EQ(page->Data.SelFta, zone) << "the dialog kept the zone before";
                for (int market = 1; market <= marketCount; ++market) {
                    if (eachMarket)
                        CvBar->SelectionChanged(*markets, markets->Buttons.at(static_cast<std::size_t>(market - 1)));
                    take(dialog);
                }
            }
            dialog.OkClick();
            EXPECT_FALSE(dialog.isVisible()) << "OK was refused";
        });
        page->OpenArea(area);
        ASSERT_TRUE(shown.Ran());
    }

    static void Type(TQNEdit& field, const QString& text) {
        field.setFocus(Qt::OtherFocusReason);
        field.selectAll();
        QTest::keyClicks(&field, text);
        QTest::keyClick(&field, Qt::Key_Tab);
    }

    TFoDecision* page = nullptr;
};

TEST_F(FreshDecisionsTest, TheThreeDialogsCompleteTheDecisions) {
    ShowFreshPage();
    const auto stateText = [this] { return page->findChild<QLabel*>("labErrWng")->text(); };
    EXPECT_TRUE(stateText().startsWith("Some decisions are not taken yet."));
    // The defaults target no segment: each brand's advertising goes to its
    // first segment. Moving on to the next tab, market or zone stores the brand left.
    TakeArea(TDecisionArea::MarketingMix, true, [](TFoCv3Dec& dialog) {
        auto* tabs = dialog.findChild<TBrandTabBar*>();
        for (int tab = 0; tabs && tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            for (int segment = 1; segment <= 5; ++segment) {
                auto* share = dialog.findChild<TQNEdit*>(QStringLiteral("QNESegCurPer%1").arg(segment));
                if (share && share->isVisible() && share->FieldEnabled()) Type(*share, segment == 1 ? "100" : "0");
            }
        }
    });
    TakeArea(TDecisionArea::Distribution, false, [](TFoCv3Dec&) {});
    TakeArea(TDecisionArea::Studies, false, [](TFoCv3Dec&) {});
    const TDecisionReview& review = page->LastReview();
    EXPECT_EQ(review.DecStatusResult, 1);
    EXPECT_EQ(review.ErrorCount, 0);
    EXPECT_EQ(MessageKeys(page->CheckMessages().Items()), std::vector<std::string>{"WarnProNotUsed"});
    // Line 3 of "QnNoMessage", in yellow.
    EXPECT_TRUE(stateText().startsWith("Your decisions are complete, with warnings."));
    EXPECT_EQ(page->findChild<QLabel*>("labErrWng")->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0));
}

}  // namespace
}  // namespace cv::test
