#pragma once
// TTableShape: the geometry a report table is defined with, named field by
// field so that a screen states only what differs from an empty table:
//     table.DefineTable({.titleRows = 1, .bodyRows = rows, .headingCols = 2, .bodyCols = brands});
// Every count left out is 0; the visible part is unlimited unless a screen
// caps it (the table then scrolls and keeps its total rows and columns in view).

namespace cv {

// A visible-rows or visible-columns cap that never binds.
inline constexpr int kAllVisible = 32767;

struct TTableShape {
    int titleRows = 0;
    int bodyRows = 0;
    int totalRows = 0;
    int headingCols = 0;
    int bodyCols = 0;
    int totalCols = 0;
    // Trailing empty body rows are dropped down to this many.
    int minBodyRows = 0;
    int minBodyCols = 0;
    int maxVisibleRows = kAllVisible;
    int maxVisibleCols = kAllVisible;
};

}  // namespace cv
