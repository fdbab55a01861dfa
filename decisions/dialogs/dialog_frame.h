#pragma once
// What the decision dialogs' frames share: the room left at the top for the
// selector groups and tool buttons the decisions page lends them, the gap
// between rows (tighter on a 640-pixel screen), and captions whose "@K$"
// stands for the money unit.

#include <QString>
#include <cstdint>

class QFrame;
class QWidget;

#include "core/store/data_context.h"

namespace cv {

// Top margin of a dialog's contents, below the lent groups and tool buttons.
inline constexpr int kLentControlsTop = 34;

// 2 pixels on a 640-pixel screen, 5 on a wider one.
int DialogRowGap();

// Whether the screen is 640 pixels wide: the dialogs then take 640 x 480 at most.
bool IsSmallScreen();
// A dialog's frame (and the tab set beside it) on a small screen.
inline constexpr int kSmallFrameWidth = 620;
// The report screen's area inside a frame's border.
inline constexpr int kFrameInset = 2;

// The raised frame "Bevel" of a dialog that shows a report screen, and the
// screen's area "paScreen", both made on Dialog; the caller places them.
struct TScreenFrame {
    QFrame* Bevel;
    QWidget* Area;
};
TScreenFrame AddScreenFrame(QWidget& dialog);

// The selector bar's market group, lent to a dialog, in Mode: bgmSingle
// with Context's market pressed, or bgmHidden while the screen shown reads
// every market.
void ShowMarketGroup(std::uint8_t mode, const TDataContext& context);

// Text with its first "@K$" replaced by the money unit (line 6 of the globals
// entry "UNITS").
QString WithMoneyUnit(QString text);

}  // namespace cv
