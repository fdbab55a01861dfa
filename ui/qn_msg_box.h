#pragma once
// TFoQNMsgBox: the program's one message window. It serves as the modal
// message box, as the wait notice with its Cancel button and as the quick-help
// window. The box keeps its icon and button row between uses and rebuilds
// them only when a call asks for others. It keeps within the screen's room
// beside the window manager's frame. The calls that show it are in
// ui/message_box.h.

#include <QDialog>
#include <QStringList>
#include <array>

#include "core/base/ui_services.h"

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

namespace cv {

class TTranslate;

class TFoQNMsgBox : public QDialog {
    Q_OBJECT

public:
    // Layout constants of the box, in pixels.
    static constexpr int kClientWidth = 692;
    static constexpr int kPanelLeft = 12;
    static constexpr int kPanelTop = 15;
    static constexpr int kPanelWidth = 669;
    static constexpr int kMemoLeft = 88;
    static constexpr int kMemoWidth = 573;
    static constexpr int kIconLeft = 24;
    static constexpr int kIconWidth = 48;
    static constexpr int kIconHeight = 64;
    static constexpr int kButtonWidth = 89;
    static constexpr int kButtonHeight = 26;
    static constexpr int kButtonGap = 12;
    static constexpr int kMargin = 15;
    static constexpr int kMaxMemoHeight = 300;
    // Two character heights less the point size of the 11-pixel, 8-point font.
    static constexpr int kLineHeight = 2 * 11 - 8;

    struct TShowRequest {
        bool Modal = true;
        TMsgDlgType Type = TMsgDlgType::mtCustom;
        TAlignment Alignment = TAlignment::taLeftJustify;
        QStringList Lines;
        TMsgDlgButtons Buttons = mbOK;
        // The quick-help look: closes on any click, caption from "FoQuickHelp",
        // at the top of the screen, no button row in view.
        bool QuickHelp = false;
    };

    // Texts (may be null) gives the button captions and the quick-help caption.
    TFoQNMsgBox(QWidget* owner, TTranslate* texts);

    // Modal: shows the box and returns the pressed button's result (Cancel
    // when the window is closed otherwise). Modeless: shows it and returns
    // mrNone at once.
    TModalResult Execute(const TShowRequest& request);

    // Takes the button captions again from Texts (English when null).
    void SetTexts(TTranslate* texts);

    // Count of rebuilds of the icon and of the button row, for callers that
    // check that repeated calls reuse them.
    int IconChanges() const { return iconChanges_; }
    int ButtonRowChanges() const { return buttonRowChanges_; }

signals:
    // The help button was pressed; the box stays open.
    void HelpRequested();
    // Cancel was pressed: a modal box closes with Cancel, a wait notice stays
    // up until its caller closes it.
    void CancelPressed();

public slots:
    // Escape or the window's close button: Cancel for a box that waits for
    // an answer; on a wait notice the same as its Cancel button, which leaves
    // the notice up until its caller closes it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    QPushButton* AddButton(const char* name, TModalResult result);
    void ShowIcon(TMsgDlgType type);
    void ShowButtons(TMsgDlgButtons buttons);
    // The button that Enter presses: the first shown, or Cancel/No on request.
    QPushButton* DefaultButton(TMsgDlgButtons buttons) const;
    void SetMemoText(const QStringList& lines, TAlignment alignment);
    int MemoLineCount(int memoWidth) const;
    void Arrange();
    void ApplyLook(bool quickHelp);
    void PressButton(TModalResult result);

    TTranslate* texts_;
    QFrame* Bevel;
    QTextEdit* MMsg;
    QLabel* IConfirm;
    QLabel* IInfo;
    QLabel* IError;
    QLabel* IWarning;
    // In the order of the button set's display: Yes, No, OK, Cancel, Abort,
    // Retry, Ignore, Help.
    std::array<QPushButton*, 8> buttons_{};
    std::vector<QPushButton*> shownButtons_;
    QLabel* currentIcon_ = nullptr;
    TMsgDlgType currentType_ = TMsgDlgType::mtCustom;
    TMsgDlgButtons currentButtons_ = mbOK;
    bool quickHelp_ = false;
    bool waitingForAnswer_ = false;
    int iconChanges_ = 0;
    int buttonRowChanges_ = 0;
};

}  // namespace cv
