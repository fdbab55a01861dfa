// Print and Copy from the main window's tool buttons on the real results and
// newsletter pages of the started program: the screen a page shows is copied
// as text and printed as its hard copy, and neither answers that the page
// shows nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <filesystem>

#include "core/session/session.h"
#include "reports/pages/newsletter_page.h"
#include "reports/pages/results_page.h"
#include "tests/reports/support/results_fixture.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/document_files.h"

namespace cv {
namespace {

class PagePrintCopyTest : public test::ResultsTest {
protected:
    PagePrintCopyTest() { Main().RefreshAll(); }
    QWidget* ShownWindow() override { return &Main(); }

    // Shows the program's page of class Page, then copies and prints what it
    // shows: the clipboard holds the screen's Label and one print job is
    // drawn, without a message.
    template <class Page>
    void ExpectCopiedAndPrinted(const QString& label) {
        auto* page = Main().findChild<Page*>();
        ASSERT_NE(page, nullptr);
        Main().ShowPage(page);
        QApplication::clipboard()->clear();
        test::ScriptedPrinter printer(test::ScriptedPrinter::Printer(9));
        Main().SbCopyToClipClick();
        Main().sbPrintClick();
        EXPECT_EQ(test::BoxKeys(root.ui), std::vector<std::string>{});
        const QString copied = QApplication::clipboard()->text();
        EXPECT_TRUE(copied.contains(label)) << copied.toStdString();
        ASSERT_EQ(printer.jobs.size(), 1u);
        EXPECT_GT(printer.jobs[0].bytes, 0);
    }
};

TEST_F(PagePrintCopyTest, TheResultsPageCopiesAndPrintsItsScorecard) {
    ExpectCopiedAndPrinted<TFoResult>(QStringLiteral("Market shares"));
}

TEST_F(PagePrintCopyTest, TheNewsletterPageCopiesAndPrintsItsStockMarket) {
    ExpectCopiedAndPrinted<TFoNLetter>(QStringLiteral("Stock price"));
}

// With no printer installed, Print on the results page offers a PDF file of
// the scorecard in the private directory, writes it and says where.
TEST_F(PagePrintCopyTest, WithoutAPrinterThePageIsWrittenAsAPdfFileSmallScreen) {
    auto* page = Main().findChild<TFoResult*>();
    ASSERT_NE(page, nullptr);
    Main().ShowPage(page);
    test::ScriptedPrinter none(std::nullopt);
    const std::string suggested = Session->PrivateDir() + "FirSCard.pdf";
    none.pdfAnswer = suggested;
    Main().sbPrintClick();
    EXPECT_TRUE(none.jobs.empty());
    ASSERT_FALSE(none.pdfSuggestions.empty());
    EXPECT_EQ(none.pdfSuggestions[0].rfind(Session->PrivateDir(), 0), 0u) << none.pdfSuggestions[0];
    ASSERT_TRUE(std::filesystem::exists(suggested));
    EXPECT_GE(test::PdfPageCount(suggested), 1);
    EXPECT_FALSE(test::RenderPdfPage(suggested, 1, "PagePrintCopyTest_PdfWithoutPrinter").isNull());
    ASSERT_EQ(root.ui.plainBoxes.size(), 1u);
    EXPECT_NE(root.ui.plainBoxes[0].find(suggested), std::string::npos);

    // Cancelled: nothing written, nothing said.
    none.pdfAnswer.reset();
    std::filesystem::remove(suggested);
    Main().sbPrintClick();
    EXPECT_FALSE(std::filesystem::exists(suggested));
    EXPECT_EQ(root.ui.plainBoxes.size(), 1u);
}

}  // namespace
}  // namespace cv
