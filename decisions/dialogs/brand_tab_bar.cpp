#include "decisions/dialogs/brand_tab_bar.h"

#include <QSignalBlocker>

namespace cv {

TBrandTabBar::TBrandTabBar(QWidget* owner) : TQNTabSet(owner) {
    connect(this, &QTabBar::currentChanged, this, &TBrandTabBar::TabChanged);
}

void TBrandTabBar::SetTabsQuietly(const QStringList& names, int current) {
    const QSignalBlocker quiet(this);
    while (count() > 0) removeTab(count() - 1);
    for (const QString& name : names) addTab(name);
    setCurrentIndex(current >= 0 && current < count() ? current : -1);
    shown_ = currentIndex();
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
