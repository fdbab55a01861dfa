#pragma once
// What a window paints, read as the person reads it: the widget is rendered
// onto a paint device of the tests' own whose engine keeps every text drawn
// (with its place) and counts the pictures, instead of making pixels.

#include <QPointF>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace cv {
class TSheetView;
}

namespace cv::test {

struct PaintedText {
    QString text;
    QPointF position;  // the baseline's start, in the rendered widget's pixels
    int pixelSize = 0;  // the font's height in pixels
    bool clipped = false;  // part of the line lies above or below the clip it was drawn in
};

struct PaintedContent {
    std::vector<PaintedText> texts;
    int pictures = 0;  // pixmaps and images drawn

    QStringList Texts() const;
    bool Shows(const QString& text) const;
};

// Renders Widget (with its children) and returns what it painted.
PaintedContent Paint(QWidget& widget);

// The texts of the cells in View's visible part (their whole height and
// part of their width) that
// View did not paint: a cell's text counts as painted when a painted line
// is the text, or its start cut with an ellipsis, or when the lines of a
// wrapped text hold its words. Empty when every visible cell was painted.
QStringList UnpaintedCellTexts(TSheetView& view);

// The texts of the cells in View's visible part that View painted only cut:
// with an ellipsis (a wrapped text: some word of it), or in lines clipped at
// the top or bottom (a text wrapped into a row too short for its lines).
// Empty when every one painted shows whole.
QStringList CutCellTexts(TSheetView& view);

// How many cells with a text lie in View's visible part (their whole height, part of their width).
int VisibleTextCells(const TSheetView& view);

// The tables Window shows (its visible sheet views), each rendered: how many
// there are, how many visible cells with a text they hold, the texts of
// those they did not paint and of those they painted cut.
struct ShownTables {
    int tables = 0;
    int textCells = 0;
    QStringList unpainted;
    QStringList cut;
};
ShownTables PaintShownTables(QWidget& window);

}  // namespace cv::test
