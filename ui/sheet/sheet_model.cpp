#include "ui/sheet/sheet_model.h"

#include <algorithm>
#include <cmath>

#include "core/base/errors.h"

namespace cv {
namespace {

// Room a measured text needs besides its glyphs: two pixels each side.
constexpr int kCellPaddingTwips = 60;

void CheckSize(std::string_view operation, std::string_view what, int value) {
    if (value < 0)
        throw ERangeError("[" + std::string(operation) + "] Bad " + std::string(what) + " : " + std::to_string(value));
}

}  // namespace

TSheetModel::TSheetModel() = default;

void TSheetModel::SetMaxRow(int row) {
    CheckCell("SetMaxRow", row, 1);
    maxRow_ = row;
}

void TSheetModel::SetMaxCol(int column) {
    CheckCell("SetMaxCol", 1, column);
    maxCol_ = column;
}

void TSheetModel::SetDefaultFont(const std::string& name, double size) {
    defaultFormat_.font.name = name;
    defaultFormat_.font.size = size;
    for (auto& row : rows_)
        for (TCell& cell : row) {
            cell.format.font.name = name;
            cell.format.font.size = size;
        }
}

const TSheetModel::TCell* TSheetModel::FindCell(int row, int column) const {
    if (row < 1 || column < 1 || static_cast<std::size_t>(row) > rows_.size()) return nullptr;
    const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (static_cast<std::size_t>(column) > cells.size()) return nullptr;
    return &cells[static_cast<std::size_t>(column - 1)];
}

TSheetModel::TCell& TSheetModel::CellAt(int row, int column) {
    if (rows_.size() < static_cast<std::size_t>(row)) rows_.resize(static_cast<std::size_t>(row));
    auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (cells.size() < static_cast<std::size_t>(column)) {
        TCell blank;
        blank.format = defaultFormat_;
        cells.resize(static_cast<std::size_t>(column), blank);
    }
    return cells[static_cast<std::size_t>(column - 1)];
}

void TSheetModel::SetContent(std::string_view operation, int row, int column, const std::function<void(TCell&)>& fill) {
    CheckCell(operation, row, column);
    TCell& cell = CellAt(row, column);
    cell.text.clear();
    cell.number = 0.0;
    cell.formula.reset();
    fill(cell);
    ++revision_;
}

void TSheetModel::SetText(int row, int column, const std::string& text) {
    SetContent("SetText", row, column, [&](TCell& cell) {
        cell.kind = text.empty() ? TCell::Kind::Empty : TCell::Kind::Text;
        cell.text = text;
    });
}

void TSheetModel::SetNumber(int row, int column, double value) {
    SetContent("SetNumber", row, column, [&](TCell& cell) {
        cell.kind = TCell::Kind::Number;
        cell.number = value;
    });
}

void TSheetModel::SetFormula(int row, int column, std::string_view formula) {
    SetContent("SetFormula", row, column, [&](TCell& cell) {
        cell.kind = TCell::Kind::Formula;
        cell.formula = TFormula::Parse(formula);
    });
}

TCellValue TSheetModel::CellValue(int row, int column) const {
    const TCell* cell = FindCell(row, column);
    if (!cell) return {};
    switch (cell->kind) {
        case TCell::Kind::Empty: return {};
        case TCell::Kind::Text: return TCellValue::Text(cell->text);
        case TCell::Kind::Number: return TCellValue::Number(cell->number);
        case TCell::Kind::Formula: break;
    }
    if (cell->cachedRevision == revision_) return cell->cached;
    if (cell->evaluating) return TCellValue::Error(TCellError::Ref);  // a formula that reads itself
    cell->evaluating = true;
    cell->cached = cell->formula->Evaluate(*this);
    cell->evaluating = false;
    cell->cachedRevision = revision_;
    return cell->cached;
}

double TSheetModel::Number(int row, int column) const {
    const TCellValue value = CellValue(row, column);
    return value.IsNumber() ? value.number : 0.0;
}

std::string TSheetModel::FormulaText(int row, int column) const {
    const TCell* cell = FindCell(row, column);
    return cell && cell->formula ? cell->formula->Text() : std::string();
}

TCellDisplay TSheetModel::Display(int row, int column) const {
    const TCellValue value = CellValue(row, column);
    switch (value.kind) {
        case TCellValue::Kind::Empty: return {};
        case TCellValue::Kind::Text: return {value.text, kNoFormatColour};
        case TCellValue::Kind::Error: return {CellErrorText(value.error), kNoFormatColour};
        case TCellValue::Kind::Number: break;
    }
    return FormatNumber(value.number, Format(row, column).numberFormat);
}

bool TSheetModel::IsEmpty(int row, int column) const {
    const TCell* cell = FindCell(row, column);
    return !cell || cell->kind == TCell::Kind::Empty;
}

const TCellFormat& TSheetModel::Format(int row, int column) const {
    const TCell* cell = FindCell(row, column);
    return cell ? cell->format : defaultFormat_;
}

void TSheetModel::FormatRange(int row1, int column1, int row2, int column2,
                              const std::function<void(TCellFormat&)>& change) {
    CheckRange("FormatRange", row1, column1, row2, column2);
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row)
        for (int column = std::min(column1, column2); column <= std::max(column1, column2); ++column)
            change(CellAt(row, column).format);
    ++revision_;  // a number format changes what a formula's cell shows, not its value; cheap to be safe
}

