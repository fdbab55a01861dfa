#pragma once
// Where a window opens beside another one rather than over it.

#include <QRect>
#include <QSize>

namespace cv {

// The place, in Area, of a window framed as large as Size at most and Least
// at least, beside Other without covering it: in whichever room right, left,
// below or above Other takes the most of it, next to Other and level with its
// top or left edge as far as the room allows. A null rectangle when no room
// takes Least.
QRect PlaceBeside(const QRect& other, const QRect& area, const QSize& size, const QSize& least);

}  // namespace cv
