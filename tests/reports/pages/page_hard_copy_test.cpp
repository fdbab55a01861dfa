// The hard copy ("H") of the screen a report page shows, printed from the
// main window's print button: one print job through the print dialog, and
// the file beside it with the page's header lines and the screen's table
// from the fifth row, without a cover page.
#include <gtest/gtest.h>

#include "core/base/file_routines.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "reports/pages/newsletter_page.h"
#include "reports/pages/results_page.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/document_files.h"

namespace cv {
namespace {

const char kReadBack[] = R"(import openpyxl,sys
ws=openpyxl.load_workbook(sys.argv[1]).active
for name,part in (('header',ws.oddHeader),('footer',ws.oddFooter)):
  print(name, '|'.join(p.text or '' for p in (part.left,part.center,part.right)))
print('first', min(c.row for row in ws.iter_rows() for c in row if c.value is not None), ws['A5'].value)
print('breaks', [b.id for b in ws.row_breaks.brk])
)";

class PageHardCopyTest : public test::ResultsTest {
protected:
    PageHardCopyTest() { Main().RefreshAll(); }
    QWidget* ShownWindow() override { return &Main(); }

    // Shows the page of class Page and presses print: the file's header and
    // footer lines and where its table starts.
    template <class Page>
    std::string PrintedHardCopy() {
        auto* page = Main().findChild<Page*>();
        Main().ShowPage(page);
        test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
        Main().sbPrintClick();
        EXPECT_EQ(printer.jobs.size(), 1u);
        EXPECT_TRUE(!printer.jobs.empty() && printer.jobs[0].dialog);
        return test::RunPython(kReadBack, Session->PrivateDir() + "SAMPLEHA03.xlsx");
    }
    // The footer: left line 1, the program and version before line 2, the
    // right part left to the page number.
    static std::string Footer() {
        return "footer Industry SAMPLE|Corvantis3 Team " + GetFileVersionString(RunningExecutableFileName(), true) +
               " - team document|&P/&N\n";
    }
};

// The scorecard's title is its first line, in row 5.
TEST_F(PageHardCopyTest, TheResultsPageNamesTheCompanyReport) {
    EXPECT_EQ(PrintedHardCopy<TFoResult>(), "header &BFirm A|&BCompany report|&BPeriod 3\n" + Footer() +
                                                "first 5 Scorecard of firm A in zone NORTH - period 3\nbreaks []\n");
}

TEST_F(PageHardCopyTest, TheNewsletterPageNamesTheNewsletter) {
    const std::string output = PrintedHardCopy<TFoNLetter>();
    EXPECT_EQ(output.substr(0, output.find("first")), "header &BFirm A|&BNewsletter|&BPeriod 3\n" + Footer());
    EXPECT_EQ(output.substr(output.find("first"), 8), "first 5 ");
}

}  // namespace
}  // namespace cv
