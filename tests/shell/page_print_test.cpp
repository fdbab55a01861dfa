// A page prints or copies what it shows: its chart, else its report screen;
// without a default printer it prints nothing and says why; a page that
// shows nothing says that instead.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "shell/page_window.h"
#include "tests/support/recording_ui.h"
#include "tests/ui/printing/scripted_printer.h"

namespace cv::test {
namespace {

class PlainPage : public TFoCv3Mod {
public:
    PlainPage() : TFoCv3Mod(nullptr, QStringLiteral("FoPrinting")) {
        RegisterPage(nullptr);
        resize(600, 400);
    }
};

// A screen of one small table: a label and a number.
class OneTableScreen final : public TCVScreen {
public:
    OneTableScreen(QWidget* owner, const TDataContext& context) : TCVScreen(owner, context, {kWindowMode, {0, 0, 0}}) {}
    void Build(const TDataContext& context) override {
        TCVScreen::Build(context);
        table_ = std::make_unique<TQNTable>(owner_, TTableType::FilledHeadings, "OneTable", TTablePlacement{0, 0, 0},
                                            100);
        table_->DefineTable({.bodyRows = 1, .headingCols = 1, .bodyCols = 1});
        table_->SetCellText(table_->OriginRow(), 1, "Units");
        table_->SetCellNumber(table_->OriginRow(), 2, 42);
        table_->Show();
    }
};

class PagePrintTest : public ::testing::Test {
protected:
    RecordingUi ui;
    PlainPage page;
};

TEST_F(PagePrintTest, NothingShownSaysSo) {
    ScriptedPrinter printer(ScriptedPrinter::Printer(9));
    page.Print();
    page.CopyToClipboard();
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].key, "NothingToPrint");
    EXPECT_EQ(ui.messageBoxes[1].key, "NothingToCopyToClip");
    EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(PagePrintTest, ReportScreenWithoutPrinterOffersAPdfFileInstead) {
    page.Display().Show(TCVScreen::Create<OneTableScreen>(&page, page.Data));
    {
        ScriptedPrinter none(std::nullopt);  // the PDF file dialog cancelled
        page.Print();
        EXPECT_EQ(none.pdfSuggestions.size(), 1u);
        EXPECT_TRUE(ui.messageBoxes.empty());
        EXPECT_TRUE(none.jobs.empty());
    }
    ScriptedPrinter printer(ScriptedPrinter::Printer(9));
    page.Print();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].dialog);

    page.CopyToClipboard();
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->text().contains("42"));
}

TEST_F(PagePrintTest, ChartIsPrintedAndCopiedAsAnImage) {
    ScriptedPrinter printer(ScriptedPrinter::Printer(9));
    auto chart = std::make_unique<TCVChart>(&page, kChartXY, kChartCentreX | kChartTopAtY, 0, 0, 300, 200, 3);
    chart->SetGridSize(1, 2);
    chart->SetData(1, 1, 1), chart->SetData(1, 2, 2);
    chart->SetRepaint(true);
    page.Display().Show(std::move(chart));
    page.CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(300, 200));
    page.Print();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_GT(printer.jobs[0].bytes, 0);
    EXPECT_TRUE(ui.messageBoxes.empty());

    page.MenuItemClick(nullptr);  // another item frees the display
    EXPECT_TRUE(page.Display().IsEmpty());
}

}  // namespace
}  // namespace cv::test
