// The printer choice: the missing default printer's message (from the
// language file, else the built-in text), the set-up dialog that keeps its
// choice and may record it as the default, and the cancelled dialog.
#include <gtest/gtest.h>

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

TEST_F(PrinterSetupTest, NoDefaultPrinterShowsTheMessageFromTheLanguageFileOrTheBuiltInText) {
    test::ScriptedPrinter none(std::nullopt);
    EXPECT_FALSE(CheckDefaultPrinter());  // no language file: the built-in text as a literal line
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].key, "Please select a default printer with the configuration panel !");
    EXPECT_EQ(ui.messageBoxes[0].lines, std::vector<int>{-1});
    EXPECT_EQ(ui.messageBoxes[0].type, TMsgDlgType::mtInformation);

    {
        const std::string source = test::ReadFileBytes(CV_TEXTS_DIR "/messages-documents.txt");
        const test::LanguageFixture language({{"messages-documents.txt", source}}, true);
        EXPECT_FALSE(CheckDefaultPrinter());
    }
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[1].key, "NoDfltPrnMsg");
    EXPECT_EQ(ui.messageBoxes[1].lines, std::vector<int>{1});
    EXPECT_EQ(KeptPrinterChoice(), nullptr);
}

TEST_F(PrinterSetupTest, SetupDialogKeepsTheChoiceAndMayMakeItTheDefault) {
    test::ScriptedPrinter printers(test::ScriptedPrinter::Printer(9));
    EXPECT_TRUE(CheckDefaultPrinter());
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