void TSheetModel::SetDefaultRowHeight(int twips) {
    CheckSize("SetDefaultRowHeight", "height", twips);
    defaultRowHeight_ = twips;
}

void TSheetModel::SetDefaultColumnWidth(int units) {
    CheckSize("SetDefaultColumnWidth", "width", units);
    defaultColumnWidth_ = units;
}

int TSheetModel::RowHeight(int row) const {
    CheckCell("RowHeight", row, 1);
    const std::size_t index = static_cast<std::size_t>(row - 1);
    return index < rowHeights_.size() && rowHeights_[index] >= 0 ? rowHeights_[index] : defaultRowHeight_;
}

int TSheetModel::ColumnWidth(int column) const {
    CheckCell("ColumnWidth", 1, column);
    const std::size_t index = static_cast<std::size_t>(column - 1);
    return index < columnWidths_.size() && columnWidths_[index] >= 0 ? columnWidths_[index] : defaultColumnWidth_;
}

int TSheetModel::ColumnWidthTwips(int column) const {
    return static_cast<int>(std::lround(static_cast<double>(ColumnWidth(column)) * kTwipsPerCharacter /
                                        kColumnUnitsPerCharacter));
}

void TSheetModel::SetRowHeights(int row1, int row2, int twips) {
    CheckRange("SetRowHeights", row1, 1, row2, 1);
    const int last = std::max(row1, row2);
    if (rowHeights_.size() < static_cast<std::size_t>(last)) rowHeights_.resize(static_cast<std::size_t>(last), -1);
    for (int row = std::min(row1, row2); row <= last; ++row)
        rowHeights_[static_cast<std::size_t>(row - 1)] = twips < 0 ? -1 : twips;
}

void TSheetModel::SetColumnWidths(int column1, int column2, int units) {
    CheckRange("SetColumnWidths", 1, column1, 1, column2);
    const int last = std::max(column1, column2);
    if (columnWidths_.size() < static_cast<std::size_t>(last))
        columnWidths_.resize(static_cast<std::size_t>(last), -1);
    for (int column = std::min(column1, column2); column <= last; ++column)
        columnWidths_[static_cast<std::size_t>(column - 1)] = units < 0 ? -1 : units;
}

int TTextMeasure::WrappedLines(const TCellFont& font, std::string_view paragraph, int roomTwips) const {
    const int room = std::max(1, roomTwips);
    return std::max(1, (TextWidthTwips(font, paragraph) + room - 1) / room);
}

int TSheetModel::AcrossRunEnd(int row, int column) const {
    const int horizontal = Format(row, column).horizontal;
    int end = column;
    if (IsAcross(horizontal))
        while (end < maxCol_ && IsEmpty(row, end + 1) && Format(row, end + 1).horizontal == horizontal) ++end;
    return end;
}

int TSheetModel::AcrossRunStart(int row, int column) const {
    const int horizontal = Format(row, column).horizontal;
    if (!IsAcross(horizontal) || !IsEmpty(row, column)) return column;
    for (int start = column - 1; start >= 1 && Format(row, start).horizontal == horizontal; --start)
        if (!IsEmpty(row, start)) return start;
    return column;
}

int TSheetModel::TextLines(int row, int column, const TTextMeasure& measure) const {
    const TCellFormat& format = Format(row, column);
    if (!format.wrap) return 1;
    const int room = std::max(1, ColumnsWidthTwips(column, AcrossRunEnd(row, column)) - kCellPaddingTwips);
    const std::string& text = Text(row, column);
    int lines = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines += measure.WrappedLines(format.font, std::string_view(text).substr(start, end - start), room);
        start = end + 1;
    }
    return std::max(lines, 1);
}

