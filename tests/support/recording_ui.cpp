#include "tests/support/recording_ui.h"

namespace cv::test {

RecordingUi::RecordingUi() : previous_(&Ui()) { InstallUiServices(this); }
RecordingUi::~RecordingUi() { InstallUiServices(previous_); }

void RecordingUi::ShowPlainBox(const std::string& text) { plainBoxes.push_back(text); }
void RecordingUi::ShowErrorBox(const std::string& text) { errorBoxes.push_back(text); }

TModalResult RecordingUi::ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                         const std::vector<int>& lines, TAlignment alignment) {
    messageBoxes.push_back({type, buttons, key, lines, alignment});
    if (whileBoxShown) whileBoxShown(messageBoxes.back());
    return messageBoxAnswer;
}

void RecordingUi::ShowProgressBox(const std::vector<std::string>& lines) {
    progressBoxes.push_back(lines);
    progressOpen = true;
}

void RecordingUi::CloseProgressBox() { progressOpen = false; }

void RecordingUi::ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) {
    messageLists.push_back({items.Items(), texts, alignment});
}

void RecordingUi::ProcessPaintAndTimerEvents() { ++eventPumps; }

std::vector<std::string> BoxKeys(const RecordingUi& ui) {
    std::vector<std::string> keys;
    for (const auto& box : ui.messageBoxes) keys.push_back(box.key);
    return keys;
}

std::size_t MessagesShown(const RecordingUi& ui) {
    return ui.plainBoxes.size() + ui.errorBoxes.size() + ui.messageBoxes.size() + ui.messageLists.size();
}

}  // namespace cv::test
