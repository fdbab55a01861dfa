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

namespace cv {
namespace {

// Design-time texts, kept when the controls entry leaves a text empty.
constexpr char kDefaultHeadLabel[] = "Message Titles";
constexpr char kDefaultListHint[] = "Click on a message title to have its details in the box below";
constexpr char kDefaultDetailLabel[] = "Message details";
constexpr char kDefaultOkCaption[] = "OK";

constexpr int kDialogWidth = 520;
constexpr int kDialogHeight = 400;

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
}

void TFoQnInfo::BuildControls() {
    LHeadLine = new QLabel(this);
    LHeadLine->setObjectName("LHeadLine");
    LBHeadLine = new QListWidget(this);
    LBHeadLine->setObjectName("LBHeadLine");
    LBHeadLine->setSelectionMode(QAbstractItemView::SingleSelection);
    LHeadLine->setBuddy(LBHeadLine);

    LMMsg = new QLabel(this);
    LMMsg->setObjectName("LMMsg");
    MMsg = new QTextEdit(this);
    MMsg->setObjectName("MMsg");
    MMsg->setReadOnly(true);
    MMsg->setAcceptRichText(false);
    // Long detail lines wrap, so the details need at most a vertical scroll bar.
    MMsg->setLineWrapMode(QTextEdit::WidgetWidth);
    MMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    LMMsg->setBuddy(MMsg);

    hlsbOk = new QPushButton(this);
    hlsbOk->setObjectName("hlsbOk");
    hlsbOk->setFlat(true);
    hlsbOk->setCursor(Qt::PointingHandCursor);
    hlsbOk->setStyleSheet("QPushButton { color: palette(link); text-decoration: underline; border: none; }");
    connect(hlsbOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(LBHeadLine, &QListWidget::currentRowChanged, this, &TFoQnInfo::SelectRow);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(hlsbOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LHeadLine);
    layout->addWidget(LBHeadLine, 1);
    layout->addWidget(LMMsg);
    layout->addWidget(MMsg, 1);
    layout->addLayout(buttonRow);
}

void TFoQnInfo::ApplyTexts(const TQnInfoTexts& texts) {
    setWindowTitle(TextOr(texts.InfoTitle, kApplicationTitle));
    LHeadLine->setText(TextOr(texts.InfoHeadLabel, kDefaultHeadLabel));
    LBHeadLine->setToolTip(TextOr(texts.InfoListHint, kDefaultListHint));
    LMMsg->setText(TextOr(texts.InfoDetailLabel, kDefaultDetailLabel));
    hlsbOk->setText(TextOr(texts.InfoOkCaption, kDefaultOkCaption));
}

int TFoQnInfo::Execute(const TQnInfos& items, TAlignment alignment) {
    detailAlignment_ = ToQtAlignment(alignment);
    selectedIndex_ = -1;
    {
        // Filling the list must not count as the user's choice of a row.
        const QSignalBlocker blocker(LBHeadLine);
        LBHeadLine->clear();
        ShownItems.clear();
        for (const TQnInfo& info : items.Items()) {
            ShownItems.push_back(&info);
            LBHeadLine->addItem(Cp1252ToQString(info.Headline));
        }
    }
    if (!ShownItems.empty()) {
        ShowDetails(0);
        const QSignalBlocker blocker(LBHeadLine);
        LBHeadLine->setCurrentRow(0);
        selectedIndex_ = 0;
    }
    const int result = exec();
    ShownItems.clear();
    return result;
}

void TFoQnInfo::SelectRow(int row) {
    if (row < 0 || row == selectedIndex_ || static_cast<std::size_t>(row) >= ShownItems.size()) return;
    selectedIndex_ = row;
    ShowDetails(row);
}

void TFoQnInfo::ShowDetails(int index) {
    QStringList lines;
    for (const std::string& line : ShownItems[static_cast<std::size_t>(index)]->Lines) {
        lines.append(Cp1252ToQString(line));
    }
    MMsg->setPlainText(lines.join('\n'));
    QTextCursor cursor(MMsg->document());
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
