#include "ui/reading_order.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace cv {

namespace {

constexpr char kLentProperty[] = "cvLent";
constexpr char kStopAtTimesProperty[] = "cvStopAtTimes";

bool TakesTab(const QWidget& widget) {
    return (widget.focusPolicy() & Qt::TabFocus) != 0 || widget.property(kStopAtTimesProperty).toBool();
}

// Qt orders no control that takes no focus: the stops closed for the moment
// take Tab while the order is set, and no focus again after.
void OrderStops(const std::vector<QWidget*>& stops) {
    std::vector<QWidget*> closed;
    for (QWidget* stop : stops)
        if (stop->focusPolicy() == Qt::NoFocus) {
            closed.push_back(stop);
            stop->setFocusPolicy(Qt::TabFocus);
        }
    for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1], stops[i]);
    for (QWidget* stop : closed) stop->setFocusPolicy(Qt::NoFocus);
}

// A control whose focus goes on to a control inside it (a spin box and its
// edit field) is one Tab stop: Qt orders its inner controls with it.
bool IsCompound(const QWidget& widget) {
    const QWidget* proxy = widget.focusProxy();
    return proxy && widget.isAncestorOf(proxy);
}

// The child controls of Container that Keep selects, in reading order: sorted
// from the top, a row being every control whose top lies above the middle of
// the row's first (highest) control, each row from left to right.
template <class Keep>
std::vector<QWidget*> InReadingOrder(const QWidget& container, Keep keep) {
    std::vector<QWidget*> children;
    for (QWidget* child : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && keep(*child)) children.push_back(child);
    const auto topFirst = [](const QWidget* a, const QWidget* b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    };
    const auto leftFirst = [](const QWidget* a, const QWidget* b) {
        return a->x() != b->x() ? a->x() < b->x() : a->y() < b->y();
    };
    std::stable_sort(children.begin(), children.end(), topFirst);
    for (auto row = children.begin(); row != children.end();) {
        const int middle = (*row)->geometry().center().y();
        const auto next =
            std::find_if(row + 1, children.end(), [middle](const QWidget* child) { return child->y() >= middle; });
        std::stable_sort(row, next, leftFirst);
        row = next;
    }
    return children;
}

void CollectStops(const QWidget& container, std::vector<QWidget*>& stops);

// Child's own stop, then those inside it.
void AddStops(QWidget& child, std::vector<QWidget*>& stops) {
    if (TakesTab(child)) stops.push_back(&child);
    if (!IsCompound(child)) CollectStops(child, stops);
}

void CollectStops(const QWidget& container, std::vector<QWidget*>& stops) {
    for (QWidget* child : InReadingOrder(container, [](const QWidget&) { return true; })) AddStops(*child, stops);
}

// Orders its window's Tab stops once the window is shown, its controls then
// being where the user sees them.
class TReadingOrderKeeper : public QObject {
public:
    explicit TReadingOrderKeeper(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) SetReadingOrder(window_);
        return false;
    }

private:
    QWidget& window_;
};

}  // namespace

void KeepReadingOrder(QWidget& window) { window.installEventFilter(new TReadingOrderKeeper(window)); }

void MarkLent(QWidget& control) { control.setProperty(kLentProperty, true); }

void MarkStopAtTimes(QWidget& control) { control.setProperty(kStopAtTimesProperty, true); }

bool IsLent(const QWidget& control) { return control.property(kLentProperty).toBool(); }

void SetReadingOrder(QWidget& window) {
    std::vector<QWidget*> stops;
    for (const bool lent : {false, true})
        for (QWidget* child : InReadingOrder(window, [lent](const QWidget& w) { return IsLent(w) == lent; }))
            AddStops(*child, stops);
    OrderStops(stops);
}

}  // namespace cv
