#pragma once
// A widget that shows a sheet: the fixed rows FixedRow..FixedRow+FixedRows-1
// stay at the top and the fixed columns at the left while the rest starts at
// TopRow and LeftCol; ViewScale zooms in percent. It draws no scroll bars of
// its own: the report table places them. A click selects a cell when
// selections are allowed; the model tells listeners.
//
// An editable sheet (the marketing plan's) is used from the keyboard too:
// arrows and tabs move the active cell (Ctrl+Tab and Shift+Ctrl+Tab leave
// the sheet for the next and the previous control), typing into a cell that the
// protection leaves open starts a cell editor over it, Enter writes the
// number typed and moves down, Escape drops it. The number is written before
// the active cell moves, so a selection listener sees the new value.

#include <QWidget>
#include <functional>

#include "ui/sheet/shaped_text.h"
#include "ui/sheet/sheet_model.h"

namespace cv {

// A sheet's scale in percent until it is zoomed.
inline constexpr int kOwnViewScale = 100;

class TCellEditor;

class TSheetView : public QWidget {
public:
    explicit TSheetView(QWidget* parent = nullptr);
    ~TSheetView() override;

    TSheetModel& Model() { return model_; }
    const TSheetModel& Model() const { return model_; }

    int FixedRow() const { return fixedRow_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCol() const { return fixedCol_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixedRow(int row, int count);
    void SetFixedCol(int column, int count);
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    void SetTopRow(int row);
    void SetLeftCol(int column);
    int ViewScale() const { return viewScale_; }
    void SetViewScale(int percent);
    std::int32_t BackColor() const { return backColour_; }
    void SetBackColor(std::int32_t colour);

    bool AllowSelections = false;
    bool ShowSelections = false;
    bool AllowArrows = false;
    bool AllowTabs = false;
    bool AllowInCellEditing = false;
    bool EnterMovesDown = false;

    // Cell editing: the editor over the active cell, or nullptr.
    QWidget* Editor() const;
    bool IsEditing() const { return Editor() != nullptr; }
    // Starts the editor on the active cell with Text, when the cell accepts typing.
    void BeginEdit(const QString& text);
    // Writes what the editor holds into its cell (a text that is no number
    // leaves the cell as it was) and closes the editor; nothing without one.
    void CommitEdit();
    // Hears each cell a number was typed into, once it is written, even when
    // it is the number the cell held: its row and column.
    std::function<void(int row, int column)> OnCellTyped;
    void CancelEdit();
    // The rectangle of a cell in the widget; empty when it is scrolled away.
    QRect CellRect(int row, int column) const;

    // Pixels per twip at the current zoom and the widget's resolution.
    double PixelsPerTwip() const;
    // Size in pixels of a block of rows and columns at the current zoom.
    QSize BlockSize(int row1, int column1, int row2, int column2) const;
    // The cell under a point of the widget; (0, 0) when none.
    QPoint CellAt(QPoint position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class TCellEditor;
    // Moves the active cell by Rows and Columns, kept on the sheet.
    void MoveActive(int rows, int columns);
    // The editor's keys that end the edit: true when Key was one.
    bool EditorKey(int key, Qt::KeyboardModifiers modifiers);
    // Tab or Backtab with Modifiers on a sheet that keeps Tab: the next or
    // previous cell, or with Ctrl the next or previous control.
    void TabKey(int key, Qt::KeyboardModifiers modifiers);

    // The first rows and columns that scroll, never inside the fixed ones.
    int FirstScrollingRow() const;
    int FirstScrollingColumn() const;

    TSheetModel model_;
    int fixedRow_ = 1, fixedRows_ = 0, fixedCol_ = 1, fixedCols_ = 0;
    int topRow_ = 1, leftCol_ = 1;
    int viewScale_ = kOwnViewScale;
    std::int32_t backColour_ = 0xFFFFFF;
    TCellEditor* editor_ = nullptr;
    // A key is on its way from the view to the editor.
    bool forwardingKey_ = false;
    // The cell texts painted, shaped once and drawn again at every paint.
    TShapedTextCache shapedTexts_;
};

}  // namespace cv
