// Study screens shown in a page-sized window, as the studies page will show
// them: awareness (1), the consumer panel (4), the map regression (13, fitted
// and not) and benchmarking (51), each saved as a screenshot to look at.
#include <gtest/gtest.h>

#include <QtTest>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "tests/reports/studies/study_fixture.h"
#include "tests/ui/support/painted_texts.h"
#include "tests/ui/support/window_test.h"
#include "tests/ui/support/gtest_qtry.h"

namespace cv {
namespace {

class StudyWindowTest : public test::StudyTest {};

TEST_F(StudyWindowTest, ScreensOneFourThirteenAndFiftyOneShowTheirTables) {
    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    const int current = Session->Industry()->CurPeriod();
    // In period 0 the map regression cannot be fitted: every coefficient reads as zero.
    const struct {
        int screen;
        const char* table;
        int period;
        const char* shot;
    } screens[] = {{1, "ConsAwaPI", current, ""},
                   {4, "StuUMS", current, ""},
                   {13, "StuMapRegress", current, ""},
                   {13, "StuMapRegress", 0, "Unfitted"},
                   {51, "StuBenchmark", current, ""}};
    for (const auto& s : screens) {
        TDataContext context = Context(s.period);
        context.VertAxis = 1;
        BuyEveryStudy(context, true);
        BuyStudy(context, "StuFta", "Benchmark", true);
        std::unique_ptr<TStudies> shown;
        if (s.screen > 50)
            shown = ZoneScreen(s.screen, context);
        else
            shown = MarketScreen(s.screen, context);
        ASSERT_NE(shown->Table(), nullptr) << s.screen;
        EXPECT_EQ(shown->Table()->Sheet().TableName(), s.table);
        QTRY_VERIFY(shown->Table()->Sheet().isVisible());
        // The table lies inside the page.
        EXPECT_LE(shown->Table()->RightEdge(), owner->width()) << s.screen;
        EXPECT_GT(shown->Table()->Width(), 0);
        // Every text shows whole: a verdict wider than its column wraps into a row as high as its lines.
        const QStringList cut = test::PaintShownTables(*owner).cut;
        EXPECT_TRUE(cut.isEmpty()) << s.screen << s.shot << " cuts " << cut.join(" | ").toStdString();
        // Measured at the table's own scale, the verdicts and the t values that show on one line keep
        // their rows as high as the coefficients'.
        const TSheetModel& cells = shown->Table()->Sheet().Model();
        const int tValues = 7, verdicts = 8, coefficients = 4;
        for (const int row : {tValues, verdicts})
            EXPECT_TRUE(s.screen != 13 || cells.RowHeight(row) == cells.RowHeight(coefficients)) << s.shot << " row " << row;
        test::SaveScreenshot(*owner, "StudyWindowTest_Screen" + std::to_string(s.screen) + s.shot);
    }
}

// On a screen of 640 x 480 the table engine lays the same screens out in its
// smaller fonts and rows; the explanation of a study not bought stands in the
// panel's place.
TEST_F(StudyWindowTest, SmallScreenShowsThePanelAndThenItsExplanation) {
    TDataContext context = Context();
    BuyEveryStudy(context, true);
    owner->resize(640, 400);
    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    auto panel = MarketScreen(4, context);
    QTRY_VERIFY(panel->Table()->Sheet().isVisible());
    EXPECT_EQ(panel->Table()->Sheet().TableName(), "StuUMS");
    test::SaveScreenshot(*owner, "StudyWindowTest_SmallScreenPanel");
    panel.reset();
    BuyStudy(context, "StuMkt", "ConsumerPanel", false);
    auto explanation = MarketScreen(4, context);
    QTRY_VERIFY(explanation->Table()->Sheet().isVisible());
    EXPECT_EQ(InfosLine(*explanation), StudyText("StuInfos", 3));
    test::SaveScreenshot(*owner, "StudyWindowTest_SmallScreenExplanation");
}

}  // namespace
}  // namespace cv
