#include "ui/report/qn_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/base/errors.h"
#include "ui/cp1252.h"
#include "ui/report/scroll_keys.h"
#include "ui/sheet/cell_painter.h"
#include "ui/sheet/sheet_clipboard.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kSmallTitleScreenWidth = 800;  // at most this wide: title label 2 points smaller
constexpr int kScrollStepLimit = 32767;
constexpr int kMediumLine = 2;
// The smallest share of its own scale, in percent, a window table is drawn at
// to fit its page.
constexpr int kMinFittedScale = 75;

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

// A caption one line wide when it fits Width, else wrapped at Width.
void FitLabelToWidth(QLabel& label, int width) {
    label.setWordWrap(false);
    label.adjustSize();
    if (width <= 0 || label.width() <= width) return;
    label.setWordWrap(true);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label.resize(width, label.heightForWidth(width));
}

template <typename T>
void Free(QPointer<T>& part) {
    delete part.data();
    part.clear();
}

// Passes the events of the widgets it watches to a handler; true consumes one.
class TEventRelay : public QObject {
public:
    TEventRelay(QObject* parent, std::function<bool(QObject*, QEvent*)> handler)
        : QObject(parent), handler_(std::move(handler)) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> handler_;
};

QFont LabelFont(const TFontBlock& block, int sizeChange) {
    TCellFont font = CellFontOfBlock(block);
    font.size += sizeChange;
    return SheetFont(font, kScreenDpi / kTwipsPerInch);
}

}  // namespace

QFont TableTitleFont(const TTableStyle& style) {
    return LabelFont(style.caption.font, ScreenWidth() <= kSmallTitleScreenWidth ? -2 : 0);
}

QFont TableNoteFont(const TTableStyle& style) { return LabelFont(style.noteFont, 0); }

TQNTable::TQNTable(QWidget* owner, TTableType tableType, const std::string& sheetName,
                   const TTablePlacement& placement, int zoom)
    : owner_(owner), zoom_(zoom), tableType_(static_cast<int>(tableType)), placement_(placement) {
    sheet_ = new TQNSheet(owner, tableType_, sheetName, zoom);
    tableType_ = sheet_->TableType();
    sheet_->setObjectName(QString::fromStdString(sheetName));
    sheet_->move(0, 0);
    baseViewScale_ = sheet_->ViewScale();
    WatchScrolling();
}

TQNTable::~TQNTable() {
    Free(watcher_);
    Free(verticalBar_);
    Free(horizontalBar_);
    Free(titleLabel_);
    Free(noteLabel_);
    Free(sheet_);
    Free(columnsPane_);
    Free(rowsPane_);
    Free(cornerPane_);
}

void TQNTable::DefineTable(const TTableShape& shape, const std::array<int, kAreaCount>& areaCodes) {
    ClearAreas(kClearEverything);
    limits_ = {shape.minBodyRows, shape.minBodyCols, shape.maxVisibleRows, shape.maxVisibleCols};
    sheet_->DefineAreas(shape.titleRows, shape.bodyRows, shape.totalRows, shape.headingCols, shape.bodyCols,
                        shape.totalCols, limits_, areaCodes);
}

void TQNTable::FormatArea(const std::vector<std::string>& titleLines, const std::vector<std::string>& noteLines,
                          int rowsBefore, int rowsBetween, int rowsAfter, int alignment) {
    const bool firstTitle = !titleLines.empty() && !titleLines.front().empty();
    const bool firstNote = !noteLines.empty() && !noteLines.front().empty();
    if (firstTitle || firstNote)
        sheet_->SetCaptions(titleLines, noteLines, rowsBefore, rowsBetween, rowsAfter, alignment);
    originRow_ = sheet_->Geometry().originRow;
    originCol_ = sheet_->Geometry().originCol;
}

