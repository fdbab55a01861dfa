#pragma once
// The printer source of the program: Qt's print support (the platform's
// printers, its print and page set-up dialogs).

#include <QPageSize>

#include "ui/printing/prn_setup.h"

namespace cv {

class TQtPrinterSource final : public TPrinterSource {
public:
    std::optional<TPrinterChoice> DefaultPrinter() override;
    std::optional<TPrinterChoice> SetupDialog(QWidget* owner, const TPrinterChoice* start) override;
    void DeviceSettingsDialog(QWidget* owner, TPrinterChoice& choice) override;
    TPrintOutcome Print(QWidget* owner, const TPrinterChoice& choice, bool showDialog,
                        const TPageRenderer& render) override;
    std::optional<std::string> PdfFileDialog(QWidget* owner, const std::string& suggested) override;
};

// The paper code of a Qt page size (user-defined for sizes without one), and back.
TDevMode DevModeOfPageSize(const QPageSize& size, bool portrait);
QPageSize PageSizeOfDevMode(const TDevMode& devMode);

}  // namespace cv
