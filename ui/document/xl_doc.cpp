#include "ui/document/xl_doc.h"

#include <QBuffer>
#include <QDate>
#include <cmath>
#include <filesystem>

#include "core/base/log_file.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "ui/document/doc_pages.h"
#include "ui/document/header_footer.h"
#include "ui/document/xlsx_file.h"
#include "ui/printing/paper_sizes.h"
#include "ui/printing/prn_setup.h"
#include "ui/sheet/cell_painter.h"

namespace cv {
namespace {

constexpr int kStandardColumnWidth = 2048;
constexpr double kLandscapeColumnFactor = 1.4;
constexpr int kMeasuredRowHeight = 200;
constexpr double kTenthsPerTwip = 0.1763888;
constexpr int kReplacedBlockRows = 11;
constexpr int kPaperNote = 18;
// Shown when the language file lacks the message.
constexpr char kWriteErrorText[] = "The document could not be written to @1.";
constexpr char kPrintErrorText[] = "The document could not be printed on @1.";

// Rows of the cover page, portrait and landscape.
struct TCoverRows {
    int title, subtitle, logoEnd, holder, end, logoGap;
};
constexpr TCoverRows kPortraitCover{8, 16, 38, 41, 47, 2};
constexpr TCoverRows kLandscapeCover{2, 8, 30, 31, 35, 1};
constexpr int kCoverFrameStyle = 5;

TCellFont ArialFont(double size, bool bold, bool italic) {
    TCellFont font;
    font.size = size;
    font.bold = bold;
    font.italic = italic;
    return font;
}

// Line 1 of a message key, or Builtin when the language file lacks it.
std::string MessageText(const std::string& key, const char* builtin) {
    std::string text = "bad line number 1";
    if (Translator) Translator->MessagesLine(key, 1, text);
    return text.find("bad line number") == std::string::npos ? text : builtin;
}

std::vector<std::uint8_t> PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TXlDoc::TXlDoc(QWidget* owner, int rowsPerPage, int pageColumns, bool landscape)
    : owner_(owner), pageColumns_(pageColumns), usedColumns_(pageColumns), rowsPerPage_(rowsPerPage),
      columnWidth_(landscape ? static_cast<int>(std::lround(kStandardColumnWidth * kLandscapeColumnFactor))
                             : kStandardColumnWidth) {
    setup_.landscape = landscape;
    SetPageSize();
    // Row 1 measured at the standard height, then every row sized so that
    // RowsPerPage rows fill the printable height.
    sheet_.SetDefaultRowHeight(kMeasuredRowHeight);
    const double measured = sheet_.RowHeight(1) * kTenthsPerTwip;
    rowHeight_ = static_cast<int>(std::lround(setup_.printableHeight / measured * kMeasuredRowHeight / rowsPerPage_));
    ApplyDefaultSizes();
}

TXlDoc::~TXlDoc() = default;

void TXlDoc::ApplyDefaultSizes() {
    sheet_.SetDefaultRowHeight(rowHeight_);
    sheet_.SetColumnWidths(1, pageColumns_, columnWidth_);
}

void TXlDoc::SetPageSize() {
    TPaperSize paper = kA4Paper;
    setup_.paperCode = kPaperA4;
    bool portrait = true;
    if (GetDefaultDevMode(owner_, false, false)) {
        const TDevMode& devMode = KeptPrinterChoice()->devMode;
        portrait = devMode.portrait;
        const std::optional<TPaperSize> standard = StandardPaperSize(devMode.paperCode);
        if (standard) {
            paper = *standard;
            setup_.paperCode = devMode.paperCode == 2 || devMode.paperCode == kPaperNote ? kPaperLetter
                                                                                                     : devMode.paperCode;
        } else if (devMode.paperCode == kPaperUserDefined && devMode.paperWidth > 0 && devMode.paperLength > 0) {
            paper = {devMode.paperWidth, devMode.paperLength};
        } else {
            Ui().ShowPlainBox(MessageText("UnknownPaperMsg", "Unknown page format ! Using A4 sizes (210mm x 297 mm)"));
        }
    }
    const bool upright = portrait && !setup_.landscape;
    setup_.pageWidth = static_cast<int>(std::lround(upright ? paper.width : paper.height));
    setup_.pageHeight = static_cast<int>(std::lround(upright ? paper.height : paper.width));
    setup_.printableWidth = setup_.pageWidth - setup_.marginLeft - setup_.marginRight;
    setup_.printableHeight = setup_.pageHeight - setup_.marginTop - setup_.marginBottom;
}

void TXlDoc::SetHeader(const std::string& left, const std::string& centre, const std::string& right) {
    setup_.header = HeaderText(left, centre, right);
}

void TXlDoc::SetFooter(const std::string& left, const std::string& centre, const std::string& right) {
    setup_.footer = FooterText(left, centre, right, holderLines_.empty() ? std::string() : holderLines_.front());
}

void TXlDoc::Reset() {
    sheet_.ClearRange(1, 1, kSheetRowLimit, kSheetColumnLimit, TSheetModel::TClearMode::Everything);
    sheet_.SetRowHeights(1, kSheetRowLimit, -1);
    sheet_.SetColumnWidths(1, kSheetColumnLimit, sheet_.DefaultColumnWidth());
    ApplyDefaultSizes();
    for (int row = sheet_.NextPageBreak(0); row != 0; row = sheet_.NextPageBreak(0)) sheet_.RemovePageBreak(row);
    // Every picture placed is recorded, however many, so none survives into the next build.
    for (int id : pictureIds_) sheet_.DeletePicture(id);
    pictureIds_.clear();
    currentRow_ = lastPageBreak_ = blockStart_ = 1;
    usedColumns_ = pageColumns_;
    keepBlock_ = false;
    SetFooter("", "", "");
}

void TXlDoc::AddPageBreak(int row) {
    sheet_.InsertPageBreak(row);
    lastPageBreak_ = row;
}

void TXlDoc::CheckPageBreak(int blockStart) {
    if (currentRow_ <= lastPageBreak_) return;
    const double height = std::round(sheet_.RowsHeightTwips(lastPageBreak_, currentRow_ - 1) * kTenthsPerTwip);
    if (height > setup_.printableHeight) AddPageBreak(blockStart);
}

void TXlDoc::StartBlock() {
    if (!keepBlock_) blockStart_ = currentRow_;
    keepBlock_ = false;
}

int TXlDoc::WriteCentredLines(int row, const std::vector<std::string>& lines, const TCellFont& font) {
    int written = 0;
    for (const std::string& line : lines) {
        if (line.empty()) break;
        sheet_.SetText(row + written, 1, line);
        ++written;
    }
    if (written == 0) return 0;
    sheet_.FormatRange(row, 1, row + written - 1, pageColumns_, [&](TCellFormat& format) {
        format.font = font;
        format.horizontal = kAlignCentreAcross;
    });
    sheet_.FitRowHeights(row, row + written - 1, TPainterTextMeasure());
    return written;
}

void TXlDoc::AddTextLine(const std::vector<std::string>& texts, int count, bool pageBreak) {
    if (pageBreak) AddPageBreak(currentRow_);
    int column = 1;
    for (std::size_t i = 0; i < texts.size() && static_cast<int>(i) < count; ++i)
        if (!texts[i].empty()) sheet_.SetText(currentRow_, column++, texts[i]);
    sheet_.FormatRange(currentRow_, 1, currentRow_, pageColumns_, [](TCellFormat& format) {
        format.font = ArialFont(8, false, false);
        format.horizontal = kAlignLeft;
    });
    // A text with a neighbour wraps within its column and the row grows, as the
    // neighbour would cut it; the last runs on over the empty columns.
    if (column > 2)
        sheet_.FormatRange(currentRow_, 1, currentRow_, column - 2, [](TCellFormat& format) { format.wrap = true; });
    sheet_.FitRowHeights(currentRow_, currentRow_, TPainterTextMeasure());
    ++currentRow_;
    CheckPageBreak(currentRow_ - 1);
}

void TXlDoc::AddTextBlock(const std::vector<std::string>& lines, bool pageBreak) {
    if (keepBlock_) {
        // The previous heading was never followed by anything: this one replaces it.
        currentRow_ = blockStart_;
        sheet_.ClearRange(currentRow_, 1, currentRow_ + kReplacedBlockRows - 1, kSheetColumnLimit,
                          TSheetModel::TClearMode::ContentsAndFormats);
        sheet_.SetRowHeights(currentRow_, currentRow_ + kReplacedBlockRows - 1, -1);
    }
    blockStart_ = currentRow_;
    if (pageBreak) AddPageBreak(currentRow_);
    else ++currentRow_;
    currentRow_ += WriteCentredLines(currentRow_, lines, ArialFont(12, true, true)) + 1;
    CheckPageBreak(blockStart_);
    keepBlock_ = true;
}

void TXlDoc::AppendSheet(const TSheetModel& source) {
    Ui().ProcessPaintAndTimerEvents();
    StartBlock();
    sheet_.CopyRange(currentRow_, 1, source, 1, 1, source.MaxRow(), source.MaxCol(),
                     TSheetModel::TCopyContents::Formulas);
    // Only rows the table sized itself keep their height; the document's columns stay.
    for (int row = 1; row <= source.MaxRow(); ++row)
        if (source.RowHeight(row) == source.DefaultRowHeight()) sheet_.SetRowHeights(currentRow_ + row - 1, currentRow_ + row - 1, -1);
    sheet_.SetColumnWidths(1, source.MaxCol(), sheet_.DefaultColumnWidth());
    sheet_.SetColumnWidths(1, pageColumns_, columnWidth_);
    // The document's columns may be narrower than the screen's: a wrapped
    // text that takes more lines in them gets a row as high as its lines.
    sheet_.GrowRowsToWrappedTexts(currentRow_, currentRow_ + std::max(source.MaxRow(), 1) - 1, TPainterTextMeasure());
    usedColumns_ = std::max(usedColumns_, source.MaxCol());
    currentRow_ += source.MaxRow() + 1;
    CheckPageBreak(blockStart_);
}

void TXlDoc::AddImage(const QImage& picture, double scale) { AddPicture(PngBytes(picture), scale); }

int TXlDoc::PlacePicture(const std::vector<std::uint8_t>& bytes, int firstRow, int lastRow) {
    const int id = sheet_.PlacePicture(firstRow, 1.05, lastRow + 1, pageColumns_ + 1, bytes);
    pictureIds_.push_back(id);
    return id;
}

void TXlDoc::AddPicture(std::vector<std::uint8_t> pictureBytes, double scale) {
    StartBlock();
    const int width = sheet_.ColumnsWidthTwips(1, pageColumns_);
    const int rows = std::max(1, static_cast<int>(std::lround(width * scale / rowHeight_)));
    PlacePicture(pictureBytes, currentRow_, currentRow_ + rows - 1);
    currentRow_ += rows;
    CheckPageBreak(blockStart_);
}

void TXlDoc::AddCoverBlock(const std::vector<std::string>& titleLines, const std::vector<std::string>& subtitleLines) {
    const TCoverRows& rows = setup_.landscape ? kLandscapeCover : kPortraitCover;
    std::vector<std::string> titles;
    for (const std::string& line : titleLines)
        if (!line.empty()) titles.push_back(line);
    const int titleCount = WriteCentredLines(rows.title, titles, ArialFont(18, true, false));
    if (titleCount > 0) {
        const int last = rows.title + titleCount - 1;
        sheet_.FormatRange(rows.title, 1, rows.title, pageColumns_, [](TCellFormat& f) { f.font.size = 24; });
        sheet_.FitRowHeights(rows.title, rows.title, TPainterTextMeasure());
        const TCellEdge frame{kCoverFrameStyle, 0};
        sheet_.FormatRange(rows.title, 1, rows.title, pageColumns_, [&](TCellFormat& f) { f.top = f.bottom = frame; });
        sheet_.FormatRange(last, 1, last, pageColumns_, [&](TCellFormat& f) { f.bottom = frame; });
        sheet_.FormatRange(rows.title, 1, last, 1, [&](TCellFormat& f) { f.left = frame; });
        sheet_.FormatRange(rows.title, pageColumns_, last, pageColumns_, [&](TCellFormat& f) { f.right = frame; });
    }
    const int subtitleCount = WriteCentredLines(rows.subtitle, subtitleLines, ArialFont(12, true, true));
    if (!logo_.isNull()) {
        const int first = rows.subtitle + std::max(subtitleCount, 1) - 1 + rows.logoGap;
        const double height = sheet_.RowsHeightTwips(first, rows.logoEnd);
        const double width = sheet_.ColumnsWidthTwips(1, pageColumns_);
        // The logo keeps its proportions: as wide as the page columns allow, as high as the rows allow.
        const double logoWidth = std::min(width, height * logo_.width() / logo_.height());
        const double logoRows = logoWidth * logo_.height() / logo_.width() / sheet_.RowHeight(first);
        const double margin = (width - logoWidth) / 2 / sheet_.ColumnWidthTwips(1);
        const int id = sheet_.PlacePicture(first, 1 + margin, first + logoRows, pageColumns_ + 1 - margin, PngBytes(logo_));
        pictureIds_.push_back(id);
    }
    std::vector<std::string> holders;
    for (const std::string& line : holderLines_)
        if (!line.empty()) holders.push_back(line);
    WriteCentredLines(rows.holder, holders, ArialFont(12, false, false));
    currentRow_ = rows.end;
    AddPageBreak(rows.end);
}

int TXlDoc::PageCount() const {
    return static_cast<int>(PaginateRows(sheet_, std::max(1, currentRow_ - 1), setup_.printableHeight).size());
}

void TXlDoc::ReportFailure(const std::string& key, const char* builtin, const std::string& target,
                           const std::string& reason) const {
    std::string text = MessageText(key, builtin);
    if (const std::size_t at = text.find("@1"); at != std::string::npos) text.replace(at, 2, target);
    LogFmt(0, "TXlDoc: %s (%s)", {text, reason});
    Ui().ShowErrorBox(text);
}

bool TXlDoc::WriteSpreadsheet(const std::string& path) {
    const std::string error = WriteXlsxFile(*this, std::max(1, currentRow_ - 1), usedColumns_, path);
    if (error.empty()) return true;
    ReportFailure("DocWriteError", kWriteErrorText, path, error);
    return false;
}

bool TXlDoc::WritePdf(const std::string& path) {
    const std::string error = WritePdfFile(path, tableName_, [&](QPagedPaintDevice& device) {
        return PaintDocumentPages(*this, std::max(1, currentRow_ - 1), device, QDate::currentDate());
    });
    if (error.empty()) return true;
    ReportFailure("DocWriteError", kWriteErrorText, path, error);
    return false;
}

bool TXlDoc::Print(int flags, int copies) {
    const std::optional<TPrintTarget> target = ChoosePrintTarget(owner_, tableName_);
    if (!target) return true;  // the user cancelled
    // No printer installed: one PDF file instead of the copies.
    if (!target->printer) {
        if (!WritePdf(target->pdfPath)) return false;
        ReportPdfWritten(target->pdfPath);
        return true;
    }
    if (flags & kDocPageSetup) {
        GetDefaultDevMode(owner_, true, true);
        SetPageSize();
    }
    const int lastRow = std::max(1, currentRow_ - 1);
    const TPageRenderer render = [&](QPagedPaintDevice& device) {
        return PaintDocumentPages(*this, lastRow, device, QDate::currentDate());
    };
    for (int copy = 0; copy < copies; ++copy) {
        const TPrintOutcome outcome =
            PrinterSource().Print(owner_, *KeptPrinterChoice(), copy == 0 && (flags & kDocPrintDialog), render);
        if (outcome == TPrintOutcome::Cancelled) return true;
        if (outcome == TPrintOutcome::Failed) {
            ReportFailure("DocPrintError", kPrintErrorText, KeptPrinterChoice()->device, "the print job failed");
            return false;
        }
    }
    return true;
}

bool TXlDoc::PrintOrSave(const std::string& path, int flags, int copies) {
    const std::string keptName = tableName_;
    tableName_ = std::filesystem::path(path).stem().string();
    bool done = true;
    if (!(flags & kDocNoFile) && !path.empty()) {
        done = WriteSpreadsheet(path);
        if (done) writtenFiles_.push_back(path);
    }
    if (flags != 0) done = Print(flags, copies) && done;
    tableName_ = keptName;
    return done;
}

}  // namespace cv