TQNTable::TRange TQNTable::Resolve(std::string_view operation, int row1, int column1, int row2, int column2) const {
    const TSheetModel& model = sheet_->Model();
    TRange range{row1 == -1 ? 1 : row1, column1 == -1 ? 1 : column1, row2 == -1 ? model.MaxRow() : row2,
                 column2 == -1 ? model.MaxCol() : column2};
    CheckRange(operation, range.row1, range.column1, range.row2, range.column2);
    return range;
}

void TQNTable::SetCellText(int row, int column, const std::string& text) { sheet_->Model().SetText(row, column, text); }

void TQNTable::SetCellNumber(int row, int column, double value) { sheet_->Model().SetNumber(row, column, value); }

void TQNTable::SetCellFormula(int row, int column, const std::string& formula) {
    sheet_->Model().SetFormula(row, column, formula);
}

double TQNTable::CellNumber(int row, int column) const {
    CheckCell("CellNumber", row, column);
    return sheet_->Model().Number(row, column);
}

std::string TQNTable::CellText(int row, int column) const {
    CheckCell("CellText", row, column);
    return sheet_->Model().Text(row, column);
}

std::string TQNTable::RangeRef(int baseRow, int baseColumn, int row1, int column1, int row2, int column2) {
    CheckRange("RangeRef", baseRow + row1, baseColumn + column1, baseRow + row2, baseColumn + column2);
    return RangeRefText(baseRow + row1, baseColumn + column1, baseRow + row2, baseColumn + column2);
}

void TQNTable::SetTextAcross(int row, int firstColumn, int lastColumn, const std::string& text) {
    SetCellText(row, firstColumn, text);
    SetRangeAlign(row, firstColumn, row, lastColumn, kAlignCentreAcross, kAlignMiddle, false);
}

void TQNTable::SetRangeAlign(int row1, int column1, int row2, int column2, int horizontal, int vertical, bool wrap) {
    const TRange r = Resolve("SetRangeAlign", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row2, r.column2, [&](TCellFormat& format) {
        format.horizontal = horizontal;
        format.vertical = vertical;
        format.wrap = wrap;
    });
}

void TQNTable::SetRangeFormat(int row1, int column1, int row2, int column2, TNumberFormat format) {
    SetRangeFormat(row1, column1, row2, column2, TableNumberFormat(format));
}

void TQNTable::SetRangeFormat(int row1, int column1, int row2, int column2, const std::string& numberFormat) {
    const TRange r = Resolve("SetRangeFormat", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row2, r.column2,
                                [&](TCellFormat& format) { format.numberFormat = numberFormat; });
}

void TQNTable::SetRangeFont(int row1, int column1, int row2, int column2, int size, int bold, int italic,
                            int underline, std::int32_t colour) {
    const TRange r = Resolve("SetRangeFont", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row2, r.column2, [&](TCellFormat& format) {
        if (size != -1) format.font.size = size;
        if (bold != -1) format.font.bold = bold != 0;
        if (italic != -1) format.font.italic = italic != 0;
        if (underline != -1) format.font.underline = underline != 0;
        if (colour != -1) format.font.colour = colour;
    });
}

void TQNTable::SetRangeFontColor(int row1, int column1, int row2, int column2, std::int32_t colour) {
    const TRange r = Resolve("SetRangeFontColor", row1, column1, row2, column2);
    TCellFont font = sheet_->Model().Format(r.row1, r.column1).font;
    font.colour = PlainColour(colour);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row2, r.column2, [&](TCellFormat& format) { format.font = font; });
}

void TQNTable::SetRangeStdFont(int row, int column, int rowCount, int columnCount, int fontNumber) {
    const TAreaBlock& block = TableFont(fontNumber);
    const TRange r = Resolve("SetRangeStdFont", row, column, row + rowCount - 1, column + columnCount - 1);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row2, r.column2, [&](TCellFormat& format) {
        format.font.name = block.font.name;
        format.font.size = block.font.size;
        format.font.bold = block.font.style & 1;
        format.font.italic = block.font.style & 2;
        format.font.colour = block.font.colour;
        format.fill = block.fillFlags ? TCellFill{block.pattern, block.foreground, block.background} : TCellFill{};
        // A note in a table font runs across the block, from the frozen
        // columns into the scrolled ones: the lines between the table's
        // columns stop above it rather than cross its words.
        format.horizontal = kAlignLeftAcross;
        format.left = {};
        format.right = {};
    });
    SetRangeBorderTop(r.row1, r.column1, r.row1, r.column2, 1, 0);
}

