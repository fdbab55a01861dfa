// The print-decisions dialog alone (its choices, the spreadsheet-only box
// with and without a printer, the plan restricted) and through the decisions
// page's print command, from the page and from the budget dialog.
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "core/session/session.h"
#include "decisions/summary/print_dec_dialog.h"
#include "model/plan_forecast.h"
#include "decisions/summary/summary_dialog.h"
#include "tests/decisions/page/decision_page_fixture.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/window_test.h"

namespace cv::test {
namespace {

class PrintDecDialogTest : public DecisionPageTest {
protected:
    void SetUp() override { ShowPage({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::None}); }

    static std::vector<bool> Checked(const TFoPrintDec& dialog) {
        std::vector<bool> checked;
        for (const QRadioButton* choice : dialog.Choices()) checked.push_back(choice->isChecked());
        return checked;
    }
    // Presses the page's print button; Steps runs on the print dialog, which is cancelled afterwards unless Steps closes it.
    void PrintFromPage(const std::function<void(TFoPrintDec&)>& steps) {
        WhenModalShown inspect([&steps](QWidget& window) { steps(static_cast<TFoPrintDec&>(window)); });
        page->Print();
        EXPECT_TRUE(inspect.Ran());
    }
    // Clicks choice Index on its round box, as the user does.
    static void ClickChoice(TFoPrintDec& dialog, std::size_t index) {
        QRadioButton* choice = dialog.Choices().at(index);
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(6, choice->height() / 2));
    }
    static std::string File(const char* name) { return Session->PrivateDir() + name; }
    ScriptedPrinter printer{ScriptedPrinter::Printer(9)};
};

TEST_F(PrintDecDialogTest, WithAPrinterEveryChoiceAndThePrint) {
    int spreadsheetOnly = 1, choice = 2;
    TFoPrintDec dialog(page, spreadsheetOnly, choice);
    ASSERT_EQ(dialog.Choices().size(), 3u);
    EXPECT_EQ(dialog.windowTitle(), "Print the decisions");
    EXPECT_EQ(Child<QGroupBox>(dialog, "rgPrintDecChoices").title(), "Document");
    EXPECT_EQ(dialog.Choices()[2]->text(), "Marketing plan");
    EXPECT_EQ(Checked(dialog), (std::vector<bool>{false, true, false}));
    const QCheckBox& xlOnly = Child<QCheckBox>(dialog, "ChBXLOnly");
    EXPECT_TRUE(xlOnly.isEnabled());
    EXPECT_FALSE(xlOnly.isChecked());
    EXPECT_EQ(spreadsheetOnly, 0);
    dialog.show();
    ClickChoice(dialog, 2);
    EXPECT_EQ(choice, 3);
    Child<QCheckBox>(dialog, "ChBXLOnly").setChecked(true);
    EXPECT_EQ(spreadsheetOnly, 1);
    printer.setupAnswer = ScriptedPrinter::Printer(9);
    QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrintSetup"), Qt::LeftButton);
    EXPECT_EQ(printer.setupStarts.size(), 1u);
    SaveScreenshot(dialog, "PrintDecDialog");
}

TEST_F(PrintDecDialogTest, WithoutAPrinterOnlyTheFile) {
    printer.printer.reset();
    FreePrinterSetup();
    int spreadsheetOnly = 0, choice = 1;
    TFoPrintDec dialog(page, spreadsheetOnly, choice);
    const QCheckBox& xlOnly = Child<QCheckBox>(dialog, "ChBXLOnly");
    EXPECT_FALSE(xlOnly.isEnabled());
    EXPECT_TRUE(xlOnly.isChecked());
    EXPECT_EQ(spreadsheetOnly, 1);
    // Said once: where the file goes, not which printer to choose.
    EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{});
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"No printer is installed: the documents are written as files to " +
                                                            Session->PrivateDir() + "."});
}

