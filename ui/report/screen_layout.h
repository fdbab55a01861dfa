#pragma once
// How a report screen is made: for a page window or a dialog (built at once
// and shown) or for a document (built when the document asks, laid out off
// screen), and where its table sits. Every screen of the program is centred
// both ways; kWindowLayout and kDocumentLayout name the two ways it is made.

#include "ui/report/table_placement.h"

namespace cv {

inline constexpr int kDocumentMode = 2;
inline constexpr int kWindowMode = 3;

struct TScreenLayout {
    int mode = kWindowMode;
    TTablePlacement placement{};
};

inline constexpr TScreenLayout kWindowLayout{kWindowMode};
// A window screen in a dialog's fixed frame: its table shows whole, smaller if need be.
inline constexpr TScreenLayout kWholeWindowLayout{kWindowMode, {kPlaceCentreX | kPlaceCentreY | kPlaceWhole}};
inline constexpr TScreenLayout kDocumentLayout{kDocumentMode};

}  // namespace cv