void TQNTable::SetRangeBorderTop(int row1, int column1, int row2, int column2, int style, std::int32_t colour) {
    const TRange r = Resolve("SetRangeBorderTop", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row1, r.column1, r.row1, r.column2,
                                [&](TCellFormat& format) { format.top = {style, colour}; });
}

void TQNTable::SetRangeBorderBottom(int row1, int column1, int row2, int column2, int style, std::int32_t colour) {
    const TRange r = Resolve("SetRangeBorderBottom", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row2, r.column1, r.row2, r.column2,
                                [&](TCellFormat& format) { format.bottom = {style, colour}; });
}

void TQNTable::SetRangeBorderRight(int row1, int column1, int row2, int column2, int style, std::int32_t colour) {
    const TRange r = Resolve("SetRangeBorderRight", row1, column1, row2, column2);
    sheet_->Model().FormatRange(r.row1, r.column2, r.row2, r.column2,
                                [&](TCellFormat& format) { format.right = {style, colour}; });
}

void TQNTable::SetColumnWidths(const std::vector<int>& columns, const std::vector<int>& widthCodes) {
    if (columns.size() != widthCodes.size())
        throw ERangeError("[SetColumnWidths] Bad length : " + std::to_string(widthCodes.size()) + " widths for " +
                          std::to_string(columns.size()) + " columns");
    for (std::size_t i = 0; i < columns.size(); ++i) sheet_->SetColumnWidthCode(columns[i], columns[i], widthCodes[i]);
}

void TQNTable::SetRowHeights(int firstRow, int lastRow, int heightCode) {
    sheet_->SetRowHeightCode(firstRow, lastRow, heightCode);
}

void TQNTable::SetColumnWidthRange(int firstColumn, int lastColumn, int widthCode) {
    sheet_->SetColumnWidthCode(firstColumn, lastColumn, widthCode);
}

void TQNTable::ClearAreas(int areaFlags) { Clear(areaFlags, TSheetModel::TClearMode::ContentsAndFormats); }

void TQNTable::ClearAreasCompletely(int areaFlags) { Clear(areaFlags, TSheetModel::TClearMode::Everything); }

void TQNTable::Clear(int areaFlags, TSheetModel::TClearMode mode) {
    TSheetModel& model = sheet_->Model();
    if (areaFlags & kClearEverything) {
        model.ClearRange(1, 1, model.MaxRow(), model.MaxCol(), mode);
        return;
    }
    const TTableGeometry& g = sheet_->Geometry();
    const auto clear = [&](int row, int rows, int column, int columns) {
        if (rows > 0 && columns > 0) model.ClearRange(row, column, row + rows - 1, column + columns - 1, mode);
    };
    for (int band = 0; band < 3; ++band) {
        for (int columns = 0; columns < 3; ++columns)
            if (areaFlags & (1 << (band * 3 + columns)))
                clear(g.RowStart(band), g.RowCount(band), g.ColumnStart(columns), g.ColumnCount(columns));
        if (areaFlags & (512 << band)) clear(g.RowStart(band), g.RowCount(band), 1, model.MaxCol());
        if (areaFlags & (4096 << band)) clear(1, model.MaxRow(), g.ColumnStart(band), g.ColumnCount(band));
    }
}

void TQNTable::CopyToClipboard() const {
    const TSheetModel& model = sheet_->Model();
    CopySheetToClipboard(model, 1, 1, model.MaxRow(), model.MaxCol());
}

