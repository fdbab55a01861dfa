#include "ui/fields/qn_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPalette>
#include <cmath>

#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/translator.h"
#include "ui/reading_order.h"

namespace cv {

namespace {

constexpr char kRangeKey[] = "ValueRange";
constexpr char kDiscardsEditsProperty[] = "cvDiscardsEdits";
constexpr char kRangeDefault[] = "Value must be in [@MIN, @MAX]";

std::string RangeMessageTemplate() {
    if (!Translator || !Translator->IsOpen()) return kRangeDefault;
    std::vector<std::string> lines;
    Translator->GetLines(kSectionMessages, kRangeKey, lines);
    return lines.empty() ? std::string(kRangeDefault) : lines.front();
}

}  // namespace

void MarkDiscardsEdits(QWidget& control) { control.setProperty(kDiscardsEditsProperty, true); }

TQNEdit::TQNEdit(QWidget* parent) : QLineEdit(parent), lastText_(QString::number(kVoidInt)) {
    connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    ApplyFontColor();
    // A field that looks disabled takes no focus until it opens again.
    MarkStopAtTimes(*this);
}

QString TQNEdit::FormatNumber(double value, int decimals) const { return locale().toString(value, 'f', decimals); }

void TQNEdit::SetTextQuietly(const QString& text) {
    changing_ = true;
    setText(text);
    changing_ = false;
}

void TQNEdit::SetValueFloat(double value) {
    realValue_ = lastReal_ = value;
    // The text shows the value rounded; the value itself is kept as given.
    lastText_ = value == kVoidReal ? QString() : FormatNumber(value / Scale, Precision);
    Kind = TEditKind::ekReal;
    SetTextQuietly(lastText_);
}

void TQNEdit::SetValueInt(std::int32_t value) {
    intValue_ = lastInt_ = value;
    if (value == kVoidInt)
        lastText_.clear(), SetTextQuietly({});
    else if (value == kDashInt)
        lastText_ = QStringLiteral("-"), SetTextQuietly(lastText_);
    else
        setText(QString::number(value));  // re-formatted when the field already holds integers
    Kind = TEditKind::ekInteger;
}

void TQNEdit::ClearValue() {
    switch (Kind) {
    case TEditKind::ekAlphaNum: clear(); break;
    case TEditKind::ekReal: SetValueFloat(kVoidReal); break;
    case TEditKind::ekInteger: SetValueInt(kVoidInt); break;
    }
}

void TQNEdit::TextChanged() {
    if (changing_ || Kind == TEditKind::ekAlphaNum) return;
    if (text().compare(lastText_, Qt::CaseInsensitive) == 0) return;
    CheckText();
    lastText_ = text();
    lastReal_ = realValue_;
    lastInt_ = intValue_;
}

bool TQNEdit::CheckText() {
    QString typed = text();
    const qsizetype lengthBefore = typed.size();
    const int caretBefore = cursorPosition();
    if (typed.isEmpty() && !ForceNumVoidto0) {
        intValue_ = kVoidInt;
        realValue_ = kVoidReal;
        return true;
    }
    if (Kind == TEditKind::ekAlphaNum) return true;
    if (typed.isEmpty()) typed = QStringLiteral("0");

    const QLocale loc = locale();
    const QString separator = loc.decimalPoint();
    const bool negative = typed.startsWith('-');
    if (typed.startsWith('-') || typed.startsWith('+')) typed.remove(0, 1);
    if (typed.isEmpty()) typed = QStringLiteral("0");
    typed.remove(loc.groupSeparator());
    typed.remove(' ');

    int decimals = 0;
    QString trailing;
    bool ok = !typed.isEmpty() && !(negative && RefuseMinus);
    for (const QChar c : typed)
        if (!c.isDigit() && QString(c) != separator) ok = false;
    double number = 0;
    if (ok && Kind == TEditKind::ekReal) {
        const qsizetype point = typed.indexOf(separator);
        if (point >= 0 && typed.indexOf(separator, point + 1) >= 0) ok = false;
        decimals = point < 0 ? 0 : std::min<int>(Precision, static_cast<int>(typed.size() - point - 1));
        if (point >= 0 && point == typed.size() - 1) {
            typed.chop(1);
            if (Precision > 0) trailing = separator;
        }
        number = ok ? loc.toDouble(typed.isEmpty() ? QStringLiteral("0") : typed, &ok) : 0;
        // The value is what the field shows: a decimal beyond the precision goes.
        const double unit = std::pow(10.0, decimals);
        number = std::round(number * unit) / unit;
        if (ok) realValue_ = static_cast<double>(Scale) * (negative ? -number : number);
    } else if (ok) {
        const qlonglong whole = typed.toLongLong(&ok);
        ok = ok && whole <= 2147483647LL;
        number = static_cast<double>(whole);
        if (ok) intValue_ = static_cast<std::int32_t>(negative ? -whole : whole);
    }
    if (!ok) {
        DoError(TErrorType::etBadInput);
        SetTextQuietly(lastText_);
        setCursorPosition(std::max(0, caretBefore - 1));
        realValue_ = lastReal_;
        intValue_ = lastInt_;
        return false;
    }
    if (negative && number == 0) {
        if (!trailing.isEmpty()) SetTextQuietly(QStringLiteral("-0") + trailing);
    } else {
        SetTextQuietly((negative ? QStringLiteral("-") : QString()) + FormatNumber(number, decimals) + trailing);
    }
    setCursorPosition(static_cast<int>(text().size() - lengthBefore + caretBefore));
    return true;
}

bool TQNEdit::CheckRange(bool showMessage) {
    if (Kind == TEditKind::ekAlphaNum) return true;
    const int decimals = Kind == TEditKind::ekReal ? Precision : 0;
    const double value = Kind == TEditKind::ekReal
                             ? std::round(realValue_ * std::pow(10.0, decimals)) / std::pow(10.0, decimals)
                             : static_cast<double>(intValue_);
    if (MinValue <= value && value <= MaxValue) return true;
    if (showMessage) {
        std::string message = RangeMessageTemplate();
        message = ReplaceFirst(message, "@MIN", FormatNumber(MinValue / Scale, decimals).toStdString());
        message = ReplaceFirst(message, "@MAX", FormatNumber(MaxValue / Scale, decimals).toStdString());
        Ui().ShowPlainBox(message);
    }
    return false;
}

void TQNEdit::DoError(TErrorType errorType) {
    QApplication::beep();
    if (OnError) OnError(*this, errorType);
}

void TQNEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (checkingExit_ || text().isEmpty() || text() == QStringLiteral("-")) return;
    // The field is left only when the focus moves inside its window: a window
    // closed, hidden or put behind another (or a popup opened) ends no edit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    // The focus is already on the control the field is left for.
    if (const QWidget* next = QApplication::focusWidget(); next && next->property(kDiscardsEditsProperty).toBool())
        return;
    checkingExit_ = true;
    if (!CheckRange(true)) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    }
    checkingExit_ = false;
}

