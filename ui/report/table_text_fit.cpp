#include "ui/report/table_text_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cv {
namespace {

// The padding either side of a cell's text, and the pixel either side that
// the rounding of the edges may take.
constexpr int kTextRoomTwips = 90;
// What a row's lines take beside their own height.
constexpr int kRowPaddingTwips = 30;

int WidestWordTwips(const TTextMeasure& measure, const TCellFont& font, const std::string& text) {
    int widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \n", start), text.size());
        widest = std::max(widest, measure.TextWidthTwips(font, std::string_view(text).substr(start, end - start)));
        start = end + 1;
    }
    return widest;
}

// The columns a text in (Row, Column) is painted over: its run across, or the
// empty neighbours an unwrapped text runs on over (to the right when it is
// left-aligned, to the left when right-aligned).
std::pair<int, int> TextSpan(const TSheetModel& model, int row, int column) {
    const TCellFormat& format = model.Format(row, column);
    int first = column, last = model.AcrossRunEnd(row, column);
    if (format.wrap || model.CellValue(row, column).IsNumber()) return {first, last};
    if (format.horizontal == kAlignLeft || format.horizontal == kAlignGeneral)
        while (last < model.MaxCol() && model.IsEmpty(row, last + 1)) ++last;
    if (format.horizontal == kAlignRight)
        while (first > 1 && model.IsEmpty(row, first - 1)) --first;
    return {first, last};
}

// What a text needs of its span: the whole text, or its longest word when it wraps.
int NeededTwips(const TSheetModel& model, int row, int column, const TTextMeasure& measure) {
    const TCellFormat& format = model.Format(row, column);
    const std::string text = model.Text(row, column);
    return (format.wrap ? WidestWordTwips(measure, format.font, text) : measure.TextWidthTwips(format.font, text)) +
           kTextRoomTwips;
}

bool IsNote(const TSheetModel& model, int row, int column) {
    return model.Format(row, column).horizontal == kAlignLeftAcross;
}

// The height the lines of a text take wrapped in Room twips (one line per
// paragraph when it does not wrap).
int LinesHeightTwips(const TTextMeasure& measure, const TCellFormat& format, const std::string& text, int roomTwips) {
    int lines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines += format.wrap ? measure.WrappedLines(format.font, std::string_view(text).substr(start, end - start),
                                                    std::max(roomTwips, 1))
                             : 1;
        start = end + 1;
    }
    return lines * measure.LineHeightTwips(format.font) + kRowPaddingTwips;
}

}  // namespace

void TTableTextFit::Undo(TSheetModel& model) {
    for (const auto& [column, units] : ownWidths_) model.SetColumnWidths(column, column, units);
    for (const auto& [row, twips] : ownHeights_) model.SetRowHeights(row, row, twips);
    Forget();
}

void TTableTextFit::Forget() {
    ownWidths_.clear();
    ownHeights_.clear();
}

void TTableTextFit::SetWidth(TSheetModel& model, int column, int units) {
    ownWidths_.try_emplace(column, model.ColumnWidth(column));
    model.SetColumnWidths(column, column, units);
}

void TTableTextFit::SetHeight(TSheetModel& model, int row, int twips) {
    ownHeights_.try_emplace(row, model.RowHeight(row));
    model.SetRowHeights(row, row, twips);
}

int TTableTextFit::OwnHeight(const TSheetModel& model, int row) const {
    const auto own = ownHeights_.find(row);
    return own != ownHeights_.end() ? own->second : model.RowHeight(row);
}

void TTableTextFit::FitTexts(TSheetModel& model, const TTableGeometry& g, int lastShownColumn,
                             const TTextMeasure& measure) {
    const int lastTitleRow = g.originRow + g.titleRows - 1;
    for (int row = g.originRow; row <= model.MaxRow(); ++row)
        for (int column = 1; column <= model.MaxCol(); ++column) {
            if (model.IsEmpty(row, column) || model.CellValue(row, column).IsNumber() || IsNote(model, row, column))
                continue;
            auto [first, last] = TextSpan(model, row, column);
            // A run across the last column shown ends there on the page.
            if (column <= lastShownColumn) last = std::min(last, lastShownColumn);
            const int room = model.ColumnsWidthTwips(first, last);
            // A heading cut by its columns wraps; one that runs on over empty
            // neighbours keeps its line.
            const bool runsOn = first < column || last > model.AcrossRunEnd(row, column);
            if (row <= lastTitleRow && !runsOn && NeededTwips(model, row, column, measure) > room)
                model.FormatRange(row, column, row, column, [](TCellFormat& format) { format.wrap = true; });
            const TCellFormat& format = model.Format(row, column);
            if (!format.wrap) continue;
            if (const int shortfall = NeededTwips(model, row, column, measure) - room; shortfall > 0)
                SetWidth(model, last,
                         model.ColumnWidth(last) +
                             (shortfall * kColumnUnitsPerCharacter + kTwipsPerCharacter - 1) / kTwipsPerCharacter);
            const int height = LinesHeightTwips(measure, format, model.Text(row, column),
                                                model.ColumnsWidthTwips(first, last) - kTextRoomTwips);
            if (height > model.RowHeight(row)) SetHeight(model, row, height);
        }
}

