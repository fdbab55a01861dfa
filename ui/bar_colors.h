#pragma once
// The fixed table of the 14 named colours of the selector bar and the maps.
// Colour A uses 0x7F for half intensity, colour B 0x80; both are platform
// colour values (0x00BBGGRR).

#include <array>
#include <cstdint>

namespace cv {

struct TBarColor {
    const char* Name;
    std::uint32_t ColorA;
    std::uint32_t ColorB;
};

inline constexpr int kBarColorCount = 14;

inline constexpr std::array<TBarColor, kBarColorCount> BarColorTable{{
    {"Red", 0x0000FF, 0x0000FF},
    {"Blue", 0xFF0000, 0xFF0000},
    {"Green", 0x007F00, 0x008000},
    {"Canary Yellow", 0x00FFFF, 0x00FFFF},
    {"Fuchsia", 0xFF00FF, 0xFF00FF},
    {"Teal", 0x7F7F00, 0x808000},
    {"Water Blue", 0xFFFF00, 0xFFFF00},
    {"Silver", 0xC0C0C0, 0xC0C0C0},
    {"Purple", 0x7F007F, 0x800080},
    {"Maroon", 0x00007F, 0x000080},
    {"Navy Blue", 0x7F0000, 0x800000},
    {"Lime Green", 0x00FF00, 0x00FF00},
    {"Khaki", 0x007F7F, 0x008080},
    {"Black", 0x000000, 0x000000},
}};

// Entry Number (1..14); any other number raises ERangeError.
const TBarColor& BarColor(int number);

// The entries that draw firms 1..6 and segments 1..5 on every chart and map,
// in colour B, so that a firm or a segment keeps its colour everywhere. A
// number beyond the table takes its last entry, below it its first.
int FirmColorIndex(int firm);
int SegColorIndex(int segment);

}  // namespace cv
