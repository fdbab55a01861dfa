#pragma once
// What the decision dialogs' frames share: the room left at the top for the
// selector groups and tool buttons the decisions page lends them, the gap
// between rows (tighter on a 640-pixel screen), and captions whose "@K$"
// stands for the money unit.

#include <QString>

namespace cv {

// Top margin of a dialog's contents, below the lent groups and tool buttons.
inline constexpr int kLentControlsTop = 34;

// 2 pixels on a 640-pixel screen, 5 on a wider one.
int DialogRowGap();

// Text with its first "@K$" replaced by the money unit (line 6 of the globals
// entry "UNITS").
QString WithMoneyUnit(QString text);

}  // namespace cv
