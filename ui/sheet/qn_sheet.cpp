#include "ui/sheet/qn_sheet.h"

#include <cmath>

#include "core/base/ui_services.h"
#include "ui/sheet/cell_painter.h"
#include "ui/sheet/table_units.h"

namespace cv {
namespace {

constexpr int kHiddenPosition = -32767;
constexpr int kSmallRowHeight = 204;   // twips, screen class 1
constexpr int kLargeRowHeight = 250;
constexpr int kSmallColumnWidth = 2304;  // 1/256 character, screen class 1
constexpr int kLargeColumnWidth = 3072;
constexpr int kZoomOwnerWidth = 801;     // narrower owners keep the sheet's own scale
constexpr double kZoomBaseWidth = 800.0;
constexpr int kSetupRows = 100;
constexpr int kSetupColumns = 100;

int CheckedTableType(int tableType) {
    if (tableType >= 1 && tableType <= kTableStyleCount) return tableType;
    Ui().ShowPlainBox("Bad table type : " + std::to_string(tableType));
    return 1;
}

}  // namespace

std::optional<int> OwnerViewScale(int ownerWidth, int zoom) {
    if (ownerWidth < kZoomOwnerWidth) return std::nullopt;
    const int scale = zoom == kDerivedZoom || zoom == -1
                          ? static_cast<int>(std::lround(ownerWidth / kZoomBaseWidth * 100.0))
                          : zoom;
    if (scale < 10 || scale > 400) return std::nullopt;
    return scale;
}

TCellFont CellFontOfBlock(const TFontBlock& block) {
    TCellFont font;
    font.name = block.name;
    font.size = block.size;
    font.bold = block.style & 1;
    font.italic = block.style & 2;
    font.underline = block.style & 4;
    font.strikeout = block.style & 8;
    font.colour = block.colour;
    return font;
}

TQNSheet::TQNSheet(QWidget* owner, int tableType, const std::string& name, int zoom)
    : TSheetView(owner), tableType_(CheckedTableType(tableType)), tableName_(name) {
    move(kHiddenPosition, kHiddenPosition);
    hide();
    SetupControl();
    const TTableStyle& style = TableStyle(tableType_);
    SetBackColor(style.background);
    Model().SetDefaultFont(style.fontName, 8);
    Model().SetDefaultRowHeight(ScreenClass() == 1 ? kSmallRowHeight : kLargeRowHeight);
    Model().SetDefaultColumnWidth(ScreenClass() == 1 ? kSmallColumnWidth : kLargeColumnWidth);
    rowCodes_.assign(kSheetRowLimit, kSizeDefault);
    columnCodes_.assign(kSheetColumnLimit, kSizeDefault);
    if (const std::optional<int> scale = OwnerViewScale(owner ? owner->width() : 0, zoom)) SetViewScale(*scale);
}

void TQNSheet::SetupControl() {
    AllowSelections = false;
    ShowSelections = false;
    Model().SetProtectionEnabled(false);
    SetBackColor(0xFFFFFF);
    SetFixedRow(1, 0);
    SetFixedCol(1, 0);
    SetLeftCol(1);
    SetTopRow(1);
    Model().SetMaxRow(kSetupRows);
    Model().SetMaxCol(kSetupColumns);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 300, 200);
    Model().SetActiveCell(1, 1);
}

void TQNSheet::SetCaptions(const std::vector<std::string>& titleLines, const std::vector<std::string>& noteLines,
                           int rowsBefore, int rowsBetween, int rowsAfter, int alignment) {
    const TTableStyle& style = TableStyle(tableType_);
    const auto keep = [](const std::vector<std::string>& lines) {
        std::vector<std::string> kept;
        for (const std::string& line : lines)
            if (!line.empty() && kept.size() < static_cast<std::size_t>(kMaxCaptionLines))
                kept.push_back(line.substr(0, kMaxCaptionLineLength));
        return kept;
    };
    captions_.titleLines = keep(titleLines);
    captions_.noteLines = keep(noteLines);
    captions_.rowsBefore = rowsBefore == -1 ? style.rowsBefore : std::max(rowsBefore, 0);
    captions_.rowsBetween = rowsBetween == -1 ? style.rowsBetween : std::max(rowsBetween, 0);
    captions_.rowsAfter = rowsAfter == -1 ? style.rowsAfter : std::max(rowsAfter, 0);
    captions_.alignment = alignment;
    captions_.totalRows = captions_.rowsBefore + static_cast<int>(captions_.titleLines.size()) +
                          captions_.rowsBetween + static_cast<int>(captions_.noteLines.size()) + captions_.rowsAfter;
    geometry_.originRow = captions_.totalRows + 1;
    SetFixedRow(geometry_.originRow, FixedRows());
}

