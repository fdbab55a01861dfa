#include "ui/document/xlsx_file.h"

#include <xlsxwriter.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <fcntl.h>
#include <unistd.h>

#include "core/base/file_routines.h"
#include "ui/cp1252.h"
#include "ui/document/doc_pages.h"
#include "ui/printing/prn_setup.h"

namespace cv {
namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kInchesPerTenthMm = 1.0 / 254.0;
constexpr double kTwipsPerPixel = 15.0;  // a 96-dpi pixel
constexpr std::size_t kMaxSheetNameLength = 31;

std::string Utf8(const std::string& cp1252) { return Cp1252ToQString(cp1252).toUtf8().toStdString(); }

lxw_color_t LxwColour(std::int32_t colour) {
    const std::int32_t plain = PlainColour(colour);
    return static_cast<lxw_color_t>(((plain & 0xFF) << 16) | (plain & 0xFF00) | ((plain >> 16) & 0xFF));
}

std::uint8_t LxwBorder(int style) { return style == 2 ? LXW_BORDER_MEDIUM : LXW_BORDER_THIN; }

// One workbook format per distinct cell format.
class TFormatCache {
public:
    explicit TFormatCache(lxw_workbook* book) : book_(book) {}

    lxw_format* Get(const TCellFormat& cell) {
        for (const auto& [known, format] : formats_)
            if (known == cell) return format;
        lxw_format* format = workbook_add_format(book_);
        const TCellFont& font = cell.font;
        format_set_font_name(format, font.name.c_str());
        format_set_font_size(format, font.size);
        if (font.bold) format_set_bold(format);
        if (font.italic) format_set_italic(format);
        if (font.underline) format_set_underline(format, LXW_UNDERLINE_SINGLE);
        if (font.strikeout) format_set_font_strikeout(format);
        if (font.colour != kOwnerColour && PlainColour(font.colour) != 0) format_set_font_color(format, LxwColour(font.colour));
        const std::int32_t fill = FillColour(cell.fill);
        if (fill >= 0) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_fg_color(format, LxwColour(fill));
        }
        SetAlignment(format, cell);
        SetBorders(format, cell);
        if (!cell.numberFormat.empty()) format_set_num_format(format, Utf8(cell.numberFormat).c_str());
        formats_.emplace_back(cell, format);
        return format;
    }

private:
    static void SetAlignment(lxw_format* format, const TCellFormat& cell) {
        switch (cell.horizontal) {
            case kAlignLeft: format_set_align(format, LXW_ALIGN_LEFT); break;
            case kAlignCentre: format_set_align(format, LXW_ALIGN_CENTER); break;
            case kAlignRight: format_set_align(format, LXW_ALIGN_RIGHT); break;
            case kAlignCentreAcross: format_set_align(format, LXW_ALIGN_CENTER_ACROSS); break;
            default: break;
        }
        if (cell.vertical == kAlignTop) format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
        if (cell.vertical == kAlignMiddle) format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        if (cell.wrap) format_set_text_wrap(format);
    }

    static void SetBorders(lxw_format* format, const TCellFormat& cell) {
        if (cell.left.style) format_set_left(format, LxwBorder(cell.left.style)), format_set_left_color(format, LxwColour(cell.left.colour));
        if (cell.right.style) format_set_right(format, LxwBorder(cell.right.style)), format_set_right_color(format, LxwColour(cell.right.colour));
        if (cell.top.style) format_set_top(format, LxwBorder(cell.top.style)), format_set_top_color(format, LxwColour(cell.top.colour));
        if (cell.bottom.style) format_set_bottom(format, LxwBorder(cell.bottom.style)), format_set_bottom_color(format, LxwColour(cell.bottom.colour));
    }

    lxw_workbook* book_;
    std::vector<std::pair<TCellFormat, lxw_format*>> formats_;
};