void TQNEdit::keyPressEvent(QKeyEvent* event) {
    QLineEdit::keyPressEvent(event);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_PageDown: MoveToNumberField(!shift); break;
    case Qt::Key_Up:
    case Qt::Key_PageUp: MoveToNumberField(shift); break;
    default: break;
    }
}

bool TQNEdit::Qualifies(const QWidget* widget) const {
    const auto* field = qobject_cast<const TQNEdit*>(widget);
    return field && field->isVisible() && field->isEnabled() && field->FieldEnabled() &&
           (field->focusPolicy() & Qt::TabFocus);
}

void TQNEdit::MoveToNumberField(bool forward) {
    for (QWidget* next = forward ? nextInFocusChain() : previousInFocusChain(); next && next != this;
         next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if (next->window() == window() && Qualifies(next)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TQNEdit::SetFieldEnabled(bool enabled) {
    enabled_ = enabled;
    // A field that looks disabled takes no focus, so Tab and clicks pass it by.
    setFocusPolicy(enabled ? Qt::StrongFocus : Qt::NoFocus);
    setCursor(enabled ? Qt::IBeamCursor : Qt::ArrowCursor);
    if (!enabled && hasFocus()) focusNextChild();
    ApplyFontColor();
}

void TQNEdit::ApplyFontColor() {
    QPalette colours = palette();
    colours.setColor(QPalette::Text, enabled_ ? EnabledFontColor : DisabledFontColor);
    setPalette(colours);
}

}  // namespace cv
