#include "reports/documents/hard_copy.h"

#include "reports/documents/cv_doc.h"

namespace cv {
namespace {

constexpr int kFirstRow = 5;
// Print through the print dialog and write the file.
constexpr int kHardCopyFlags = kDocPrintDialog | 1;

}  // namespace

bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, THardCopyTitle title, const TCVScreen& screen) {
    const TDocKindSpec& spec = DocKindSpec(TDocKind::HardCopy);
    doc.DocContext = context;
    doc.DocContext.CurPeriod = context.SelPeriod;
    doc.DocContext.DecPeriod = context.SelPeriod;
    doc.Reset();
    doc.AddDocHeaders(spec.headers[0], static_cast<int>(title), spec.headers[2]);
    doc.AddDocFooters(1, 2, 0);
    doc.SetCurrentRow(kFirstRow);
    doc.AddBuiltScreen(screen);
    return doc.CloseDocument(TDocKind::HardCopy, kHardCopyFlags, 1);
}

}  // namespace cv