void TQNTable::RemoveTrailingEmptyRows() {
    TSheetModel& model = sheet_->Model();
    TTableGeometry g = sheet_->Geometry();
    const int firstBodyRow = g.originRow + g.titleRows;
    const int lastBodyRow = firstBodyRow + g.bodyRows - 1;
    int count = 0;
    for (int row = lastBodyRow; row >= firstBodyRow + limits_.minBodyRows; --row) {
        bool empty = true;
        for (int column = 1; column <= model.MaxCol() && empty; ++column) empty = model.Text(row, column).empty();
        if (!empty) break;
        ++count;
    }
    if (count == 0) return;
    model.DeleteRows(lastBodyRow - count + 1, lastBodyRow);
    g.bodyRows -= count;
    g.visibleBodyRows = std::min(g.bodyRows, limits_.maxVisibleRows);
    sheet_->SetGeometry(g);
    model.SetMaxRow(std::max(model.MaxRow() - count, 1));
}

void TQNTable::UpdateCaptionLabels() {
    if (!(sheet_->Captions() == captionCopy_)) captionCopy_ = sheet_->Captions();
    if (captionCopy_.titleLines.empty() && captionCopy_.noteLines.empty()) {
        Free(titleLabel_);
        Free(noteLabel_);
        return;
    }
    const TTableStyle& style = TableStyle(tableType_);
    const auto makeLabel = [&](QPointer<QLabel>& label, const std::vector<std::string>& lines, const QFont& font,
                               std::int32_t colour, const char* name) {
        if (!label) {
            label = new QLabel(owner_);
            label->setObjectName(name);
            label->setTextFormat(Qt::PlainText);
            label->setAttribute(Qt::WA_TranslucentBackground);
            label->setVisible(visible_);
        }
        label->setText(Cp1252ToQString(JoinLines(lines)));
        label->setFont(font);
        if (colour >= 0) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, SheetColour(colour));
            label->setPalette(palette);
        }
        FitLabelToWidth(*label, owner_ && tableType_ != static_cast<int>(TTableType::Document)
                                    ? owner_->contentsRect().width()
                                    : 0);
    };
    makeLabel(titleLabel_, captionCopy_.titleLines, TableTitleFont(style), style.caption.font.colour, "TitleLabel");
    makeLabel(noteLabel_, captionCopy_.noteLines, TableNoteFont(style), style.noteFont.colour, "NoteLabel");
    if (captionCopy_.titleLines.empty()) titleLabel_->resize(0, 0);
    if (captionCopy_.noteLines.empty()) noteLabel_->resize(0, 0);
}

TQNSheet* TQNTable::BuildPane(QPointer<TQNSheet>& pane, const char* name, const TTableGeometry& geometry,
                              int sourceRow1, int sourceColumn1, int sourceRow2, int sourceColumn2, int targetRow) {
    if (!pane) {
        pane = new TQNSheet(owner_, static_cast<int>(TTableType::BandedRows), "", zoom_);
        pane->setObjectName(name);
        pane->setVisible(visible_);
        if (watcher_) pane->installEventFilter(watcher_);
    }
    pane->SetViewScale(sheet_->ViewScale());
    TSheetModel& model = pane->Model();
    model.ClearRange(1, 1, model.MaxRow(), model.MaxCol(), TSheetModel::TClearMode::Everything);
    model.SetMaxRow(std::max(targetRow + sourceRow2 - sourceRow1, 1));
    model.SetMaxCol(std::max(sourceColumn2 - sourceColumn1 + 1, 1));
    model.CopyRange(targetRow, 1, sheet_->Model(), sourceRow1, sourceColumn1, sourceRow2, sourceColumn2);
    pane->SetGeometry(geometry);
    pane->SetTopRow(1);
    pane->SetLeftCol(1);
    pane->SizeToVisible();
    return pane;
}

