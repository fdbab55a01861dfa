#pragma once
// A tab bar that reports a double click with the left button through
// OnDblClick, and does nothing else with it.

#include <QTabBar>

namespace cv {

class TQNTabSet : public QTabBar {
    Q_OBJECT

public:
    explicit TQNTabSet(QWidget* owner = nullptr);

signals:
    void OnDblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace cv
