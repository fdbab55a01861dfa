#pragma once
// How one cell looks: font, fill, alignment, borders, number format and
// protection. Colours are in the class-library form ($00BBGGRR; a top byte of
// $02 marks a palette colour and is ignored); kOwnerColour stands for the
// colour of the window that shows the sheet.

#include <cstdint>
#include <string>

namespace cv {

inline constexpr std::int32_t kOwnerColour = -1;

// Horizontal alignment codes of the sheet.
inline constexpr int kAlignGeneral = 1;        // texts left, numbers right
inline constexpr int kAlignLeft = 2;
inline constexpr int kAlignCentre = 3;
inline constexpr int kAlignRight = 4;
inline constexpr int kAlignCentreAcross = 7;   // centred over the run of cells that share it
// Left, running on as a left-aligned text does; wrapped, it wraps at the end
// of the run of empty cells that share it (a note under a table).
inline constexpr int kAlignLeftAcross = 8;
// Vertical alignment codes.
inline constexpr int kAlignTop = 1;
inline constexpr int kAlignMiddle = 2;
inline constexpr int kAlignBottom = 3;

// Whether a horizontal alignment lays a text over a run of cells.
constexpr bool IsAcross(int horizontal) { return horizontal == kAlignCentreAcross || horizontal == kAlignLeftAcross; }

struct TCellFont {
    std::string name = "Arial";
    double size = 8.0;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::int32_t colour = 0;
    bool operator==(const TCellFont&) const = default;
};

// Fill pattern 0 is none, 1 solid foreground; the others mix the foreground
// into the background (see FillColour).
struct TCellFill {
    int pattern = 0;
    std::int32_t foreground = 0;
    std::int32_t background = 0xFFFFFF;
    bool operator==(const TCellFill&) const = default;
};

// Line style 0 is no line, 1 thin, 2 medium; others draw as thin.
struct TCellEdge {
    int style = 0;
    std::int32_t colour = 0;
    bool operator==(const TCellEdge&) const = default;
};

struct TCellFormat {
    TCellFont font;
    TCellFill fill;
    int horizontal = kAlignGeneral;
    int vertical = kAlignBottom;
    bool wrap = false;
    TCellEdge left, right, top, bottom;
    std::string numberFormat;  // empty: general
    bool locked = true;        // takes effect while the sheet's protection is on
    bool hidden = false;
    bool operator==(const TCellFormat&) const = default;
};

// The share of the foreground colour that a fill pattern shows.
double PatternShare(int pattern);
// The plain colour ($00BBGGRR) a fill paints; -1 when it paints nothing.
std::int32_t FillColour(const TCellFill& fill);
// Drops the palette flag of a colour.
std::int32_t PlainColour(std::int32_t colour);

}  // namespace cv
