#include "ui/printing/prn_setup.h"

#include <filesystem>

#include "core/base/errors.h"
#include "core/base/ini_file.h"
#include "core/base/log_file.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/settings_paths.h"
#include "ui/printing/qt_printer_source.h"

namespace cv {
namespace {

// Shown when the language file lacks "NoDfltPrnMsg".
constexpr char kNoPrinterText[] = "Please select a default printer with the configuration panel !";
constexpr char kNoPrinterKey[] = "NoDfltPrnMsg";

TPrinterSource* installedSource = nullptr;
std::optional<TPrinterChoice> keptChoice;

// Records the choice as the default printer. A settings file that cannot be
// written loses only that record: the choice itself is kept for this run.
void WriteDefaultDevice(const TPrinterChoice& choice) {
    const std::string winIni = WinIniFileName();
    if (winIni.empty()) return;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(winIni).parent_path(), ignored);
    try {
        TIniFile(winIni).WriteString("windows", "device", choice.device + "," + choice.driver + "," + choice.port);
    } catch (const ECvError& error) {
        LogFmt(0, "PrinterSetupDialog: the default printer was not recorded: %s", {error.what()});
    }
}

}  // namespace

void InstallPrinterSource(TPrinterSource* source) { installedSource = source; }

TPrinterSource& PrinterSource() {
    static TQtPrinterSource qtSource;
    return installedSource ? *installedSource : qtSource;
}

bool PrinterSetupDialog(QWidget* owner, bool makeDefault) {
    std::optional<TPrinterChoice> choice = PrinterSource().SetupDialog(owner, keptChoice ? &*keptChoice : nullptr);
    if (!choice) return false;
    keptChoice = std::move(choice);
    if (makeDefault) WriteDefaultDevice(*keptChoice);
    return true;
}

bool GetDefaultDevMode(QWidget* owner, bool apply, bool prompt) {
    if (!keptChoice) keptChoice = PrinterSource().DefaultPrinter();
    if (!keptChoice) return false;
    if (apply && prompt) PrinterSource().DeviceSettingsDialog(owner, *keptChoice);
    return true;
}

const TPrinterChoice* KeptPrinterChoice() { return keptChoice ? &*keptChoice : nullptr; }

bool CheckDefaultPrinter() {
    if (GetDefaultDevMode(nullptr, false, false)) return true;
    std::string text = "bad line number 1";
    if (Translator) Translator->MessagesLine(kNoPrinterKey, 1, text);
    if (text.find("bad line number") != std::string::npos)
        Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, kNoPrinterText, {-1}, TAlignment::taCenter);
    else
        Ui().ShowMessageBox(TMsgDlgType::mtInformation, mbOK, kNoPrinterKey, {1}, TAlignment::taCenter);
    return false;
}

void FreePrinterSetup() { keptChoice.reset(); }

}  // namespace cv
