#include "decisions/dialogs/brand_tab_bar.h"

#include <QSignalBlocker>

namespace cv {

TBrandTabBar::TBrandTabBar(QWidget* owner) : TQNTabSet(owner) {
    connect(this, &QTabBar::currentChanged, this, &TBrandTabBar::TabChanged);
}

void TBrandTabBar::TabChanged(int index) {
    if (index == shown_) return;
    // The first tab shown needs nobody's leave: there is no brand to store yet.
    if (shown_ >= 0 && shown_ < count() && AllowChange && !AllowChange(index)) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(shown_);
        return;
    }
    shown_ = index;
    emit BrandChanged(index);
}

}  // namespace cv
