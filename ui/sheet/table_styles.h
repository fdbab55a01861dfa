#pragma once
// The 16 table styles of the report tables and the other constant format
// records of the table layer. Colours are in the class-library form.

#include <array>
#include <cstdint>
#include <string>

namespace cv {

inline constexpr int kTableStyleCount = 16;

// Fill flags of an area block.
inline constexpr int kFillWhole = 1;
inline constexpr int kFillBandedRows = 2;
inline constexpr int kFillBandedColumns = 4;
// Edge flags of a border record.
inline constexpr int kEdgeTop = 1;
inline constexpr int kEdgeBottom = 2;
inline constexpr int kEdgeLeft = 4;
inline constexpr int kEdgeRight = 8;
// Row-height and column-width codes.
inline constexpr int kSizeDefault = -1;
inline constexpr int kSizeFit = -2;

struct TFontBlock {
    std::string name = "Arial";
    int size = 8;
    int style = 0;  // 1 bold, 2 italic, 4 underline, 8 strikeout
    std::int32_t colour = 0;
};

struct TBorderRecord {
    int edges = 0;
    int leftStyle = 1, rightStyle = 1, topStyle = 1, bottomStyle = 1;
    std::int32_t leftColour = 0, rightColour = 0, topColour = 0, bottomColour = 0;
};

struct TAreaBlock {
    TFontBlock font;
    int fillFlags = 0;
    int pattern = 0;
    int secondPattern = 0;
    std::int32_t background = 0xFFFFFF, foreground = 0xFFFFFF;
    std::int32_t secondBackground = 0xFFFFFF, secondForeground = 0xFFFFFF;
    int horizontal = 2;
    int vertical = 2;
    bool wrap = false;
    TBorderRecord border;
    int mask = -1;  // number mask 1..3, -1 none
    int rowHeight = kSizeDefault;
    int columnWidth = kSizeDefault;
};

// The nine areas, in area order.
enum TTableArea {
    kTitleHeading, kTitleBody, kTitleTotal,
    kBodyHeading, kBodyBody, kBodyTotal,
    kTotalHeading, kTotalBody, kTotalTotal,
};
inline constexpr int kAreaCount = 9;

struct TTableStyle {
    std::int32_t background = 0xFFFFFF;
    std::string fontName = "Arial";
    int rowsBefore = 1;
    int rowsBetween = 0;
    int rowsAfter = 1;
    TAreaBlock caption;
    TFontBlock noteFont;
    std::array<TAreaBlock, kAreaCount> areas;
};

// The style of a table type 1..16; any other type raises ERangeError.
const TTableStyle& TableStyle(int tableType);

// The alternative alignment record (centred, wrapped, no mask).
struct TAlternativeAlignment {
    int horizontal = 3;
    int vertical = 2;
    bool wrap = true;
    int mask = -1;
};
inline constexpr TAlternativeAlignment kAlternativeAlignment{};

// The two standard range fonts: 1 Arial 8 on a silver fill under a top line,
// 2 Arial 8 italic without fill under a top line.
const TAreaBlock& TableFont(int fontNumber);

}  // namespace cv
