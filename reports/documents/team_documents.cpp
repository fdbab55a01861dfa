#include "reports/documents/team_documents.h"

#include <string>

#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/documents/cv_doc.h"

namespace cv {
namespace {

// Lines of the wait notice's entry: the wait line, then one per document.
constexpr char kProgressKey[] = "PrintProgress";
constexpr int kWaitLine = 1, kNewsletterLine = 2, kReportLine = 3, kStudiesLine = 4;

// The wait notice announcing the document of Line for Context's firm.
void Announce(int line, const TDataContext& context) {
    std::string text, wait;
    if (Translator) {
        Translator->MessagesLine(kProgressKey, line, text);
        Translator->MessagesLine(kProgressKey, kWaitLine, wait);
    }
    Ui().ShowProgressBox({Session ? Session->ExpandTokens(text, context) : text, wait});
}

}  // namespace

void PrintTeamDocuments(TCvDoc& doc, const TDataContext& context, bool printAll, const std::vector<int>& copies,
                        int zoneMask, int marketMask, int reportSections, int newsletterSections,
                        const TStudySelection& studies, int outputFlags, const TDocumentCharts& charts,
                        const std::function<bool()>& cancelled) {
    TDataContext firmContext = context;
    const int firms = Session && Session->Industry() ? Session->Industry()->NbFirms() : 0;
    for (int firm = 1; firm <= firms && !cancelled(); ++firm) {
        const int firmCopies = static_cast<std::size_t>(firm) <= copies.size() ? copies[firm - 1] : 0;
        if (firmCopies <= 0) continue;
        firmContext.SelFirm = static_cast<std::int16_t>(firm);
        if (newsletterSections != 0) {
            Announce(kNewsletterLine, firmContext);
            BuildNewsletter(doc, firmContext, zoneMask, marketMask, newsletterSections, outputFlags, firmCopies);
        }
        if (cancelled()) break;
        if (reportSections != 0) {
            Announce(kReportLine, firmContext);
            BuildCompanyReport(doc, firmContext, zoneMask, marketMask, reportSections, outputFlags, firmCopies);
        }
        if (cancelled()) break;
        if (!studies.Empty()) {
            Announce(kStudiesLine, firmContext);
            BuildStudiesReport(doc, firmContext, printAll, zoneMask, studies, charts, outputFlags, firmCopies);
        }
    }
    Ui().CloseProgressBox();
}

}  // namespace cv