// A sheet name the format accepts: at most 31 characters, none of []:*?/\.
std::string SheetName(const std::string& name) {
    std::string clean;
    for (char c : name) clean += std::string_view("[]:*?/\\").find(c) == std::string_view::npos ? c : '_';
    if (clean.empty()) clean = "Sheet1";
    return Utf8(clean.substr(0, kMaxSheetNameLength));
}

lxw_error WriteCells(lxw_worksheet* sheet, TFormatCache& formats, const TSheetModel& model, int lastRow,
                     int lastColumn) {
    for (int row = 1; row <= lastRow; ++row)
        for (int column = 1; column <= lastColumn; ++column) {
            lxw_format* format = formats.Get(model.Format(row, column));
            const lxw_row_t r = static_cast<lxw_row_t>(row - 1);
            const lxw_col_t c = static_cast<lxw_col_t>(column - 1);
            const TCellValue value = model.CellValue(row, column);
            const std::string formula = model.FormulaText(row, column);
            lxw_error error = LXW_NO_ERROR;
            if (!formula.empty())
                error = worksheet_write_formula_num(sheet, r, c, ("=" + formula).c_str(), format, value.number);
            else if (value.IsNumber())
                error = worksheet_write_number(sheet, r, c, value.number, format);
            else if (value.kind == TCellValue::Kind::Text)
                error = worksheet_write_string(sheet, r, c, Utf8(value.text).c_str(), format);
            else if (model.Format(row, column) != model.DefaultFormat())
                error = worksheet_write_blank(sheet, r, c, format);
            if (error != LXW_NO_ERROR) return error;
        }
    return LXW_NO_ERROR;
}

// The columns as wide as the PDF prints them, each holding its texts whole
// (of a wrapped text, its widest word), so that no reader breaks a word.
TCellPainter PrintedColumns(const TXlDoc& doc, int lastRow) {
    return DocumentCellPainter(doc, lastRow, kPdfResolution / kTwipsPerInch);
}

void WriteSizes(lxw_worksheet* sheet, const TSheetModel& model, const TCellPainter& columns, int lastRow,
                int lastColumn) {
    for (int row = 1; row <= lastRow; ++row)
        worksheet_set_row(sheet, static_cast<lxw_row_t>(row - 1), model.RowHeight(row) / kTwipsPerPoint, nullptr);
    for (int column = 1; column <= lastColumn; ++column)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1),
                             columns.ColumnTwips(column) / kTwipsPerCharacter, nullptr);
}

// The distance in twips from the sheet's top left corner to a fractional
// column or row edge, as the page painter places pictures.
double ColumnEdgeTwips(const TCellPainter& columns, double column) {
    const int whole = static_cast<int>(column);
    double twips = (column - whole) * columns.ColumnTwips(whole);
    for (int c = 1; c < whole; ++c) twips += columns.ColumnTwips(c);
    return twips;
}

double RowEdgeTwips(const TSheetModel& model, double row) {
    const int whole = static_cast<int>(row);
    return model.RowsHeightTwips(1, whole - 1) + (row - whole) * model.RowHeight(whole);
}

lxw_error WritePictures(lxw_worksheet* sheet, const TSheetModel& model, const TCellPainter& columns) {
    for (const TSheetPicture& picture : model.Pictures()) {
        const QImage image = QImage::fromData(picture.bytes.data(), static_cast<int>(picture.bytes.size()));
        if (image.isNull()) continue;
        const int row = static_cast<int>(picture.row1), column = static_cast<int>(picture.column1);
        const double widthTwips = ColumnEdgeTwips(columns, picture.column2) - ColumnEdgeTwips(columns, picture.column1);
        const double heightTwips = RowEdgeTwips(model, picture.row2) - RowEdgeTwips(model, picture.row1);
        lxw_image_options options{};
        options.x_offset = static_cast<std::int32_t>((picture.column1 - column) * columns.ColumnTwips(column) / kTwipsPerPixel);
        options.y_offset = static_cast<std::int32_t>((picture.row1 - row) * model.RowHeight(row) / kTwipsPerPixel);
        options.x_scale = widthTwips / kTwipsPerPixel / image.width();
        options.y_scale = heightTwips / kTwipsPerPixel / image.height();
        const lxw_error error = worksheet_insert_image_buffer_opt(
            sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1), picture.bytes.data(),
            picture.bytes.size(), &options);
        if (error != LXW_NO_ERROR) return error;
    }
    return LXW_NO_ERROR;
}

