// The market research studies document of team A at period 3 on the sample
// cut to two markets, zone 1: the studies chosen that the team bought, each
// under its heading, on the pages the document's rules give, the perceptual
// maps as pictures; read back from the spreadsheet file (openpyxl) and as
// PDF, two pages rendered; the advertising experiment's notes, rendered and
// read for a line drawn through them.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "core/session/session.h"
#include "core/store/cv_data.h"
#include "core/store/series.h"
#include "reports/documents/cv_doc.h"
#include "reports/documents/team_documents.h"
#include "team/document_charts.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/support/document_files.h"
#include "tests/ui/support/pdf_words.h"

namespace cv {
namespace {

// The headings (12-point italic) in order, each with whether a page break
// comes right before it, and the pictures the file holds.
const char kReadBack[] = R"(import openpyxl,sys,zipfile
ws=openpyxl.load_workbook(sys.argv[1]).active
breaks={b.id for b in ws.row_breaks.brk}
for c in ws['A']:
  if isinstance(c.value,str) and c.font.sz==12 and c.font.i:
    print(c.value, 'new page' if c.row-1 in breaks else 'same page')
print('pictures', len([n for n in zipfile.ZipFile(sys.argv[1]).namelist() if n.startswith('xl/media/')]))
print('breaks', len(breaks))
)";

class StudiesDocTest : public test::ResultsTest {
protected:
    StudiesDocTest() {
        ReopenWithSeriesChanged([](TCvData& industry) {
            TSeries& markets = *industry.MktSeries();
            std::vector<std::string> labels(markets.Labels().begin(), markets.Labels().begin() + 2);
            markets.Assign(TSeries(markets.Id(), markets.Name(), markets.Lo(), labels));
        });
    }
};

// Team A bought every market study of M1 for period 3, of M2 only the
// distribution panel, the forecast and the advertising experiment, and no
// benchmark (firm 1 + period 3 is even). Chosen: the benchmark; in M1 the
// consumer survey (1), consumer panel (2), perceptual map (16), both
// competitive intelligence studies (64, 128); in M2 the consumer survey. The
// survey of M1 starts on the page after the cover (no benchmark before it);
// the panel, the map and each of its two pictures (dimensions 1 and 2, then
// 1 and 3: Economy, Performance, Style in M1), and the advertising
// intelligence start new pages; the sales-force intelligence follows on the
// same page. M2's survey was not bought: left out.
TEST_F(StudiesDocTest, ThePagesOfTheStudiesChosenAndBought) {
    TCvDoc doc(owner.get());
    TStudySelection studies;
    studies.ZoneStudies = 1;
    studies.Markets = {1 | 2 | 16 | 64 | 128, 1, 0};
    ASSERT_TRUE(BuildStudiesReport(doc, Context(3), false, 1, studies, DocumentChartsOn(*owner), 0, 1));
    const std::string path = Session->PrivateDir() + "SAMPLESA03.xlsx";
    const std::string output = test::RunPython(kReadBack, path);
    const std::string tail = " - market M1, period 3";
    EXPECT_EQ(output.substr(0, output.find("pictures")),
              "CONSUMER SURVEY" + tail + " same page\n"
              "CONSUMER PANEL" + tail + " new page\n"
              "PERCEPTUAL MAP" + tail + " new page\n"
              "Perceptual map new page\n"
              "Axes: ECONOMY and PERFORMANCE same page\n"
              "Perceptual map new page\n"
              "Axes: ECONOMY and STYLE same page\n"
              "COMPETITIVE ADVERTISING" + tail + " new page\n"
              "COMPETITIVE SALES FORCE" + tail + " same page\n")
        << output;
    // The logo and the two maps.
    EXPECT_NE(output.find("pictures 3\n"), std::string::npos) << output;

    const std::string pdf = Session->PrivateDir() + "studies.pdf";
    ASSERT_TRUE(doc.WritePdf(pdf));
    const std::string breaks = output.substr(output.find("breaks ") + 7);
    EXPECT_EQ(test::PdfPageCount(pdf), std::stoi(breaks) + 1);
    EXPECT_FALSE(test::RenderPdfPage(pdf, 2, "StudiesDocTest_SurveyPage").isNull());
    EXPECT_FALSE(test::RenderPdfPage(pdf, 5, "StudiesDocTest_MapPage").isNull());
    // The map page names each axis whole beside its wrapped heading.
    const std::string mapPage = test::RunCommand("pdftotext -f 5 -l 5 '" + pdf + "' -");
    EXPECT_NE(mapPage.find("Performance"), std::string::npos) << mapPage;
    EXPECT_EQ(mapPage.find("\u2026"), std::string::npos) << mapPage;
}

// M2's perceptual map has two axes (Comfort, Speed): its study prints the map
// on them once, and none on a third axis it lacks. (Team A did not buy it: its
// screens are left out, and so is its heading, which nothing follows.)
TEST_F(StudiesDocTest, AMapOfTwoAxesIsPrintedOnce) {
    TCvDoc doc(owner.get());
    TStudySelection studies;
    studies.Markets = {0, 16, 0};
    ASSERT_TRUE(BuildStudiesReport(doc, Context(3), true, 1, studies, DocumentChartsOn(*owner), 0, 1));
    const std::string output = test::RunPython(kReadBack, Session->PrivateDir() + "SAMPLESA03.xlsx");
    EXPECT_EQ(output.substr(0, output.find("breaks")),
              "Perceptual map new page\n"
              "Axes: COMFORT and SPEED same page\n"
              "pictures 2\n")
        << output;
}

// The whole sample: M3 markets no brand yet in period 3.
class StudiesDocOfEveryMarketTest : public test::ResultsTest {};

// M3's perceptual map has nothing to show, no brand being marketed there:
// the document prints the study under its heading but neither the map's
// heading nor a picture of an empty map; the file holds the logo only.
TEST_F(StudiesDocOfEveryMarketTest, AMapWithoutBrandsIsLeftOut) {
    TCvDoc doc(owner.get());
    TStudySelection studies;
    studies.Markets = {0, 0, 16};
    ASSERT_TRUE(BuildStudiesReport(doc, Context(3), true, 1, studies, DocumentChartsOn(*owner), 0, 1));
    const std::string output = test::RunPython(kReadBack, Session->PrivateDir() + "SAMPLESA03.xlsx");
    EXPECT_EQ(output.substr(0, output.find("breaks")),
              "PERCEPTUAL MAP - market M3, period 3 new page\n"
              "pictures 1\n")
        << output;
}

// The pixel columns of Image (rendered at Dpi) that are dark from the top to
// the bottom of Box (in points): a line drawn down through it.
std::vector<int> LinesDownThrough(const QImage& image, int dpi, const test::TPdfText& box) {
    const double pixelsPerPoint = dpi / 72.0;
    const int top = static_cast<int>(std::ceil(box.top * pixelsPerPoint));
    const int bottom = static_cast<int>(std::floor(box.bottom * pixelsPerPoint));
    constexpr int kDark = 160;
    std::vector<int> lines;
    for (int x = static_cast<int>(box.left * pixelsPerPoint); x < box.right * pixelsPerPoint; ++x) {
        int y = top;
        while (y <= bottom && qGray(image.pixel(x, y)) < kDark) ++y;
        if (y > bottom) lines.push_back(x);
    }
    return lines;
}

// The advertising experiment of M1 (every study printed): its three notes
// under the table run on across the columns to the right of the headings, and
// no column's line is drawn down through them.
TEST_F(StudiesDocTest, TheExperimentsNotesAreNotCrossedByALine) {
    TCvDoc doc(owner.get());
    TStudySelection studies;
    studies.Markets = {256, 0, 0};
    ASSERT_TRUE(BuildStudiesReport(doc, Context(3), true, 1, studies, DocumentChartsOn(*owner), 0, 1));
    const std::string pdf = Session->PrivateDir() + "experiment.pdf";
    ASSERT_TRUE(doc.WritePdf(pdf));
    const std::vector<test::TPdfText> lines = test::PdfLines(pdf, 2);
    const test::TPdfText* first = test::FindPdfText(
        lines, "The experiment ran the period again with each brand's advertising budget 20 % higher,");
    const test::TPdfText* last = test::FindPdfText(lines, "Figures are what the brands would then have reached.");
    ASSERT_TRUE(first && last);
    const test::TPdfText notes{"notes", first->left, first->top, first->right, last->bottom};
    constexpr int kDpi = 100;
    const QImage page = test::RenderPdfPage(pdf, 2, "StudiesDocTest_ExperimentPage", kDpi);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(LinesDownThrough(page, kDpi, notes), std::vector<int>{});
}

TEST_F(StudiesDocTest, NothingChosenWritesNothing) {
    TCvDoc doc(owner.get());
    EXPECT_TRUE(BuildStudiesReport(doc, Context(3), false, 1, {}, DocumentChartsOn(*owner), 0, 1));
    EXPECT_FALSE(std::filesystem::exists(Session->PrivateDir() + "SAMPLESA03.xlsx"));
}

}  // namespace
}  // namespace cv
