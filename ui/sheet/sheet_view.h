#pragma once
// A widget that shows a sheet: the fixed rows FixedRow..FixedRow+FixedRows-1
// stay at the top and the fixed columns at the left while the rest starts at
// TopRow and LeftCol; ViewScale zooms in percent. It draws no scroll bars of
// its own: the report table places them. A click selects a cell when
// selections are allowed; the model tells listeners.

#include <QWidget>

#include "ui/sheet/sheet_model.h"

namespace cv {

class TSheetView : public QWidget {
public:
    explicit TSheetView(QWidget* parent = nullptr);

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

    // Pixels per twip at the current zoom and the widget's resolution.
    double PixelsPerTwip() const;
    // Size in pixels of a block of rows and columns at the current zoom.
    QSize BlockSize(int row1, int column1, int row2, int column2) const;
    // The cell under a point of the widget; (0, 0) when none.
    QPoint CellAt(QPoint position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The first rows and columns that scroll, never inside the fixed ones.
    int FirstScrollingRow() const;
    int FirstScrollingColumn() const;

    TSheetModel model_;
    int fixedRow_ = 1, fixedRows_ = 0, fixedCol_ = 1, fixedCols_ = 0;
    int topRow_ = 1, leftCol_ = 1;
    int viewScale_ = 100;
    std::int32_t backColour_ = 0xFFFFFF;
};

}  // namespace cv
