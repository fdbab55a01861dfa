#include "ui/sheet/cell_format.h"

#include <cmath>

namespace cv {

double PatternShare(int pattern) {
    switch (pattern) {
        case 0: return 0.0;
        case 1: return 1.0;
        case 3: return 0.75;
        case 4: return 0.25;
        default: return 0.5;
    }
}

std::int32_t PlainColour(std::int32_t colour) { return colour < 0 ? colour : colour & 0xFFFFFF; }

std::int32_t FillColour(const TCellFill& fill) {
    if (fill.pattern == 0) return -1;
    const double share = PatternShare(fill.pattern);
    const std::int32_t foreground = PlainColour(fill.foreground);
    const std::int32_t background = PlainColour(fill.background);
    if (background < 0) return foreground;
    std::int32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double channel = share * ((foreground >> shift) & 0xFF) + (1.0 - share) * ((background >> shift) & 0xFF);
        mixed |= static_cast<std::int32_t>(std::lround(channel)) << shift;
    }
    return mixed;
}

}  // namespace cv
