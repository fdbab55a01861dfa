#include "ui/sheet/table_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <array>

#include "core/base/errors.h"

namespace cv {
namespace {

constexpr int kSmallScreenWidth = 640;
int screenWidth = 0;

std::array<std::string, 3> BuildMasks() {
    const std::string separator(1, kThousandsSeparator);
    const std::string integers = "###" + separator + "###" + separator + "###" + separator + "##0";
    return {integers, integers + kDecimalSeparator + "0", integers + kDecimalSeparator + "00"};
}

}  // namespace

int ScreenWidth() {
    if (screenWidth == 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        screenWidth = screen ? screen->geometry().width() : 1024;
    }
    return screenWidth;
}

void SetScreenWidth(int pixels) { screenWidth = pixels; }

int ScreenClass() { return ScreenWidth() > kSmallScreenWidth ? 2 : 1; }

const std::string& NumberMask(int index) {
    static const std::array<std::string, 3> masks = BuildMasks();
    if (index < 1 || index > 3) throw ERangeError("[NumberMask] Bad mask : " + std::to_string(index));
    return masks[static_cast<std::size_t>(index - 1)];
}

}  // namespace cv
