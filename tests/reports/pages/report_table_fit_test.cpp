// Wide and long reports in the started program: the table never reaches past
// its page; what does not fit scrolls with bars and with the wheel, at every
// screen size (the suite also runs at 640 x 480); a body that fits once its
// columns give up the width their texts leave free shows whole.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWheelEvent>

#include "core/store/series_index.h"
#include "reports/pages/newsletter_page.h"
#include "reports/pages/results_page.h"
#include "tests/reports/support/group_page_fixture.h"
#include "tests/ui/support/window_test.h"
#include "ui/report/cv_screen.h"
#include "ui/report/qn_table.h"

namespace cv {
namespace {

struct TWideReport {
    bool newsletter;
    const char* item;
    bool everyColumn = false;  // its body fits the small screen whole once its columns give up their spare width
};

class ReportTableFit : public test::GroupPageTest<TFoResult> {
protected:
    ReportTableFit() : GroupPageTest(si::rcReportCateg) {}

    TGroupPage* ShowReport(const TWideReport& report) {
        TGroupPage* shown = page;
        if (report.newsletter) shown = Main().findChild<TFoNLetter*>();
        Main().ShowPage(shown);
        shown->Item(report.item)->trigger();
        return shown;
    }
    static TQNTable* ShownTable(TGroupPage& shown) {
        TCVScreen* screen = shown.Display().Screen();
        return screen ? screen->Table() : nullptr;
    }
    static void SendWheel(QWidget& target, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPointF at(target.width() / 2.0, target.height() / 2.0);
        QWheelEvent wheel(at, target.mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&target, &wheel);
    }
};

class ReportTableFitSmallScreen : public ReportTableFit, public ::testing::WithParamInterface<TWideReport> {};

TEST_P(ReportTableFitSmallScreen, TheTableStaysInsideItsPageAndScrollsToItsLastRowAndColumn) {
    TGroupPage* shown = ShowReport(GetParam());
    TQNTable* table = ShownTable(*shown);
    ASSERT_NE(table, nullptr);
    const QRect client = shown->contentsRect();
    const TTableGeometry& shape = table->Sheet().Geometry();
    SCOPED_TRACE(testing::Message() << "columns " << shape.visibleBodyCols << " of " << shape.bodyCols << ", rows "
                                    << shape.visibleBodyRows << " of " << shape.bodyRows << ", page " << client.width()
                                    << "x" << client.height());
    EXPECT_GE(table->Left(), 0);
    EXPECT_LE(table->RightEdge(), client.width());
    EXPECT_LE(table->BottomEdge(), client.height());

    TQNSheet& sheet = table->Sheet();
    const TTableGeometry& g = sheet.Geometry();
    const int lastBodyColumn = g.originCol + g.headingCols + g.bodyCols - 1;
    const int lastBodyRow = g.originRow + g.titleRows + g.bodyRows - 1;
    EXPECT_EQ(table->HorizontalBar() != nullptr, g.visibleBodyCols < g.bodyCols);
    EXPECT_EQ(table->VerticalBar() != nullptr, g.visibleBodyRows < g.bodyRows);
    EXPECT_TRUE(!GetParam().everyColumn || g.visibleBodyCols == g.bodyCols);
    if (QScrollBar* bar = table->HorizontalBar()) {
        EXPECT_TRUE(bar->isVisible());
        // The wheel sideways, then Shift with the wheel, move to the right end.
        const int before = bar->value();
        SendWheel(sheet, QPoint(-120, 0));
        EXPECT_GT(bar->value(), before);
        for (int i = 0; i < g.bodyCols; ++i) SendWheel(sheet, QPoint(0, -120), Qt::ShiftModifier);
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_EQ(sheet.LeftCol() + g.visibleBodyCols - 1, lastBodyColumn);
        test::SaveScreenshot(Main(), std::string("ReportTableFitSmallScreen_RightEnd_") + GetParam().item);
    }
    if (QScrollBar* bar = table->VerticalBar()) {
        EXPECT_TRUE(bar->isVisible());
        for (int i = 0; i < g.bodyRows; ++i) SendWheel(sheet, QPoint(0, -120));
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_EQ(sheet.TopRow() + g.visibleBodyRows - 1, lastBodyRow);
    }
}

// The widest and longest reports of the sample industry.
INSTANTIATE_TEST_SUITE_P(WideReports, ReportTableFitSmallScreen,
                         ::testing::Values(TWideReport{false, "MPFirSCard"}, TWideReport{false, "MPCumBrd"},
                                           TWideReport{false, "MPFirLoanSched", true}, TWideReport{false, "MPPDecsStu"},
                                           TWideReport{false, "MPRnDPrjAll"}, TWideReport{true, "MPNLEcoMRS"},
                                           TWideReport{true, "MPNLSMktSCard"}, TWideReport{true, "MPNLBrdSales"}),
                         [](const auto& info) { return std::string(info.param.item); });

}  // namespace
}  // namespace cv
