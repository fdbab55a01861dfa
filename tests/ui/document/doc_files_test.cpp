// A document of three report screens and a chart picture written as a
// spreadsheet file and read back by an independent reader (openpyxl), and as
// PDF with the expected page count (a page rendered to PNG under
// build/screenshots); the directory that refuses the file; printing copies
// and a failing printer (no printer at all: the page print and printer
// set-up tests).
#include <gtest/gtest.h>

#include <QBuffer>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/document_files.h"
#include "tests/ui/support/pdf_words.h"
#include "tests/ui/printing/scripted_printer.h"
#include "ui/chart/qn_chart.h"
#include "ui/document/xl_doc.h"

namespace cv {
namespace {

// A report screen's sheet: a title row, three brands and a total row whose
// cells sum the brands. Units of brand b are 1000 x b + Screen.
TSheetModel ReportSheet(int screen) {
    TSheetModel sheet;
    sheet.SetMaxRow(5);
    sheet.SetMaxCol(3);
    sheet.SetText(1, 1, "Screen " + std::to_string(screen));
    sheet.SetText(1, 2, "Units");
    for (int brand = 1; brand <= 3; ++brand) {
        sheet.SetText(1 + brand, 1, "Brand " + std::string(1, static_cast<char>('A' + brand - 1)));
        sheet.SetNumber(1 + brand, 2, 1000.0 * brand + screen);
        sheet.SetFormula(1 + brand, 3, "B" + std::to_string(1 + brand) + "*2");
    }
    sheet.SetText(5, 1, "Total");
    sheet.SetFormula(5, 2, "SUM(B2:B4)");
    sheet.FormatRange(2, 2, 5, 2, [](TCellFormat& format) { format.numberFormat = "#,##0"; });
    return sheet;
}

std::vector<std::uint8_t> ChartPicture() {
    QWidget owner;
    TQNChart chart(&owner, kChartXY, 0, 0, 0, 400, 300, kChartDocumentMode);
    chart.SetGridSize(3, 2);
    for (int row = 1; row <= 3; ++row) chart.SetData(row, 1, row), chart.SetData(row, 2, row * row);
    chart.SetRepaint(true);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chart.GetPicture().save(&buffer, "PNG");
    return {png.begin(), png.end()};
}

// Cover, then each screen under its heading on a page of its own, then the
// chart under a heading on a fifth page.
void BuildDocument(TXlDoc& doc) {
    doc.HeaderFooterLines() = {"Team Alpha"};
    doc.Reset();
    doc.SetHeader("Corvantis3", "Company report", "Period 3");
    doc.AddCoverBlock({"Company report", "Firm A"}, {"Period 3"});
    for (int screen = 1; screen <= 3; ++screen) {
        doc.AddTextBlock({"Results " + std::to_string(screen)}, true);
        doc.AppendSheet(ReportSheet(screen));
    }
    doc.AddTextBlock({"Market chart"}, true);
    doc.AddPicture(ChartPicture(), 0.75);
}

// The document of BuildDocument, with no printer unless a test installs one.
class DocFilesTest : public ::testing::Test {
protected:
    DocFilesTest() { BuildDocument(doc); }
    test::RecordingUi ui;
    test::TempDir dir;
    std::optional<test::ScriptedPrinter> printer{std::in_place, std::nullopt};
    TXlDoc doc{nullptr, 65, 10, false};
};

TEST_F(DocFilesTest, SpreadsheetFileKeepsNumbersTextsAndSums) {
    const std::string path = dir / "ALPHARA03.xlsx";
    ASSERT_TRUE(doc.PrintOrSave(path, 0, 1));
    EXPECT_TRUE(ui.errorBoxes.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());  // flags 0: nothing printed, no printer asked for

    // Rows: the cover ends at 47, where the first heading block starts (the
    // heading at 47, the table from 49 to 53, a blank row); the second block
    // starts at 55 (table 57..61), the third at 63 (table 65..69).
    const std::string script =
        "import openpyxl,sys,zipfile\n"
        "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "vs=openpyxl.load_workbook(sys.argv[1],data_only=True).active\n"
        "for ref in ['A8','A47','A49','B50','C50','B53','A55','B58','B61','B69','A71']:\n"
        "  print(ref, ws[ref].value, vs[ref].value)\n"
        "print('images', [n for n in zipfile.ZipFile(sys.argv[1]).namelist() if n.startswith('xl/media/')])\n"
        "print('breaks', [b.id for b in ws.row_breaks.brk])\n"
        "import re\n"
        "ext=re.search(r'<a:ext cx=\"(\\d+)\" cy=\"(\\d+)\"', zipfile.ZipFile(sys.argv[1]).read('xl/drawings/drawing1.xml').decode())\n"
        "print('chart pixels', round(int(ext.group(1))/9525), round(int(ext.group(2))/9525))\n";
    const std::string output = test::RunPython(script, path);
    // Screen s, brand b: 1000 b + s; totals 6000 + 3 s; column C doubles column B.
    // The chart spans columns 1.05 to 11: 9.95 x 800 twips / 15 = 531 pixels
    // wide; its rows, round(8000 x 0.75 / 224) = 27 of 224 twips, 403 high.
    EXPECT_EQ(output,
              "A8 Company report Company report\n"
              "A47 Results 1 Results 1\n"
              "A49 Screen 1 Screen 1\n"
              "B50 1001 1001\n"
              "C50 =B50*2 2002\n"
              "B53 =SUM(B50:B52) 6003\n"
              "A55 Results 2 Results 2\n"
              "B58 1002 1002\n"
              "B61 =SUM(B58:B60) 6006\n"
              "B69 =SUM(B66:B68) 6009\n"
              "A71 Market chart Market chart\n"
              "images ['xl/media/image1.png']\n"
              "breaks [46, 54, 62, 70]\n"
              "chart pixels 531 403\n");
}

TEST_F(DocFilesTest, PdfHasOnePagePerBlockAndRendersAsItPrints) {
    EXPECT_EQ(doc.PageCount(), 5);  // cover, three screens, the chart
    const std::string path = dir / "document.pdf";
    ASSERT_TRUE(doc.WritePdf(path));
    EXPECT_EQ(test::PdfPageCount(path), 5);

    const QImage page = test::RenderPdfPage(path, 2, "PdfPageOfADocument");
    ASSERT_FALSE(page.isNull());
    // A4 at 70 dpi: 210 mm = 579 pixels wide, 297 mm = 819 high.
    EXPECT_NEAR(page.width(), 579, 1);
    EXPECT_NEAR(page.height(), 819, 1);
}

TEST_F(DocFilesTest, ATargetThatRefusesTheFileLosesNothingAndSaysWhere) {
    // Root writes into any directory, but never into /proc.
    std::filesystem::path readOnly = "/proc";
    if (geteuid() != 0) {
        readOnly = dir.path() / "locked";
        std::filesystem::create_directory(readOnly);
        std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    const std::string path = (readOnly / "ALPHARA03.xlsx").string();
    EXPECT_FALSE(doc.PrintOrSave(path, 0, 1));
    ASSERT_EQ(ui.errorBoxes.size(), 1u);
    EXPECT_EQ(ui.errorBoxes[0], "The document could not be written to " + path + ".");
    EXPECT_FALSE(doc.WritePdf((readOnly / "document.pdf").string()));
    EXPECT_EQ(ui.errorBoxes.size(), 2u);
    for (const auto& entry : std::filesystem::directory_iterator(readOnly))
        EXPECT_EQ(entry.path().string().find("ALPHARA03"), std::string::npos) << entry.path();
    EXPECT_FALSE(std::filesystem::exists(readOnly / "document.pdf"));
    if (geteuid() != 0) std::filesystem::permissions(readOnly, std::filesystem::perms::owner_all);

    // A complete earlier file is replaced only by a complete new one.
    const std::string good = dir / "kept.xlsx";
    test::WriteFileBytes(good, "earlier document");
    const std::string missing = (dir.path() / "no-such-directory" / "kept.xlsx").string();
    EXPECT_FALSE(doc.PrintOrSave(missing, 0, 1));
    EXPECT_EQ(test::ReadFileBytes(good), "earlier document");
}

TEST_F(DocFilesTest, PrintingCopiesAndFailures) {
    printer.emplace(test::ScriptedPrinter::Printer(9));
    EXPECT_TRUE(doc.PrintOrSave("", 0, 3));  // empty path, flags 0: nothing at all
    EXPECT_TRUE(printer->jobs.empty());
    const std::string path = dir / "printed.xlsx";
    EXPECT_TRUE(doc.PrintOrSave(path, kDocPrintDialog | kDocNoFile, 3));
    EXPECT_FALSE(std::filesystem::exists(path));  // flag 8: no file
    ASSERT_EQ(printer->jobs.size(), 3u);
    EXPECT_TRUE(printer->jobs[0].dialog);
    EXPECT_FALSE(printer->jobs[1].dialog);
    EXPECT_FALSE(printer->jobs[2].dialog);
    EXPECT_GT(printer->jobs[2].bytes, 0);

    printer->outcome = TPrintOutcome::Failed;
    EXPECT_FALSE(doc.PrintOrSave("", kDocPrintDialog, 2));
    ASSERT_EQ(ui.errorBoxes.size(), 1u);
    EXPECT_EQ(ui.errorBoxes[0], "The document could not be printed on Laser1.");  // no language file
    EXPECT_EQ(printer->jobs.size(), 4u);  // the failure stops the further copies
}

// Column A holds a wrapped text with a word wider than a document column,
// columns B and C a word each: the print widens column A to hold the long
// word, and the spreadsheet file gives every column the width it prints at.
TEST_F(DocFilesTest, TheFilesColumnsAreAsWideAsThePrintsAndHoldAWrappedTextsWidestWord) {
    TSheetModel wrapped;
    wrapped.SetMaxRow(1);
    wrapped.SetMaxCol(3);
    wrapped.SetText(1, 1, "An internationalisation study");
    wrapped.FormatRange(1, 1, 1, 1, [](TCellFormat& format) { format.wrap = true; });
    wrapped.SetText(1, 2, "Next");
    wrapped.SetText(1, 3, "Then");
    doc.AppendSheet(wrapped);
    const std::string path = dir / "wrapped.xlsx";
    ASSERT_TRUE(doc.PrintOrSave(path, 0, 1));
    const std::string pdf = dir / "wrapped.pdf";
    ASSERT_TRUE(doc.WritePdf(pdf));

    // The words of the table's row, on the last page.
    const int lastPage = test::PdfPageCount(pdf);
    EXPECT_FALSE(test::RenderPdfPage(pdf, lastPage, "PdfPageOfAWrappedWord").isNull());
    const std::vector<test::TPdfText> words = test::PdfWords(pdf, lastPage);
    const test::TPdfText* longWord = test::FindPdfText(words, "internationalisation");
    const test::TPdfText* first = test::FindPdfText(words, "An");
    const test::TPdfText* second = test::FindPdfText(words, "Next");
    const test::TPdfText* third = test::FindPdfText(words, "Then");
    ASSERT_TRUE(longWord && first && second && third);
    // Each text starts at its column's left edge plus the same padding: the
    // printed columns are as wide as the distances between their texts.
    const std::vector<std::pair<std::string, double>> printed{{"A", second->left - first->left},
                                                              {"B", third->left - second->left}};
    EXPECT_GT(printed[0].second, longWord->right - longWord->left);

    // The file keeps a width of W characters as the pixels of a column of
    // 7-pixel digits, round(7 W) + 5 padding, over 7; read back in
    // characters of 100 twips, 5 points. Both the file's pixels and the
    // print's 300-dpi edges are rounded: the widths agree within 0.75 point.
    const std::string script =
        "import openpyxl,sys\n"
        "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "for column in 'AB': print((round(ws.column_dimensions[column].width*7)-5)/7)\n";
    std::istringstream widths(test::RunPython(script, path));
    std::vector<double> filePoints;
    for (double characters = 0; widths >> characters;) filePoints.push_back(characters * 5);
    ASSERT_EQ(filePoints.size(), printed.size());
    for (std::size_t i = 0; i < printed.size(); ++i)
        EXPECT_NEAR(filePoints[i], printed[i].second, 0.75) << printed[i].first;
    EXPECT_GT(filePoints[0], longWord->right - longWord->left);
}

// A table wider than the ten page columns keeps its last columns: the file
// holds them in its print area and asks to fit the width to one page; the
// PDF pages stay as many as before.
TEST_F(DocFilesTest, AWiderTableIsNeitherCutInTheFileNorInPrint) {
    TSheetModel wide;
    wide.SetMaxRow(1);
    wide.SetMaxCol(12);
    for (int column = 1; column <= 12; ++column) wide.SetNumber(1, column, column);
    doc.AppendSheet(wide);
    EXPECT_EQ(doc.UsedColumns(), 12);
    const std::string path = dir / "wide.xlsx";
    ASSERT_TRUE(doc.PrintOrSave(path, 0, 1));
    // openpyxl leaves the width to fit at its default, one page, unset.
    const std::string script =
        "import openpyxl,sys\n"
        "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "row=[c.row for c in ws['A'] if c.value==1][0]\n"
        "print(ws.cell(row,12).value, ws.print_area[0].startswith('$A$1:$L$'), ws.page_setup.fitToWidth in (None,1),\n"
        "      ws.sheet_properties.pageSetUpPr.fitToPage)\n";
    EXPECT_EQ(test::RunPython(script, path), "12 True True True\n");
    const std::string pdf = dir / "wide.pdf";
    ASSERT_TRUE(doc.WritePdf(pdf));
    EXPECT_EQ(test::PdfPageCount(pdf), doc.PageCount());
    doc.Reset();
    EXPECT_EQ(doc.UsedColumns(), 10);
}

}  // namespace
}  // namespace cv
