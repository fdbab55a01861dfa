#pragma once
// The sheet behind every report table, free of widgets: cells holding a text,
// a number or a formula, each with its own format; row heights in twips and
// column widths in 1/256 of a character; page breaks; pictures; the
// selection and the protection that editable screens build on.
//
// Rows run 1..16384 and columns 1..256 (cell_ref.h); MaxRow and MaxCol only
// bound what is shown and copied. Every index from a caller is checked and a
// bad one raises ERangeError naming the operation and the index. Formulas
// are recalculated when read after any change.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/sheet/cell_format.h"
#include "ui/sheet/cell_ref.h"
#include "ui/sheet/formula.h"
#include "ui/sheet/number_format.h"

namespace cv {

// A character of column width is this many twips wide, whatever the font, so
// that a table has the same geometry on every screen and printer.
inline constexpr int kTwipsPerCharacter = 100;
inline constexpr int kColumnUnitsPerCharacter = 256;

// Text measurements in twips, supplied by whoever can measure fonts.
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual int TextWidthTwips(const TCellFont& font, std::string_view text) const = 0;
    virtual int LineHeightTwips(const TCellFont& font) const = 0;
    // How many lines a paragraph (a text without line breaks) takes when
    // wrapped in RoomTwips: here as many rooms as its width fills; a measure
    // that lays text out counts its own line breaks at word boundaries.
    virtual int WrappedLines(const TCellFont& font, std::string_view paragraph, int roomTwips) const;
};

struct TSheetSelection {
    int row1 = 1, column1 = 1, row2 = 1, column2 = 1;
    int activeRow = 1, activeColumn = 1;
    bool operator==(const TSheetSelection&) const = default;
};

// A picture placed over the cells: corners in sheet coordinates (a corner at
// row 3.5 lies half-way down row 3), the picture's bytes as they were given.
struct TSheetPicture {
    int id = 0;
    double row1 = 1, column1 = 1, row2 = 1, column2 = 1;
    std::vector<std::uint8_t> bytes;
};

// What a cell shows: its text and the colour a number format asks for.
using TCellDisplay = TFormattedNumber;

class TSheetModel final : public TCellSource {
public:
    enum class TClearMode { ContentsAndFormats = 1, Everything = 3 };

    TSheetModel();

    // Shown bounds.
    int MaxRow() const { return maxRow_; }
    int MaxCol() const { return maxCol_; }
    void SetMaxRow(int row);
    void SetMaxCol(int column);

    // The format of cells never formatted; changing its font changes every cell's.
    const TCellFormat& DefaultFormat() const { return defaultFormat_; }
    void SetDefaultFont(const std::string& name, double size);

    // Contents.
    void SetText(int row, int column, const std::string& text);
    void SetNumber(int row, int column, double value);
    void SetFormula(int row, int column, std::string_view formula);
    TCellValue CellValue(int row, int column) const override;  // Empty outside the sheet
    // The number a cell holds or computes; 0 for texts, errors and empty cells.
    double Number(int row, int column) const;
    // The formula of a cell without '=', empty when it holds none.
    std::string FormulaText(int row, int column) const;
    // The text a cell shows, formatted by its number format.
    TCellDisplay Display(int row, int column) const;
    std::string Text(int row, int column) const { return Display(row, column).text; }
    bool IsEmpty(int row, int column) const;

    // Formats.
    const TCellFormat& Format(int row, int column) const;
    void FormatRange(int row1, int column1, int row2, int column2, const std::function<void(TCellFormat&)>& change);

