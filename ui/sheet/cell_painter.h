#pragma once
// Paints blocks of a sheet's cells: fills, texts (a left-aligned text runs on
// over empty neighbours; a centre-across run is one cell), then borders. The
// same painter serves the screen and the printer: only the scale differs.

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QPointF>
#include <functional>
#include <map>
#include <vector>

#include "ui/sheet/shaped_text.h"
#include "ui/sheet/sheet_model.h"

class QPainter;

namespace cv {

// The screen's pixels per twip at 100 % zoom.
inline constexpr double kScreenDpi = 96.0;
inline constexpr double kTwipsPerInch = 1440.0;

// The colour of a class-library colour; kOwnerColour gives Owner.
QColor SheetColour(std::int32_t colour, const QColor& owner = Qt::white);
// Text, or a lighter (on a dark fill) or darker (on a light one) shade of it,
// whose contrast against Fill is at least 3.5 : 1.
QColor ReadableOn(const QColor& text, const QColor& fill);
// The font a cell paints with at a scale in pixels per twip.
QFont SheetFont(const TCellFont& font, double pixelsPerTwip);
// The text a cell of Width pixels shows: one wider than the cell is cut on the
// right with an ellipsis whatever its alignment (in a wrapped cell, each word
// wider than the cell), so that its start stays readable.
QString FittedCellText(const QString& text, const QFontMetricsF& metrics, double width, bool wrap);

// Measures with the fonts the painter uses, at screen resolution, or at the
// scale a sheet is shown at: the fonts' whole-pixel sizes make a text's width
// grow other than in step with the scale.
class TPainterTextMeasure final : public TTextMeasure {
public:
    explicit TPainterTextMeasure(double pixelsPerTwip = kScreenDpi / kTwipsPerInch) : pixelsPerTwip_(pixelsPerTwip) {}
    int TextWidthTwips(const TCellFont& font, std::string_view text) const override;
    int LineHeightTwips(const TCellFont& font) const override;
    // Broken at word boundaries as a painted cell breaks it.
    int WrappedLines(const TCellFont& font, std::string_view paragraph, int roomTwips) const override;

private:
    double pixelsPerTwip_;
};

// Columns First..Last, painted side by side with the runs around them.
struct TColumnRun {
    int first, last;
};

class TCellPainter {
public:
    // Draws a placed picture into its rectangle; the documents supply one.
    using TPictureDrawer = std::function<void(QPainter&, const TSheetPicture&, const QRectF&)>;

    TCellPainter(const TSheetModel& model, double pixelsPerTwip, const QColor& ownerColour = Qt::white);

    // Paints rows Row1..Row2 and columns Column1..Column2 with the top-left
    // corner of (Row1, Column1) at Origin; nothing is drawn outside the block.
    void PaintBlock(QPainter& painter, QPointF origin, int row1, int row2, int column1, int column2) const;
    // The same with the columns of Runs side by side, as a sheet shows its
    // frozen columns beside the scrolled ones: a text runs on from one run
    // into the next as over neighbours.
    void PaintBlock(QPainter& painter, QPointF origin, int row1, int row2, const std::vector<TColumnRun>& runs) const;
    void SetPictureDrawer(TPictureDrawer drawer) { pictureDrawer_ = std::move(drawer); }
    // Keeps the shaped cell texts in Cache between paints; without one each
    // paint shapes its texts afresh.
    void SetTextCache(TShapedTextCache* cache) { textCache_ = cache; }

    // How far from the left edge of Column1 the texts of rows Row1..Row2 and
    // columns Column1..Column2 reach when each left-aligned text runs on over
    // as many empty cells to its right as it needs; at least the columns' width.
    double TextsReach(int row1, int row2, int column1, int column2) const;
    // Widens, for this painter only, each column of rows Row1..Row2 and
    // columns Column1..Column2 that is narrower than a text it must hold whole
    // (a text that cannot run on over empty neighbours past Column2; of a
    // wrapped text, its widest word): a printed copy shows every cell's text
    // whole where the screen may cut it.
    void WidenColumnsToTexts(int row1, int row2, int column1, int column2);

    // Pixel offsets of row and column edges from the block's corner, rounded
    // from whole twips so that blocks painted apart line up.
    double RowOffset(int firstRow, int row) const;
    double ColumnOffset(int firstColumn, int column) const;
    // A column's width in twips: the sheet's, or the wider one this painter gave it.
    double ColumnTwips(int column) const;

private:
    struct TBlock;
    TBlock MakeBlock(QPointF origin, int row1, int row2, const std::vector<TColumnRun>& runs) const;
    void PaintFills(QPainter& painter, const TBlock& block) const;
    void PaintTexts(QPainter& painter, const TBlock& block) const;
    void PaintBorders(QPainter& painter, const TBlock& block) const;
    void PaintPictures(QPainter& painter, const TBlock& block) const;
    // The column whose text the cell at Position shows: its own, or, where
    // the block leaves out the first columns of a run a heading is centred
    // across (scrolled out of view), that heading's, over the rest of the run.
    int TextColumn(const TBlock& block, int row, int position) const;
    // The block's columns (by position) a cell's text may use: its own, plus
    // the empty neighbours a left-aligned text runs on over, or the rest of
    // its run across.
    int TextSpanEnd(const TBlock& block, int row, int position, const TCellFormat& format, bool isNumber) const;
    // Likewise to the left: the empty neighbours a right-aligned text runs back over.
    int TextSpanStart(const TBlock& block, int row, int position, const TCellFormat& format, bool isNumber) const;

    const TSheetModel& model_;
    double pixelsPerTwip_;
    QColor ownerColour_;
    TPictureDrawer pictureDrawer_;
    TShapedTextCache* textCache_ = nullptr;
    std::map<int, double> widenedTwips_;
};

}  // namespace cv
