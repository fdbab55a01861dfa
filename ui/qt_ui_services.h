#pragma once
// The windowed implementation of UiServices: core and the model show their
// boxes, wait notices and message lists in the program's own windows. The
// program installs one at start-up; the console fallback stays for tools.

#include "core/base/ui_services.h"

namespace cv {

class TQtUiServices final : public UiServices {
public:
    // Installs itself; the previous implementation comes back on destruction.
    TQtUiServices();
    ~TQtUiServices() override;
    TQtUiServices(const TQtUiServices&) = delete;
    TQtUiServices& operator=(const TQtUiServices&) = delete;

    void ShowPlainBox(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;
    TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                const std::vector<int>& lines, TAlignment alignment) override;
    void ShowProgressBox(const std::vector<std::string>& lines) override;
    void CloseProgressBox() override;
    void ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) override;
    // While a wait notice is up its Cancel button is the one control that
    // takes input (the notice is application-modal); otherwise user input
    // stays queued.
    void ProcessPaintAndTimerEvents() override;

private:
    UiServices* previous_;
};

}  // namespace cv
