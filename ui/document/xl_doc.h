#pragma once
// TXlDoc: a printable document laid out on one sheet. The program's documents
// are built on it: a cover block, text lines and heading blocks, the tables
// of report screens appended one below the other, pictures of charts, and
// page breaks placed so that no block is cut by a page end. The finished
// document is printed, written as a spreadsheet file (".xlsx"), or written as
// PDF through the same page painter that prints it.
//
// Units: page sizes and margins in tenths of a millimetre, row heights in
// twips, column widths in 1/256 of a character (docs/documents.md).

#include <QImage>
#include <string>
#include <vector>

#include "ui/sheet/sheet_model.h"

class QWidget;

namespace cv {

class TSheetModel;

// Output flags of PrintOrSave; 0 writes the file only.
inline constexpr int kDocPageSetup = 2;
inline constexpr int kDocPrintDialog = 4;
inline constexpr int kDocNoFile = 8;

// Page geometry and print settings of a document.
struct TDocPageSetup {
    int pageWidth = 2100, pageHeight = 2970;
    int printableWidth = 0, printableHeight = 0;
    int marginTop = 200, marginBottom = 200, marginLeft = 130, marginRight = 130;
    bool landscape = false;
    int paperCode = 9;  // what the spreadsheet file asks its reader to print on
    std::string header, footer;  // in the "&L...&C...&R..." form
};

class TXlDoc {
public:
    TXlDoc(QWidget* owner, int rowsPerPage, int pageColumns, bool landscape);
    virtual ~TXlDoc();
    TXlDoc(const TXlDoc&) = delete;
    TXlDoc& operator=(const TXlDoc&) = delete;

    // Empties the document for a new build; deletes every recorded picture.
    void Reset();
    // Page and printable sizes from the kept or default printer; A4 without one.
    void SetPageSize();
    void SetHeader(const std::string& left, const std::string& centre, const std::string& right);
    // An empty left part is the date, an empty centre the holder line, an
    // empty right part the page number over the page count.
    void SetFooter(const std::string& left, const std::string& centre, const std::string& right);

    // The cover page: title and subtitle lines, the logo, the holder lines.
    void AddCoverBlock(const std::vector<std::string>& titleLines, const std::vector<std::string>& subtitleLines);
    // A heading block that stays on the page of what follows it.
    void AddTextBlock(const std::vector<std::string>& lines, bool pageBreak);
    // One line of texts, one per column; Count limits how many (32767: all).
    void AddTextLine(const std::vector<std::string>& texts, int count, bool pageBreak);
    // A report table's block MaxRow x MaxCol, its formulas kept, one blank row after it.
    void AppendSheet(const TSheetModel& sheet);
    // A picture (PNG or JPEG bytes) across the page columns; Scale = height / width.
    void AddPicture(std::vector<std::uint8_t> pictureBytes, double scale);
    // The same for an image, placed as PNG.
    void AddImage(const QImage& picture, double scale);
    void AddPageBreak(int row);
    // Breaks the page at BlockStart when the rows since the last break no
    // longer fit on a page.
    void CheckPageBreak(int blockStart);

    // Writes the file unless flag 8 is set or Path is empty; prints Copies
    // times when any flag is set (the first through the print dialog with
    // flag 4). A failure shows an error naming the path or printer and is
    // logged. Returns false when anything failed.
    bool PrintOrSave(const std::string& path, int flags, int copies);
    // The files PrintOrSave wrote since the document was created, in order.
    const std::vector<std::string>& WrittenFiles() const { return writtenFiles_; }
    // The document as PDF, page by page as it prints; false (with the error
    // shown and logged) when the file could not be written.
    bool WritePdf(const std::string& path);
    int PageCount() const;

    // The holder line (the footer's default centre) and further cover lines.
    std::vector<std::string>& HeaderFooterLines() { return holderLines_; }
    void SetLogo(const QImage& logo) { logo_ = logo; }

    const TSheetModel& Sheet() const { return sheet_; }
    TSheetModel& Sheet() { return sheet_; }
    const TDocPageSetup& PageSetup() const { return setup_; }
    int PageColumns() const { return pageColumns_; }
    // The page columns, or more when a table appended is wider: the file and
    // the print cover them all, each page scaled down to fit its width.
    int UsedColumns() const { return usedColumns_; }
    int RowsPerPage() const { return rowsPerPage_; }
    int ColumnWidth() const { return columnWidth_; }
    int RowHeight() const { return rowHeight_; }
    int CurrentRow() const { return currentRow_; }
    void SetCurrentRow(int row) { currentRow_ = row; }
    int LastPageBreakRow() const { return lastPageBreak_; }
    int BlockStartRow() const { return blockStart_; }
    bool KeepBlock() const { return keepBlock_; }
    const std::vector<int>& PictureIds() const { return pictureIds_; }
    const std::string& TableName() const { return tableName_; }

private:
    void ApplyDefaultSizes();
    void StartBlock();
    // Writes Lines from Row in column 1 with Font, centred across the page columns.
    int WriteCentredLines(int row, const std::vector<std::string>& lines, const TCellFont& font);
    int PlacePicture(const std::vector<std::uint8_t>& bytes, int firstRow, int lastRow);
    bool WriteSpreadsheet(const std::string& path);
    bool Print(int flags, int copies);
    // Shows line 1 of Key (Builtin without a language file) with @1 := Target and logs Reason.
    void ReportFailure(const std::string& key, const char* builtin, const std::string& target,
                       const std::string& reason) const;

    QWidget* owner_;
    TSheetModel sheet_;
    TDocPageSetup setup_;
    int pageColumns_;
    int usedColumns_;
    int rowsPerPage_;
    int columnWidth_;
    int rowHeight_ = 200;
    int lastPageBreak_ = 1;
    int blockStart_ = 1;
    int currentRow_ = 1;
    bool keepBlock_ = false;
    std::vector<int> pictureIds_;
    QImage logo_;
    std::vector<std::string> holderLines_{""};
    std::string tableName_;
    std::vector<std::string> writtenFiles_;
};

}  // namespace cv
