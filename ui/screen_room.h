#pragma once
// The room a top-level window has on its screen: the screen's available area
// (without panels and docks) less the frame that the window manager draws
// around the window. The frame is known only once the window is shown and
// framed; until then the frame last seen on any window stands for it.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

namespace cv {

// The screen's area, without panels and docks, where Window lies.
QRect AvailableArea(const QWidget& window);

// The frame around Window: its own once the window manager has framed it,
// otherwise the last frame seen on a framed window (none at first).
QMargins WindowFrame(const QWidget& window);

// The largest client size with which Window and its frame fit the screen's
// available area.
QSize RoomOnScreen(const QWidget& window);

// Moves Window so that it and its frame lie in the available area; a window
// larger than the area keeps its top left corner in it.
void KeepOnScreen(QWidget& window);

// Keeps a top-level window on its screen. When the window is shown, again
// when the window manager's frame around it becomes known or changes, and
// when the screen's available area changes (a panel comes or goes), Refit
// runs (a window that sizes itself to RoomOnScreen lays itself out again) and
// the window is moved into the available area. A person's later moves are
// left alone. The keeper is a child of the window.
class TScreenKeeper : public QObject {
    Q_OBJECT

public:
    TScreenKeeper(QWidget& window, std::function<void()> refit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit(const QMargins& frame);
    void AvailableAreaChanged();

    QWidget& window_;
    std::function<void()> refit_;
    QMargins fittedFrame_;
    bool fitted_ = false;
};

}  // namespace cv
