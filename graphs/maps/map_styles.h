#pragma once
// What the maps and study charts share: the colours and marker shapes of
// firms, segments and conjoint attributes, the small-screen test, and reading
// a number of a study array that may be smaller than the market it describes.

#include <cstdint>

namespace cv {

class TIndex;
class TSimArr;

inline constexpr std::int32_t kMapBlack = 0;
inline constexpr int kMaxMapFirms = 6;
inline constexpr int kMaxMapSegments = 5;

// Colour B of the colour-table entry of firm Firm (1..6) on a map.
std::int32_t MapFirmColour(int firm);
// Colour B of the colour-table entry of segment Segment (1..5).
std::int32_t MapSegmentColour(int segment);
// Colour B of the colour-table entry of conjoint attribute Attribute (1..4).
std::int32_t ConjointAttributeColour(int attribute);
// The marker shape of firm Firm's brands (1..6; one shape per firm).
int MapFirmMarker(int firm);

// The screen is exactly 640 pixels wide: smaller markers and label fonts.
bool IsVgaScreen();
// The screen is wider than 640 pixels.
bool IsWideScreen();

// Element Index of Array as a number; 0 when the array is missing or the
// index lies outside its bounds.
double StudyValue(const TSimArr* array, const TIndex& index);

}  // namespace cv
