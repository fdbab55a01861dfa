#pragma once
// TQNEdit: the number-entry field of the dialogs. It holds free text, a real
// or an integer; numbers are shown with the locale's thousands separators and
// a fixed number of decimals, re-formatted as the user types, with the caret
// kept at its distance from the end. A character that makes no number beeps
// and is undone. Leaving the field for another control of its window with a
// value outside [MinValue, MaxValue] says so and keeps the focus. An empty field stands for "no value".
//
// Values and limits are doubles, so amounts up to the limits' magnitude are
// kept exactly. Moving to a control marked with MarkDiscardsEdits (a
// window's Cancel) checks nothing: that control throws the edits away.
// A field can look disabled while staying a live window: it then
// takes no focus, and the arrow keys' moves between number fields pass it by.

#include <QColor>
#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace cv {

enum class TEditKind { ekAlphaNum, ekReal, ekInteger };
enum class TErrorType { etUnknown, etBadInput, etTooHigh, etTooLow };

// Marks Control as one that discards its window's edits: number fields left
// for it do not check their range.
void MarkDiscardsEdits(QWidget& control);

class TQNEdit : public QLineEdit {
    Q_OBJECT

public:
    // The "no value" markers.
    static constexpr std::int32_t kVoidInt = -2147483647;
    static constexpr std::int32_t kDashInt = -2147483646;  // shown as "-"
    static constexpr double kVoidReal = -2147483648.0;

    explicit TQNEdit(QWidget* parent = nullptr);

    TEditKind Kind = TEditKind::ekAlphaNum;
    double MinValue = -2e9;
    double MaxValue = 2e9;
    bool ForceNumVoidto0 = false;
    // A field whose range holds no negative value may refuse the minus sign
    // as it refuses any other character that makes no number it can take.
    bool RefuseMinus = false;
    int Precision = 2;
    int Scale = 1;
    std::function<void(TQNEdit&, TErrorType)> OnError;
    QColor EnabledFontColor = Qt::blue;
    QColor DisabledFontColor = Qt::black;

    // The value the field holds: the real one for ekReal, the integer one for
    // ekInteger; the markers above when it holds none.
    double RealValue() const { return realValue_; }
    std::int32_t IntValue() const { return intValue_; }

    // Shows Value / Scale with Precision decimals; the field becomes ekReal.
    void SetValueFloat(double value);
    // Shows Value; the field becomes ekInteger once the text is set.
    void SetValueInt(std::int32_t value);
    // Empties the field: no value.
    void ClearValue();

    // The enabled look; the window itself stays enabled.
    void SetFieldEnabled(bool enabled);
    bool FieldEnabled() const { return enabled_; }

    // Whether the value lies in [MinValue, MaxValue] (free text always does);
    // when not and ShowMessage, says "Value must be in [@MIN, @MAX]".
    virtual bool CheckRange(bool showMessage);
    // Parses and re-formats the text; false (beep, text restored) when it
    // makes no number.
    virtual bool CheckText();

protected:
    virtual void DoError(TErrorType errorType);
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TextChanged();
    void SetTextQuietly(const QString& text);
    void ApplyFontColor();
    // Moves the focus to the next (or previous) number field of the window.
    void MoveToNumberField(bool forward);
    bool Qualifies(const QWidget* widget) const;
    QString FormatNumber(double value, int decimals) const;

    double realValue_ = 0;
    std::int32_t intValue_ = 0;
    bool enabled_ = true;
    double lastReal_ = 0;
    std::int32_t lastInt_ = 0;
    QString lastText_;
    bool changing_ = false;
    bool checkingExit_ = false;
};

}  // namespace cv
