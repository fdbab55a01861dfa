// The plan's sheet and the keyboard: Tab goes from cell to cell, as in a
// spreadsheet; Ctrl+Tab and Shift+Ctrl+Tab leave the sheet for the dialog's
// other controls, as in the toolkit's own tables. The forecast takes the
// focus too, and scrolls by keys.
#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <QTest>

#include "tests/decisions/plan/plan_dialog_fixture.h"
#include "tests/ui/support/gtest_qtry.h"
#include "tests/ui/support/window_test.h"
#include "ui/report/qn_table.h"

namespace cv::test {
namespace {

// Presses Key as the keyboard does: to the window, which hands it to the
// widget holding the focus.
void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

std::string FocusedName() {
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName().toStdString() : std::string("nothing");
}

// Gives the sheet the focus, as a click on it does, and waits for it.
void FocusSheet(TFoMktPlan& dialog) {
    TQNSheet& sheet = PlanDialogTest::Sheet(dialog);
    QTRY_VERIFY(dialog.isActiveWindow());
    sheet.setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(sheet.hasFocus());
}

TEST_F(PlanDialogTest, TabStaysInTheSheetAndCtrlTabLeavesIt) {
    WithDialog([](TFoMktPlan& dialog) {
        TQNSheet& sheet = Sheet(dialog);
        FocusSheet(dialog);
        const int column = sheet.Model().Selection().activeColumn;
        Press(dialog, Qt::Key_Tab);
        EXPECT_TRUE(sheet.hasFocus()) << FocusedName();
        EXPECT_EQ(sheet.Model().Selection().activeColumn, column + 1);
        Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_TRUE(sheet.hasFocus()) << FocusedName();
        EXPECT_EQ(sheet.Model().Selection().activeColumn, column);
        // Ctrl+Tab: the plan's first button; Tab then goes on to the next one.
        Press(dialog, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(FocusedName(), "BBSameLastPer");
        EXPECT_EQ(sheet.Model().Selection().activeColumn, column) << "Ctrl+Tab moved in the sheet";
        Press(dialog, Qt::Key_Tab);
        EXPECT_EQ(FocusedName(), "BBSameMktForeCast");
        // Shift+Ctrl+Tab: the control before the sheet, from which Tab comes back.
        FocusSheet(dialog);
        Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier);
        EXPECT_FALSE(sheet.hasFocus());
        EXPECT_NE(FocusedName(), "BBSameLastPer");
        SaveScreenshotOfRunningTest(dialog);
        Press(dialog, Qt::Key_Tab);
        EXPECT_TRUE(sheet.hasFocus()) << FocusedName();
    });
}

// Types Text into the first cell of the planned sizes, made the active one
// and given the focus; the cell, as (column, row).
QPoint TypeIntoPlannedSize(TFoMktPlan& dialog, const char* text) {
    TMktPlanScr& plan = PlanDialogTest::Plan(dialog);
    const QPoint cell(plan.Column(6), plan.FirstRow() + 2);
    PlanDialogTest::Sheet(dialog).Model().SetActiveCell(cell.y(), cell.x());
    FocusSheet(dialog);
    QTest::keyClicks(QApplication::focusWidget(), text);
    EXPECT_NE(PlanDialogTest::Sheet(dialog).Editor(), nullptr) << "typing opened no editor";
    return cell;
}

// Shift and Ctrl pressed on their own while a cell is being typed in leave
// the typing as it was.
TEST_F(PlanDialogTest, AModifierKeyAloneLeavesTheTypingAsItWas) {
    WithDialog([](TFoMktPlan& dialog) {
        const QPoint cell = TypeIntoPlannedSize(dialog, "12");
        Press(dialog, Qt::Key_Shift);
        Press(dialog, Qt::Key_Control);
        QTest::keyClicks(QApplication::focusWidget(), "34");
        Press(dialog, Qt::Key_Return);
        EXPECT_EQ(Cell(dialog, cell.y(), cell.x()), 1234);
    });
}

// A value being typed into a cell is kept when Ctrl+Tab leaves the sheet.
TEST_F(PlanDialogTest, CtrlTabKeepsTheValueBeingTyped) {
    WithDialog([](TFoMktPlan& dialog) {
        const QPoint cell = TypeIntoPlannedSize(dialog, "1234");
        Press(dialog, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(FocusedName(), "BBSameLastPer");
        EXPECT_EQ(Cell(dialog, cell.y(), cell.x()), 1234);
    });
}

// The brand forecast takes the focus by Tab, next after the tabs, and, taller
// than its frame on a small screen, scrolls by keys: Down and Up a row, End
// to its last rows, Page Up a page back, Home to its first rows.
TEST_F(PlanDialogTest, TheBrandForecastTakesTheFocusAndScrollsByKeysSmallScreen) {
    WithDialog([](TFoMktPlan& dialog) {
        QTRY_VERIFY(dialog.isActiveWindow());
        TBrandTabBar& tabs = Tabs(dialog);
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(4).center());
        ASSERT_EQ(tabs.currentIndex(), 4);
        TQNTable& table = *dialog.Screen()->Table();
        TQNSheet& sheet = table.Sheet();
        for (int press = 0; press < 4 && !sheet.hasFocus(); ++press) Press(dialog, Qt::Key_Tab);
        ASSERT_TRUE(sheet.hasFocus()) << FocusedName();
        Press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusedName(), "TSMktPlan");
        Press(dialog, Qt::Key_Tab);
        ASSERT_TRUE(sheet.hasFocus()) << FocusedName();

        QScrollBar* bar = table.VerticalBar();
        ASSERT_EQ(bar != nullptr, ScreenSize().width() == 640) << "taller than its frame on the small screen only";
        if (!bar) {
            SaveScreenshotOfRunningTest(dialog);
            return;
        }
        const TTableGeometry& g = sheet.Geometry();
        const int top = bar->minimum();
        Press(dialog, Qt::Key_Down);
        EXPECT_EQ(bar->value(), top + 1);
        Press(dialog, Qt::Key_End);
        EXPECT_EQ(bar->value(), bar->maximum());
        EXPECT_EQ(sheet.TopRow() + g.visibleBodyRows - 1, g.originRow + g.titleRows + g.bodyRows - 1);
        SaveScreenshotOfRunningTest(dialog);
        Press(dialog, Qt::Key_Up);
        EXPECT_EQ(bar->value(), bar->maximum() - 1);
        Press(dialog, Qt::Key_PageUp);
        EXPECT_EQ(bar->value(), std::max(top, bar->maximum() - 1 - bar->pageStep()));
        Press(dialog, Qt::Key_Home);
        EXPECT_EQ(sheet.TopRow(), g.originRow + g.titleRows);
        EXPECT_TRUE(sheet.hasFocus()) << FocusedName();
    });
}

}  // namespace
}  // namespace cv::test
