#include "ui/qn_tab_set.h"

#include <QMouseEvent>

namespace cv {

TQNTabSet::TQNTabSet(QWidget* owner) : QTabBar(owner) {}

void TQNTabSet::mouseDoubleClickEvent(QMouseEvent* event) {
    // The tab bar's own double-click handling (the tabBarDoubleClicked signal)
    // is deliberately not run: the owner's handler is the only reaction.
    if (event->button() == Qt::LeftButton) emit OnDblClick();
    event->accept();
}

}  // namespace cv
