#include "ui/sheet/sheet_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "core/base/errors.h"
#include "ui/sheet/cell_painter.h"

namespace cv {
namespace {

constexpr int kMinViewScale = 10;
constexpr int kMaxViewScale = 400;

}  // namespace

TSheetView::TSheetView(QWidget* parent) : QWidget(parent) {
    model_.AddSelectionListener([this] { update(); });
}

TSheetView::~TSheetView() = default;

void TSheetView::SetFixedRow(int row, int count) {
    CheckRange("SetFixedRow", row, 1, row + std::max(count, 0), 1);
    fixedRow_ = row;
    fixedRows_ = std::max(count, 0);
    update();
}

void TSheetView::SetFixedCol(int column, int count) {
    CheckRange("SetFixedCol", 1, column, 1, column + std::max(count, 0));
    fixedCol_ = column;
    fixedCols_ = std::max(count, 0);
    update();
}

void TSheetView::SetTopRow(int row) {
    CheckCell("SetTopRow", row, 1);
    topRow_ = row;
    update();
}

void TSheetView::SetLeftCol(int column) {
    CheckCell("SetLeftCol", 1, column);
    leftCol_ = column;
    update();
}

void TSheetView::SetViewScale(int percent) {
    if (percent < kMinViewScale || percent > kMaxViewScale)
        throw ERangeError("[SetViewScale] Bad scale : " + std::to_string(percent));
    viewScale_ = percent;
    update();
}

void TSheetView::SetBackColor(std::int32_t colour) {
    backColour_ = colour;
    update();
}

double TSheetView::PixelsPerTwip() const { return logicalDpiX() / kTwipsPerInch * viewScale_ / 100.0; }

QSize TSheetView::BlockSize(int row1, int column1, int row2, int column2) const {
    const double scale = PixelsPerTwip();
    return QSize(static_cast<int>(std::lround(model_.ColumnsWidthTwips(column1, column2) * scale)),
                 static_cast<int>(std::lround(model_.RowsHeightTwips(row1, row2) * scale)));
}

int TSheetView::FirstScrollingRow() const { return std::max(topRow_, fixedRow_ + fixedRows_); }
int TSheetView::FirstScrollingColumn() const { return std::max(leftCol_, fixedCol_ + fixedCols_); }

void TSheetView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), SheetColour(backColour_));
    TCellPainter cells(model_, PixelsPerTwip(), palette().color(QPalette::Window));
    cells.SetTextCache(&shapedTexts_);
    const double scale = PixelsPerTwip();
    const double fixedHeight = std::round(model_.RowsHeightTwips(fixedRow_, fixedRow_ + fixedRows_ - 1) * scale);
    const double fixedWidth = std::round(model_.ColumnsWidthTwips(fixedCol_, fixedCol_ + fixedCols_ - 1) * scale);

    // The last row and column that still show in the widget.
    const auto lastRow = [&](int first, double top) {
        int row = first;
        for (double y = top; row < model_.MaxRow() && y + model_.RowHeight(row) * scale < height(); ++row)
            y += model_.RowHeight(row) * scale;
        return std::min(row, model_.MaxRow());
    };
    const auto lastColumn = [&](int first, double left) {
        int column = first;
        for (double x = left; column < model_.MaxCol() && x + model_.ColumnWidthTwips(column) * scale < width();
             ++column)
            x += model_.ColumnWidthTwips(column) * scale;
        return std::min(column, model_.MaxCol());
    };
    const int bodyRow = FirstScrollingRow(), bodyColumn = FirstScrollingColumn();
    const int lastBodyRow = lastRow(bodyRow, fixedHeight), lastBodyColumn = lastColumn(bodyColumn, fixedWidth);
    const int lastFixedRow = std::min(fixedRow_ + fixedRows_ - 1, model_.MaxRow());
    const int lastFixedColumn = std::min(fixedCol_ + fixedCols_ - 1, model_.MaxCol());

    // The frozen columns and the scrolled ones side by side, so that a text
    // runs on from the one into the other as the eye reads it.
    const std::vector<TColumnRun> columns{{fixedCol_, lastFixedColumn}, {bodyColumn, lastBodyColumn}};
    cells.PaintBlock(painter, {0, 0}, fixedRow_, lastFixedRow, columns);
    cells.PaintBlock(painter, {0, fixedHeight}, bodyRow, lastBodyRow, columns);

    if (ShowSelections && AllowSelections) {
        const TSheetSelection& selection = model_.Selection();
        const int row = selection.activeRow, column = selection.activeColumn;
        if (row >= bodyRow && column >= bodyColumn) {
            const QRectF cell(fixedWidth + cells.ColumnOffset(bodyColumn, column),
                              fixedHeight + cells.RowOffset(bodyRow, row),
                              model_.ColumnWidthTwips(column) * scale, model_.RowHeight(row) * scale);
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(1, 1, -1, -1));
        }
    } else if (hasFocus()) {
        // Holding the focus without an active cell to show it by, the sheet
        // is framed in the highlight colour.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

QPoint TSheetView::CellAt(QPoint position) const {
    const double scale = PixelsPerTwip();
    const auto find = [&](double offset, int fixedFirst, int fixedCount, int scrolling, int last, auto size) {
        double edge = 0.0;
        for (int index = fixedFirst; index < fixedFirst + fixedCount && index <= last; ++index) {
            edge += size(index) * scale;
            if (offset < edge) return index;
        }
        for (int index = scrolling; index <= last; ++index) {
            edge += size(index) * scale;
            if (offset < edge) return index;
        }
        return 0;
    };
    const int row = find(position.y(), fixedRow_, fixedRows_, FirstScrollingRow(), model_.MaxRow(),
                         [&](int r) { return model_.RowHeight(r); });
    const int column = find(position.x(), fixedCol_, fixedCols_, FirstScrollingColumn(), model_.MaxCol(),
                            [&](int c) { return model_.ColumnWidthTwips(c); });
    return row && column ? QPoint(column, row) : QPoint(0, 0);
}

void TSheetView::mousePressEvent(QMouseEvent* event) {
    if (!AllowSelections) return QWidget::mousePressEvent(event);
    CommitEdit();
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() > 0) model_.SetActiveCell(cell.y(), cell.x());
}

}  // namespace cv
