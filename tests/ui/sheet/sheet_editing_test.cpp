// An editable sheet used from the keyboard: typing into the cells the
// protection leaves open, Enter, Tab and the arrows moving the active cell,
// Escape dropping an edit, and what a typed text is read as.
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

#include "ui/sheet/sheet_view.h"

namespace cv {
namespace {

class SheetEditingTest : public ::testing::Test {
protected:
    SheetEditingTest() {
        view.resize(600, 200);
        view.AllowSelections = view.AllowArrows = view.AllowTabs = true;
        view.AllowInCellEditing = view.EnterMovesDown = true;
        view.setFocusPolicy(Qt::StrongFocus);
        TSheetModel& model = view.Model();
        model.SetProtectionEnabled(true);
        model.FormatRange(2, 2, 3, 3, [](TCellFormat& format) { format.locked = false; });
        model.SetNumber(2, 2, 5);
        model.SetActiveCell(2, 2);
        model.AddSelectionListener([this] {
            const TSheetSelection& selection = view.Model().Selection();
            // The value typed is in its cell before the selection moves on.
            seen.push_back(view.Model().Number(2, 2));
            moves.push_back({selection.activeRow, selection.activeColumn});
        });
        view.show();
    }
    void Type(const char* text) { QTest::keyClicks(&view, QString::fromLatin1(text)); }
    void Press(Qt::Key key) { QTest::keyClick(&view, key); }

    TSheetView view;
    std::vector<double> seen;
    std::vector<std::pair<int, int>> moves;
};

TEST_F(SheetEditingTest, TypedNumberIsWrittenBeforeEnterMovesDown) {
    Type("-12.5");
    ASSERT_TRUE(view.IsEditing());
    EXPECT_EQ(static_cast<QLineEdit*>(view.Editor())->text(), "-12.5");
    Press(Qt::Key_Return);
    EXPECT_FALSE(view.IsEditing());
    EXPECT_EQ(view.Model().Number(2, 2), -12.5);
    EXPECT_EQ(seen, std::vector<double>{-12.5});
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{3, 2}}));
}

TEST_F(SheetEditingTest, TabAndArrowsMoveTheActiveCell) {
    Press(Qt::Key_Tab);
    Press(Qt::Key_Down);
    Press(Qt::Key_Left);
    Press(Qt::Key_Up);
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 3}, {3, 3}, {3, 2}, {2, 2}}));
    // Typing then Tab writes the cell and moves right.
    Type("7");
    Press(Qt::Key_Tab);
    EXPECT_EQ(view.Model().Number(2, 2), 7);
    EXPECT_EQ(moves.back(), (std::pair<int, int>{2, 3}));
}

TEST_F(SheetEditingTest, EscapeDropsTheEditAndLockedCellsTakeNoTyping) {
    Type("99");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(view.IsEditing());
    EXPECT_EQ(view.Model().Number(2, 2), 5);
    view.Model().SetActiveCell(1, 1);
    Type("3");
    EXPECT_FALSE(view.IsEditing()) << "a locked cell";
    EXPECT_TRUE(view.Model().IsEmpty(1, 1));
}

TEST_F(SheetEditingTest, TypedTextsAreReadAsNumbersOrLeaveTheCell) {
    struct TCase {
        const char* typed;
        double stored;
    };
    for (const TCase& c : {TCase{"1,234", 1234}, TCase{" 12.5 % ", 12.5}, TCase{"abc", 12.5}, TCase{"", 12.5}}) {
        view.Model().SetActiveCell(2, 2);
        view.BeginEdit(QString::fromLatin1(c.typed));
        view.CommitEdit();
        EXPECT_EQ(view.Model().Number(2, 2), c.stored) << c.typed;
    }
    // F2 edits the number the cell holds.
    Press(Qt::Key_F2);
    ASSERT_TRUE(view.IsEditing());
    EXPECT_EQ(static_cast<QLineEdit*>(view.Editor())->text(), "12.5");
}

}  // namespace
}  // namespace cv
