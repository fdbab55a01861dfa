// Document layout: page geometry by paper and orientation, the cover page,
// headings that stay with their tables, blocks that are never cut, headers
// and footers, and the picture list that a reset empties whatever its length.
#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"
#include "tests/ui/printing/scripted_printer.h"
#include "ui/document/doc_pages.h"
#include "ui/document/header_footer.h"
#include "ui/document/xl_doc.h"

namespace cv {
namespace {

// A sheet of Rows rows of standard height holding a number each.
TSheetModel NumberSheet(int rows) {
    TSheetModel sheet;
    sheet.SetMaxRow(rows);
    sheet.SetMaxCol(2);
    for (int row = 1; row <= rows; ++row) sheet.SetNumber(row, 2, row);
    return sheet;
}

class DocLayoutTest : public ::testing::Test {
protected:
    test::RecordingUi ui;
};

// A portrait document of 65 rows and 10 columns with no printer.
class PortraitDocTest : public DocLayoutTest {
protected:
    test::ScriptedPrinter none{std::nullopt};
    TXlDoc doc{nullptr, 65, 10, false};
};

TEST_F(DocLayoutTest, PageGeometryByPaperAndOrientation) {
    struct Case {
        std::optional<TPrinterChoice> printer;
        bool landscape;
        int pageWidth, pageHeight, columnWidth, rowHeight, paperCode;
    };
    // A4 portrait: printable height 2970 - 400 = 2570 tenths = 2570 / 0.1763888
    // = 14570 twips; / 65 rows = 224. Landscape: 2100 - 400 = 1700 -> 9638 / 65
    // = 148; columns 2048 x 1.4 = 2867. Letter: 2794 - 400 = 2394 -> 13572 / 65
    // = 209. The note paper (18) prints as letter.
    const std::vector<Case> cases{
        {std::nullopt, false, 2100, 2970, 2048, 224, 9},
        {std::nullopt, true, 2970, 2100, 2867, 148, 9},
        {test::ScriptedPrinter::Printer(1), false, 2159, 2794, 2048, 209, 1},
        {test::ScriptedPrinter::Printer(18), false, 2159, 2794, 2048, 209, 1},
        {test::ScriptedPrinter::Printer(8, false), false, 4200, 2970, 2048, 0, 8},
    };
    for (const Case& c : cases) {
        test::ScriptedPrinter printer(c.printer);
        TXlDoc doc(nullptr, 65, 10, c.landscape);
        const TDocPageSetup& setup = doc.PageSetup();
        EXPECT_EQ(setup.pageWidth, c.pageWidth);
        EXPECT_EQ(setup.pageHeight, c.pageHeight);
        EXPECT_EQ(setup.printableWidth, c.pageWidth - 260);
        EXPECT_EQ(doc.ColumnWidth(), c.columnWidth);
        EXPECT_EQ(doc.Sheet().ColumnWidth(10), c.columnWidth);
        if (c.rowHeight) {
            EXPECT_EQ(doc.RowHeight(), c.rowHeight);
        }
        EXPECT_EQ(setup.paperCode, c.paperCode);
    }
    EXPECT_TRUE(ui.plainBoxes.empty());
    test::ScriptedPrinter odd(test::ScriptedPrinter::Printer(77));
    TXlDoc doc(nullptr, 65, 10, false);
    ASSERT_EQ(ui.plainBoxes.size(), 1u);
    EXPECT_EQ(ui.plainBoxes[0], "Unknown page format ! Using A4 sizes (210mm x 297 mm)");
    EXPECT_EQ(doc.PageSetup().pageHeight, 2970);
}

TEST_F(DocLayoutTest, CoverPageRowsFontsAndLogo) {
    test::ScriptedPrinter none(std::nullopt);
    for (const bool landscape : {false, true}) {
        TXlDoc doc(nullptr, 65, 10, landscape);
        doc.HeaderFooterLines() = {"Team Alpha", "Period 3"};
        QImage logo(200, 100, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        doc.SetLogo(logo);
        doc.Reset();
        doc.AddCoverBlock({"Company report", "", "Firm A"}, {"Market research"});
        const TSheetModel& sheet = doc.Sheet();
        const int title = landscape ? 2 : 8, subtitle = landscape ? 8 : 16, holder = landscape ? 31 : 41;
        const int end = landscape ? 35 : 47;
        EXPECT_EQ(sheet.Text(title, 1), "Company report");
        EXPECT_EQ(sheet.Text(title + 1, 1), "Firm A");  // empty title lines are skipped
        EXPECT_EQ(sheet.Format(title, 1).font.size, 24);
        EXPECT_EQ(sheet.Format(title + 1, 1).font.size, 18);
        EXPECT_EQ(sheet.Format(title, 1).bottom.style, 5);  // the line under the first title
        EXPECT_EQ(sheet.Format(title + 1, 10).right.style, 5);
        EXPECT_EQ(sheet.Text(subtitle, 1), "Market research");
        EXPECT_TRUE(sheet.Format(subtitle, 1).font.italic);
        EXPECT_EQ(sheet.Text(holder, 1), "Team Alpha");
        EXPECT_EQ(sheet.Text(holder + 1, 1), "Period 3");
        EXPECT_EQ(sheet.Format(holder, 5).horizontal, kAlignCentreAcross);
        ASSERT_EQ(doc.PictureIds().size(), 1u);
        // The logo runs from two rows (one in landscape) below the subtitle.
        EXPECT_EQ(sheet.Pictures()[0].row1, subtitle + (landscape ? 1 : 2));
        // The 200 x 100 logo keeps its proportions inside the logo rows (to 38, 30 in landscape).
        const TSheetPicture& placed = sheet.Pictures()[0];
        const double width = (placed.column2 - placed.column1) * sheet.ColumnWidthTwips(1);
        const double height = (placed.row2 - placed.row1) * sheet.RowHeight(placed.row1);
        EXPECT_NEAR(width / height, 2.0, 0.01);
        EXPECT_LE(placed.row2, (landscape ? 30 : 38) + 1);
        EXPECT_EQ(doc.CurrentRow(), end);
        EXPECT_EQ(sheet.NextPageBreak(0), end);
        EXPECT_EQ(doc.PageCount(), 1);
    }
}

// A line of texts each longer than its column (the map page's "Horizontal
// axis:", the axis, how to read it) shows each whole: the texts with a
// neighbour wrap and the row grows to their lines, rather than each being cut
// by its neighbour; the last runs on over the empty columns.
TEST_F(PortraitDocTest, LongTextsOfALineWrapWholeInTheirColumns) {
    doc.Reset();
    const int row = doc.CurrentRow();
    doc.AddTextLine({"Horizontal axis:", "PERFORMANCE OF THE BRAND ON THE MARKET",
                     "the further right, the more performance of the brand on the market"},
                    3, false);
    const TSheetModel& sheet = doc.Sheet();
    for (int column = 1; column <= 3; ++column) {
        EXPECT_EQ(sheet.Format(row, column).wrap, column < 3) << column;
        EXPECT_FALSE(sheet.Text(row, column).empty()) << column;
    }
    EXPECT_GT(sheet.RowHeight(row), sheet.DefaultRowHeight());
    // A short line keeps the standard height.
    doc.AddTextLine({"Line"}, 32767, false);
    EXPECT_EQ(sheet.RowHeight(row + 1), sheet.DefaultRowHeight());
}

TEST_F(PortraitDocTest, HeadingMovesWithItsTableAndBlocksAreNeverCut) {
    doc.Reset();
    // 55 lines of 224 twips; the heading block starts at 56 (a blank row, the
    // heading at 57), the 10-row table at 59..68: 69 rows no longer fit in 65,
    // so the page breaks before row 56 and the heading goes with its table.
    for (int line = 1; line <= 55; ++line) doc.AddTextLine({"Line " + std::to_string(line)}, 32767, false);
    doc.AddTextBlock({"Brand results"}, false);
    EXPECT_EQ(doc.Sheet().NextPageBreak(0), 0);
    doc.AppendSheet(NumberSheet(10));
    EXPECT_EQ(doc.Sheet().Text(57, 1), "Brand results");
    EXPECT_EQ(doc.Sheet().Number(59, 2), 1.0);
    EXPECT_EQ(doc.Sheet().NextPageBreak(0), 56);
    EXPECT_EQ(doc.CurrentRow(), 70);
    EXPECT_EQ(PaginateRows(doc.Sheet(), 69, doc.PageSetup().printableHeight),
              (std::vector<TPageRows>{{1, 55}, {56, 69}}));

    // A block taller than a page breaks at its own start once; the page end then cuts it.
    doc.AppendSheet(NumberSheet(100));
    EXPECT_EQ(doc.Sheet().NextPageBreak(56), 70);
    EXPECT_EQ(doc.Sheet().NextPageBreak(70), 0);
    EXPECT_EQ(doc.PageCount(), 4);  // 1..55, 56..69, 70..134 (65 rows), 135..170

    // A heading followed by nothing is replaced by the next heading.
    doc.AddTextBlock({"Old heading"}, true);
    doc.AddTextBlock({"New heading"}, false);
    EXPECT_EQ(doc.Sheet().Text(doc.BlockStartRow() + 1, 1), "New heading");
    EXPECT_EQ(doc.Sheet().Text(doc.BlockStartRow(), 1), "");
}

TEST_F(PortraitDocTest, HeadersAndFooters) {
    doc.HeaderFooterLines() = {"Team Alpha"};
    doc.SetHeader("Corvantis3", "Company report", "Period 3");
    EXPECT_EQ(doc.PageSetup().header, "&L&\"Arial\"&08&BCorvantis3&C&\"Arial\"&08&BCompany report"
                                      "&R&\"Arial\"&08&BPeriod 3");
    doc.Reset();  // the default footer: date, holder line, page over pages
    EXPECT_EQ(doc.PageSetup().footer, "&L&\"Arial\"&08&D&C&\"Arial\"&08Team Alpha&R&\"Arial\"&08&P/&N");
    const auto footer = ExpandPageParts(doc.PageSetup().footer, {"12/06/26", 2, 5});
    EXPECT_EQ(footer[0].text, "12/06/26");
    EXPECT_EQ(footer[1].text, "Team Alpha");
    EXPECT_EQ(footer[2].text, "2/5");
    EXPECT_EQ(footer[2].font.size, 8);
    EXPECT_FALSE(footer[2].font.bold);
    const auto header = ExpandPageParts(doc.PageSetup().header, {"", 1, 1});
    EXPECT_EQ(header[1].text, "Company report");
    EXPECT_TRUE(header[1].font.bold);
    EXPECT_EQ(header[1].font.name, "Arial");
}

TEST(PageParts, AnyCodeTextGivesThreePartsWithoutReadingPastItsEnd) {
    // Cut-off font names, lone ampersands and digit runs, at every length.
    const std::string codes = "&L&\"Arial\"&08&BLeft&&&C&\"Ari&12&I&D&R&P/&N&";
    for (std::size_t length = 0; length <= codes.size(); ++length)
        ExpandPageParts(codes.substr(0, length), {"d", 3, 9});
    std::srand(20);
    for (int round = 0; round < 500; ++round) {
        std::string random;
        for (int i = 0; i < 24; ++i) random += "&\"LCRBIDPN019x"[std::rand() % 14];
        ExpandPageParts(random, {"d", 1, 1});
    }
    const auto parts = ExpandPageParts(codes, {"d", 3, 9});
    EXPECT_EQ(parts[0].text, "Left&");
    EXPECT_TRUE(parts[0].font.bold);
    EXPECT_EQ(parts[1].text, "");  // an unterminated font name ends the codes
    EXPECT_EQ(parts[2].text, "");
}

TEST_F(PortraitDocTest, ResetRemovesEveryPictureEvenPastAHundred) {
    doc.Reset();
    QImage chart(40, 20, QImage::Format_RGB32);
    chart.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chart.save(&buffer, "PNG");
    for (int picture = 1; picture <= 101; ++picture) doc.AddPicture({png.begin(), png.end()}, 0.5);
    EXPECT_EQ(doc.PictureIds().size(), 101u);
    EXPECT_EQ(doc.Sheet().Pictures().size(), 101u);
    // Width 10 x 800 twips x 0.5 / 224 = 17.9: 18 rows each.
    EXPECT_EQ(doc.Sheet().Pictures()[1].row1, 19);
    doc.Reset();
    EXPECT_TRUE(doc.Sheet().Pictures().empty());
    EXPECT_TRUE(doc.PictureIds().empty());
    EXPECT_EQ(doc.CurrentRow(), 1);
}

}  // namespace
}  // namespace cv
