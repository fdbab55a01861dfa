#include "shell/help_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>
#include <QWindow>

#include "core/language/translator.h"
#include "ui/cp1252.h"
#include "ui/screen_room.h"

namespace cv {
namespace {

constexpr int kDefaultWidth = 560;
constexpr int kDefaultHeight = 480;

}  // namespace

THelpWindow::THelpWindow(QWidget* owner) : QTextBrowser(owner) {
    setObjectName(QStringLiteral("HelpWindow"));
    // A window of the owner's for the window manager, which then keeps it
    // above the owner: a dialog closed over it does not bury it.
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setOpenExternalLinks(false);
    resize(kDefaultWidth, kDefaultHeight);
    // A screen with less room than that takes the window smaller, its frame
    // included; a size a person chose within the room stays.
    new TScreenKeeper(*this, [this] { resize(size().boundedTo(RoomOnScreen(*this))); });
    if (Translator && Translator->IsOpen()) {
        std::string title;
        Translator->ControlsLine("HelpWindow", 1, title);
        setWindowTitle(Cp1252ToQString(title));
    }
}

QString THelpWindow::AnchorOf(int helpContext) { return QStringLiteral("context%1").arg(helpContext); }

void THelpWindow::ShowContext(const std::string& file, int helpContext) {
    const QString fileName = QString::fromStdString(file);
    if (!QFileInfo(fileName).isFile()) return;
    QUrl url = QUrl::fromLocalFile(fileName);
    url.setFragment(AnchorOf(helpContext));
    setSource(url);
    ShowAboveModalWindow();
}

void THelpWindow::ShowAboveModalWindow() {
    // The window manager learns the owner as the window's parent when the
    // window is shown; the toolkit's own parent afterwards is the open modal
    // window, which then takes the help for one of its own and lets it be read
    // and closed while it stays open.
    create();
    windowHandle()->setTransientParent(parentWidget() ? parentWidget()->window()->windowHandle() : nullptr);
    show();
    if (QWidget* modal = QApplication::activeModalWidget()) windowHandle()->setTransientParent(modal->windowHandle());
    raise();
    activateWindow();
}

}  // namespace cv