void TSheetModel::FitRowHeights(int row1, int row2, const TTextMeasure& measure) {
    CheckRange("FitRowHeights", row1, 1, row2, 1);
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row) {
        int height = 0;
        for (int column = 1; column <= maxCol_; ++column) {
            if (IsEmpty(row, column)) continue;
            const int lines = TextLines(row, column, measure);
            height = std::max(height, lines * measure.LineHeightTwips(Format(row, column).font) + kCellPaddingTwips / 2);
        }
        // A fitted row never gets lower than the default, so rows of small
        // text keep the table's even pitch.
        if (height > 0) SetRowHeights(row, row, std::max(height, defaultRowHeight_));
    }
}

void TSheetModel::GrowRowsToWrappedTexts(int row1, int row2, const TTextMeasure& measure) {
    CheckRange("GrowRowsToWrappedTexts", row1, 1, row2, 1);
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row) {
        int height = 0;
        for (int column = 1; column <= maxCol_; ++column) {
            if (IsEmpty(row, column) || !Format(row, column).wrap) continue;
            // A text on one line keeps the row's own height, however low the
            // document's rows are.
            const int lines = TextLines(row, column, measure);
            if (lines > 1)
                height = std::max(height, lines * measure.LineHeightTwips(Format(row, column).font) + kCellPaddingTwips / 2);
        }
        if (height > RowHeight(row)) SetRowHeights(row, row, height);
    }
}

void TSheetModel::FitColumnWidths(int column1, int column2, const TTextMeasure& measure) {
    CheckRange("FitColumnWidths", 1, column1, 1, column2);
    for (int column = std::min(column1, column2); column <= std::max(column1, column2); ++column) {
        int width = 0;
        for (int row = 1; row <= maxRow_; ++row) {
            const TCellFormat& format = Format(row, column);
            if (IsEmpty(row, column) || IsAcross(format.horizontal)) continue;
            width = std::max(width, measure.TextWidthTwips(format.font, Text(row, column)) + kCellPaddingTwips);
        }
        if (width > 0)
            SetColumnWidths(column, column,
                            (width * kColumnUnitsPerCharacter + kTwipsPerCharacter - 1) / kTwipsPerCharacter);
    }
}

int TSheetModel::RowsHeightTwips(int row1, int row2) const {
    int total = 0;
    for (int row = row1; row <= row2; ++row) total += RowHeight(row);
    return total;
}

int TSheetModel::ColumnsWidthTwips(int column1, int column2) const {
    int total = 0;
    for (int column = column1; column <= column2; ++column) total += ColumnWidthTwips(column);
    return total;
}

void TSheetModel::ClearRange(int row1, int column1, int row2, int column2, TClearMode mode) {
    CheckRange("ClearRange", row1, column1, row2, column2);
    const int top = std::min(row1, row2), bottom = std::max(row1, row2);
    const int left = std::min(column1, column2), right = std::max(column1, column2);
    for (int row = top; row <= std::min(bottom, static_cast<int>(rows_.size())); ++row) {
        auto& cells = rows_[static_cast<std::size_t>(row - 1)];
        for (int column = left; column <= std::min(right, static_cast<int>(cells.size())); ++column) {
            TCell blank;
            blank.format = defaultFormat_;
            cells[static_cast<std::size_t>(column - 1)] = blank;
        }
    }
    if (mode == TClearMode::Everything)
        std::erase_if(pictures_, [&](const TSheetPicture& picture) {
            return picture.row1 >= top && picture.row2 < bottom + 1 && picture.column1 >= left &&
                   picture.column2 < right + 1;
        });
    ++revision_;
}

void TSheetModel::DeleteRows(int row1, int row2) {
    CheckRange("DeleteRows", row1, 1, row2, 1);
    const int first = std::min(row1, row2), last = std::max(row1, row2);
    const auto eraseRows = [&](auto& list) {
        const std::size_t begin = std::min(list.size(), static_cast<std::size_t>(first - 1));
        const std::size_t end = std::min(list.size(), static_cast<std::size_t>(last));
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(begin), list.begin() + static_cast<std::ptrdiff_t>(end));
    };
    eraseRows(rows_);
    eraseRows(rowHeights_);
    for (auto& cells : rows_)
        for (TCell& cell : cells)
            if (cell.formula) cell.formula = cell.formula->AfterRowsDeleted(first, last);
    std::set<int> breaks;
    for (int row : pageBreaks_)
        if (row < first) breaks.insert(row);
        else if (row > last) breaks.insert(row - (last - first + 1));
    pageBreaks_ = std::move(breaks);
    ++revision_;
}

