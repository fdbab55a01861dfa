#pragma once
// TQNTable: the table of a report screen. It owns the main sheet that holds
// the whole table and lays the table out on its owner: caption lines in two
// labels above, title rows and heading columns frozen by the sheet, and, when
// the body is larger than may be shown (by the screen's cap, or because a
// window table does not fit its owner), scroll bars plus pane sheets that
// keep the total rows, the total columns and their corner in view; the wheel
// over the table scrolls it, and so do the keys when it takes the focus.
//
// Rows and columns of the cell operations are sheet coordinates: the caller
// adds the table's origin. A bad index raises ERangeError naming it.

#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QLabel>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/report/table_number_formats.h"
#include "ui/report/table_placement.h"
#include "ui/report/table_shape.h"
#include "ui/report/table_text_fit.h"
#include "ui/report/table_type.h"
#include "ui/sheet/cell_painter.h"
#include "ui/sheet/qn_sheet.h"

namespace cv {

inline constexpr int kScrollBarThickness = 12;
inline constexpr int kPaneGap = 2;

// Area flags of ClearAreas.
inline constexpr int kClearEverything = 32768;

// The fonts of a table's title and note labels in a table style; the title's
// is smaller on a small screen.
QFont TableTitleFont(const TTableStyle& style);
QFont TableNoteFont(const TTableStyle& style);

class TQNTable {
public:
    TQNTable(QWidget* owner, TTableType tableType, const std::string& sheetName, const TTablePlacement& placement,
             int zoom);
    ~TQNTable();
    TQNTable(const TQNTable&) = delete;
    TQNTable& operator=(const TQNTable&) = delete;

    // Clears every area, then defines the geometry and formats it.
    void DefineTable(const TTableShape& shape,
                     const std::array<int, kAreaCount>& areaCodes = {-1, -1, -1, -1, -1, -1, -1, -1, -1});
    // Sets the caption lines when the first title or note line is not empty.
    void FormatArea(const std::vector<std::string>& titleLines, const std::vector<std::string>& noteLines,
                    int rowsBefore, int rowsBetween, int rowsAfter, int alignment);
    void Refresh();
    void Show();
    // Lays a shown window table out again for its owner's present size: the
    // captions wrapped, the rows and columns that fit shown, the table placed.
    void FollowOwnerSize();
    // The table takes the focus, by Tab or a click; while it holds it, the
    // arrow keys, Page Up, Page Down, Home and End scroll it.
    void ScrollByKeys();

    // Cells.
    void SetCellText(int row, int column, const std::string& text);
    void SetCellNumber(int row, int column, double value);
    void SetCellFormula(int row, int column, const std::string& formula);
    double CellNumber(int row, int column) const;
    std::string CellText(int row, int column) const;
    // The reference of (Row1, Column1), or of the range to (Row2, Column2)
    // when the corners differ; every coordinate is added to the base.
    static std::string RangeRef(int baseRow, int baseColumn, int row1, int column1, int row2, int column2);
    void SetTextAcross(int row, int firstColumn, int lastColumn, const std::string& text);

    // Ranges: a -1 corner means the sheet's first or last row or column.
    void SetRangeAlign(int row1, int column1, int row2, int column2, int horizontal, int vertical, bool wrap);
    void SetRangeFormat(int row1, int column1, int row2, int column2, TNumberFormat format);
    // A format text of the sheet's own (a mask, or a format no screen shares).
    void SetRangeFormat(int row1, int column1, int row2, int column2, const std::string& format);
    // Each attribute -1 keeps the cell's own.
    void SetRangeFont(int row1, int column1, int row2, int column2, int size, int bold, int italic, int underline,
                      std::int32_t colour);
    void SetRangeFontColor(int row1, int column1, int row2, int column2, std::int32_t colour);
    // Formats the block as a note in table font 1 or 2: its font and fill, a
    // line above it and no column lines through it.
    void SetRangeStdFont(int row, int column, int rowCount, int columnCount, int fontNumber);
    void SetRangeBorderTop(int row1, int column1, int row2, int column2, int style, std::int32_t colour);
    void SetRangeBorderBottom(int row1, int column1, int row2, int column2, int style, std::int32_t colour);
    void SetRangeBorderRight(int row1, int column1, int row2, int column2, int style, std::int32_t colour);
    void SetColumnWidths(const std::vector<int>& columns, const std::vector<int>& widthCodes);
    void SetRowHeights(int firstRow, int lastRow, int heightCode);
    void SetColumnWidthRange(int firstColumn, int lastColumn, int widthCode);
    void ClearAreas(int areaFlags);
    void ClearAreasCompletely(int areaFlags);
    void CopyToClipboard() const;

