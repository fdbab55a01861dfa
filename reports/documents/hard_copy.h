#pragma once
// The hard copy ("H") of the report screen a page shows: its table as shown,
// from the fifth row, under a header that names the page; no cover page. It
// is printed through the print dialog and written as a file as well. A chart
// shown is copied the same way, as its picture.

#include <QImage>

#include "core/store/data_context.h"

namespace cv {

class TCvDoc;
class TCVScreen;

// Context is the page's; its period is both the current and the decision
// period of the document. The header's centre names the page by its window
// number, as the documents of its kind are named: 1 the decisions, 2 the
// company report (the results), 3 the newsletter, 4 the market research
// studies, 5 the graphs, 6 the team; none for another. Returns whether the
// file and the print succeeded.
bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, int windowNumber, const TCVScreen& screen);
// The same hard copy of a chart: its Picture across the page under the header.
bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, int windowNumber, const QImage& picture);

}  // namespace cv
