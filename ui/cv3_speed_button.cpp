#include "ui/cv3_speed_button.h"

#include <QKeyEvent>

#include "ui/platform_color.h"

namespace cv {

TCv3SpBtn::TCv3SpBtn(QWidget* owner) : QToolButton(owner) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::ButtonText, PlatformColor(secondColor_));
    setPalette(palette);
}

void TCv3SpBtn::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        animateClick();
        return;
    }
    QToolButton::keyPressEvent(event);
}

}  // namespace cv
