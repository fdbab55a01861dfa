#pragma once
// Colours given as platform colour values: 32 bits laid out 0x00BBGGRR, red
// in the low byte.

#include <QColor>
#include <cstdint>

namespace cv {

inline QColor PlatformColor(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

}  // namespace cv
