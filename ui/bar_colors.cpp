#include "ui/bar_colors.h"

#include <string>

#include "core/base/errors.h"

namespace cv {

const TBarColor& BarColor(int number) {
    if (number < 1 || number > kBarColorCount) throw ERangeError("colour number out of range: " + std::to_string(number));
    return BarColorTable[static_cast<std::size_t>(number - 1)];
}

}  // namespace cv
