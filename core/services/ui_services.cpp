#include "core/services/ui_services.h"

#include <iostream>

namespace cv {
namespace {

// Used by tools and by anything that runs before the window exists.
class ConsoleUiServices final : public UiServices {
public:
    void ShowPlainBox(const std::string& text) override { std::cerr << text << '\n'; }
    void ShowErrorBox(const std::string& text) override { std::cerr << "Error: " << text << '\n'; }
    TModalResult ShowMessageBox(TMsgDlgType, TMsgDlgButtons, const std::string& key, const std::vector<int>&,
                                TAlignment) override {
        std::cerr << key << '\n';
        return TModalResult::mrOk;
    }
    void ShowProgressBox(const std::vector<std::string>& lines) override {
        for (const auto& line : lines) std::cerr << line << '\n';
    }
    void CloseProgressBox() override {}
    void ProcessPaintAndTimerEvents() override {}
};

ConsoleUiServices consoleServices;
UiServices* installed = nullptr;

}  // namespace

UiServices& Ui() { return installed ? *installed : consoleServices; }

void InstallUiServices(UiServices* services) { installed = services; }

}  // namespace cv