void TQNSheet::FormatCaptionLines(int firstRow, const std::vector<std::string>& lines, const TFontBlock& font) {
    if (lines.empty()) return;
    const int lastRow = firstRow + static_cast<int>(lines.size()) - 1;
    Model().FormatRange(firstRow, 1, lastRow, Model().MaxCol(),
                        [&](TCellFormat& format) { format.font = CellFontOfBlock(font); });
    for (std::size_t i = 0; i < lines.size(); ++i) Model().SetText(firstRow + static_cast<int>(i), 1, lines[i]);
    const TAreaBlock& caption = TableStyle(tableType_).caption;
    ApplyRowCode(firstRow, lastRow, caption.rowHeight);
    ApplyColumnCode(1, 1, caption.columnWidth);
}

void TQNSheet::ApplyStyle() {
    if (captions_.totalRows == 0) return;
    const TAreaBlock& caption = TableStyle(tableType_).caption;
    const bool alternative = captions_.alignment == 1;
    Model().FormatRange(1, 1, captions_.totalRows, Model().MaxCol(), [&](TCellFormat& format) {
        format.fill = {caption.pattern, caption.foreground, caption.background};
        format.horizontal = kAlignLeft;
        format.vertical = alternative ? kAlternativeAlignment.vertical : caption.vertical;
        format.wrap = alternative ? kAlternativeAlignment.wrap : caption.wrap;
        const int mask = alternative ? kAlternativeAlignment.mask : caption.mask;
        if (mask > 0) format.numberFormat = NumberMask(mask);
    });
    FormatCaptionLines(captions_.rowsBefore + 1, captions_.titleLines, caption.font);
    FormatCaptionLines(captions_.rowsBefore + static_cast<int>(captions_.titleLines.size()) + captions_.rowsBetween + 1,
                       captions_.noteLines, TableStyle(tableType_).noteFont);
}

void TQNSheet::DefineAreas(int titleRows, int bodyRows, int totalRows, int headingCols, int bodyCols, int totalCols,
                           const TBodyLimits& limits, const std::array<int, kAreaCount>& areaCodes) {
    TTableGeometry& g = geometry_;
    g.titleRows = std::max(titleRows, 0);
    g.totalRows = std::max(totalRows, 0);
    g.headingCols = std::max(headingCols, 0);
    g.totalCols = std::max(totalCols, 0);
    g.bodyRows = std::max(bodyRows, limits.minBodyRows);
    g.bodyCols = std::max(bodyCols, limits.minBodyCols);
    g.visibleBodyRows = std::min(g.bodyRows, limits.maxVisibleRows);
    g.visibleBodyCols = std::min(g.bodyCols, limits.maxVisibleCols);
    const int lastRow = g.originRow + g.titleRows + g.bodyRows + g.totalRows - 1;
    const int lastColumn = g.originCol + g.headingCols + g.bodyCols + g.totalCols - 1;
    CheckRange("DefineAreas", 1, 1, std::max(lastRow, 1), std::max(lastColumn, 1));
    areaCodes_ = areaCodes;
    SetFixedRow(FixedRow(), g.originRow + g.titleRows - FixedRow());
    SetFixedCol(FixedCol(), g.originCol + g.headingCols - FixedCol());
    Model().SetMaxCol(std::max(lastColumn, 1));
    Model().SetMaxRow(std::max({FixedRow() + FixedRows(), lastRow, 1}));
    SetTopRow(g.originRow + g.titleRows);
    SetLeftCol(g.originCol + g.headingCols);
    FormatAreas(false);
    SizeToVisible();
    ApplyStyle();
}

void TQNSheet::FormatAreas(bool sizesOnly) {
    const TTableGeometry& g = geometry_;
    const TTableStyle& style = TableStyle(tableType_);
    for (int rows = 0; rows < 3; ++rows)
        for (int columns = 0; columns < 3; ++columns) {
            if (g.RowCount(rows) == 0 || g.ColumnCount(columns) == 0) continue;
            const std::size_t area = static_cast<std::size_t>(rows * 3 + columns);
            const int row1 = g.RowStart(rows), row2 = row1 + g.RowCount(rows) - 1;
            const int column1 = g.ColumnStart(columns), column2 = column1 + g.ColumnCount(columns) - 1;
            if (sizesOnly) {
                ApplyRowCode(row1, row2, style.areas[area].rowHeight);
                ApplyColumnCode(column1, column2, style.areas[area].columnWidth);
            } else {
                FormatBlock(row1, column1, row2, column2, style.areas[area], areaCodes_[area]);
            }
        }
}

