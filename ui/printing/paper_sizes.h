#pragma once
// Paper sizes by the printer's paper code, in tenths of a millimetre, for the
// codes 1 to 23 that printer drivers report, plus the user-defined code 256
// whose size the device mode carries itself.

#include <optional>

namespace cv {

inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperUserDefined = 256;

struct TPaperSize {
    double width = 2100;   // tenths of a millimetre
    double height = 2970;
    bool operator==(const TPaperSize&) const = default;
};

inline constexpr TPaperSize kA4Paper{2100, 2970};

// The size of a standard paper code; nothing for any other code.
std::optional<TPaperSize> StandardPaperSize(int paperCode);

}  // namespace cv
