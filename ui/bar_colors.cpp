#include "ui/bar_colors.h"

#include <algorithm>
#include <string>

#include "core/base/errors.h"

namespace cv {
namespace {

constexpr std::array<int, 6> kFirmColorIndex{1, 2, 10, 5, 3, 11};
constexpr std::array<int, 5> kSegColorIndex{1, 2, 3, 10, 5};

template <std::size_t N>
int Entry(const std::array<int, N>& table, int number) {
    return table[static_cast<std::size_t>(std::clamp(number, 1, static_cast<int>(N)) - 1)];
}

}  // namespace

int FirmColorIndex(int firm) { return Entry(kFirmColorIndex, firm); }

int SegColorIndex(int segment) { return Entry(kSegColorIndex, segment); }

const TBarColor& BarColor(int number) {
    if (number < 1 || number > kBarColorCount) throw ERangeError("colour number out of range: " + std::to_string(number));
    return BarColorTable[static_cast<std::size_t>(number - 1)];
}

}  // namespace cv
