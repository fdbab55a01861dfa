#pragma once
// Where a report table sits on its owner: position flags and offsets.

namespace cv {

// Position flags: horizontal 1 left at the x offset, 2 centred, 4 right-aligned;
// vertical 8 top at the y offset, 16 centred, 32 bottom-aligned. Centred and
// far-aligned tables are moved by the offset too.
inline constexpr int kPlaceLeft = 1, kPlaceCentreX = 2, kPlaceRight = 4;
inline constexpr int kPlaceTop = 8, kPlaceCentreY = 16, kPlaceBottom = 32;
// A window table with this flag is drawn smaller to show whole in its owner,
// down to the scale that keeps it readable, before it scrolls.
inline constexpr int kPlaceWhole = 64;

struct TTablePlacement {
    int flags = kPlaceCentreX | kPlaceCentreY;
    int xOffset = 0;
    int yOffset = 0;
};

}  // namespace cv
