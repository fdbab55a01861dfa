#pragma once
// How a document falls into pages and how each page is painted: the rows of
// the print area split at the page breaks and wherever the next row would
// run past the printable height; each page centred across, its header in the
// top margin and its footer in the bottom margin. Printing and PDF use the
// same painter.

#include <QDate>
#include <vector>

#include "ui/document/xl_doc.h"
#include "ui/sheet/cell_painter.h"

class QPagedPaintDevice;

namespace cv {

// Twips in a tenth of a millimetre's inverse: tenths x this = twips.
inline constexpr double kTwipsPerTenthMm = 1440.0 / 254.0;

struct TPageRows {
    int first = 1;
    int last = 1;
    bool operator==(const TPageRows&) const = default;
};

// The pages of rows 1..LastRow: a page ends before a page break and before a
// row that would make it taller than PrintableHeight (tenths of a
// millimetre); a row taller than a page has a page of its own.
std::vector<TPageRows> PaginateRows(const TSheetModel& sheet, int lastRow, int printableHeight);

// A painter of Doc's cells at PixelsPerTwip whose columns are widened so that
// every text of rows 1..LastRow prints whole: the pages are painted with it
// and the spreadsheet file takes its column widths.
TCellPainter DocumentCellPainter(const TXlDoc& doc, int lastRow, double pixelsPerTwip);

// Paints every page of Doc (rows 1..LastRow, the page columns) on Device,
// whose page layout it sets. False when the device cannot be painted on.
bool PaintDocumentPages(const TXlDoc& doc, int lastRow, QPagedPaintDevice& device, const QDate& date);

}  // namespace cv
