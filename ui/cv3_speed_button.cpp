#include "ui/cv3_speed_button.h"

#include "ui/platform_color.h"

namespace cv {

TCv3SpBtn::TCv3SpBtn(QWidget* owner) : QToolButton(owner) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, PlatformColor(secondColor_));
    setPalette(palette);
}

}  // namespace cv
