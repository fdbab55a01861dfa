#include "ui/fields/qn_spin.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <algorithm>

namespace cv {

namespace {

constexpr int kSpinButtonWidth = 15;

}  // namespace

TQNTimerSpeedButton::TQNTimerSpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRepeat(true);
    setAutoRepeatDelay(kFirstRepeatMs);
    setAutoRepeatInterval(kRepeatMs);
    setFocusPolicy(Qt::NoFocus);
}

TQNSpinButton::TQNSpinButton(QWidget* parent)
    : QWidget(parent), up_(new TQNTimerSpeedButton(this)), down_(new TQNTimerSpeedButton(this)), focused_(up_) {
    up_->setObjectName(QStringLiteral("SpUp"));
    down_->setObjectName(QStringLiteral("SpDown"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::pressed, this, [this] { Press(up_); });
    connect(down_, &QToolButton::pressed, this, [this] { Press(down_); });
    connect(up_, &QToolButton::clicked, this, [this] { if (OnUpClick) OnUpClick(); });
    connect(down_, &QToolButton::clicked, this, [this] { if (OnDownClick) OnDownClick(); });
    resize(20, 25);
}

void TQNSpinButton::Press(TQNTimerSpeedButton* button) {
    focused_ = button;
    QWidget* target = FocusControl ? FocusControl : this;
    if (target->focusPolicy() & Qt::TabFocus && !target->hasFocus()) target->setFocus(Qt::MouseFocusReason);
}

void TQNSpinButton::resizeEvent(QResizeEvent*) {
    if (width() < kMinWidth) return resize(kMinWidth, height());
    const int upHeight = height() / 2;
    // The two halves overlap by one pixel.
    up_->setGeometry(0, 0, width(), upHeight);
    down_->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

void TQNSpinButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up: focused_ = up_, up_->click(); break;
    case Qt::Key_Down: focused_ = down_, down_->click(); break;
    case Qt::Key_Space: focused_->click(); break;
    default: QWidget::keyPressEvent(event);
    }
}

TQNSpinEdit::TQNSpinEdit(QWidget* parent) : QLineEdit(parent), button_(new TQNSpinButton(this)) {
    button_->FocusControl = this;
    button_->OnUpClick = [this] { UpClick(); };
    button_->OnDownClick = [this] { DownClick(); };
    setText(QStringLiteral("0"));
}

std::int32_t TQNSpinEdit::Value() const {
    bool ok = false;
    const int value = text().toInt(&ok);
    return ok ? value : MinValue;
}

std::int32_t TQNSpinEdit::Bounded(std::int64_t value) const {
    const std::int64_t low = std::min(MinValue, MaxValue);
    const std::int64_t high = std::max(MinValue, MaxValue);
    return static_cast<std::int32_t>(std::clamp(value, low, high));
}

void TQNSpinEdit::SetValue(std::int32_t value) { setText(QString::number(Bounded(value))); }

void TQNSpinEdit::UpClick() {
    if (isReadOnly()) return Beep();
    SetValue(Bounded(static_cast<std::int64_t>(Value()) + Increment));
}

void TQNSpinEdit::DownClick() {
    if (isReadOnly()) return Beep();
    SetValue(Bounded(static_cast<std::int64_t>(Value()) - Increment));
}

void TQNSpinEdit::Beep() {
    if (OnBeep) OnBeep();
    else QApplication::beep();
}

void TQNSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) UpClick();
    if (event->key() == Qt::Key_Down) DownClick();
    const QString typed = event->text();
    if (typed.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const QChar c = typed.front();
        const bool control = c.category() == QChar::Other_Control;
        const bool enter = c == '\r' || c == '\n';
        const bool valid = EditorEnabled ? (c.isDigit() || c == '+' || c == '-' ||
                                            QString(c) == locale().decimalPoint() || (control && !enter))
                                         : (control && !enter && c != '\b');
        if (!valid) return Beep();
    }
    if (!EditorEnabled && (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut))) return;
    QLineEdit::keyPressEvent(event);
}

void TQNSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A click places the caret where it lands; only a keyboard entry selects,
    // and only with AutoSelect (the line edit itself selects on Tab).
    if (AutoSelect && QApplication::mouseButtons() == Qt::NoButton) selectAll();
    else if (!AutoSelect) deselect();
}

void TQNSpinEdit::focusOutEvent(QFocusEvent* event) {
    const std::int32_t value = Value();
    if (Bounded(value) != value) SetValue(value);
    QLineEdit::focusOutEvent(event);
}

void TQNSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    button_->setGeometry(width() - kSpinButtonWidth, 0, kSpinButtonWidth, height());
    setTextMargins(0, 0, kSpinButtonWidth + 2, 0);
}

}  // namespace cv
