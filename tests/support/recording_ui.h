#pragma once
// A UiServices that never blocks and keeps every box shown, so that tests can
// assert on the texts. Installed for its lifetime.

#include <functional>
#include <string>
#include <vector>

#include "core/language/keyed_messages.h"
#include "core/base/ui_services.h"

namespace cv::test {

class RecordingUi final : public UiServices {
public:
    struct MessageBoxCall {
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        std::string key;
        std::vector<int> lines;
        TAlignment alignment;
        bool operator==(const MessageBoxCall&) const = default;
    };

    struct MessageListCall {
        std::vector<TQnInfo> items;
        TQnInfoTexts texts;
        TAlignment alignment;
    };

    RecordingUi();
    ~RecordingUi() override;

    void ShowPlainBox(const std::string& text) override;
    void ShowErrorBox(const std::string& text) override;
    TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                const std::vector<int>& lines, TAlignment alignment) override;
    void ShowProgressBox(const std::vector<std::string>& lines) override;
    void CloseProgressBox() override;
    void ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) override;
    void ProcessPaintAndTimerEvents() override;

    std::vector<std::string> plainBoxes;
    std::vector<std::string> errorBoxes;
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<std::vector<std::string>> progressBoxes;
    std::vector<MessageListCall> messageLists;
    bool progressOpen = false;
    int eventPumps = 0;
    // What the next ShowMessageBox answers.
    TModalResult messageBoxAnswer = TModalResult::mrOk;
    // Runs while a message box is shown, before it is answered: what the
    // person does meanwhile (inserting a disk, say).
    std::function<void(const MessageBoxCall&)> whileBoxShown;

private:
    UiServices* previous_;
};

// Keys of the message boxes Ui showed, in order.
std::vector<std::string> BoxKeys(const RecordingUi& ui);

// How many boxes and message lists Ui has shown.
std::size_t MessagesShown(const RecordingUi& ui);

}  // namespace cv::test
