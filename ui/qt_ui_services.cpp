#include "ui/qt_ui_services.h"

#include <QApplication>

#include "ui/fo_qn_info.h"
#include "ui/message_box.h"

namespace cv {
namespace {

// The line list that shows the key itself as the text.
std::vector<int> LiteralLine() { return {-1}; }

}  // namespace

TQtUiServices::TQtUiServices() : previous_(&Ui()) { InstallUiServices(this); }

TQtUiServices::~TQtUiServices() { InstallUiServices(previous_); }

void TQtUiServices::ShowPlainBox(const std::string& text) {
    cv::ShowMessageBox(TMsgDlgType::mtCustom, mbOK, text, LiteralLine(), TAlignment::taLeftJustify);
}

void TQtUiServices::ShowErrorBox(const std::string& text) {
    cv::ShowMessageBox(TMsgDlgType::mtError, mbOK, text, LiteralLine(), TAlignment::taLeftJustify);
}

TModalResult TQtUiServices::ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                                           const std::vector<int>& lines, TAlignment alignment) {
    return cv::ShowMessageBox(type, buttons, key, lines, alignment);
}

void TQtUiServices::ShowProgressBox(const std::vector<std::string>& lines) { cv::ShowProgressBox(lines); }

void TQtUiServices::CloseProgressBox() { cv::CloseProgressBox(); }

void TQtUiServices::ShowMessageList(const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) {
    ShowInfoListDialog(QApplication::activeWindow(), items, texts, alignment);
}

void TQtUiServices::ProcessPaintAndTimerEvents() {
    QApplication::processEvents(ProgressBoxShown() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

}  // namespace cv
