// The marketing-plan document ("P") of the sample's team A after a forecast
// of period 4, read back from its spreadsheet file by openpyxl: its cover and
// header, each zone's brand forecast per market and firm forecast, the SUM
// formulas' values, and a figure against the forecast the model made.
#include <gtest/gtest.h>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "model/plan_forecast.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/decision_docs.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/document_files.h"

namespace cv {
namespace {

const char kReadBack[] = R"(import openpyxl,sys,re
ws=openpyxl.load_workbook(sys.argv[1]).active
vs=openpyxl.load_workbook(sys.argv[1],data_only=True).active
print('cover', [ws.cell(r,1).value for r in range(8,13)])
print('header', '|'.join(p.text or '' for p in (ws.oddHeader.left,ws.oddHeader.center,ws.oddHeader.right)))
print('headings', [c.value for c in ws['A'] if isinstance(c.value,str) and c.font.sz==12 and c.font.i])
print('titles', [c.value for c in ws['A'] if isinstance(c.value,str) and 'firm A' in c.value])
print('units', vs.cell([c.row for c in vs['A'] if c.value=='Units sold'][0], 6).value)
)";

class PlanDocTest : public test::ResultsTest {
protected:
    TCvDoc doc{owner.get()};
};

// Team A markets brands in M1 and M2 (none in M3, left out) in both zones.
TEST_F(PlanDocTest, TheMarketingPlanDocumentReadBack) {
    ASSERT_TRUE(RunPlanForecast(*Session).Done);
    ASSERT_TRUE(BuildMarketingPlanDoc(doc, Context(3), 0));
    const std::string output =
        test::RunPython(std::string(kReadBack) + test::kSumFormulasCheck, Session->PrivateDir() + "SAMPLEPA03.xlsx");
    EXPECT_NE(output.find("cover ['Marketing plan', ' ', 'Firm A', 'Period 3', 'Decisions for period 4']\n"
                          "header &BFirm A|&BMarketing plan|&BDecisions for period 4\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("headings ['Brand forecast', 'Firm forecast', 'Brand forecast', 'Firm forecast']\n"),
              std::string::npos)
        << output;
    const auto zone = [](const std::string& name) {
        return "'Forecast brand contribution in market M1 of zone " + name +
               ", firm A - period 4', 'Forecast brand contribution in market M2 of zone " + name +
               ", firm A - period 4', 'Forecast net contribution of firm A in zone " + name + " - period 4'";
    };
    EXPECT_NE(output.find("titles [" + zone("NORTH") + ", " + zone("SOUTH") + "]\n"), std::string::npos) << output;
    EXPECT_NE(output.find("sums True []\n"), std::string::npos) << output;

    // ALBA's units sold in M1 of the first zone, as the forecast left them.
    TCvInd& industry = *Session->Industry();
    const TSimArr* report = industry.PerResults(4).FindSimArr(kCategoryFirmFtaMarket, Context(4), "BrdRpt");
    ASSERT_NE(report, nullptr);
    const double units = static_cast<double>(report->GetReal48({1, si::brUSold}));
    ASSERT_GT(units, 0);
    EXPECT_NE(output.find("units " + std::to_string(static_cast<long long>(units)) + "\n"), std::string::npos)
        << output;
}

}  // namespace
}  // namespace cv