void TQNTable::UpdatePanes(bool rowsScroll, bool columnsScroll) {
    const TTableGeometry& g = sheet_->Geometry();
    const int firstTotalRow = g.originRow + g.titleRows + g.bodyRows;
    const int firstTotalColumn = g.originCol + g.headingCols + g.bodyCols;
    const int lastColumn = sheet_->Model().MaxCol() - (columnsScroll ? g.totalCols : 0);
    if (rowsScroll && g.totalRows > 0) {
        TTableGeometry rows = g;
        rows.originRow = 1;
        rows.titleRows = 0;
        rows.bodyRows = rows.visibleBodyRows = g.totalRows;
        rows.totalRows = 0;
        if (columnsScroll) rows.totalCols = 0;
        TQNSheet* pane = BuildPane(rowsPane_, "TotalRowsPane", rows, firstTotalRow, 1, firstTotalRow + g.totalRows - 1,
                                   lastColumn, 1);
        pane->SetFixedCol(sheet_->FixedCol(), sheet_->FixedCols());
        pane->SetLeftCol(sheet_->LeftCol());
    } else {
        Free(rowsPane_);
    }
    if (columnsScroll && g.totalCols > 0) {
        TTableGeometry columns = g;
        columns.originCol = 1;
        columns.headingCols = 0;
        columns.bodyCols = columns.visibleBodyCols = g.totalCols;
        columns.totalCols = 0;
        if (rowsScroll) columns.totalRows = 0;
        const int lastRow = firstTotalRow - 1 + (rowsScroll ? 0 : g.totalRows);
        TQNSheet* pane = BuildPane(columnsPane_, "TotalColumnsPane", columns, g.originRow, firstTotalColumn, lastRow,
                                   firstTotalColumn + g.totalCols - 1, g.originRow);
        pane->SetFixedRow(sheet_->FixedRow(), sheet_->FixedRows());
        pane->SetTopRow(sheet_->TopRow());
    } else {
        Free(columnsPane_);
    }
    if (rowsPane_ && columnsPane_) {
        TTableGeometry corner{1, 1, 0, g.totalRows, g.totalRows, 0, 0, g.totalCols, g.totalCols, 0};
        BuildPane(cornerPane_, "CornerPane", corner, firstTotalRow, firstTotalColumn, firstTotalRow + g.totalRows - 1,
                  firstTotalColumn + g.totalCols - 1, 1);
    } else {
        Free(cornerPane_);
    }
}

void TQNTable::UpdateBar(QPointer<QScrollBar>& bar, Qt::Orientation orientation, bool needed, int first, int count,
                         int visible, int current, const std::function<void(int)>& scrollTo) {
    if (!needed) {
        Free(bar);
        return;
    }
    if (!bar) {
        bar = new QScrollBar(orientation, owner_);
        bar->setObjectName(orientation == Qt::Vertical ? "VerticalBar" : "HorizontalBar");
        bar->setVisible(visible_);
        QObject::connect(bar, &QScrollBar::valueChanged, bar, scrollTo);
    }
    bar->setRange(first, first + count - visible);
    bar->setSingleStep(1);
    bar->setPageStep(std::clamp(visible - 1, 1, kScrollStepLimit));
    if (orientation == Qt::Vertical) bar->setFixedWidth(kScrollBarThickness);
    else bar->setFixedHeight(kScrollBarThickness);
    bar->setValue(std::clamp(current, bar->minimum(), bar->maximum()));
    scrollTo(bar->value());
}

void TQNTable::Refresh() {
    sheet_->ReapplyAreas();
    textFit_.Forget();
    RemoveTrailingEmptyRows();
    UpdateCaptionLabels();
    LayOut();
    if (tableType_ == static_cast<int>(TTableType::Document) && sheet_->Geometry().totalRows == 0) {
        const TSheetModel& model = sheet_->Model();
        SetRangeBorderBottom(model.MaxRow(), 1, model.MaxRow(), model.MaxCol(), kMediumLine, 0);
    }
}

