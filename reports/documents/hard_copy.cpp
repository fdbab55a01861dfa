#include "reports/documents/hard_copy.h"

#include <array>

#include "reports/documents/cv_doc.h"

namespace cv {
namespace {

constexpr int kFirstRow = 5;
// Print through the print dialog and write the file.
constexpr int kHardCopyFlags = kDocPrintDialog | 1;
// The centre line of "Headers" of page windows 1 to 6.
constexpr std::array<int, 6> kPageTitleLines{10, 3, 4, 9, 12, 13};

int PageTitleLine(int windowNumber) {
    return windowNumber >= 1 && windowNumber <= static_cast<int>(kPageTitleLines.size())
               ? kPageTitleLines[static_cast<std::size_t>(windowNumber - 1)]
               : 0;
}

// The document emptied, under the header naming the page, for the page's period.
void OpenHardCopy(TCvDoc& doc, const TDataContext& context, int windowNumber) {
    const TDocKindSettings& settings = DocKindSettings(TDocKind::HardCopy);
    doc.DocContext = context;
    doc.DocContext.CurPeriod = context.SelPeriod;
    doc.DocContext.DecPeriod = context.SelPeriod;
    doc.Reset();
    doc.AddDocHeaders(settings.headers[0], PageTitleLine(windowNumber), settings.headers[2]);
    doc.AddDocFooters(1, 2, 0);
    doc.SetCurrentRow(kFirstRow);
}

}  // namespace

bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, int windowNumber, const TCVScreen& screen) {
    OpenHardCopy(doc, context, windowNumber);
    doc.AddBuiltScreen(screen);
    return doc.CloseDocument(TDocKind::HardCopy, kHardCopyFlags, 1);
}

bool PrintModuleWindow(TCvDoc& doc, const TDataContext& context, int windowNumber, const QImage& picture) {
    OpenHardCopy(doc, context, windowNumber);
    if (!picture.isNull() && picture.width() > 0)
        doc.AddImage(picture, static_cast<double>(picture.height()) / picture.width());
    return doc.CloseDocument(TDocKind::HardCopy, kHardCopyFlags, 1);
}

}  // namespace cv
