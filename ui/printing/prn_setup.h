#pragma once
// The program's one printer choice: the printer's names and a copy of its
// device mode (paper and orientation). Documents read the paper size from it,
// the print dialogs let the user choose a printer, and every print first
// chooses where it goes: a printer, or, with none installed, a PDF file.
//
// The printers themselves are reached through a TPrinterSource: Qt's print
// support in the program, a scripted one in tests.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QWidget;

namespace cv {

// What the program keeps of a printer's settings. Paper width and length
// (tenths of a millimetre) matter only for the user-defined paper code.
struct TDevMode {
    int paperCode = 9;
    double paperWidth = 0;
    double paperLength = 0;
    bool portrait = true;
    bool operator==(const TDevMode&) const = default;
};

struct TPrinterChoice {
    std::string driver;
    std::string device;
    std::string port;
    TDevMode devMode;
};

// The resolution PDF files are drawn at (dots per inch).
inline constexpr int kPdfResolution = 300;

// Draws the pages of one print job on the device; false when it failed.
using TPageRenderer = std::function<bool(QPagedPaintDevice& device)>;

enum class TPrintOutcome { Printed, Cancelled, Failed };

class TPrinterSource {
public:
    virtual ~TPrinterSource() = default;
    // The platform's default printer, nothing when there is none.
    virtual std::optional<TPrinterChoice> DefaultPrinter() = 0;
    // The print set-up dialog, starting from Start when given; nothing on cancel.
    virtual std::optional<TPrinterChoice> SetupDialog(QWidget* owner, const TPrinterChoice* start) = 0;
    // Lets the user change the device mode in the printer's own settings dialog.
    virtual void DeviceSettingsDialog(QWidget* owner, TPrinterChoice& choice) = 0;
    // One print job on Choice's printer, through the print dialog when asked.
    virtual TPrintOutcome Print(QWidget* owner, const TPrinterChoice& choice, bool showDialog,
                                const TPageRenderer& render) = 0;
    // The save dialog of a PDF file written instead of printing, starting at
    // Suggested; the chosen path, nothing on cancel.
    virtual std::optional<std::string> PdfFileDialog(QWidget* owner, const std::string& suggested) = 0;
};

// Where a print goes: the kept (or default) printer, or the PDF file the user
// named because no printer is installed.
struct TPrintTarget {
    bool printer = false;
    std::string pdfPath;
};

// Installs a source (not owned); nullptr restores Qt's print support.
void InstallPrinterSource(TPrinterSource* source);
TPrinterSource& PrinterSource();

// Shows the print set-up dialog, from the kept choice when one was made. On
// confirmation keeps the returned choice and, with MakeDefault, records it as
// the value "device" (device, driver, port) of section "windows" of "WIN.INI".
// Returns whether the user confirmed; a cancel changes nothing.
bool PrinterSetupDialog(QWidget* owner, bool makeDefault);
// True when a printer is known: the kept choice, else the default printer,
// which is then kept. With Apply the printer's settings dialog may change the
// kept device mode when Prompt is set.
bool GetDefaultDevMode(QWidget* owner, bool apply, bool prompt);
// The kept choice; nothing before the first query or dialog.
const TPrinterChoice* KeptPrinterChoice();
// The printer when one is known; otherwise the PDF file dialog, suggesting
// Document.pdf in the team's private directory. Nothing when the user cancels.
std::optional<TPrintTarget> ChoosePrintTarget(QWidget* owner, const std::string& documentName);
// Draws the pages into a PDF file through a temporary file renamed over Path:
// empty on success, else the reason (nothing is left at Path then).
std::string WritePdfFile(const std::string& path, const std::string& title, const TPageRenderer& render);
// Tells the user where the PDF file written instead of printing is ("PdfWritten").
void ReportPdfWritten(const std::string& path);
// True when a default printer exists; otherwise says once that the documents
// are written as files to Directory ("NoPrinterFiles", line 1) and returns false.
bool CheckPrinterForFiles(const std::string& directory);
// Tells the user where the documents written as files are ("DocsWritten":
// line 1 for one file, line 2 above the list of several); nothing for none.
void ReportFilesWritten(const std::vector<std::string>& paths);
// Forgets the kept choice (the main window calls it when it closes).
void FreePrinterSetup();

}  // namespace cv
