#include "ui/qn_msg_box.h"

#include <QAbstractTextDocumentLayout>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <algorithm>

#include "core/base/message_list.h"
#include "core/language/translator.h"
#include "ui/alignment.h"
#include "ui/cp1252.h"
#include "ui/msg_box_icons.h"
#include "ui/qn_form.h"
#include "ui/screen_room.h"

namespace cv {
namespace {

struct TButtonLayout {
    const char* Name;
    TMsgDlgBtn Bit;
    TModalResult Result;
    const char* EnglishCaption;
};

// The display order of the button row.
constexpr std::array<TButtonLayout, 8> kButtonLayouts{{
    {"BBYes", mbYes, TModalResult::mrYes, "Yes"},
    {"BBNo", mbNo, TModalResult::mrNo, "No"},
    {"BBOk", mbOK, TModalResult::mrOk, "OK"},
    {"BBCancel", mbCancel, TModalResult::mrCancel, "Cancel"},
    {"BBAbort", mbAbort, TModalResult::mrAbort, "Abort"},
    {"BBRetry", mbRetry, TModalResult::mrRetry, "Retry"},
    {"BBIgnore", mbIgnore, TModalResult::mrIgnore, "Ignore"},
    {"BBHelp", mbHelp, TModalResult::mrNone, "Help"},
}};

constexpr char kQuickHelpKey[] = "FoQuickHelp";
constexpr char kQuickHelpCaption[] = "Corvantis Quick Help";
constexpr char kQuickHelpHint[] = "Double click on top-right button to close this window.";

// Line LineNo of a controls entry, or Fallback when there is no translator or
// the entry lacks the line.
QString ControlsText(TTranslate* texts, const char* key, std::size_t lineNo, const char* fallback) {
    if (texts) {
        std::vector<std::string> lines;
        texts->GetLines(kSectionControls, key, lines);
        if (lines.size() >= lineNo) return Cp1252ToQString(lines[lineNo - 1]);
    }
    return QString::fromLatin1(fallback);
}

}  // namespace

TFoQNMsgBox::TFoQNMsgBox(QWidget* owner, TTranslate* texts) : QDialog(owner), texts_(texts) {
    setObjectName("FoQNMsgBox");
    setFont(TQNForm::FormFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    BuildControls();
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    new TScreenKeeper(*this, [this] { Arrange(); });
    SetTexts(texts);
    buttons_[2]->show();
    shownButtons_ = {buttons_[2]};
    QGuiApplication::restoreOverrideCursor();
}

void TFoQNMsgBox::BuildControls() {
    Bevel = new QFrame(this);
    Bevel->setObjectName("Bevel");
    Bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel->setGeometry(kPanelLeft, kPanelTop, kPanelWidth, kIconHeight + 2 * kMargin);

    MMsg = new QTextEdit(Bevel);
    MMsg->setObjectName("MMsg");
    MMsg->setReadOnly(true);
    MMsg->setAcceptRichText(false);
    MMsg->setFrameStyle(QFrame::NoFrame);
    MMsg->setFocusPolicy(Qt::NoFocus);
    MMsg->document()->setDocumentMargin(0);
    MMsg->viewport()->setAutoFillBackground(false);
    MMsg->setStyleSheet("QTextEdit { background: transparent; }");
    MMsg->setGeometry(kMemoLeft, 0, kMemoWidth, kLineHeight);

    const std::array<std::pair<QLabel**, TMsgDlgType>, 4> icons{{{&IConfirm, TMsgDlgType::mtConfirmation},
                                                                 {&IInfo, TMsgDlgType::mtInformation},
                                                                 {&IError, TMsgDlgType::mtError},
                                                                 {&IWarning, TMsgDlgType::mtWarning}}};
    const std::array<const char*, 4> iconNames{"IConfirm", "IInfo", "IError", "IWarning"};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        QLabel* icon = new QLabel(Bevel);
        icon->setObjectName(iconNames[i]);
        icon->setAlignment(Qt::AlignCenter);
        icon->setPixmap(MessageIcon(icons[i].second, kIconWidth, kIconHeight));
        icon->setGeometry(kIconLeft, 2 * kMargin, kIconWidth, kIconHeight);
        icon->hide();
        *icons[i].first = icon;
    }

    for (std::size_t i = 0; i < kButtonLayouts.size(); ++i) buttons_[i] = AddButton(kButtonLayouts[i].Name, kButtonLayouts[i].Result);
    connect(buttons_[7], &QPushButton::clicked, this, &TFoQNMsgBox::HelpRequested);
}

QPushButton* TFoQNMsgBox::AddButton(const char* name, TModalResult result) {
    auto* button = new QPushButton(this);
    button->setObjectName(name);
    button->resize(kButtonWidth, kButtonHeight);
    button->setFocusPolicy(Qt::ClickFocus);  // none of the buttons is a tab stop
    button->hide();
    if (result != TModalResult::mrNone) connect(button, &QPushButton::clicked, this, [this, result] { PressButton(result); });
    return button;
}

void TFoQNMsgBox::SetTexts(TTranslate* texts) {
    texts_ = texts;
    for (std::size_t i = 0; i < kButtonLayouts.size(); ++i)
        buttons_[i]->setText(ControlsText(texts, kButtonLayouts[i].Name, 1, kButtonLayouts[i].EnglishCaption));
}

void TFoQNMsgBox::PressButton(TModalResult result) {
    if (result == TModalResult::mrCancel) emit CancelPressed();
    // A modeless wait notice stays up until its caller closes it.
    if (waitingForAnswer_) done(static_cast<int>(result));
}

TModalResult TFoQNMsgBox::Execute(const TShowRequest& request) {
    ShowIcon(request.Type);
    ShowButtons(request.Buttons);
    SetMemoText(request.Lines, request.Alignment);
    quickHelp_ = request.QuickHelp;
    Arrange();
    ApplyLook(request.QuickHelp);
    if (QPushButton* initial = DefaultButton(request.Buttons)) {
        initial->setDefault(true);
        initial->setFocus();
    }
    if (!request.Modal) {
        show();
        repaint();  // drawn before the caller's long work begins
        return TModalResult::mrNone;
    }
    waitingForAnswer_ = true;
    const int result = exec();
    waitingForAnswer_ = false;
    return result == 0 ? TModalResult::mrCancel : static_cast<TModalResult>(result);
}

QPushButton* TFoQNMsgBox::DefaultButton(TMsgDlgButtons buttons) const {
    if (shownButtons_.empty()) return nullptr;
    if (buttons & mbDefaultCancel)
        for (std::size_t i = 0; i < kButtonLayouts.size(); ++i)
            if ((kButtonLayouts[i].Bit & (mbCancel | mbNo)) && (buttons & kButtonLayouts[i].Bit)) return buttons_[i];
    return shownButtons_.front();
}

void TFoQNMsgBox::ShowIcon(TMsgDlgType type) {
    if (type == currentType_) return;
    if (currentIcon_) currentIcon_->hide();
    switch (type) {
        case TMsgDlgType::mtWarning: currentIcon_ = IWarning; break;
        case TMsgDlgType::mtError: currentIcon_ = IError; break;
        case TMsgDlgType::mtInformation: currentIcon_ = IInfo; break;
        case TMsgDlgType::mtConfirmation: currentIcon_ = IConfirm; break;
        case TMsgDlgType::mtCustom: currentIcon_ = nullptr; break;
    }
    if (currentIcon_) currentIcon_->show();
    currentType_ = type;
    ++iconChanges_;
}

void TFoQNMsgBox::ShowButtons(TMsgDlgButtons buttons) {
    if (buttons == currentButtons_) return;
    for (QPushButton* button : buttons_) {
        button->hide();
        button->setDefault(false);
    }
    shownButtons_.clear();
    for (std::size_t i = 0; i < kButtonLayouts.size(); ++i)
        if (buttons & kButtonLayouts[i].Bit) shownButtons_.push_back(buttons_[i]);
    currentButtons_ = buttons;
    ++buttonRowChanges_;
}

void TFoQNMsgBox::SetMemoText(const QStringList& lines, TAlignment alignment) {
    MMsg->setPlainText(lines.join('\n'));
    // Every line exactly one line height high, so that the memo's height is a
    // whole number of lines.
    QTextBlockFormat format;
    format.setAlignment(ToQtAlignment(alignment));
    format.setLineHeight(kLineHeight, QTextBlockFormat::FixedHeight);
    QTextCursor cursor(MMsg->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}

// Lines as laid out in the memo's width: a long line that wraps counts for
// each of its rows, so that no text is cut off.
int TFoQNMsgBox::MemoLineCount(int memoWidth) const {
    QTextDocument* document = MMsg->document();
    document->setTextWidth(memoWidth - MMsg->verticalScrollBar()->sizeHint().width());
    int count = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        count += std::max(1, block.layout()->lineCount());
    return count;
}

// The box is 692 pixels wide where the screen has the room, narrower (the
// text wrapping sooner) where the screen and the window manager's frame leave
// less.
void TFoQNMsgBox::Arrange() {
    const int clientWidth = std::min(kClientWidth, RoomOnScreen(*this).width());
    const int memoWidth = kMemoWidth - (kClientWidth - clientWidth);
    int memoHeight = kLineHeight * MemoLineCount(memoWidth);
    if (memoHeight > kMaxMemoHeight) {
        memoHeight = kMaxMemoHeight;
        MMsg->setFrameStyle(QFrame::Box | QFrame::Plain);
        MMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        MMsg->setFrameStyle(QFrame::NoFrame);
        MMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    const int panelHeight = std::max(kIconHeight + 2 * kMargin, memoHeight + 2 * kMargin);
    Bevel->setGeometry(kPanelLeft, kPanelTop, kPanelWidth - (kClientWidth - clientWidth), panelHeight);
    MMsg->setGeometry(kMemoLeft, (panelHeight - memoHeight) / 2, memoWidth, memoHeight);
    if (currentIcon_) currentIcon_->move(kIconLeft, (panelHeight - kIconHeight) / 2);

    const int buttonTop = kPanelTop + panelHeight + kMargin;
    const int count = static_cast<int>(shownButtons_.size());
    const int total = kButtonWidth * count + (count - 1) * kButtonGap;
    const int firstLeft = (clientWidth - total) / 2;
    for (int i = 0; i < count; ++i) {
        shownButtons_[static_cast<std::size_t>(i)]->setGeometry(firstLeft + i * (kButtonWidth + kButtonGap), buttonTop,
                                                                kButtonWidth, kButtonHeight);
        shownButtons_[static_cast<std::size_t>(i)]->show();
    }
    // The quick help hides the button row below the visible area.
    const int clientHeight = quickHelp_ ? buttonTop : buttonTop + kButtonHeight + kMargin;
    setFixedSize(clientWidth, clientHeight);
}

void TFoQNMsgBox::ApplyLook(bool quickHelp) {
    const QRect screenArea = screen() ? screen()->availableGeometry() : QRect(0, 0, kClientWidth, height());
    int top;
    if (quickHelp) {
        setWindowTitle(ControlsText(texts_, kQuickHelpKey, 1, kQuickHelpCaption));
        setToolTip(ControlsText(texts_, kQuickHelpKey, 2, kQuickHelpHint));
        top = 0;
    } else {
        setWindowTitle(QString::fromLatin1(kApplicationTitle));
        setToolTip(QString());
        top = (screenArea.height() - height()) / 2;
    }
    for (QWidget* clickable : {static_cast<QWidget*>(MMsg->viewport()), static_cast<QWidget*>(Bevel),
                               static_cast<QWidget*>(IConfirm), static_cast<QWidget*>(IInfo),
                               static_cast<QWidget*>(IError), static_cast<QWidget*>(IWarning)}) {
        if (quickHelp) clickable->installEventFilter(this);
        else clickable->removeEventFilter(this);
    }
    move(screenArea.left() + (screenArea.width() - width()) / 2, screenArea.top() + top);
}

void TFoQNMsgBox::reject() {
    if (waitingForAnswer_) QDialog::reject();
    else emit CancelPressed();
}

void TFoQNMsgBox::closeEvent(QCloseEvent* event) {
    if (waitingForAnswer_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    emit CancelPressed();
}

bool TFoQNMsgBox::eventFilter(QObject* watched, QEvent* event) {
    if (quickHelp_ && event->type() == QEvent::MouseButtonPress) {
        done(static_cast<int>(TModalResult::mrCancel));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFoQNMsgBox::mousePressEvent(QMouseEvent* event) {
    if (quickHelp_) {
        done(static_cast<int>(TModalResult::mrCancel));
        return;
    }
    QDialog::mousePressEvent(event);
}

}  // namespace cv
