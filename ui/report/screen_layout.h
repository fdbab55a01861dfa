#pragma once
// How a report screen is made: for a page window or a dialog (built at once
// and shown) or for a document (built when the document asks, laid out off
// screen), and where its table sits: centred both ways on a page, at the top
// of a dialog's frame. kWindowLayout and kDocumentLayout name the two ways it
// is made.

#include "ui/report/table_placement.h"

namespace cv {

inline constexpr int kDocumentMode = 2;
inline constexpr int kWindowMode = 3;

struct TScreenLayout {
    int mode = kWindowMode;
    TTablePlacement placement{};
};

inline constexpr TScreenLayout kWindowLayout{kWindowMode};
// A window screen in a dialog's fixed frame: its table shows whole, smaller if
// need be, its title at the frame's top with no empty band above it.
inline constexpr TScreenLayout kWholeWindowLayout{kWindowMode, {kPlaceCentreX | kPlaceTop | kPlaceWhole}};
inline constexpr TScreenLayout kDocumentLayout{kDocumentMode};

}  // namespace cv
