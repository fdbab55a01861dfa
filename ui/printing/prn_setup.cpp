#include "ui/printing/prn_setup.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <filesystem>

#include "core/base/errors.h"
#include "core/base/file_routines.h"
#include "core/base/ini_file.h"
#include "core/base/log_file.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "core/session/session.h"
#include "core/session/settings_paths.h"
#include "ui/printing/qt_printer_source.h"

namespace cv {
namespace {

// Shown when the language file lacks "PdfWritten".
constexpr char kPdfWrittenText[] = "No printer is installed: the document was written to @1.";
constexpr char kPdfWrittenKey[] = "PdfWritten";
// Shown when the language file lacks "NoPrinterFiles" and "DocsWritten".
constexpr char kNoPrinterFilesText[] = "No printer is installed: the documents are written as files to @1.";
constexpr char kNoPrinterFilesKey[] = "NoPrinterFiles";
constexpr char kDocWrittenText[] = "The document was written to @1.";
constexpr char kDocsWrittenText[] = "The documents were written to:";
constexpr char kDocsWrittenKey[] = "DocsWritten";

// Whether the language file holds line Line of a message key.
bool HasMessageLine(const char* key, int line) {
    std::string text = "bad line number " + std::to_string(line);
    if (Translator) Translator->MessagesLine(key, line, text);
    return text.find("bad line number") == std::string::npos;
}

// Line Line of the messages entry Key, or Fallback when the language file lacks it, with "@1" := Value.
std::string MessageWith(const char* key, int line, const char* fallback, const std::string& value) {
    std::string text = fallback;
    if (HasMessageLine(key, line)) Translator->MessagesLine(key, line, text);
    if (const std::size_t at = text.find("@1"); at != std::string::npos) text.replace(at, 2, value);
    return text;
}

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

std::optional<TPrintTarget> ChoosePrintTarget(QWidget* owner, const std::string& documentName) {
    if (GetDefaultDevMode(owner, false, false)) return TPrintTarget{true, {}};
    const std::string directory = Session ? Session->PrivateDir() : std::string();
    const std::string name = documentName.empty() ? "Document" : documentName;
    std::optional<std::string> path = PrinterSource().PdfFileDialog(owner, directory + name + ".pdf");
    if (!path || path->empty()) return std::nullopt;
    if (std::filesystem::path(*path).extension() != ".pdf") *path += ".pdf";
    return TPrintTarget{false, *path};
}

std::string WritePdfFile(const std::string& path, const std::string& title, const TPageRenderer& render) {
    QSaveFile file(QString::fromStdString(path));
    // The save renames its temporary over the path: never over a device.
    if (!IsReplaceableByRename(path)) return "not a file that can be replaced";
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(QString::fromStdString(title));
        painted = render(writer);
    }
    if (painted && file.commit()) return {};
    const std::string reason = painted ? file.errorString().toStdString() : "the pages could not be drawn";
    file.cancelWriting();
    return reason;
}

void ReportPdfWritten(const std::string& path) { Ui().ShowPlainBox(MessageWith(kPdfWrittenKey, 1, kPdfWrittenText, path)); }

bool CheckPrinterForFiles(const std::string& directory) {
    if (GetDefaultDevMode(nullptr, false, false)) return true;
    Ui().ShowPlainBox(MessageWith(kNoPrinterFilesKey, 1, kNoPrinterFilesText, directory));
    return false;
}

void ReportFilesWritten(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::string text;
    if (paths.size() == 1) {
        text = MessageWith(kDocsWrittenKey, 1, kDocWrittenText, paths[0]);
    } else {
        text = MessageWith(kDocsWrittenKey, 2, kDocsWrittenText, "");
        for (const std::string& path : paths) text += "\n" + path;
    }
    Ui().ShowPlainBox(text);
}

void FreePrinterSetup() { keptChoice.reset(); }

}  // namespace cv
