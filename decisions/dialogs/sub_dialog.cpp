#include "decisions/dialogs/sub_dialog.h"

#include <QToolButton>

#include "shell/main_window.h"
#include "ui/help_state.h"

namespace cv {

namespace {

constexpr int kHelpToolButton = 2;
constexpr int kToolButtonMargin = 5;
constexpr int kToolButtonTop = 3;

TFoCv3Main* MainWindowOf(QWidget* widget) {
    for (QWidget* owner = widget; owner; owner = owner->parentWidget())
        if (auto* main = qobject_cast<TFoCv3Main*>(owner->window())) return main;
    return nullptr;
}

}  // namespace

// The help button usually sits on the decision dialog that opens this one:
// it goes back there afterwards, not to the bar.
int ShowSubDialog(QDialog& dialog, int helpContext) {
    TFoCv3Main* main = MainWindowOf(dialog.parentWidget());
    QToolButton* help = main ? main->ToolButton(kHelpToolButton) : nullptr;
    QWidget* helpOwner = help ? help->parentWidget() : nullptr;
    const QPoint helpPlace = help ? help->pos() : QPoint();
    const bool helpShown = help && !help->isHidden();
    dialog.adjustSize();
    if (main)
        main->ShowToolButtonsOn({kHelpToolButton}, {}, &dialog, dialog.width() - kToolButtonMargin, kToolButtonTop,
                                true);
    const std::int32_t ownerContext = HelpState().HelpContext;
    HelpState().HelpContext = helpContext;
    const int result = dialog.exec();
    HelpState().HelpContext = ownerContext;
    if (main) {
        main->RestoreToolButtons();
        if (helpOwner && helpOwner != main->Bar()) {
            help->setParent(helpOwner);
            help->move(helpPlace);
            help->setVisible(helpShown);
        }
    }
    return result;
}

}  // namespace cv
