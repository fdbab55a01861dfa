// The printer choice: where the files go without a default printer and
// where they were written (from the language file, else the built-in text),
// a PDF file when no printer is installed, the set-up dialog that keeps its
// choice and may record it as the default, and the cancelled dialog.
#include <gtest/gtest.h>

#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>

#include "core/base/ini_file.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/printing/scripted_printer.h"
#include "tests/ui/support/language_fixture.h"

namespace cv {
namespace {

class PrinterSetupTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string())); }
    test::RecordingUi ui;
    test::TempDir config;
};

// Without a printer the documents are files: where they go is said once,
// from the language file or else the built-in text; with one nothing is said.
TEST_F(PrinterSetupTest, NoDefaultPrinterSaysWhereTheFilesGoFromTheLanguageFileOrTheBuiltInText) {
    test::ScriptedPrinter none(std::nullopt);
    EXPECT_FALSE(CheckPrinterForFiles("/private/"));  // no language file: the built-in text
    {
        const std::string source = test::ReadFileBytes(CV_TEXTS_DIR "/messages-documents.txt");
        const test::LanguageFixture language({{"messages-documents.txt", source}}, true);
        EXPECT_FALSE(CheckPrinterForFiles("/work/"));
    }
    EXPECT_EQ(ui.plainBoxes, (std::vector<std::string>{"No printer is installed: the documents are written as files to /private/.",
                                                       "No printer is installed: the documents are written as files to /work/."}));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(KeptPrinterChoice(), nullptr);
    test::ScriptedPrinter printers(test::ScriptedPrinter::Printer(9));
    EXPECT_TRUE(CheckPrinterForFiles("/private/"));
    EXPECT_EQ(ui.plainBoxes.size(), 2u);
}

// After files were written they are named: one in a sentence, several in a list; none says nothing.
TEST_F(PrinterSetupTest, TheFilesWrittenAreNamed) {
    ReportFilesWritten({});
    ReportFilesWritten({"/p/SAMPLEDA03.xlsx"});
    ReportFilesWritten({"/p/SAMPLENA03.xlsx", "/p/SAMPLERA03.xlsx"});
    EXPECT_EQ(ui.plainBoxes, (std::vector<std::string>{"The document was written to /p/SAMPLEDA03.xlsx.",
                                                       "The documents were written to:\n/p/SAMPLENA03.xlsx\n/p/SAMPLERA03.xlsx"}));
}

// Without a printer, printing offers a PDF file named after the document in
// the private directory; the user may name another, and may cancel.
TEST_F(PrinterSetupTest, NoPrinterOffersAPdfFileNamedAfterTheDocument) {
    test::ScriptedPrinter none(std::nullopt);
    EXPECT_FALSE(ChoosePrintTarget(nullptr, "Scorecard").has_value());  // cancelled
    ASSERT_EQ(none.pdfSuggestions.size(), 1u);
    EXPECT_EQ(none.pdfSuggestions[0], "Scorecard.pdf");  // no open session: no private directory

    none.pdfAnswer = (config.path() / "results").string();
    const std::optional<TPrintTarget> target = ChoosePrintTarget(nullptr, "");
    ASSERT_TRUE(target.has_value());
    EXPECT_FALSE(target->printer);
    EXPECT_EQ(target->pdfPath, (config.path() / "results.pdf").string());
    EXPECT_EQ(none.pdfSuggestions[1], "Document.pdf");
    EXPECT_EQ(KeptPrinterChoice(), nullptr);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

// The PDF file is written whole or not at all, and the user is told where.
TEST_F(PrinterSetupTest, APdfFileIsWrittenWholeOrNotAtAll) {
    const std::string path = (config.path() / "page.pdf").string();
    const auto pages = [](int count) {
        return [count](QPagedPaintDevice& device) {
            QPainter painter(&device);
            for (int page = 1; page < count; ++page) device.newPage();
            return count > 0;
        };
    };
    EXPECT_EQ(WritePdfFile(path, "Page", pages(2)), "");
    EXPECT_TRUE(std::filesystem::exists(path));
    const auto size = std::filesystem::file_size(path);
    EXPECT_NE(WritePdfFile(path, "Page", pages(0)), "");  // drawing failed: the old file stays
    EXPECT_EQ(std::filesystem::file_size(path), size);
    EXPECT_NE(WritePdfFile(config.path().string(), "Page", pages(1)), "");  // a directory is not replaced
    ReportPdfWritten(path);
    ASSERT_EQ(ui.plainBoxes.size(), 1u);
    EXPECT_NE(ui.plainBoxes[0].find(path), std::string::npos);
}

TEST_F(PrinterSetupTest, SetupDialogKeepsTheChoiceAndMayMakeItTheDefault) {
    test::ScriptedPrinter printers(test::ScriptedPrinter::Printer(9));
    const std::optional<TPrintTarget> target = ChoosePrintTarget(nullptr, "Scorecard");
    ASSERT_TRUE(target.has_value());
    EXPECT_TRUE(target->printer);
    EXPECT_TRUE(printers.pdfSuggestions.empty());
    EXPECT_TRUE(ui.messageBoxes.empty());
    ASSERT_NE(KeptPrinterChoice(), nullptr);

    printers.setupAnswer = test::ScriptedPrinter::Printer(1, false);
    printers.setupAnswer->device = "Plotter";
    EXPECT_TRUE(PrinterSetupDialog(nullptr, true));
    EXPECT_EQ(printers.setupStarts, std::vector<std::string>{"Laser1"});  // starts from the kept choice
    EXPECT_EQ(KeptPrinterChoice()->device, "Plotter");
    EXPECT_EQ(KeptPrinterChoice()->devMode, (TDevMode{1, 0, 0, false}));
    const TIniFile winIni((config.path() / "Corvantis3" / "WIN.INI").string());
    EXPECT_EQ(winIni.ReadString("windows", "device", ""), "Plotter,Office laser,usb://laser1");

    printers.setupAnswer.reset();  // cancel: nothing changes
    EXPECT_FALSE(PrinterSetupDialog(nullptr, true));
    EXPECT_EQ(KeptPrinterChoice()->device, "Plotter");

    EXPECT_TRUE(GetDefaultDevMode(nullptr, true, true));
    EXPECT_EQ(printers.settingsDialogs, 1);
    FreePrinterSetup();
    EXPECT_EQ(KeptPrinterChoice(), nullptr);
}

}  // namespace
}  // namespace cv
