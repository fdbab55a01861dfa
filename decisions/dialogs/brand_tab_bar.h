#pragma once
// The tab bar of brands of a brand dialog: one tab per brand of the market.
// Before it moves to another tab it asks the dialog (AllowChange), which
// checks and stores the brand shown; a refusal keeps the tab where it was.

#include <QStringList>
#include <functional>

#include "ui/qn_tab_set.h"

namespace cv {

class TBrandTabBar : public TQNTabSet {
    Q_OBJECT

public:
    explicit TBrandTabBar(QWidget* owner = nullptr);

    // Replaces the tabs by Names and shows tab Current (none when out of
    // range), asking nobody and announcing nothing: the dialog shows that
    // brand itself.
    void SetTabsQuietly(const QStringList& names, int current);

    // Asked with the tab about to be shown; true lets the change happen.
    std::function<bool(int newIndex)> AllowChange;

signals:
    // A change that was allowed, to the tab now shown.
    void BrandChanged(int index);

private:
    void TabChanged(int index);

    int shown_ = -1;
};

}  // namespace cv
