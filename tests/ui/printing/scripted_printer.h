#pragma once
// A printer source for tests: a default printer or none, scripted answers
// of the set-up and PDF file dialogs, and print jobs drawn into PDF in memory so that the
// pages can be counted. Installed for its lifetime; forgets the kept choice.

#include <QBuffer>
#include <QPdfWriter>

#include "ui/printing/prn_setup.h"

namespace cv::test {

class ScriptedPrinter final : public TPrinterSource {
public:
    explicit ScriptedPrinter(std::optional<TPrinterChoice> defaultPrinter) : printer(std::move(defaultPrinter)) {
        FreePrinterSetup();
        InstallPrinterSource(this);
    }
    ~ScriptedPrinter() override {
        InstallPrinterSource(nullptr);
        FreePrinterSetup();
    }

    static TPrinterChoice Printer(int paperCode, bool portrait = true) {
        return {"Office laser", "Laser1", "usb://laser1", {paperCode, 0, 0, portrait}};
    }

    std::optional<TPrinterChoice> DefaultPrinter() override { return printer; }
    std::optional<TPrinterChoice> SetupDialog(QWidget*, const TPrinterChoice* start) override {
        setupStarts.push_back(start ? start->device : "");
        return setupAnswer;
    }
    void DeviceSettingsDialog(QWidget*, TPrinterChoice&) override { ++settingsDialogs; }
    TPrintOutcome Print(QWidget*, const TPrinterChoice& choice, bool showDialog, const TPageRenderer& render) override {
        jobs.push_back({choice.device, showDialog, 0});
        if (outcome != TPrintOutcome::Printed) return outcome;
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        if (!render(writer)) return TPrintOutcome::Failed;
        jobs.back().bytes = static_cast<int>(pdf.size());
        return outcome;
    }

    std::optional<std::string> PdfFileDialog(QWidget*, const std::string& suggested) override {
        pdfSuggestions.push_back(suggested);
        return pdfAnswer;
    }

    struct Job {
        std::string device;
        bool dialog;
        int bytes;
    };
    std::optional<TPrinterChoice> printer;
    std::optional<TPrinterChoice> setupAnswer;
    TPrintOutcome outcome = TPrintOutcome::Printed;
    std::vector<Job> jobs;
    std::vector<std::string> setupStarts;
    std::optional<std::string> pdfAnswer;  // the PDF file dialog's answer
    std::vector<std::string> pdfSuggestions;
    int settingsDialogs = 0;
};

}  // namespace cv::test
