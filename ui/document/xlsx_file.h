#pragma once
// Writes a document's sheet as a spreadsheet file (".xlsx", through
// libxlsxwriter): texts, numbers, formulas with their computed values, cell
// formats, row heights, column widths (widened as the PDF widens them, so
// that no wrapped word is broken), pictures, page breaks and the print
// settings. The file is written under a temporary name in the target
// directory and renamed over the path only when complete.

#include <string>

#include "ui/document/xl_doc.h"

namespace cv {

// Rows 1..LastRow and columns 1..LastColumn of Doc to Path; "" on success,
// else what failed.
std::string WriteXlsxFile(const TXlDoc& doc, int lastRow, int lastColumn, const std::string& path);

}  // namespace cv
