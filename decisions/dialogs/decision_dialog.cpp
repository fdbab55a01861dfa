#include "decisions/dialogs/decision_dialog.h"

#include <QAbstractButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "ui/platform_color.h"
#include "ui/reading_order.h"
#include "ui/user_action.h"

namespace cv {

namespace {

constexpr std::uint32_t kDisabledText = 0x808080;

void SetTextColour(QWidget& widget, bool enabled) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText,
                     enabled ? widget.style()->standardPalette().color(QPalette::WindowText) : PlatformColor(kDisabledText));
    widget.setPalette(palette);
}

}  // namespace

TFoCv3Dec::TFoCv3Dec(QWidget* owner, TDataContext& callerContext)
    : TQNForm(owner), CallerContext(&callerContext), Context(callerContext) {
    TCvInd& industry = SessionIndustry("TFoCv3Dec.Create");
    NewDecs = &industry.PerDecisions(industry.DecPeriod());
    CurDecs = &industry.PerDecisions(industry.CurPeriod());
    DefDecs = &industry.PerDefaults(industry.DecPeriod());
    KeepReadingOrder(*this);
}

bool TFoCv3Dec::FollowSelection() {
    const auto load = [this] {
        LoadDecisions();
        return true;
    };
    if (!TryStep([this] { return StoreDecisions(); }) || !TryStep(load)) {
        *CallerContext = Context;
        return false;
    }
    // Controls built for the new selection take their places in the Tab order.
    if (isVisible()) SetReadingOrder(*this);
    Context = *CallerContext;
    return true;
}

void TFoCv3Dec::OkClick() {
    if (TryStep([this] { return StoreDecisions(); })) accept();
}

bool TFoCv3Dec::FinishEdit(QWidget& target) {
    QWidget* editing = focusWidget();
    target.setFocus(Qt::OtherFocusReason);
    return editing == nullptr || editing == &target || focusWidget() != editing;
}

bool TFoCv3Dec::TryStep(const std::function<bool()>& step) {
    bool answer = false;
    RunUserAction([&] { answer = step(); }, this);
    return answer;
}

void TFoCv3Dec::CancelClick() { reject(); }

void TFoCv3Dec::resizeEvent(QResizeEvent* event) {
    TQNForm::resizeEvent(event);
    // The first size a shown window gets has no former one to count from.
    if (!event->oldSize().isValid()) return;
    const int widened = event->size().width() - event->oldSize().width();
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        if (IsLent(*button)) button->move(button->x() + widened, button->y());
}

void TFoCv3Dec::EnablePanel(QWidget& panel, bool enabled) {
    panel.setEnabled(enabled);
    panel.setFont(font());
    SetTextColour(panel, enabled);
    for (QAbstractButton* button : panel.findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        button->setEnabled(enabled);
}

void TFoCv3Dec::EnableGroup(QGroupBox& group, bool enabled) {
    group.setEnabled(enabled);
    group.setFont(font());
    SetTextColour(group, enabled);
    for (QWidget* child : group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->setEnabled(enabled);
}

}  // namespace cv