    TQNSheet& Sheet() { return *sheet_; }
    const TQNSheet& Sheet() const { return *sheet_; }
    TQNSheet* TotalColumnsPane() const { return columnsPane_; }
    TQNSheet* TotalRowsPane() const { return rowsPane_; }
    TQNSheet* CornerPane() const { return cornerPane_; }
    QScrollBar* VerticalBar() const { return verticalBar_; }
    QScrollBar* HorizontalBar() const { return horizontalBar_; }
    QLabel* TitleLabel() const { return titleLabel_; }
    QLabel* NoteLabel() const { return noteLabel_; }
    int OriginRow() const { return originRow_; }
    int OriginCol() const { return originCol_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int RightEdge() const { return left_ + width_; }
    int BottomEdge() const { return top_ + height_; }

private:
    struct TRange {
        int row1, column1, row2, column2;
    };
    TRange Resolve(std::string_view operation, int row1, int column1, int row2, int column2) const;
    void Clear(int areaFlags, TSheetModel::TClearMode mode);
    void RemoveTrailingEmptyRows();
    void UpdateCaptionLabels();
    // Creates, sets up or frees a scroll bar over Count body rows or columns
    // from First, Visible of them shown; moving it calls ScrollTo.
    void UpdateBar(QPointer<QScrollBar>& bar, Qt::Orientation orientation, bool needed, int first, int count,
                   int visible, int current, const std::function<void(int)>& scrollTo);
    void UpdatePanes(bool rowsScroll, bool columnsScroll);
    void Position();
    // Scroll bars, panes and position for the current visible part.
    void LayOut();
    // A window table shows as many body rows and columns as fit its owner,
    // its texts fitted to its columns (heading columns narrowed first).
    void FitToOwner();
    // Columns wider than their texts need give up width before a body column
    // scrolls out of view, where G's shown part is wider than Width pixels:
    // the heading columns first, then the body and total columns when that
    // lets the whole body show.
    void GiveUpSpareWidth(const TTableGeometry& g, int width);
    // The last column G shows: of the visible body, or of the totals beside it.
    static int LastShownColumn(const TTableGeometry& g);
    // Measures texts as the sheet paints them at its present scale.
    TPainterTextMeasure ShownTextMeasure() const;
    // The scale the table starts from in its owner's present width, with its zoom.
    int OwnerScale() const;
    QSize ShownSize(const TTableGeometry& g) const;
    // The wheel over the sheet or a pane, and the keys the sheet takes, move
    // the scroll bars.
    void WatchScrolling();
    bool ScrollByWheel(QEvent* event);
    bool ScrollByKey(const QKeyEvent& key);
    // Creates a pane once, then fills it from a block of the main sheet.
    TQNSheet* BuildPane(QPointer<TQNSheet>& pane, const char* name, const TTableGeometry& geometry, int sourceRow1,
                        int sourceColumn1, int sourceRow2, int sourceColumn2, int targetRow);

    QWidget* owner_;
    bool visible_ = false;
    int left_ = 0, top_ = 0;
    QPointer<QScrollBar> verticalBar_, horizontalBar_;
    int zoom_;
    int tableType_;
    QPointer<TQNSheet> sheet_, columnsPane_, rowsPane_, cornerPane_;
    TCaptionBlock captionCopy_;
    QPointer<QLabel> titleLabel_, noteLabel_;
    TBodyLimits limits_;
    int originRow_ = 1, originCol_ = 1;
    int width_ = 0, height_ = 0;
    TTablePlacement placement_;
    QPointer<QObject> watcher_;
    int baseViewScale_ = 100;
    TTableTextFit textFit_;
};

}  // namespace cv