    // Sizes.
    int DefaultRowHeight() const { return defaultRowHeight_; }
    int DefaultColumnWidth() const { return defaultColumnWidth_; }
    void SetDefaultRowHeight(int twips);
    void SetDefaultColumnWidth(int units);
    int RowHeight(int row) const;            // twips
    int ColumnWidth(int column) const;       // 1/256 character
    int ColumnWidthTwips(int column) const;
    void SetRowHeights(int row1, int row2, int twips);      // negative: the default height
    void SetColumnWidths(int column1, int column2, int units);
    // Fitted rows are at least the default height; fitted columns just hold their texts.
    void FitRowHeights(int row1, int row2, const TTextMeasure& measure);
    void FitColumnWidths(int column1, int column2, const TTextMeasure& measure);
    // Grows each row holding a wrapped text that takes more than one line at
    // its column's present width to the height of its lines; no row gets lower.
    void GrowRowsToWrappedTexts(int row1, int row2, const TTextMeasure& measure);
    // The last column of the run across that a text in (Row, Column) is laid
    // over: the empty cells after it that share its alignment; the column
    // itself for a text that is not laid across.
    int AcrossRunEnd(int row, int column) const;
    // The column of the text whose run across holds the empty cell (Row,
    // Column); the column itself when it holds a text or lies in no run.
    int AcrossRunStart(int row, int column) const;
    // Width and height in twips of a block of rows and columns.
    int RowsHeightTwips(int row1, int row2) const;
    int ColumnsWidthTwips(int column1, int column2) const;

    // Structure.
    void ClearRange(int row1, int column1, int row2, int column2, TClearMode mode);
    // Deletes rows Row1..Row2 and moves the rows below up, formulas and sizes
    // included; references into the deleted rows become #REF!.
    void DeleteRows(int row1, int row2);
    // What a copy does with formulas: Values writes what they compute (a
    // pane shows the table's figures); Formulas moves them with the block, so
    // that a document keeps its sums live.
    enum class TCopyContents { Values, Formulas };
    // Copies a block of Source (contents, formats, row heights and column
    // widths) to Row, Column of this sheet.
    void CopyRange(int row, int column, const TSheetModel& source, int row1, int column1, int row2, int column2,
                   TCopyContents contents = TCopyContents::Values);

    // Page breaks before rows.
    void InsertPageBreak(int row);
    void RemovePageBreak(int row);
    // The first page break after Row, 0 when none.
    int NextPageBreak(int row) const;

    // Pictures.
    int PlacePicture(double row1, double column1, double row2, double column2, std::vector<std::uint8_t> bytes);
    void DeletePicture(int id);
    const std::vector<TSheetPicture>& Pictures() const { return pictures_; }

    // Protection: with it on, only unlocked cells accept typing.
    bool ProtectionEnabled() const { return protectionEnabled_; }
    void SetProtectionEnabled(bool on) { protectionEnabled_ = on; }
    bool IsEditable(int row, int column) const;

    // Selection; listeners hear every change of it, in the order they came.
    const TSheetSelection& Selection() const { return selection_; }
    void SetSelection(int row1, int column1, int row2, int column2);
    void SetActiveCell(int row, int column);
    // Returns the listener's number for RemoveSelectionListener.
    int AddSelectionListener(std::function<void()> listener);
    void RemoveSelectionListener(int id);

private:
    struct TCell {
        enum class Kind { Empty, Text, Number, Formula };
        Kind kind = Kind::Empty;
        std::string text;
        double number = 0.0;
        std::shared_ptr<const TFormula> formula;
        TCellFormat format;
        mutable TCellValue cached;
        mutable std::uint64_t cachedRevision = 0;
        mutable bool evaluating = false;
    };

    const TCell* FindCell(int row, int column) const;
    TCell& CellAt(int row, int column);
    void SetContent(std::string_view operation, int row, int column, const std::function<void(TCell&)>& fill);
    void SetSelectionChecked(const TSheetSelection& selection);
    // The lines a cell's text takes: one unless wrapped, else each of its
    // paragraphs as many as the width of its column (or its run across) needs.
    int TextLines(int row, int column, const TTextMeasure& measure) const;

    int maxRow_ = 100;
    int maxCol_ = 100;
    TCellFormat defaultFormat_;
    std::vector<std::vector<TCell>> rows_;
    int defaultRowHeight_ = 255;
    int defaultColumnWidth_ = 2304;
    std::vector<int> rowHeights_;     // -1 = default
    std::vector<int> columnWidths_;   // -1 = default
    std::set<int> pageBreaks_;
    std::vector<TSheetPicture> pictures_;
    int nextPictureId_ = 1;
    bool protectionEnabled_ = false;
    TSheetSelection selection_;
    std::vector<std::pair<int, std::function<void()>>> selectionListeners_;
    int nextListenerId_ = 1;
    std::uint64_t revision_ = 1;
};

}  // namespace cv
