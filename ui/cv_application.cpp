#include "ui/cv_application.h"

#include <QDialog>

#include "core/base/errors.h"
#include "ui/user_action.h"

namespace cv {
namespace {

// The modal dialog that Receiver lies on; null for any other window.
QDialog* ModalDialogOf(QObject* receiver) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    auto* dialog = widget ? qobject_cast<QDialog*>(widget->window()) : nullptr;
    return dialog && dialog->isModal() && dialog->isVisible() ? dialog : nullptr;
}

}  // namespace

TCvApplication::TCvApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TCvApplication::notify(QObject* receiver, QEvent* event) {
    const TUserAction action;
    try {
        return QApplication::notify(receiver, event);
    } catch (const EFatalStop&) {
        exit(kFatalStopExitCode);
    } catch (...) {
        ReportActionError(ModalDialogOf(receiver));
    }
    return false;
}

}  // namespace cv
