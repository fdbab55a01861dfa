#include "ui/document/doc_pages.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

#include "ui/cp1252.h"
#include "ui/document/header_footer.h"
#include "ui/sheet/cell_ref.h"

namespace cv {
namespace {

constexpr double kTenthsPerMillimetre = 10.0;

QPageLayout FullPageLayout(const TDocPageSetup& setup) {
    // The sizes are already swapped for landscape; the device gets the paper
    // upright and the orientation, as a printer expects.
    const double shortSide = std::min(setup.pageWidth, setup.pageHeight) / kTenthsPerMillimetre;
    const double longSide = std::max(setup.pageWidth, setup.pageHeight) / kTenthsPerMillimetre;
    QPageLayout layout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter),
                       setup.pageWidth > setup.pageHeight ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

void PaintPageParts(QPainter& painter, const std::string& codes, const TPageFields& fields, const QRectF& band,
                    double pixelsPerTwip) {
    const std::array<TPagePart, 3> parts = ExpandPageParts(codes, fields);
    const std::array<Qt::Alignment, 3> alignments{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].text.empty()) continue;
        painter.setFont(SheetFont(parts[i].font, pixelsPerTwip));
        painter.setPen(Qt::black);
        painter.drawText(band, static_cast<int>(alignments[i] | Qt::AlignVCenter),
                         Cp1252ToQString(parts[i].text));
    }
}

void DrawPicture(QPainter& painter, const TSheetPicture& picture, const QRectF& target) {
    const QImage image = QImage::fromData(picture.bytes.data(), static_cast<int>(picture.bytes.size()));
    if (!image.isNull()) painter.drawImage(target, image);
}

}  // namespace

std::vector<TPageRows> PaginateRows(const TSheetModel& sheet, int lastRow, int printableHeight) {
    const double pageTwips = printableHeight * kTwipsPerTenthMm;
    std::vector<TPageRows> pages;
    int first = 1;
    double height = 0.0;
    for (int row = 1; row <= lastRow; ++row) {
        const int rowHeight = sheet.RowHeight(row);
        const bool forcedBreak = row > first && sheet.NextPageBreak(row - 1) == row;
        if (row > first && (forcedBreak || height + rowHeight > pageTwips)) {
            pages.push_back({first, row - 1});
            first = row;
            height = 0.0;
        }
        height += rowHeight;
    }
    if (lastRow >= 1) pages.push_back({first, lastRow});
    return pages;
}

TCellPainter DocumentCellPainter(const TXlDoc& doc, int lastRow, double pixelsPerTwip) {
    TCellPainter cells(doc.Sheet(), pixelsPerTwip);
    // A column narrower than a text it holds is widened for the print.
    cells.WidenColumnsToTexts(1, std::max(lastRow, 1), 1, doc.UsedColumns());
    return cells;
}

bool PaintDocumentPages(const TXlDoc& doc, int lastRow, QPagedPaintDevice& device, const QDate& date) {
    const TDocPageSetup& setup = doc.PageSetup();
    device.setPageLayout(FullPageLayout(setup));
    const std::vector<TPageRows> pages = PaginateRows(doc.Sheet(), lastRow, setup.printableHeight);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double pixelsPerTwip = device.logicalDpiY() / kTwipsPerInch;
    const double pixelsPerTenth = pixelsPerTwip * kTwipsPerTenthMm;
    TCellPainter cells = DocumentCellPainter(doc, lastRow, pixelsPerTwip);
    cells.SetPictureDrawer(DrawPicture);
    // A text wider than the table (a screen's title, a note under it) runs on
    // over the empty columns to its right: the block reaches as far as its
    // texts do, and is centred and scaled down to the printable width as one.
    const double blockWidth = cells.TextsReach(1, std::max(lastRow, 1), 1, doc.UsedColumns());
    int lastColumn = doc.UsedColumns();
    while (lastColumn < kSheetColumnLimit && cells.ColumnOffset(1, lastColumn + 1) < blockWidth) ++lastColumn;
    const double printableWidth = setup.printableWidth * pixelsPerTenth;
    // A block wider than the printable width is scaled down to fit it.
    const double scale = std::min(1.0, printableWidth / blockWidth);
    const double left = setup.marginLeft * pixelsPerTenth + std::max(0.0, (printableWidth - blockWidth * scale) / 2);
    const QRectF headerBand(setup.marginLeft * pixelsPerTenth, 0, printableWidth, setup.marginTop * pixelsPerTenth);
    const QRectF footerBand(setup.marginLeft * pixelsPerTenth, (setup.pageHeight - setup.marginBottom) * pixelsPerTenth,
                            printableWidth, setup.marginBottom * pixelsPerTenth);
    TPageFields fields{QLocale().toString(date, QLocale::ShortFormat).toStdString(), 1,
                       static_cast<int>(pages.size())};
    for (const TPageRows& page : pages) {
        if (fields.page > 1 && !device.newPage()) return false;
        painter.save();
        painter.translate(left, setup.marginTop * pixelsPerTenth);
        painter.scale(scale, scale);
        cells.PaintBlock(painter, QPointF(0, 0), page.first, page.last, 1, lastColumn);
        painter.restore();
        PaintPageParts(painter, setup.header, fields, headerBand, pixelsPerTwip);
        PaintPageParts(painter, setup.footer, fields, footerBand, pixelsPerTwip);
        ++fields.page;
    }
    return painter.end();
}

}  // namespace cv
