// The decisions ("D") and budget ("B") documents of the sample's team A for
// the decision period 4, and the company report's past decisions made of the
// same summaries, read back from their spreadsheet files by openpyxl:
// the cover, headers and footers, the headings and screens in their order
// (screens with nothing to show left out), every formula's value against the
// cells it sums; the PDF's pages counted and one page rendered.
#include <gtest/gtest.h>
#include <filesystem>

#include "core/base/file_routines.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/decision_docs.h"
#include "reports/documents/team_documents.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/document_files.h"

namespace cv {
namespace {

// Prints the cover texts (and the size of row 11's font), the header and
// footer parts, the page breaks, the section headings (12-point italic) and
// the screens' titles (column A texts naming firm A) in order, then how many
// SUM formulas there are and which of them does not hold the sum of the
// values in its range.
const char kReadBack[] = R"(import openpyxl,sys,re
ws=openpyxl.load_workbook(sys.argv[1]).active
vs=openpyxl.load_workbook(sys.argv[1],data_only=True).active
print('cover', [ws.cell(r,1).value for r in range(8,13)], ws['A11'].font.sz)
for name,part in (('header',ws.oddHeader),('footer',ws.oddFooter)):
  print(name, '|'.join(p.text or '' for p in (part.left,part.center,part.right)))
print('breaks', [b.id for b in ws.row_breaks.brk])
print('headings', [c.value for c in ws['A'] if isinstance(c.value,str) and c.font.sz==12 and c.font.i])
print('titles', [c.value for c in ws['A'] if isinstance(c.value,str) and 'firm A' in c.value])
)";

class DecisionDocsTest : public test::ResultsTest {
protected:
    // The footer names the program and its version before its own line.
    static std::string Footer() {
        return "Industry SAMPLE|Corvantis3 Team " + GetFileVersionString(RunningExecutableFileName(), true) +
               " - team document|Confidential";
    }
    TCvDoc doc{owner.get()};
};

// Team A markets brands in M1 and M2 only and has R&D projects in M1 and M3
// only, so the brand decisions of M3 and the projects of M2 are left out. The
// R&D projects and the loan belong to the firm, not to a zone: they come once,
// in the first zone. The sales force of every channel is shared equally by the
// five brands: 20 % each, a total of 100.
TEST_F(DecisionDocsTest, TheDecisionsDocumentReadBack) {
    ASSERT_TRUE(BuildDecisionsDoc(doc, Context(3), 0));
    const std::string path = Session->PrivateDir() + "SAMPLEDA03.xlsx";
    const auto zone = [](const std::string& name, bool firmWide) {
        return "'Brand decisions for period 4 in market M1 of zone " + name +
               ", firm A', 'Brand decisions for period 4 in market M2 of zone " + name +
               ", firm A', 'Sales force decisions for period 4 in zone " + name + ", firm A', " +
               (firmWide ? "'R&D projects for period 4 in market M1, firm A', "
                           "'R&D projects for period 4 in market M3, firm A', "
                         : "") +
               "'Market studies ordered for period 4 in zone " + name + ", firm A', " +
               (firmWide ? "'Budget change and loan for period 4, firm A', " : "") + "'Budget of firm A in zone " +
               name + " - period 4'";
    };
    const std::string output = test::RunPython(std::string(kReadBack) + test::kSumFormulasCheck, path);
    EXPECT_EQ(output.substr(0, output.find("breaks")),
              "cover ['Decisions', ' ', 'Firm A', 'Period 3', 'Decisions for period 4'] 12.0\n"
              "header &BFirm A|&BDecisions|&BDecisions for period 4\n"
              "footer " + Footer() + "\n");
    EXPECT_NE(output.find("headings ['Decisions', 'Budget', 'Decisions', 'Budget']\n"), std::string::npos) << output;
    EXPECT_NE(output.find("titles [" + zone("NORTH", true) + ", " + zone("SOUTH", false) + "]\n"), std::string::npos)
        << output;
    EXPECT_NE(output.find("sums True []\n"), std::string::npos) << output;

    const std::string read = "import openpyxl,sys\nws=openpyxl.load_workbook(sys.argv[1],data_only=True).active\n"
                             "r=[c.row for c in ws['B'] if c.value=='TOTAL'][0]\nprint(ws.cell(r,6).value)\n";
    EXPECT_NEAR(std::stod(test::RunPython(read, path)), 100, 1e-6);

    // The pages end at the breaks of the file: the cover, then every block whole.
    const std::string breaks = output.substr(output.find("breaks"));
    const int breakCount = static_cast<int>(std::count(breaks.begin(), breaks.begin() + breaks.find('\n'), ',')) + 1;
    const std::string pdf = Session->PrivateDir() + "decisions.pdf";
    ASSERT_TRUE(doc.WritePdf(pdf));
    EXPECT_EQ(test::PdfPageCount(pdf), breakCount + 1);
    EXPECT_EQ(doc.PageCount(), breakCount + 1);
    const QImage page = test::RenderPdfPage(pdf, 2, "DecisionDocsTest_DecisionsPage");
    EXPECT_FALSE(page.isNull());
    test::RenderPdfPage(pdf, 1, "DecisionDocsTest_DecisionsCover");
}

// The budget of each zone: the total, the brands of M1 and M2 (none in M3);
// the firm's R&D projects once, in the first zone.
TEST_F(DecisionDocsTest, TheBudgetDocumentReadBack) {
    ASSERT_TRUE(BuildBudgetDoc(doc, Context(3), 0));
    const std::string output =
        test::RunPython(std::string(kReadBack) + test::kSumFormulasCheck, Session->PrivateDir() + "SAMPLEBA03.xlsx");
    const auto zone = [](const std::string& name, bool firmWide) {
        return "'Budget of firm A in zone " + name + " - period 4', 'Brand budget of firm A in zone " + name +
               " - period 4', 'Brand budget of firm A in zone " + name + " - period 4'" +
               (firmWide ? ", 'R&D budget of firm A - period 4'" : "");
    };
    EXPECT_NE(output.find("cover ['Budget', ' ', 'Firm A', 'Period 3', 'Decisions for period 4'] 12.0\n"
                          "header &BFirm A|&BBudget|&BDecisions for period 4\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("headings ['Budget for period 4', 'Budget for period 4']\n"), std::string::npos) << output;
    EXPECT_NE(output.find("titles [" + zone("NORTH", true) + ", " + zone("SOUTH", false) + "]\n"), std::string::npos)
        << output;
    EXPECT_NE(output.find("sums True []\n"), std::string::npos) << output;
}

// The company report of period 2 for both zones, with its R&D section and
// past decisions. The R&D projects and the loan belong to the firm, not to a
// zone: the R&D section, and the R&D projects and loan of the past decisions,
// come once, in the first zone. The screens' titles are read in order.
TEST_F(DecisionDocsTest, TheCompanyReportShowsTheFirmsPartsOnce) {
    constexpr int kRnDSection = 4, kPastDecisions = 32, kBothZones = 3, kEveryMarket = 7;
    ASSERT_TRUE(BuildCompanyReport(doc, Context(2), kBothZones, kEveryMarket, kRnDSection | kPastDecisions, 0, 1));
    const char kScreenTitles[] = "import openpyxl,sys\nws=openpyxl.load_workbook(sys.argv[1]).active\n"
                                 "print([c.value for c in ws['A'] if isinstance(c.value,str) and c.font.sz==10 and c.font.b])\n";
    const auto zone = [](const std::string& name, bool firmWide) {
        return "'Brand decisions for period 2 in market M1 of zone " + name +
               ", firm A', 'Brand decisions for period 2 in market M2 of zone " + name +
               ", firm A', 'Sales force decisions for period 2 in zone " + name + ", firm A', " +
               (firmWide ? "'R&D projects for period 2 in market M2, firm A', " : "") +
               "'Market studies ordered for period 2 in zone " + name + ", firm A'" +
               (firmWide ? ", 'Budget change and loan for period 2, firm A'" : "");
    };
    EXPECT_EQ(test::RunPython(kScreenTitles, Session->PrivateDir() + "SAMPLERA02.xlsx"),
              "['All R&D projects in market M1', 'All R&D projects in market M2', " + zone("NORTH", true) + ", " +
                  zone("SOUTH", false) + "]\n");
}

// Flags 9 print one copy without writing the file; the firm's initial comes
// from the document's context.
TEST_F(DecisionDocsTest, PrintedOnceWithoutAFile) {
    test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
    TDataContext context = Context(3);
    context.SelFirm = 2;
    EXPECT_TRUE(BuildBudgetDoc(doc, context, kDocNoFile | 1));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_FALSE(printer.jobs[0].dialog);
    EXPECT_FALSE(std::filesystem::exists(Session->PrivateDir() + "SAMPLEBE03.xlsx"));
    EXPECT_TRUE(BuildBudgetDoc(doc, context, 0));
    EXPECT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(Session->PrivateDir() + "SAMPLEBE03.xlsx"));
}

}  // namespace
}  // namespace cv
