#include "shell/dialog_help.h"

#include <QToolButton>
#include <vector>

#include "shell/main_window.h"
#include "ui/help_state.h"

namespace cv {

namespace {

constexpr int kHelpButton = 2;
constexpr int kButtonMargin = 5;
constexpr int kButtonTop = 3;

TFoCv3Main* MainWindowOf(QWidget& window) {
    for (QWidget* up = &window; up; up = up->parentWidget())
        if (auto* main = qobject_cast<TFoCv3Main*>(up)) return main;
    return nullptr;
}

struct TButtonPlace {
    QToolButton* button;
    QWidget* holder;
    QPoint place;
    bool visible;
};

}  // namespace

int ExecWithHelp(QWidget& opener, QDialog& dialog, THelpContext helpContext) {
    TFoCv3Main* main = MainWindowOf(opener);
    std::vector<TButtonPlace> places;
    if (main) {
        for (int number = 1; number <= TFoCv3Main::kToolButtonCount; ++number) {
            QToolButton* button = main->ToolButton(number);
            places.push_back({button, button->parentWidget(), button->pos(), !button->isHidden()});
        }
        main->ShowToolButtonsOn({kHelpButton}, {}, &dialog, dialog.width() - kButtonMargin, kButtonTop, true);
    }
    const THelpContext openerContext = HelpState().HelpContext;
    HelpState().HelpContext = helpContext;
    const int result = dialog.exec();
    HelpState().HelpContext = openerContext;
    for (const TButtonPlace& place : places) {
        place.button->setParent(place.holder);
        place.button->move(place.place);
        place.button->setVisible(place.visible);
    }
    return result;
}

}  // namespace cv
