#include "ui/screen_room.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace cv {
namespace {

// The frame last seen on a framed window: every window of the program gets the
// same decoration from one window manager.
QMargins& LastSeenFrame() {
    static QMargins frame;
    return frame;
}

// While the window manager reparents a window into its frame, the frame can
// read as the new parent's still unsized 1 x 1 window: margins that are
// negative. Such a frame is not known yet.
bool IsKnownFrame(const QMargins& frame) {
    return !frame.isNull() && frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
}

}  // namespace

QRect AvailableArea(const QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins WindowFrame(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (handle && window.isVisible()) {
        const QMargins own = handle->frameMargins();
        if (IsKnownFrame(own)) {
            LastSeenFrame() = own;
            return own;
        }
    }
    return LastSeenFrame();
}

QSize RoomOnScreen(const QWidget& window) {
    const QMargins frame = WindowFrame(window);
    const QSize area = AvailableArea(window).size();
    return {std::max(0, area.width() - frame.left() - frame.right()),
            std::max(0, area.height() - frame.top() - frame.bottom())};
}

void KeepOnScreen(QWidget& window) {
    const QRect area = AvailableArea(window);
    if (area.isEmpty()) return;
    const QRect outer = window.geometry().marginsAdded(WindowFrame(window));
    const int left = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int top = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    // A top-level window's position is that of its frame's top left corner.
    if (left != outer.left() || top != outer.top()) window.move(left, top);
}

TScreenKeeper::TScreenKeeper(QWidget& window, std::function<void()> refit)
    : QObject(&window), window_(window), refit_(std::move(refit)) {
    window.installEventFilter(this);
    if (QScreen* screen = window.screen())
        connect(screen, &QScreen::availableGeometryChanged, this, &TScreenKeeper::AvailableAreaChanged);
}

bool TScreenKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || !window_.isWindow()) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide) fitted_ = false;
    if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) return false;
    if (!window_.isVisible()) return false;
    const QMargins frame = WindowFrame(window_);
    if (!fitted_ || frame != fittedFrame_) Fit(frame);
    return false;
}

void TScreenKeeper::Fit(const QMargins& frame) {
    fitted_ = true;
    fittedFrame_ = frame;
    if (refit_) refit_();
    KeepOnScreen(window_);
}

void TScreenKeeper::AvailableAreaChanged() {
    if (window_.isWindow() && window_.isVisible()) Fit(WindowFrame(window_));
}

}  // namespace cv