void TSheetModel::CopyRange(int row, int column, const TSheetModel& source, int row1, int column1, int row2,
                            int column2, TCopyContents contents) {
    CheckRange("CopyRange", row1, column1, row2, column2);
    const int rows = std::abs(row2 - row1), columns = std::abs(column2 - column1);
    CheckRange("CopyRange", row, column, row + rows, column + columns);
    const int top = std::min(row1, row2), left = std::min(column1, column2);
    for (int r = 0; r <= rows; ++r) {
        SetRowHeights(row + r, row + r, source.RowHeight(top + r));
        for (int c = 0; c <= columns; ++c) {
            TCell& target = CellAt(row + r, column + c);
            const TCellValue value = source.CellValue(top + r, left + c);
            target = TCell();
            target.format = source.Format(top + r, left + c);
            const TCell* sourceCell = source.FindCell(top + r, left + c);
            if (contents == TCopyContents::Formulas && sourceCell && sourceCell->kind == TCell::Kind::Formula) {
                target.kind = TCell::Kind::Formula;
                target.formula = sourceCell->formula->Moved(row - top, column - left);
            } else if (value.kind == TCellValue::Kind::Number) {
                target.kind = TCell::Kind::Number;
                target.number = value.number;
            } else if (value.kind != TCellValue::Kind::Empty) {
                target.kind = TCell::Kind::Text;
                target.text = value.IsError() ? CellErrorText(value.error) : value.text;
            }
        }
    }
    for (int c = 0; c <= columns; ++c) SetColumnWidths(column + c, column + c, source.ColumnWidth(left + c));
    ++revision_;
}

void TSheetModel::InsertPageBreak(int row) {
    CheckCell("InsertPageBreak", row, 1);
    pageBreaks_.insert(row);
}

void TSheetModel::RemovePageBreak(int row) {
    CheckCell("RemovePageBreak", row, 1);
    pageBreaks_.erase(row);
}

int TSheetModel::NextPageBreak(int row) const {
    const auto next = pageBreaks_.upper_bound(row);
    return next == pageBreaks_.end() ? 0 : *next;
}

int TSheetModel::PlacePicture(double row1, double column1, double row2, double column2,
                              std::vector<std::uint8_t> bytes) {
    CheckRange("PlacePicture", static_cast<int>(row1), static_cast<int>(column1), static_cast<int>(row2),
               static_cast<int>(column2));
    TSheetPicture picture{nextPictureId_++, std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
                          std::max(column1, column2), std::move(bytes)};
    pictures_.push_back(std::move(picture));
    return pictures_.back().id;
}

void TSheetModel::DeletePicture(int id) {
    std::erase_if(pictures_, [id](const TSheetPicture& picture) { return picture.id == id; });
}

bool TSheetModel::IsEditable(int row, int column) const {
    CheckCell("IsEditable", row, column);
    return !protectionEnabled_ || !Format(row, column).locked;
}

void TSheetModel::SetSelectionChecked(const TSheetSelection& selection) {
    if (selection == selection_) return;
    selection_ = selection;
    const auto listeners = selectionListeners_;  // a listener may remove itself
    for (const auto& [id, listener] : listeners) listener();
}

int TSheetModel::AddSelectionListener(std::function<void()> listener) {
    selectionListeners_.emplace_back(nextListenerId_, std::move(listener));
    return nextListenerId_++;
}

void TSheetModel::RemoveSelectionListener(int id) {
    std::erase_if(selectionListeners_, [id](const auto& entry) { return entry.first == id; });
}

void TSheetModel::SetSelection(int row1, int column1, int row2, int column2) {
    CheckRange("SetSelection", row1, column1, row2, column2);
    SetSelectionChecked({std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
                         std::max(column1, column2), std::min(row1, row2), std::min(column1, column2)});
}

void TSheetModel::SetActiveCell(int row, int column) {
    CheckCell("SetActiveCell", row, column);
    SetSelectionChecked({row, column, row, column, row, column});
}

}  // namespace cv
