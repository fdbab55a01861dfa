#pragma once
// TQNSheet: the sheet that holds one report table, created for one of the 16
// table styles. It knows the table's geometry (caption rows, title rows,
// heading columns, body, total rows and total columns), formats the nine
// areas of that geometry from the style record, and sizes itself to the
// visible part of the table. It starts hidden and far off its owner.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/sheet/sheet_view.h"
#include "ui/sheet/table_styles.h"

namespace cv {

inline constexpr int kMaxCaptionLines = 11;
inline constexpr std::size_t kMaxCaptionLineLength = 128;
// A zoom that asks for the scale to follow the owner's width.
inline constexpr int kDerivedZoom = 65535;

// The scale in percent a sheet placed in an owner OwnerWidth pixels wide
// takes with Zoom: the zoom itself, or with kDerivedZoom (or -1) one that
// follows the owner's width; nothing (the sheet's own scale) in an owner
// narrower than the screen the tables were designed for, or with a zoom no
// sheet can show.
std::optional<int> OwnerViewScale(int ownerWidth, int zoom);

// The cell font of a table style's font block.
TCellFont CellFontOfBlock(const TFontBlock& block);

// The lines above a table.
struct TCaptionBlock {
    std::vector<std::string> titleLines;
    std::vector<std::string> noteLines;
    int rowsBefore = 0;
    int rowsBetween = 0;
    int rowsAfter = 0;
    int totalRows = 0;  // 0: no captions
    int alignment = -1; // -1 the style's alignment and mask, 1 the alternative record
    bool operator==(const TCaptionBlock&) const = default;
};

struct TTableGeometry {
    int originRow = 1, originCol = 1;
    int titleRows = 0, bodyRows = 0, visibleBodyRows = 0, totalRows = 0;
    int headingCols = 0, bodyCols = 0, visibleBodyCols = 0, totalCols = 0;
    bool operator==(const TTableGeometry&) const = default;

    // The three row bands (0 title, 1 body, 2 totals) and column bands
    // (0 heading, 1 body, 2 totals): first row or column, and count.
    int RowStart(int band) const { return originRow + (band > 0 ? titleRows : 0) + (band > 1 ? bodyRows : 0); }
    int RowCount(int band) const { return band == 0 ? titleRows : band == 1 ? bodyRows : totalRows; }
    int ColumnStart(int band) const { return originCol + (band > 0 ? headingCols : 0) + (band > 1 ? bodyCols : 0); }
    int ColumnCount(int band) const { return band == 0 ? headingCols : band == 1 ? bodyCols : totalCols; }
};

// The limits a table's body is defined with.
struct TBodyLimits {
    int minBodyRows = 0, minBodyCols = 0;
    int maxVisibleRows = 32767, maxVisibleCols = 32767;
};

class TQNSheet : public TSheetView {
public:
    // A table type outside 1..16 shows "Bad table type : <n>" and uses type 1.
    TQNSheet(QWidget* owner, int tableType, const std::string& name, int zoom);

    int TableType() const { return tableType_; }
    const std::string& TableName() const { return tableName_; }
    const TTableGeometry& Geometry() const { return geometry_; }
    // Sets the geometry of a pane, whose areas are copied rather than formatted.
    void SetGeometry(const TTableGeometry& geometry) { geometry_ = geometry; }
    const TCaptionBlock& Captions() const { return captions_; }

    // Read-only picture of a table: no selections, no typing, no protection.
    void SetupControl();
    // Stores the non-empty lines (at most 11, each cut to 128 characters); a
    // count of -1 takes the style's default. The table starts below them.
    void SetCaptions(const std::vector<std::string>& titleLines, const std::vector<std::string>& noteLines,
                     int rowsBefore, int rowsBetween, int rowsAfter, int alignment);
    // Formats the caption rows; nothing without captions.
    void ApplyStyle();
    // Stores the geometry, freezes the title rows and heading columns, formats
    // the nine areas and sizes the sheet. AreaCodes: -1 the style's alignment,
    // 1 the alternative record.
    void DefineAreas(int titleRows, int bodyRows, int totalRows, int headingCols, int bodyCols, int totalCols,
                     const TBodyLimits& limits, const std::array<int, kAreaCount>& areaCodes);
    // Sizes the areas again by their codes now that the cells hold their
    // contents (a row or column fitted to contents needs them), then re-applies
    // the recorded size codes. Fonts, fills and alignments that the screen gave
    // its cells after DefineAreas stay.
    void ReapplyAreas();
    // Spreads Characters over the columns in proportion to their widths
    // (x 1.2 on a large screen).
    void SetColumnWidths(int column1, int column2, double characters);
    // Size codes: -1 default, -2 fit to contents, else twips (rows) or
    // characters (columns); recorded so that ReapplyAreas keeps them.
    void SetRowHeightCode(int row1, int row2, int code);
    void SetColumnWidthCode(int column1, int column2, int code);
    // Resizes the widget to the visible part of the table.
    void SizeToVisible();

    // Formats a block of cells from an area block: fill, borders, font,
    // alignment and mask, then its size codes (not recorded).
    void FormatBlock(int row1, int column1, int row2, int column2, const TAreaBlock& block, int areaCode);

private:
    void ApplyRowCode(int row1, int row2, int code);
    void ApplyColumnCode(int column1, int column2, int code);
    // Formats the nine areas from the style, or applies only their size codes.
    void FormatAreas(bool sizesOnly);
    void FormatCaptionLines(int firstRow, const std::vector<std::string>& lines, const TFontBlock& font);

    int tableType_ = 1;
    std::string tableName_;
    TTableGeometry geometry_;
    TCaptionBlock captions_;
    std::array<int, kAreaCount> areaCodes_{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::vector<int> rowCodes_;
    std::vector<int> columnCodes_;
};

}  // namespace cv