// Without a printer the page's print says where the file goes, then where it is.
TEST_F(PrintDecDialogTest, WithoutAPrinterThePageSaysWhereTheFileGoesAndWhereItIs) {
    printer.printer.reset();
    FreePrinterSetup();
    PrintFromPage([](TFoPrintDec& dialog) {
        EXPECT_FALSE(Child<QCheckBox>(dialog, "ChBXLOnly").isEnabled());
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrint"), Qt::LeftButton);
    });
    EXPECT_TRUE(std::filesystem::exists(File("SAMPLEDA03.xlsx")));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{});
    EXPECT_EQ(root.ui.plainBoxes,
              (std::vector<std::string>{"No printer is installed: the documents are written as files to " +
                                            Session->PrivateDir() + ".",
                                        "The document was written to " + File("SAMPLEDA03.xlsx") + "."}));
}

// From the page the decisions are preselected; the file alone is written.
TEST_F(PrintDecDialogTest, ThePagePrintsTheDecisionsFile) {
    PrintFromPage([](TFoPrintDec& dialog) {
        EXPECT_EQ(Checked(dialog), (std::vector<bool>{true, false, false}));
        Child<QCheckBox>(dialog, "ChBXLOnly").setChecked(true);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrint"), Qt::LeftButton);
    });
    EXPECT_TRUE(std::filesystem::exists(File("SAMPLEDA03.xlsx")));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"The document was written to " + File("SAMPLEDA03.xlsx") + "."});
}

// From the budget dialog the budget is preselected; printed without a file.
TEST_F(PrintDecDialogTest, TheBudgetDialogPrintsTheBudget) {
    WhenModalShown summary([this](QWidget&) {
        PrintFromPage([](TFoPrintDec& dialog) {
            EXPECT_EQ(Checked(dialog), (std::vector<bool>{false, true, false}));
            QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrint"), Qt::LeftButton);
        });
    });
    page->OpenArea(TDecisionArea::Budget);
    EXPECT_TRUE(summary.Ran());
    EXPECT_EQ(printer.jobs.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(File("SAMPLEBA03.xlsx")));
}

// The plan's document needs a forecast of this session first.
TEST_F(PrintDecDialogTest, NoPlanDocumentBeforeAForecast) {
    PrintFromPage([](TFoPrintDec& dialog) {
        ClickChoice(dialog, 2);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrint"), Qt::LeftButton);
    });
    EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{"NoMktgPlanYet"});
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_FALSE(std::filesystem::exists(File("SAMPLEPA04.xlsx")));
}

// After a forecast the plan's document is written.
TEST_F(PrintDecDialogTest, ThePlanDocumentAfterAForecast) {
    ShowPage({sample::TSampleDecisions::Complete, sample::TSampleRestrictions::None});
    ASSERT_TRUE(RunPlanForecast(*Session).Done);
    Session->ForecastDone = true;
    PrintFromPage([](TFoPrintDec& dialog) {
        ClickChoice(dialog, 2);
        Child<QCheckBox>(dialog, "ChBXLOnly").setChecked(true);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrint"), Qt::LeftButton);
    });
    EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{});
    EXPECT_TRUE(std::filesystem::exists(File("SAMPLEPA03.xlsx")));
}

class PrintDecPlanRestrictedTest : public PrintDecDialogTest {
protected:
    void SetUp() override { ShowPage({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::NoMarketingPlan}); }
};

// Without the plan a stored choice of the plan selects the decisions.
TEST_F(PrintDecPlanRestrictedTest, ThePlanChoiceIsAbsent) {
    int spreadsheetOnly = 0, choice = 3;
    TFoPrintDec dialog(page, spreadsheetOnly, choice);
    EXPECT_EQ(dialog.Choices().size(), 2u);
    EXPECT_EQ(Checked(dialog), (std::vector<bool>{true, false}));
    EXPECT_EQ(choice, 1);
}

}  // namespace
}  // namespace cv::test
