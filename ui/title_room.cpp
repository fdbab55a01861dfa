#include "ui/title_room.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace cv {
namespace {

// A frame's icon and its minimise, maximise and close buttons, with margins:
// four of about 24 pixels.
constexpr int kFrameButtonsWidth = 130;

}  // namespace

void LeaveRoomForTitle(QWidget& window) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + kFrameButtonsWidth;
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() : needed;
    window.setMinimumWidth(std::max(window.minimumWidth(), std::min(needed, room)));
}

}  // namespace cv