void TQNSheet::FormatBlock(int row1, int column1, int row2, int column2, const TAreaBlock& block, int areaCode) {
    const bool alternative = areaCode == 1;
    const int mask = alternative ? kAlternativeAlignment.mask : block.mask;
    for (int row = row1; row <= row2; ++row)
        for (int column = column1; column <= column2; ++column)
            Model().FormatRange(row, column, row, column, [&](TCellFormat& format) {
                const bool second = (block.fillFlags == kFillBandedRows && (row - row1) % 2 == 1) ||
                                    (block.fillFlags == kFillBandedColumns && (column - column1) % 2 == 1);
                if (block.fillFlags == 0)
                    format.fill = {};
                else if (second)
                    format.fill = {block.secondPattern, block.secondForeground, block.secondBackground};
                else
                    format.fill = {block.pattern, block.foreground, block.background};
                const TBorderRecord& border = block.border;
                if ((border.edges & kEdgeTop) && row == row1) format.top = {border.topStyle, border.topColour};
                if ((border.edges & kEdgeBottom) && row == row2)
                    format.bottom = {border.bottomStyle, border.bottomColour};
                if ((border.edges & kEdgeLeft) && column == column1)
                    format.left = {border.leftStyle, border.leftColour};
                if ((border.edges & kEdgeRight) && column == column2)
                    format.right = {border.rightStyle, border.rightColour};
                format.font = CellFontOfBlock(block.font);
                format.horizontal = alternative ? kAlternativeAlignment.horizontal : block.horizontal;
                format.vertical = alternative ? kAlternativeAlignment.vertical : block.vertical;
                format.wrap = alternative ? kAlternativeAlignment.wrap : block.wrap;
                if (mask > 0) format.numberFormat = NumberMask(mask);
            });
    ApplyRowCode(row1, row2, block.rowHeight);
    ApplyColumnCode(column1, column2, block.columnWidth);
}

void TQNSheet::ReapplyAreas() {
    FormatAreas(true);
    for (int column = 1; column <= Model().MaxCol(); ++column)
        if (columnCodes_[static_cast<std::size_t>(column - 1)] != kSizeDefault)
            ApplyColumnCode(column, column, columnCodes_[static_cast<std::size_t>(column - 1)]);
    for (int row = 1; row <= Model().MaxRow(); ++row)
        if (rowCodes_[static_cast<std::size_t>(row - 1)] != kSizeDefault)
            ApplyRowCode(row, row, rowCodes_[static_cast<std::size_t>(row - 1)]);
}

void TQNSheet::ApplyRowCode(int row1, int row2, int code) {
    if (code == kSizeFit) Model().FitRowHeights(row1, row2, TPainterTextMeasure());
    else Model().SetRowHeights(row1, row2, code);  // -1: the default height
}

void TQNSheet::ApplyColumnCode(int column1, int column2, int code) {
    if (code == kSizeFit) Model().FitColumnWidths(column1, column2, TPainterTextMeasure());
    else Model().SetColumnWidths(column1, column2, code < 0 ? -1 : code * kColumnUnitsPerCharacter);
}

void TQNSheet::SetRowHeightCode(int row1, int row2, int code) {
    CheckRange("SetRowHeightCode", row1, 1, row2, 1);
    ApplyRowCode(row1, row2, code);
    for (int row = std::min(row1, row2); row <= std::max(row1, row2); ++row)
        rowCodes_[static_cast<std::size_t>(row - 1)] = code;
}

void TQNSheet::SetColumnWidthCode(int column1, int column2, int code) {
    CheckRange("SetColumnWidthCode", 1, column1, 1, column2);
    ApplyColumnCode(column1, column2, code);
    for (int column = std::min(column1, column2); column <= std::max(column1, column2); ++column)
        columnCodes_[static_cast<std::size_t>(column - 1)] = code;
}

void TQNSheet::SetColumnWidths(int column1, int column2, double characters) {
    CheckRange("SetColumnWidths", 1, column1, 1, column2);
    const double target = characters * kColumnUnitsPerCharacter * (ScreenClass() == 2 ? 1.2 : 1.0);
    double sum = 0.0;
    for (int column = column1; column <= column2; ++column) sum += Model().ColumnWidth(column);
    const double ratio = sum == 0.0 ? 1.0 : target / sum;
    for (int column = column1; column <= column2; ++column) {
        const int width = static_cast<int>(std::lround(Model().ColumnWidth(column) * ratio));
        Model().SetColumnWidths(column, column, width);
        columnCodes_[static_cast<std::size_t>(column - 1)] = width / kColumnUnitsPerCharacter;
    }
}

void TQNSheet::SizeToVisible() {
    const TTableGeometry& g = geometry_;
    int lastRow = g.originRow + g.titleRows + g.visibleBodyRows - 1;
    if (g.visibleBodyRows >= g.bodyRows) lastRow += g.totalRows;
    int lastColumn = g.originCol + g.headingCols + g.visibleBodyCols - 1;
    if (g.visibleBodyCols >= g.bodyCols) lastColumn += g.totalCols;
    // The frozen rows and columns are drawn apart from the rest, the edges of
    // each part rounded on their own: the sheet is as large as the parts drawn.
    const int firstBodyRow = g.originRow + g.titleRows, firstBodyColumn = g.originCol + g.headingCols;
    const QSize frozen = BlockSize(g.originRow, g.originCol, firstBodyRow - 1, firstBodyColumn - 1);
    const QSize rest = BlockSize(firstBodyRow, firstBodyColumn, lastRow, lastColumn);
    resize(std::max(frozen.width() + rest.width() - 1, 0), std::max(frozen.height() + rest.height() - 1, 0));
}

}  // namespace cv
