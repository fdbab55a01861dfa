// Every document a team can print of the sample, read back from its
// spreadsheet file by openpyxl (every cell, the page headers and footers): the
// newsletter, the company report and the market studies, every section and
// study chosen, of each period of the installed sample and of the current
// period of every other variant (and with every study as the administrator
// prints them), and the decisions, the budget and the marketing
// plan of the coming period. None names a missing text, a period before the
// first or a number that is not one.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "model/plan_forecast.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/decision_docs.h"
#include "reports/documents/team_documents.h"
#include "team/document_charts.h"
#include "tests/reports/support/believable_text.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/support/test_industry.h"
#include "tests/ui/support/document_files.h"

namespace cv {
namespace {

// The number of documents in the directory, then each one's header and
// footer parts and cells, a line each, after the file's name.
const char kEveryText[] = R"(import openpyxl,sys,glob,os
paths=sorted(glob.glob(os.path.join(sys.argv[1],'*.xlsx')))
print('documents', len(paths))
for path in paths:
  name=os.path.basename(path)
  ws=openpyxl.load_workbook(path).active
  for part in (ws.oddHeader,ws.oddFooter):
    for p in (part.left,part.center,part.right):
      if p.text: print(name, 'header or footer:', p.text.replace('\n',' '))
  for row in ws.iter_rows():
    for c in row:
      if c.value is not None: print(name, c.coordinate+':', str(c.value).replace('\n',' '))
)";

class SampleDocumentsTest : public test::ResultsTest {
protected:
    // Every document of the team's firm written into the private directory;
    // how many.
    int WriteEveryDocument(bool printAll, bool everyPeriod) {
        const TCvInd& industry = *Session->Industry();
        TCvDoc doc(owner.get());
        const TDataContext current = Context();
        std::vector<int> copies(static_cast<std::size_t>(industry.NbFirms()), 0);
        copies.at(static_cast<std::size_t>(current.SelFirm - 1)) = 1;
        TStudySelection studies;
        studies.ZoneStudies = 1;
        studies.Markets.fill(static_cast<std::uint16_t>((1u << industry.FindSeries("StuMkt")->Count()) - 1));
        const int zones = (1 << industry.NbFtas()) - 1, markets = (1 << industry.NbMarkets()) - 1;
        constexpr int kEveryReportSection = 63, kEveryNewsletterSection = 7;
        const int first = everyPeriod ? 0 : industry.CurPeriod();
        for (int period = first; period <= industry.CurPeriod(); ++period)
            PrintTeamDocuments(doc, Context(period), printAll, copies, zones, markets, kEveryReportSection,
                               kEveryNewsletterSection, studies, 0, DocumentChartsOn(*owner), [] { return false; });
        EXPECT_TRUE(BuildDecisionsDoc(doc, current, 0));
        EXPECT_TRUE(BuildBudgetDoc(doc, current, 0));
        EXPECT_TRUE(RunPlanForecast(*Session).Done);
        EXPECT_TRUE(BuildMarketingPlanDoc(doc, current, 0));
        return 3 * (industry.CurPeriod() - first + 1) + 3;
    }
    // Writes every document, reads each back and removes it.
    void ExpectBelievable(const std::string& variant, bool printAll, bool everyPeriod) {
        const int written = WriteEveryDocument(printAll, everyPeriod);
        const std::string text = test::RunPython(kEveryText, Session->PrivateDir());
        EXPECT_EQ(text.substr(0, text.find('\n')), "documents " + std::to_string(written)) << variant;
        for (const std::string& flaw : test::FlawsIn(text)) ADD_FAILURE() << variant << ": " << flaw;
        for (const auto& entry : std::filesystem::directory_iterator(Session->PrivateDir()))
            if (entry.path().extension() == ".xlsx") std::filesystem::remove(entry.path());
    }
};

TEST_F(SampleDocumentsTest, NoDocumentOfAnyVariantShowsAFlaw) {
    for (const sample::TSampleVariant& v : test::EverySampleVariant()) {
        OpenVariant(v);
        ExpectBelievable(test::VariantName(v), false, &v == &test::EverySampleVariant().front());
    }
    Session->SetAdminView(true);
    ExpectBelievable("complete decisions, every study printed", true, false);
}

}  // namespace
}  // namespace cv
