#include "ui/message_box.h"

#include <QPointer>

#include "core/language/translator.h"
#include "ui/cp1252.h"
#include "ui/qn_msg_box.h"

namespace cv {
namespace {

// The one box of the program, created on first use and freed by
// CloseProgressBox; Qt frees it with its owner.
QPointer<TFoQNMsgBox> box;
QPointer<QWidget> boxOwner;
TTranslate* boxTexts = nullptr;
int textSection = kSectionMessages;
bool progressCancelled = false;
bool progressShown = false;
std::function<void()> helpHandler;

void ConnectBox(TFoQNMsgBox* target) {
    QObject::connect(target, &TFoQNMsgBox::HelpRequested, target, [] {
        if (helpHandler) helpHandler();
    });
    QObject::connect(target, &TFoQNMsgBox::CancelPressed, target, [] { progressCancelled = true; });
}

TFoQNMsgBox& SharedBox() {
    if (!box) {
        box = new TFoQNMsgBox(boxOwner, boxTexts);
        ConnectBox(box);
    }
    return *box;
}

// Shows Request in the shared box, or, while that box is busy (the wait
// notice is up, or a message box is already waiting for an answer, as when a
// timer asks again), in a box of its own above it, so that the first is
// neither overwritten nor closed under its caller.
TModalResult ShowInFreeBox(const TFoQNMsgBox::TShowRequest& request) {
    TFoQNMsgBox& shared = SharedBox();
    if (!shared.isVisible()) return shared.Execute(request);
    TFoQNMsgBox extra(boxOwner, boxTexts);
    ConnectBox(&extra);
    return extra.Execute(request);
}

// Restores the text section when the quick help leaves, however it leaves.
class TSectionGuard {
public:
    explicit TSectionGuard(int section) : saved_(textSection) { textSection = section; }
    ~TSectionGuard() { textSection = saved_; }
    TSectionGuard(const TSectionGuard&) = delete;
    TSectionGuard& operator=(const TSectionGuard&) = delete;

private:
    int saved_;
};

}  // namespace

void SetMessageBoxTexts(TTranslate* texts, int section) {
    boxTexts = texts;
    textSection = section;
    if (box) box->SetTexts(texts);
}

int MessageBoxSection() { return textSection; }

void SetMessageBoxOwner(QWidget* owner) { boxOwner = owner; }

void SetMessageBoxHelpHandler(std::function<void()> handler) { helpHandler = std::move(handler); }

QStringList MessageBoxLines(const std::string& key, const std::vector<int>& lines) {
    if (!lines.empty() && lines.front() == -1) return {Cp1252ToQString(key)};
    std::vector<std::string> entry;
    if (boxTexts) boxTexts->GetLines(textSection, key, entry);
    QStringList result;
    if (!lines.empty() && lines.front() == 0) {
        for (const std::string& line : entry) result << Cp1252ToQString(line);
        return result;
    }
    for (int lineNo : lines)
        if (lineNo >= 1 && static_cast<std::size_t>(lineNo) <= entry.size())
            result << Cp1252ToQString(entry[static_cast<std::size_t>(lineNo - 1)]);
    return result;
}

TModalResult ShowMessageBox(TMsgDlgType type, TMsgDlgButtons buttons, const std::string& key,
                            const std::vector<int>& lines, TAlignment alignment) {
    TFoQNMsgBox::TShowRequest request;
    request.Type = type;
    request.Buttons = buttons;
    request.Alignment = alignment;
    request.Lines = MessageBoxLines(key, lines);
    request.QuickHelp = textSection == kSectionHelp;
    return ShowInFreeBox(request);
}

void ShowProgressBox(const std::vector<std::string>& lines) {
    progressCancelled = false;
    TFoQNMsgBox& notice = SharedBox();
    notice.hide();  // modality is taken when the window is shown
    notice.setWindowModality(Qt::ApplicationModal);
    TFoQNMsgBox::TShowRequest request;
    request.Modal = false;
    request.Type = TMsgDlgType::mtInformation;
    request.Buttons = mbCancel;
    request.Alignment = TAlignment::taCenter;
    for (const std::string& line : lines) request.Lines << Cp1252ToQString(line);
    progressShown = true;
    notice.Execute(request);
}

void CloseProgressBox() {
    // Without a notice the shared box may be waiting for an answer further
    // up the stack; it must not be freed under its caller.
    if (!progressShown || !box) return;
    progressShown = false;
    box->hide();
    box->deleteLater();
    box = nullptr;
}

bool ProgressBoxCancelled() { return progressCancelled; }

bool ProgressBoxShown() { return progressShown; }

void ShowQuickHelp(const std::string& key) {
    TSectionGuard guard(kSectionHelp);
    ShowMessageBox(TMsgDlgType::mtInformation, mbCancel, key, {0}, TAlignment::taLeftJustify);
}

TFoQNMsgBox* CurrentMessageBox() { return box; }

}  // namespace cv
