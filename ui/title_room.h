#pragma once
// Room for a window's title in the frame the window manager draws: the frame
// shows the title beside its icon and buttons and cuts what does not fit.

class QWidget;

namespace cv {

// Makes Window, its title set, at least as wide as the frame needs to show
// the whole title (in the bold application font, beside some 130 pixels of
// icon and buttons), but never wider than the screen's available area.
void LeaveRoomForTitle(QWidget& window);

}  // namespace cv
