#include "ui/fo_qn_info.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/alignment.h"
#include "ui/cp1252.h"
#include "ui/screen_room.h"

namespace cv {
namespace {

// Design-time texts, kept when the controls entry leaves a text empty.
constexpr char kDefaultHeadLabel[] = "Message Titles";
constexpr char kDefaultListHint[] = "Click on a message title to have its details in the box below";
constexpr char kDefaultDetailLabel[] = "Message details";
constexpr char kDefaultOkCaption[] = "OK";

constexpr int kDialogWidth = 520;
constexpr int kDialogHeight = 400;
constexpr QSize kOkSize(89, 26);

// Text when it is set, else the fallback.
QString TextOr(const std::string& text, const char* fallback) {
    return text.empty() ? QString::fromLatin1(fallback) : Cp1252ToQString(text);
}

}  // namespace

TFoQnInfo::TFoQnInfo(const TQnInfoTexts& texts, QWidget* owner) : QDialog(owner) {
    setObjectName("FoQnInfo");
    BuildControls();
    ApplyTexts(texts);
    resize(kDialogWidth, kDialogHeight);
    new TScreenKeeper(*this, {});
}

void TFoQnInfo::BuildControls() {
    lHeadLine_ = new QLabel(this);
    lHeadLine_->setObjectName("LHeadLine");
    lbHeadLine_ = new QListWidget(this);
    lbHeadLine_->setObjectName("LBHeadLine");
    lbHeadLine_->setSelectionMode(QAbstractItemView::SingleSelection);
    lHeadLine_->setBuddy(lbHeadLine_);

    lmMsg_ = new QLabel(this);
    lmMsg_->setObjectName("LMMsg");
    mMsg_ = new QTextEdit(this);
    mMsg_->setObjectName("MMsg");
    mMsg_->setReadOnly(true);
    mMsg_->setAcceptRichText(false);
    // Long detail lines wrap, so the details need at most a vertical scroll bar.
    mMsg_->setLineWrapMode(QTextEdit::WidgetWidth);
    mMsg_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mMsg_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lmMsg_->setBuddy(mMsg_);

    // A plain button, as on every other dialog: a flat underlined caption
    // would read as a web link.
    hlsbOk_ = new QPushButton(this);
    hlsbOk_->setObjectName("hlsbOk");
    hlsbOk_->setDefault(true);
    hlsbOk_->setMinimumSize(kOkSize);
    connect(hlsbOk_, &QPushButton::clicked, this, &QDialog::accept);
    connect(lbHeadLine_, &QListWidget::currentRowChanged, this, &TFoQnInfo::SelectRow);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(hlsbOk_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lHeadLine_);
    layout->addWidget(lbHeadLine_, 1);
    layout->addWidget(lmMsg_);
    layout->addWidget(mMsg_, 1);
    layout->addLayout(buttonRow);
}

void TFoQnInfo::ApplyTexts(const TQnInfoTexts& texts) {
    setWindowTitle(TextOr(texts.InfoTitle, kApplicationTitle));
    lHeadLine_->setText(TextOr(texts.InfoHeadLabel, kDefaultHeadLabel));
    lbHeadLine_->setToolTip(TextOr(texts.InfoListHint, kDefaultListHint));
    lmMsg_->setText(TextOr(texts.InfoDetailLabel, kDefaultDetailLabel));
    hlsbOk_->setText(TextOr(texts.InfoOkCaption, kDefaultOkCaption));
}

int TFoQnInfo::Execute(const TQnInfos& items, TAlignment alignment) {
    detailAlignment_ = ToQtAlignment(alignment);
    selectedIndex_ = -1;
    {
        // Filling the list must not count as the user's choice of a row.
        const QSignalBlocker blocker(lbHeadLine_);
        lbHeadLine_->clear();
        shownItems_.clear();
        for (const TQnInfo& info : items.Items()) {
            shownItems_.push_back(&info);
            lbHeadLine_->addItem(Cp1252ToQString(info.Headline));
        }
    }
    if (!shownItems_.empty()) {
        ShowDetails(0);
        const QSignalBlocker blocker(lbHeadLine_);
        lbHeadLine_->setCurrentRow(0);
        selectedIndex_ = 0;
    }
    const int result = exec();
    shownItems_.clear();
    return result;
}

void TFoQnInfo::SelectRow(int row) {
    if (row < 0 || row == selectedIndex_ || static_cast<std::size_t>(row) >= shownItems_.size()) return;
    selectedIndex_ = row;
    ShowDetails(row);
}

void TFoQnInfo::ShowDetails(int index) {
    QStringList lines;
    for (const std::string& line : shownItems_[static_cast<std::size_t>(index)]->Lines) {
        lines.append(Cp1252ToQString(line));
    }
    mMsg_->setPlainText(lines.join('\n'));
    QTextCursor cursor(mMsg_->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(detailAlignment_);
    cursor.mergeBlockFormat(format);
}

void ShowInfoListDialog(QWidget* owner, const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment) {
    if (items.Empty()) return;
    TFoQnInfo dialog(texts, owner);
    dialog.Execute(items, alignment);
}

}  // namespace cv
