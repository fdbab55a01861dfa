#include "shell/help_window.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QUrl>

#include "core/language/translator.h"
#include "ui/cp1252.h"
#include "ui/place_beside.h"
#include "ui/screen_room.h"

namespace cv {
namespace {

constexpr int kDefaultWidth = 560;
constexpr int kDefaultHeight = 480;
// Beside a dialog the window may be narrower and lower, down to this size.
constexpr QSize kLeastSizeBeside(280, 240);

}  // namespace

THelpWindow::THelpWindow() {
    setObjectName(QStringLiteral("HelpWindow"));
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
    askedIn_ = QGuiApplication::modalWindow();
    if (isVisible())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    else
        Open();
    FollowModalWindow();
    raise();
    activateWindow();
}

void THelpWindow::Open() {
    KeepInFront(askedIn_ != nullptr);
    if (askedIn_) PlaceBeside(*askedIn_);
    show();
}

void THelpWindow::PlaceBeside(const QWindow& dialog) {
    const QMargins frame = WindowFrame(*this);
    const QSize own = ownSize_.value_or(size());
    const QRect place = cv::PlaceBeside(dialog.frameGeometry(), AvailableArea(*this), own.grownBy(frame),
                                        kLeastSizeBeside.grownBy(frame));
    // Without room the window opens where it was.
    if (place.isNull()) return;
    ownSize_ = own;
    setGeometry(place.marginsRemoved(frame));
}

bool THelpWindow::event(QEvent* event) {
    // A modal window opened over the program blocks the others: the help
    // follows it.
    if (event->type() == QEvent::WindowBlocked) FollowModalWindow();
    return QTextBrowser::event(event);
}

void THelpWindow::FollowModalWindow() {
    QWindow* modal = QGuiApplication::modalWindow();
    if (!modal) askedIn_ = nullptr;
    // Taken by the toolkit for one of the modal window's own, the help is not
    // blocked by it. The window manager is not told: a plain window tells it
    // no owner, so the help is minimised and stacked on its own.
    windowHandle()->setTransientParent(modal);
    // In front of the dialog it was asked for in, not of a box that dialog
    // opens, which would then open behind it.
    KeepInFront(modal && modal == askedIn_);
    // Once the modal window closes, the help follows the one below it, if any.
    if (modal)
        connect(modal, &QWindow::visibleChanged, this, &THelpWindow::FollowModalWindow,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
}

void THelpWindow::KeepInFront(bool inFront) {
    // Told to the window manager without the window being hidden and shown
    // again, as a change of the widget's flags would.
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, inFront);
    if (flags == windowFlags()) return;
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle()) window->setFlags(flags);
    // Back among the program's windows, it stays where it was: in front.
    if (!inFront && isVisible()) raise();
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

void THelpWindow::hideEvent(QHideEvent* event) {
    // Closed, not minimised: the next opening takes the window's own size.
    if (ownSize_ && !event->spontaneous()) {
        resize(*ownSize_);
        ownSize_.reset();
    }
    QTextBrowser::hideEvent(event);
}

}  // namespace cv
