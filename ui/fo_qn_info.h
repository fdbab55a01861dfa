#pragma once
// The message-list dialog: the headlines of a list of messages, and below them
// the detail lines of the headline the user selects.

#include <QDialog>
#include <vector>

#include "core/language/keyed_messages.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTextEdit;

namespace cv {

class TFoQnInfo : public QDialog {
    Q_OBJECT

public:
    // Takes its title and captions from Texts; an empty text leaves the
    // dialog's own (the application title for the title). Centred on Owner.
    explicit TFoQnInfo(const TQnInfoTexts& texts, QWidget* owner = nullptr);

    // Lists Items (which must outlive the call), shows the first message's
    // details in Alignment, and shows the dialog modally.
    int Execute(const TQnInfos& items, TAlignment alignment);

    // Row whose details are shown; -1 before Execute.
    int SelectedIndex() const { return selectedIndex_; }

private:
    void BuildControls();
    void ApplyTexts(const TQnInfoTexts& texts);
    void SelectRow(int row);
    void ShowDetails(int index);

    // Named after the components they show (their objectName).
    QLabel* lHeadLine_;
    QListWidget* lbHeadLine_;
    QLabel* lmMsg_;
    QTextEdit* mMsg_;
    QPushButton* hlsbOk_;
    // The messages listed, in row order; the caller's list owns them.
    std::vector<const TQnInfo*> shownItems_;
    int selectedIndex_ = -1;
    Qt::Alignment detailAlignment_ = Qt::AlignLeft;
};

// Creates the dialog over Owner, shows Items in it modally and frees it.
void ShowInfoListDialog(QWidget* owner, const TQnInfos& items, const TQnInfoTexts& texts, TAlignment alignment);

}  // namespace cv