void WritePrintSettings(lxw_worksheet* sheet, const TXlDoc& doc, int lastRow, int lastColumn) {
    const TDocPageSetup& setup = doc.PageSetup();
    worksheet_set_margins(sheet, setup.marginLeft * kInchesPerTenthMm, setup.marginRight * kInchesPerTenthMm,
                          setup.marginTop * kInchesPerTenthMm, setup.marginBottom * kInchesPerTenthMm);
    if (setup.landscape) worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, static_cast<std::uint8_t>(setup.paperCode));
    worksheet_center_horizontally(sheet);
    worksheet_gridlines(sheet, LXW_HIDE_ALL_GRIDLINES);
    worksheet_set_header(sheet, Utf8(setup.header).c_str());
    worksheet_set_footer(sheet, Utf8(setup.footer).c_str());
    worksheet_print_area(sheet, 0, 0, static_cast<lxw_row_t>(lastRow - 1), static_cast<lxw_col_t>(lastColumn - 1));
    // A table wider than the page columns prints scaled to the page's width.
    if (lastColumn > doc.PageColumns()) worksheet_fit_to_pages(sheet, 1, 0);
}

std::vector<lxw_row_t> PageBreakRows(const TSheetModel& model, int lastRow) {
    std::vector<lxw_row_t> breaks;  // a break before row R is a break after 0-based row R - 1
    for (int row = model.NextPageBreak(0); row != 0 && row <= lastRow; row = model.NextPageBreak(row))
        breaks.push_back(static_cast<lxw_row_t>(row - 1));
    breaks.push_back(0);
    return breaks;
}

std::string TemporaryPathBeside(const std::string& path) {
    return path + ".part" + std::to_string(::getpid());
}

// The written bytes reach the disk before the name points at them.
bool SyncFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0) return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

}  // namespace

std::string WriteXlsxFile(const TXlDoc& doc, int lastRow, int lastColumn, const std::string& path) {
    if (!IsReplaceableByRename(path)) return std::make_error_code(std::errc::operation_not_permitted).message();
    const std::string temporary = TemporaryPathBeside(path);
    lxw_workbook* book = workbook_new(temporary.c_str());
    if (!book) return "cannot start the workbook";
    lxw_worksheet* sheet = workbook_add_worksheet(book, SheetName(doc.TableName()).c_str());
    const TSheetModel& model = doc.Sheet();
    TFormatCache formats(book);
    lxw_error error = sheet ? WriteCells(sheet, formats, model, lastRow, lastColumn) : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (error == LXW_NO_ERROR) {
        const TCellPainter columns = PrintedColumns(doc, lastRow);
        WriteSizes(sheet, model, columns, lastRow, lastColumn);
        error = WritePictures(sheet, model, columns);
        WritePrintSettings(sheet, doc, lastRow, lastColumn);
        std::vector<lxw_row_t> breaks = PageBreakRows(model, lastRow);
        if (breaks.size() > 1) worksheet_set_h_pagebreaks(sheet, breaks.data());
    }
    const lxw_error closed = workbook_close(book);  // frees the workbook in every case
    if (error == LXW_NO_ERROR) error = closed;
    std::error_code ignored;
    if (error != LXW_NO_ERROR) {
        std::filesystem::remove(temporary, ignored);
        return lxw_strerror(error);
    }
    std::error_code renamed;
    if (!SyncFile(temporary)) renamed = std::make_error_code(std::errc::io_error);
    else std::filesystem::rename(temporary, path, renamed);
    if (renamed) {
        std::filesystem::remove(temporary, ignored);
        return renamed.message();
    }
    return {};
}

}  // namespace cv
