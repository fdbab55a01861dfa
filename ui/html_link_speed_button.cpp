#include "ui/html_link_speed_button.h"

#include "ui/platform_color.h"

namespace cv {
namespace {

constexpr int kLinkFontPoints = 10;
constexpr std::uint32_t kLinkColor = 0xFF0000;  // blue, as a platform colour value

}  // namespace

THTMLLinkSpeedButton::THTMLLinkSpeedButton(QWidget* owner) : QToolButton(owner) {
    setAutoRaise(true);
    QFont linkFont(QStringLiteral("Arial"), kLinkFontPoints);
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, PlatformColor(kLinkColor));
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
    resize(kDefaultWidth, kDefaultHeight);
}

}  // namespace cv
