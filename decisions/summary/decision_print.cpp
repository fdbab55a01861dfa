#include "decisions/summary/decision_print.h"

#include "core/base/ui_services.h"
#include "core/session/session.h"
#include "decisions/dialogs/decision_dialog.h"
#include "decisions/page/decision_page.h"
#include "decisions/summary/print_dec_dialog.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/decision_docs.h"
#include "shell/dialog_help.h"
#include "ui/printing/prn_setup.h"
#include "ui/user_action.h"
#include "ui/wait_cursor.h"

namespace cv {

namespace {

// Print without writing the file, or write the file only.
constexpr int kPrintFlags = kDocNoFile | 1;
constexpr int kFileOnlyFlags = 0;
enum TChoice : int { kDecisions = 1, kBudget = 2, kPlan = 3 };

void BuildDocument(TFoDecision& page, int choice, int flags) {
    if (choice == kPlan && !(Session && Session->ForecastDone)) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, "NoMktgPlanYet", {0}, TAlignment::taCenter);
        return;
    }
    std::vector<std::string> written;
    const bool built = RunUserAction([&] {
        const TWaitCursor wait;
        TCvDoc document(&page);
        switch (choice) {
            case kBudget: BuildBudgetDoc(document, page.Data, flags); break;
            case kPlan: BuildMarketingPlanDoc(document, page.Data, flags); break;
            default: BuildDecisionsDoc(document, page.Data, flags); break;
        }
        written = document.WrittenFiles();
    });
    // A file written instead of a print: the team is told where it is.
    if (built && flags == kFileOnlyFlags) ReportFilesWritten(written);
}

}  // namespace

void PrintDecisionDocument(TFoDecision& page, int choice) {
    int spreadsheetOnly = 0;
    QWidget& opener = page.OpenDialog() ? static_cast<QWidget&>(*page.OpenDialog()) : page;
    TFoPrintDec dialog(&opener, spreadsheetOnly, choice);
    if (ExecWithHelp(opener, dialog, hcPrinting) != QDialog::Accepted) return;
    BuildDocument(page, choice, spreadsheetOnly == 1 ? kFileOnlyFlags : kPrintFlags);
}

}  // namespace cv
