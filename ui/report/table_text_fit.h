#pragma once
// Fits a window table to its texts where its columns would cut them: a
// heading too wide for its columns wraps, a column is widened to the longest
// word it must hold whole, a row is heightened to the lines its wrapped texts
// take, the columns give up the width their texts do not need before a body
// column scrolls out of view, and a note under the table wraps at the
// table's shown width. The sizes it changes are kept, so that the next layout
// (a page of another size) starts from the table's own. Sizes are in twips,
// texts measured with Measure: at the scale the sheet shows them.

#include <map>

#include "ui/sheet/cell_painter.h"
#include "ui/sheet/qn_sheet.h"

namespace cv {

class TTableTextFit {
public:
    // Puts back the column widths and row heights the last fit changed.
    void Undo(TSheetModel& model);
    // Forgets them: the sheet's own sizes were applied again.
    void Forget();

    // Wraps the headings their columns cut (a run across ends at
    // LastShownColumn, the last one the page shows), widens each column to
    // the longest word of its wrapped texts and heightens each row to the
    // lines of its wrapped texts.
    void FitTexts(TSheetModel& model, const TTableGeometry& g, int lastShownColumn, const TTextMeasure& measure);
    // Narrows Columns by up to Excess twips in all, the widest first, none
    // further than the texts over it from FirstRow down need; answers the
    // twips given up.
    int GiveUpWidth(TSheetModel& model, int firstRow, TColumnRun columns, int excessTwips,
                    const TTextMeasure& measure);
    // The same when Columns can give up the whole Excess; else leaves them
    // as they are.
    void GiveUpWholeWidth(TSheetModel& model, int firstRow, TColumnRun columns, int excessTwips,
                          const TTextMeasure& measure);
    // Wraps each note wider than the columns from its own to LastColumn (the
    // last one shown), heightening its row to the lines it takes.
    void WrapNotes(TSheetModel& model, const TTableGeometry& g, int lastColumn, const TTextMeasure& measure);

private:
    void SetWidth(TSheetModel& model, int column, int units);
    void SetHeight(TSheetModel& model, int row, int twips);
    int OwnHeight(const TSheetModel& model, int row) const;

    std::map<int, int> ownWidths_;   // column: its width (1/256 character) before the fit
    std::map<int, int> ownHeights_;  // row: its height (twips) before the fit
};

}  // namespace cv
