// The print selection of the team page on the sample: its boxes (a section
// box per menu group of the results and newsletter pages, a study row per
// available study), what a print writes for the choice made, the copies
// asked for, and Cancel on the wait notice between documents.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "reports/documents/cv_doc.h"
#include "team/document_charts.h"
#include "team/print_selection_dialog.h"
#include "team/team_page.h"
#include "tests/app/support/program_root.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/window_test.h"
#include "tools/sample_industry/sample_industry.h"
#include "ui/fields/qn_edit.h"
#include "ui/printing/prn_setup.h"

namespace cv::test {
namespace {

class PrintSelectionTest : public StartedProgramTest {
protected:
    PrintSelectionTest() {
        root.OpenSampleIndustry();
        Main().RefreshAll();
        Main().ShowPage(windows.teamPage);
    }
    // Presses the team page's print button; Steps runs on the dialog, which is closed afterwards.
    void WithDialog(const std::function<void(TFoAdmPrn&)>& steps) {
        WhenModalShown inspect([&steps](QWidget& window) { steps(static_cast<TFoAdmPrn&>(window)); });
        windows.teamPage->Print();
        EXPECT_TRUE(inspect.Ran());
    }
    static bool Written(const char* name) { return std::filesystem::exists(Session->PrivateDir() + name); }
    ScriptedPrinter printer{ScriptedPrinter::Printer(9)};
};

// Firm results and messages of the company report (sections 1 + 16), as
// files only: the report alone is written, with one copy asked for.
TEST_F(PrintSelectionTest, PrintsWhatWasChosen) {
    WithDialog([](TFoAdmPrn& dialog) {
        ASSERT_EQ(dialog.ReportBoxes().size(), 6u);
        ASSERT_EQ(dialog.NewsletterBoxes().size(), 3u);
        EXPECT_EQ(dialog.ReportBoxes()[4]->text(), "&Messages");
        EXPECT_FALSE(dialog.ReportBoxes()[0]->isEnabled()) << "until the report is chosen";
        EXPECT_FALSE(dialog.StudyBoxes().empty());
        EXPECT_FALSE(Child<QPushButton>(dialog, "BBPrintAdm").isVisible());
        Child<QCheckBox>(dialog, "ChBReport").setChecked(true);
        EXPECT_TRUE(dialog.ReportBoxes()[0]->isEnabled());
        dialog.ReportBoxes()[0]->setChecked(true);
        dialog.ReportBoxes()[4]->setChecked(true);
        EXPECT_EQ(dialog.ReportSections(), 1 + 16);
        EXPECT_EQ(dialog.NewsletterSections(), 0);
        EXPECT_TRUE(dialog.Studies().Empty());
        Child<QCheckBox>(dialog, "ChBXLOnly").setChecked(true);
        SaveScreenshot(dialog, "PrintSelectionDialog");
        dialog.BBPrintItemsClick();
    });
    EXPECT_TRUE(Written("SAMPLERA03.xlsx"));
    EXPECT_FALSE(Written("SAMPLENA03.xlsx"));
    EXPECT_FALSE(Written("SAMPLESA03.xlsx"));
    EXPECT_TRUE(printer.jobs.empty());
    ASSERT_EQ(root.ui.progressBoxes.size(), 1u);
    EXPECT_EQ(root.ui.progressBoxes[0], (std::vector<std::string>{"Printing the company report of firm A", "Please wait ..."}));
    EXPECT_FALSE(root.ui.progressOpen);
}

// Without a printer the dialog says once where the files go; after the print
// it says where each one is.
TEST_F(PrintSelectionTest, WithoutAPrinterItSaysWhereTheFilesGoAndWhereTheyAre) {
    printer.printer.reset();
    FreePrinterSetup();
    WithDialog([this](TFoAdmPrn& dialog) {
        EXPECT_EQ(root.ui.plainBoxes, std::vector<std::string>{"No printer is installed: the documents are written as files to " +
                                                                Session->PrivateDir() + "."});
        EXPECT_FALSE(Child<QCheckBox>(dialog, "ChBXLOnly").isEnabled());
        EXPECT_TRUE(Child<QCheckBox>(dialog, "ChBXLOnly").isChecked());
        for (const char* document : {"ChBReport", "ChBNLetter"}) {
            auto& box = Child<QCheckBox>(dialog, document);
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
            EXPECT_TRUE(box.isChecked()) << document;
        }
        dialog.ReportBoxes()[0]->setChecked(true);
        dialog.NewsletterBoxes()[0]->setChecked(true);
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBPrintItems"), Qt::LeftButton);
    });
    EXPECT_TRUE(Written("SAMPLENA03.xlsx"));
    EXPECT_TRUE(Written("SAMPLERA03.xlsx"));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{});
    ASSERT_EQ(root.ui.plainBoxes.size(), 2u);
    EXPECT_EQ(root.ui.plainBoxes[1], "The documents were written to:\n" + Session->PrivateDir() + "SAMPLENA03.xlsx\n" +
                                         Session->PrivateDir() + "SAMPLERA03.xlsx");
}

// Everything selected is printed once; no copy asked for prints nothing.
// The variant with restrictions disables one study and hides another.
TEST_F(PrintSelectionTest, CopiesAndTheSelectAllButtons) {
    Session->IndClose();
    root.OpenSampleIndustry({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::Several});
    Main().RefreshAll();
    WithDialog([this](TFoAdmPrn& dialog) {
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBComplete"), Qt::LeftButton);
        EXPECT_EQ(dialog.ReportSections(), 63);
        EXPECT_EQ(dialog.NewsletterSections(), 7);
        EXPECT_FALSE(dialog.Studies().Empty());
        // A study box stands for its own study: bit s - 1 of its market's word,
        // set unless the instructor disabled or hid the study.
        int skipped = 0;
        for (const TFoAdmPrn::TStudyBox& box : dialog.StudyBoxes()) {
            if (box.zoneLevel) continue;
            const bool chosen = dialog.Studies().Markets[static_cast<std::size_t>(box.column - 1)] & (1 << (box.study - 1));
            EXPECT_EQ(chosen, !box.restricted && !box.box->isHidden()) << box.study << " in " << box.column;
            skipped += chosen ? 0 : 1;
        }
        EXPECT_GT(skipped, 0) << "the variant restricts some studies";
        QTest::mouseClick(&Child<QPushButton>(dialog, "BBClearSelection"), Qt::LeftButton);
        EXPECT_EQ(dialog.ReportSections(), 0);
        EXPECT_TRUE(dialog.Studies().Empty());
        Child<TQNEdit>(dialog, "EdCopies1").SetValueInt(0);
        dialog.BBPrintItemsClick();
        EXPECT_EQ(BoxKeys(root.ui), std::vector<std::string>{"PrintMsgs"});
    });
    EXPECT_TRUE(root.ui.progressBoxes.empty());
}

// A study the instructor hides takes no row: the rows shown follow each other
// without a gap, each with its label and at least one box. Every market study
// of the sample is available, and the variant hides the sales force
// experiment: the other ten have a row each, in the series' order.
TEST_F(PrintSelectionTest, SmallScreenAHiddenStudyLeavesNoEmptyRow) {
    root.OpenSampleIndustry({sample::TSampleDecisions::Sample, sample::TSampleRestrictions::StudyHidden});
    Main().RefreshAll();
    WithDialog([](TFoAdmPrn& dialog) {
        std::map<int, int> boxesPerRowTop;
        std::map<int, QString> marketStudyRows;  // by the row's top
        for (const TFoAdmPrn::TStudyBox& box : dialog.StudyBoxes()) {
            EXPECT_TRUE(box.box->isVisible()) << box.study;
            EXPECT_TRUE(box.label->isVisible()) << box.study;
            EXPECT_FALSE(box.label->text().isEmpty()) << box.study;
            ++boxesPerRowTop[box.label->y()];
            if (!box.zoneLevel) marketStudyRows[box.label->y()] = box.label->text();
        }
        std::vector<std::string> marketStudies;
        for (const auto& [top, label] : marketStudyRows) marketStudies.push_back(label.toStdString());
        EXPECT_EQ(marketStudies, (std::vector<std::string>{"Consumer survey", "Consumer panel", "Distribution panel",
                                              "Semantic scales", "Perceptual map", "Market forecast",
                                              "Competitive advertising", "Competitive sales force",
                                              "Advertising experiment", "Conjoint analysis"}));
        ASSERT_GE(boxesPerRowTop.size(), 2u);
        const int step = std::next(boxesPerRowTop.begin())->first - boxesPerRowTop.begin()->first;
        for (auto row = std::next(boxesPerRowTop.begin()); row != boxesPerRowTop.end(); ++row)
            EXPECT_EQ(row->first - std::prev(row)->first, step) << "a gap above the row at " << row->first;
        SaveScreenshotOfRunningTest(dialog);
    });
}

// Each study has a row of its own below the one before, its boxes (one per
// market, or its zone) beside its label; the team's own print is the option
// shown chosen.
TEST_F(PrintSelectionTest, EachStudyHasARowOfItsOwn) {
    WithDialog([](TFoAdmPrn& dialog) {
        EXPECT_TRUE(Child<QRadioButton>(dialog, "RBPrnTeam").isChecked());
        EXPECT_FALSE(Child<QRadioButton>(dialog, "RBPrnAdm").isChecked());
        std::map<std::pair<bool, int>, int> rowOfStudy;
        std::set<int> rowTops;
        for (const TFoAdmPrn::TStudyBox& box : dialog.StudyBoxes()) {
            const auto [row, first] = rowOfStudy.emplace(std::pair{box.zoneLevel, box.study}, box.label->y());
            if (first) {
                EXPECT_TRUE(rowTops.insert(row->second).second) << "study " << box.study << " shares a row";
            }
            EXPECT_EQ(box.label->y(), row->second) << "study " << box.study;
        }
        // The sample's zone has its benchmarking and the markets several studies.
        EXPECT_GE(rowOfStudy.size(), 3u);
    });
}

// Cancel pressed while the newsletter is made: the company report and the
// studies that were chosen too are not made.
TEST_F(PrintSelectionTest, CancelStopsBetweenDocuments) {
    TDataContext context = windows.teamPage->Data;
    context.SelPeriod = context.CurPeriod = context.DecPeriod = 3;
    TCvDoc document(windows.teamPage);
    TStudySelection studies;
    studies.Markets = {1, 0, 0};
    QWidget panel;
    PrintTeamDocuments(document, context, false, {1, 0, 0, 0}, 1, 1, 1, 1, studies, 0, DocumentChartsOn(panel),
                       [this] { return !root.ui.progressBoxes.empty(); });
    EXPECT_TRUE(Written("SAMPLENA03.xlsx"));
    EXPECT_FALSE(Written("SAMPLERA03.xlsx"));
    EXPECT_FALSE(Written("SAMPLESA03.xlsx"));
    EXPECT_EQ(root.ui.progressBoxes.size(), 1u);
    EXPECT_FALSE(root.ui.progressOpen);
}

// Each "all" button ticks its own document and every section or study the
// instructor leaves printable, and nothing of the other documents.
TEST_F(PrintSelectionTest, EachAllButtonTicksItsOwnDocumentOnly) {
    struct TAllCase {
        const char* button;
        bool report, newsletter, studies;
    };
    for (const TAllCase& c : {TAllCase{"BBAllCReport", true, false, false}, TAllCase{"BBAllNLetter", false, true, false},
                              TAllCase{"BBAllStudies", false, false, true}}) {
        WithDialog([&c](TFoAdmPrn& dialog) {
            QTest::mouseClick(&Child<QPushButton>(dialog, c.button), Qt::LeftButton);
            EXPECT_EQ(Child<QCheckBox>(dialog, "ChBReport").isChecked(), c.report) << c.button;
            EXPECT_EQ(Child<QCheckBox>(dialog, "ChBNLetter").isChecked(), c.newsletter) << c.button;
            EXPECT_EQ(Child<QCheckBox>(dialog, "ChBStudies").isChecked(), c.studies) << c.button;
            EXPECT_EQ(dialog.ReportSections(), c.report ? 63 : 0) << c.button;
            EXPECT_EQ(dialog.NewsletterSections(), c.newsletter ? 7 : 0) << c.button;
            int ticked = 0;
            for (const TFoAdmPrn::TStudyBox& box : dialog.StudyBoxes()) {
                const bool printable = !box.restricted && !box.box->isHidden();
                EXPECT_EQ(box.box->isChecked(), c.studies && printable) << c.button << ": " << box.study;
                EXPECT_EQ(box.box->isEnabled(), c.studies && !box.restricted) << c.button << ": " << box.study;
                ticked += box.box->isChecked() ? 1 : 0;
            }
            EXPECT_EQ(ticked > 0, c.studies) << c.button;
            EXPECT_EQ(!dialog.Studies().Empty(), c.studies) << c.button;
            SaveScreenshotOfRunningTest(dialog);
        });
    }
}

}  // namespace
}  // namespace cv::test