void TQNTable::FollowOwnerSize() {
    if (!visible_ || tableType_ == static_cast<int>(TTableType::Document)) return;
    baseViewScale_ = OwnerScale();
    UpdateCaptionLabels();
    LayOut();
}

int TQNTable::OwnerScale() const {
    return OwnerViewScale(owner_ ? owner_->width() : 0, zoom_).value_or(kOwnViewScale);
}

void TQNTable::LayOut() {
    FitToOwner();
    sheet_->SizeToVisible();
    const TTableGeometry& g = sheet_->Geometry();
    const bool rowsScroll = g.visibleBodyRows < g.bodyRows;
    const bool columnsScroll = g.visibleBodyCols < g.bodyCols;
    UpdateBar(verticalBar_, Qt::Vertical, rowsScroll, g.originRow + g.titleRows, g.bodyRows, g.visibleBodyRows,
              sheet_->TopRow(), [this](int row) {
                  sheet_->SetTopRow(row);
                  if (columnsPane_) columnsPane_->SetTopRow(row);
              });
    UpdateBar(horizontalBar_, Qt::Horizontal, columnsScroll, g.originCol + g.headingCols, g.bodyCols,
              g.visibleBodyCols, sheet_->LeftCol(), [this](int column) {
                  sheet_->SetLeftCol(column);
                  if (rowsPane_) rowsPane_->SetLeftCol(column);
              });
    UpdatePanes(rowsScroll, columnsScroll);
    Position();
}

// The size the table takes with G's visible part: the main sheet, the total
// panes when their side scrolls, the scroll bars and the caption labels.
QSize TQNTable::ShownSize(const TTableGeometry& g) const {
    const bool rowsScroll = g.visibleBodyRows < g.bodyRows;
    const bool columnsScroll = g.visibleBodyCols < g.bodyCols;
    const int firstBodyRow = g.originRow + g.titleRows;
    const int firstBodyColumn = g.originCol + g.headingCols;
    const int lastRow = firstBodyRow + g.visibleBodyRows - 1 + (rowsScroll ? 0 : g.totalRows);
    const int lastColumn = firstBodyColumn + g.visibleBodyCols - 1 + (columnsScroll ? 0 : g.totalCols);
    QSize size = sheet_->BlockSize(g.originRow, g.originCol, lastRow, lastColumn);
    if (columnsScroll && g.totalCols > 0)
        size.rwidth() += sheet_->BlockSize(1, firstBodyColumn + g.bodyCols, 1, firstBodyColumn + g.bodyCols +
                                                                                   g.totalCols - 1).width() + kPaneGap;
    if (rowsScroll && g.totalRows > 0)
        size.rheight() += sheet_->BlockSize(firstBodyRow + g.bodyRows, 1, firstBodyRow + g.bodyRows + g.totalRows - 1,
                                            1).height() + kPaneGap;
    if (rowsScroll) size.rwidth() += kScrollBarThickness;
    if (columnsScroll) size.rheight() += kScrollBarThickness;
    size.rheight() += (titleLabel_ ? titleLabel_->height() : 0) + (noteLabel_ ? noteLabel_->height() : 0);
    return size;
}

int TQNTable::LastShownColumn(const TTableGeometry& g) {
    const bool columnsScroll = g.visibleBodyCols < g.bodyCols;
    return g.originCol + g.headingCols + g.visibleBodyCols - 1 + (columnsScroll ? 0 : g.totalCols);
}

TPainterTextMeasure TQNTable::ShownTextMeasure() const { return TPainterTextMeasure(sheet_->PixelsPerTwip()); }

