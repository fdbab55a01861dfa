#pragma once
// The hard copy ("H") of the report screen a page shows: its table as shown,
// from the fifth row, under a header that names the page; no cover page. It
// is printed through the print dialog and written as a file as well.

#include "core/store/data_context.h"

namespace cv {

class TCvDoc;
class TCVScreen;

// The centre line of "Headers" that names a page in its hard copy: the title
// of the page's own documents.
enum class THardCopyTitle : int { Results = 3, Newsletter = 4 };

// Context is the page's; its period is both the current and the decision
// period of the document. Returns whether the file and the print succeeded.
bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, THardCopyTitle title, const TCVScreen& screen);

}  // namespace cv
