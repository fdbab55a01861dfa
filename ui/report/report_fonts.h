#pragma once
// The fonts report tables paint with, listed ahead of their first use so that
// they can be loaded while the program waits (TIdleWarmUp).

#include <QFont>
#include <vector>

class QWidget;

namespace cv {

// The fonts of report tables placed in Owner: the cell fonts of every table
// style at the scale a sheet takes there, and the title and note labels'
// fonts. Styles share fonts: a font may be listed more than once.
std::vector<QFont> ReportTableFonts(const QWidget& owner);

}  // namespace cv
