#pragma once
// The two clipboard forms of a block of a sheet: tab-separated text of what
// the cells show, and an HTML table that keeps fonts, colours, fills and
// alignment.

#include <string>

#include "ui/sheet/sheet_model.h"

namespace cv {

std::string SheetAsTabText(const TSheetModel& model, int row1, int column1, int row2, int column2);
std::string SheetAsHtml(const TSheetModel& model, int row1, int column1, int row2, int column2);
// Puts both forms of the block on the system clipboard.
void CopySheetToClipboard(const TSheetModel& model, int row1, int column1, int row2, int column2);

}  // namespace cv