void TQNTable::FitToOwner() {
    if (tableType_ == static_cast<int>(TTableType::Document) || !owner_) return;
    TSheetModel& model = sheet_->Model();
    TTableGeometry g = sheet_->Geometry();
    g.visibleBodyRows = std::min(g.bodyRows, limits_.maxVisibleRows);
    g.visibleBodyCols = std::min(g.bodyCols, limits_.maxVisibleCols);
    int scale = baseViewScale_;
    sheet_->SetViewScale(scale);
    textFit_.Undo(model);
    textFit_.FitTexts(model, g, LastShownColumn(g), ShownTextMeasure());
    const QRect client = owner_->contentsRect();
    if (!client.isEmpty()) {
        const int width = client.width() - std::abs(placement_.xOffset);
        const int height = client.height() - std::abs(placement_.yOffset);
        GiveUpSpareWidth(g, width);
        // A table meant to show whole is first drawn as much smaller as it needs.
        if (placement_.flags & kPlaceWhole) {
            const QSize full = ShownSize(g);
            if (full.width() > width || full.height() > height) {
                const double room = std::min(static_cast<double>(width) / full.width(),
                                             static_cast<double>(height) / full.height());
                scale = std::max(kMinFittedScale * baseViewScale_ / 100, static_cast<int>(scale * room));
                sheet_->SetViewScale(scale);
            }
        }
        // Columns first, then rows; a vertical bar that rows then need takes
        // width, so the columns are fitted once more.
        for (int pass = 0; pass < 2; ++pass) {
            if (pass > 0) GiveUpSpareWidth(g, width);
            while (g.visibleBodyCols > 1 && ShownSize(g).width() > width) --g.visibleBodyCols;
            textFit_.FitTexts(model, g, LastShownColumn(g), ShownTextMeasure());
            textFit_.WrapNotes(model, g, LastShownColumn(g), ShownTextMeasure());
            while (g.visibleBodyRows > 1 && ShownSize(g).height() > height) --g.visibleBodyRows;
        }
        // Frozen headings alone wider than the page: the table is drawn
        // smaller, down to a floor that keeps its texts readable.
        if (const int shown = ShownSize(g).width(); shown > width) {
            scale = std::max(kMinFittedScale * baseViewScale_ / 100, scale * width / shown);
            sheet_->SetViewScale(scale);
        }
    }
    if (g == sheet_->Geometry()) return;
    sheet_->SetGeometry(g);
    // A part that shows whole again starts at its first row or column.
    if (g.visibleBodyRows >= g.bodyRows) sheet_->SetTopRow(g.originRow + g.titleRows);
    if (g.visibleBodyCols >= g.bodyCols) sheet_->SetLeftCol(g.originCol + g.headingCols);
}

void TQNTable::GiveUpSpareWidth(const TTableGeometry& g, int width) {
    const int excess = ShownSize(g).width() - width;
    if (excess <= 0) return;
    TSheetModel& model = sheet_->Model();
    const TPainterTextMeasure measure = ShownTextMeasure();
    const int excessTwips = static_cast<int>(std::ceil(excess / sheet_->PixelsPerTwip()));
    const int firstBody = g.originCol + g.headingCols;
    const int given = textFit_.GiveUpWidth(model, g.originRow, {g.originCol, firstBody - 1}, excessTwips, measure);
    if (given < excessTwips && g.visibleBodyCols == g.bodyCols)
        textFit_.GiveUpWholeWidth(model, g.originRow, {firstBody, firstBody + g.bodyCols + g.totalCols - 1},
                                  excessTwips - given, measure);
}

void TQNTable::WatchScrolling() {
    watcher_ = new TEventRelay(sheet_, [this](QObject*, QEvent* event) {
        return (event->type() == QEvent::Wheel && ScrollByWheel(event)) ||
               (event->type() == QEvent::KeyPress && ScrollByKey(*static_cast<QKeyEvent*>(event)));
    });
    sheet_->installEventFilter(watcher_);
}

void TQNTable::ScrollByKeys() { sheet_->setFocusPolicy(Qt::StrongFocus); }

bool TQNTable::ScrollByKey(const QKeyEvent& key) {
    const std::optional<TScrollKey> scroll = ScrollKey(key.key());
    QScrollBar* bar = !scroll ? nullptr : scroll->orientation == Qt::Vertical ? verticalBar_.data()
                                                                              : horizontalBar_.data();
    if (!bar) return false;
    bar->triggerAction(scroll->action);
    return true;
}

