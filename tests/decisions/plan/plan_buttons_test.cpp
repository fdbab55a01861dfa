// The plan's three buttons fill the table and show what they filled at once:
// the sheet is painted again right after the click, before the team clicks a
// cell or moves through the table.
#include <QPushButton>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

// Counts the paint events of the widget it watches.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget& widget) : widget_(widget) { widget.installEventFilter(this); }
    ~PaintCount() override { widget_.removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;

private:
    QWidget& widget_;
};

TEST_F(PlanDialogTest, EachButtonShowsWhatItFilledAtOnce) {
    // The market forecast ordered, and shopping habits on file: segment s buys in channel s.
    TCvInd& industry = *Session->Industry();
    TSimArr* orders =
        industry.PerDecisions(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "DecStuMkt");
    TSimArr* habits =
        industry.PerResults(industry.CurPeriod()).FindSimArr(kCategoryFirmFtaMarket, PlanContext(), "MostRecentStuBH");
    ASSERT_NE(orders, nullptr);
    ASSERT_NE(habits, nullptr);
    SetElement(*orders, {si::MarketForecast}, 1);
    SetElement(*orders, {si::ConsumerSurvey}, 1);
    for (int s = 1; s <= 3; ++s)
        for (int c = 1; c <= 3; ++c) SetElement(*habits, {s, c}, s == c ? 1000 : 0);
    const struct {
        int tab;
        const char* button;
    } cases[] = {{0, "BBSameLastPer"}, {0, "BBSameMktForeCast"}, {1, "BBSameLastPer"},
                 {2, "BBSameLastPer"}, {3, "BBSameLastPer"},     {3, "BBBrdSalesEstim"}};
    WithDialog([&cases, this](TFoMktPlan& dialog) {
        for (const auto& [tab, button] : cases) {
            ASSERT_EQ(GoToTab(dialog, tab), tab);
            TQNSheet& sheet = Sheet(dialog);
            PaintCount painted(sheet);
            QTRY_VERIFY(sheet.isVisible());
            sheet.repaint();
            QCoreApplication::processEvents();
            painted.paints = 0;
            root.ui.messageBoxes.clear();
            QTest::mouseClick(&Child<QPushButton>(dialog, button), Qt::LeftButton);
            EXPECT_TRUE(root.ui.messageBoxes.empty()) << button;
            EXPECT_TRUE(QTest::qWaitFor([&painted] { return painted.paints > 0; }, 1000)) << tab << " " << button;
        }
        SaveScreenshotOfRunningTest(dialog);
    });
}

}  // namespace
}  // namespace cv::test
