#include "ui/printing/qt_printer_source.h"

#include <QDialog>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>
#include <utility>

#include "ui/printing/paper_sizes.h"

namespace cv {
namespace {

constexpr std::array<std::pair<QPageSize::PageSizeId, int>, 12> kPaperCodes{{
    {QPageSize::Letter, 1}, {QPageSize::Tabloid, 3}, {QPageSize::Ledger, 4}, {QPageSize::Legal, 5},
    {QPageSize::Executive, 7}, {QPageSize::A3, 8}, {QPageSize::A4, 9}, {QPageSize::A5, 11},
    {QPageSize::B5, 13}, {QPageSize::Folio, 14}, {QPageSize::Comm10E, 20}, {QPageSize::Quarto, 15},
}};

constexpr double kTenthsPerMillimetre = 10.0;

TPrinterChoice ChoiceOf(const QPrinter& printer) {
    TPrinterChoice choice;
    const QPrinterInfo info(printer);
    choice.driver = info.makeAndModel().toStdString();
    choice.device = printer.printerName().toStdString();
    choice.port = info.location().toStdString();
    choice.devMode = DevModeOfPageSize(printer.pageLayout().pageSize(),
                                       printer.pageLayout().orientation() == QPageLayout::Portrait);
    return choice;
}

void ApplyChoice(QPrinter& printer, const TPrinterChoice& choice) {
    printer.setPrinterName(QString::fromStdString(choice.device));
    printer.setPageSize(PageSizeOfDevMode(choice.devMode));
    printer.setPageOrientation(choice.devMode.portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

}  // namespace

TDevMode DevModeOfPageSize(const QPageSize& size, bool portrait) {
    TDevMode devMode;
    devMode.portrait = portrait;
    for (const auto& [id, code] : kPaperCodes)
        if (id == size.id()) {
            devMode.paperCode = code;
            return devMode;
        }
    const QSizeF millimetres = size.size(QPageSize::Millimeter);
    devMode.paperCode = kPaperUserDefined;
    devMode.paperWidth = millimetres.width() * kTenthsPerMillimetre;
    devMode.paperLength = millimetres.height() * kTenthsPerMillimetre;
    return devMode;
}

QPageSize PageSizeOfDevMode(const TDevMode& devMode) {
    for (const auto& [id, code] : kPaperCodes)
        if (code == devMode.paperCode) return QPageSize(id);
    if (devMode.paperCode == kPaperUserDefined && devMode.paperWidth > 0 && devMode.paperLength > 0)
        return QPageSize(QSizeF(devMode.paperWidth / kTenthsPerMillimetre, devMode.paperLength / kTenthsPerMillimetre),
                         QPageSize::Millimeter);
    return QPageSize(QPageSize::A4);
}

std::optional<TPrinterChoice> TQtPrinterSource::DefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    QPrinter printer(info);
    return ChoiceOf(printer);
}

std::optional<TPrinterChoice> TQtPrinterSource::SetupDialog(QWidget* owner, const TPrinterChoice* start) {
    QPrinter printer;
    if (start) ApplyChoice(printer, *start);
    QPrintDialog dialog(&printer, owner);
    // Printing to a PDF file is one of the printers offered.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ChoiceOf(printer);
}

void TQtPrinterSource::DeviceSettingsDialog(QWidget* owner, TPrinterChoice& choice) {
    QPrinter printer;
    ApplyChoice(printer, choice);
    QPageSetupDialog dialog(&printer, owner);
    if (dialog.exec() == QDialog::Accepted) choice = ChoiceOf(printer);
}

TPrintOutcome TQtPrinterSource::Print(QWidget* owner, const TPrinterChoice& choice, bool showDialog,
                                      const TPageRenderer& render) {
    QPrinter printer(QPrinter::HighResolution);
    ApplyChoice(printer, choice);
    if (showDialog) {
        QPrintDialog dialog(&printer, owner);
        if (dialog.exec() != QDialog::Accepted) return TPrintOutcome::Cancelled;
    }
    const bool drawn = render(printer);
    return drawn && printer.printerState() != QPrinter::Error ? TPrintOutcome::Printed : TPrintOutcome::Failed;
}

std::optional<std::string> TQtPrinterSource::PdfFileDialog(QWidget* owner, const std::string& suggested) {
    QFileDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("PdfFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QString::fromStdString(suggested));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

}  // namespace cv