int TTableTextFit::GiveUpWidth(TSheetModel& model, int firstRow, TColumnRun columns, int excessTwips,
                              const TTextMeasure& measure) {
    if (columns.last < columns.first || excessTwips <= 0) return 0;
    // Each text in the columns: the columns it spans and the twips it needs of them.
    struct TSpanNeed {
        int first, last, needed;
    };
    std::vector<TSpanNeed> texts;
    for (int row = firstRow; row <= model.MaxRow(); ++row)
        for (int column = columns.first; column <= columns.last; ++column)
            if (!model.IsEmpty(row, column) && !IsNote(model, row, column)) {
                const auto [spanFirst, spanLast] = TextSpan(model, row, column);
                // A wrapped text keeps the lines it has: no narrower than its whole line.
                const TCellFormat& format = model.Format(row, column);
                const int line = measure.TextWidthTwips(format.font, model.Text(row, column)) + kTextRoomTwips;
                const int needed = format.wrap ? std::min(line, model.ColumnsWidthTwips(spanFirst, spanLast)) : line;
                texts.push_back({spanFirst, spanLast, needed});
            }
    // The widest columns give first, each what the texts over it leave free.
    std::vector<int> order;
    for (int column = columns.first; column <= columns.last; ++column) order.push_back(column);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return model.ColumnWidth(a) > model.ColumnWidth(b); });
    int given = 0;
    for (const int column : order) {
        int free = model.ColumnWidthTwips(column) - kTextRoomTwips;
        for (const TSpanNeed& text : texts)
            if (text.first <= column && column <= text.last)
                free = std::min(free, model.ColumnsWidthTwips(text.first, text.last) - text.needed);
        // The last of the excess is rounded up to a whole width unit.
        const int units = std::min(free * kColumnUnitsPerCharacter / kTwipsPerCharacter,
                                   ((excessTwips - given) * kColumnUnitsPerCharacter + kTwipsPerCharacter - 1) /
                                       kTwipsPerCharacter);
        if (units <= 0) continue;
        const int before = model.ColumnWidthTwips(column);
        SetWidth(model, column, model.ColumnWidth(column) - units);
        given += before - model.ColumnWidthTwips(column);
        if (given >= excessTwips) break;
    }
    return given;
}

void TTableTextFit::GiveUpWholeWidth(TSheetModel& model, int firstRow, TColumnRun columns, int excessTwips,
                                     const TTextMeasure& measure) {
    std::vector<int> widths;
    for (int column = columns.first; column <= columns.last; ++column) widths.push_back(model.ColumnWidth(column));
    if (GiveUpWidth(model, firstRow, columns, excessTwips, measure) >= excessTwips) return;
    for (int column = columns.first; column <= columns.last; ++column)
        model.SetColumnWidths(column, column, widths[static_cast<std::size_t>(column - columns.first)]);
}

void TTableTextFit::WrapNotes(TSheetModel& model, const TTableGeometry& g, int lastColumn,
                              const TTextMeasure& measure) {
    for (int row = g.originRow; row <= model.MaxRow(); ++row)
        for (int column = 1; column <= lastColumn; ++column) {
            if (model.IsEmpty(row, column) || !IsNote(model, row, column)) continue;
            const std::string text = model.Text(row, column);
            const int room = model.ColumnsWidthTwips(column, lastColumn) - kTextRoomTwips;
            const bool wraps = measure.TextWidthTwips(model.Format(row, column).font, text) > room;
            model.FormatRange(row, column, row, column, [wraps](TCellFormat& note) { note.wrap = wraps; });
            const int height =
                std::max(OwnHeight(model, row), LinesHeightTwips(measure, model.Format(row, column), text, room));
            if (height != model.RowHeight(row)) SetHeight(model, row, height);
        }
}

}  // namespace cv