// The wheel scrolls the rows when they scroll, else the columns; a sideways
// wheel, or Shift with it, scrolls the columns.
bool TQNTable::ScrollByWheel(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint delta = wheel->angleDelta();
    const bool sideways = delta.x() != 0 || (wheel->modifiers() & Qt::ShiftModifier);
    QScrollBar* bar = sideways || !verticalBar_ ? horizontalBar_.data() : verticalBar_.data();
    if (!bar) return false;
    const int notches = (sideways && delta.x() != 0 ? delta.x() : delta.y()) / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0) return true;
    bar->setValue(bar->value() - notches * bar->singleStep() * QApplication::wheelScrollLines());
    return true;
}

void TQNTable::Position() {
    const int labelsHeight = (titleLabel_ ? titleLabel_->height() : 0) + (noteLabel_ ? noteLabel_->height() : 0);
    const int columnsPaneWidth = columnsPane_ ? columnsPane_->width() + kPaneGap : 0;
    const int rowsPaneHeight = rowsPane_ ? rowsPane_->height() + kPaneGap : 0;
    width_ = sheet_->width() + columnsPaneWidth + (verticalBar_ ? kScrollBarThickness : 0);
    height_ = labelsHeight + sheet_->height() + rowsPaneHeight + (horizontalBar_ ? kScrollBarThickness : 0);

    const QRect client = owner_ ? owner_->contentsRect() : QRect();
    // Centred or far-aligned by its flag; otherwise at the offset from the near edge.
    const auto place = [](int flags, int centre, int far, int free, int offset) {
        if (flags & centre) return static_cast<int>(std::lround(free / 2.0)) + offset;
        if (flags & far) return free + offset;
        return offset;
    };
    left_ = place(placement_.flags, kPlaceCentreX, kPlaceRight, client.width() - width_, placement_.xOffset);
    top_ = place(placement_.flags, kPlaceCentreY, kPlaceBottom, client.height() - height_, placement_.yOffset);
    // A window table larger than its page starts at the page's corner.
    const bool windowTable = tableType_ != static_cast<int>(TTableType::Document) && owner_;
    if (windowTable) {
        left_ = std::max(left_, 0);
        top_ = std::max(top_, 0);
    }

    int y = top_;
    for (QLabel* label : {titleLabel_.data(), noteLabel_.data()}) {
        if (!label) continue;
        // Centred over a narrower table, and kept inside the page.
        const int excess = std::max(label->width() - width_, 0);
        const int x = left_ - excess / 2;
        label->move(windowTable ? std::clamp(x, 0, std::max(client.width() - label->width(), 0)) : x, y);
        y += label->height();
    }
    sheet_->move(left_, y);
    const QRect main = sheet_->geometry();
    if (columnsPane_) columnsPane_->move(main.x() + main.width() + kPaneGap, main.y());
    if (rowsPane_) rowsPane_->move(main.x(), main.y() + main.height() + kPaneGap);
    if (cornerPane_) cornerPane_->move(columnsPane_->x(), rowsPane_->y());
    if (verticalBar_)
        verticalBar_->setGeometry(main.x() + main.width() + columnsPaneWidth, main.y(), kScrollBarThickness,
                                  main.height());
    if (horizontalBar_)
        horizontalBar_->setGeometry(main.x(), main.y() + main.height() + rowsPaneHeight, main.width(),
                                    kScrollBarThickness);
}

void TQNTable::Show() {
    visible_ = true;
    Refresh();
    for (QWidget* part : std::initializer_list<QWidget*>{sheet_, columnsPane_, rowsPane_, cornerPane_, verticalBar_,
                                                         horizontalBar_, titleLabel_, noteLabel_})
        if (part) part->show();
    sheet_->update();
}

}  // namespace cv
