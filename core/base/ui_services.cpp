#include "core/base/ui_services.h"

#include <iostream>

#include "core/base/message_list.h"

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
    void ShowMessageList(const TQnInfos& items, const TQnInfoTexts&, TAlignment) override {
        for (const auto& info : items.Items()) {
            std::cerr << info.Headline << '\n';
            for (const auto& line : info.Lines) std::cerr << "  " << line << '\n';
        }
    }
    void ProcessPaintAndTimerEvents() override {}
};

ConsoleUiServices consoleServices;
UiServices* installed = nullptr;

}  // namespace

UiServices& Ui() { return installed ? *installed : consoleServices; }

void InstallUiServices(UiServices* services) { installed = services; }

}  // namespace cv
