#pragma once
// Spin controls: TQNTimerSpeedButton, a button that repeats its click while
// held (the first repeat after 400 ms, then every 100 ms); TQNSpinButton, an
// up/down pair of them; TQNSpinEdit, an integer edit with the pair at its
// right edge, its value bounded to [MinValue, MaxValue].

#include <QLineEdit>
#include <QToolButton>
#include <cstdint>
#include <functional>

namespace cv {

class TQNTimerSpeedButton : public QToolButton {
    Q_OBJECT

public:
    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kRepeatMs = 100;
    explicit TQNTimerSpeedButton(QWidget* parent = nullptr);
};

class TQNSpinButton : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMinWidth = 15;
    explicit TQNSpinButton(QWidget* parent = nullptr);

    TQNTimerSpeedButton* UpButton() const { return up_; }
    TQNTimerSpeedButton* DownButton() const { return down_; }
    // The control that takes the focus when a button is pressed.
    QWidget* FocusControl = nullptr;
    std::function<void()> OnUpClick;
    std::function<void()> OnDownClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Press(TQNTimerSpeedButton* button);
    TQNTimerSpeedButton* up_;
    TQNTimerSpeedButton* down_;
    TQNTimerSpeedButton* focused_;
};

class TQNSpinEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TQNSpinEdit(QWidget* parent = nullptr);

    // The text as a decimal integer; MinValue when it is none.
    std::int32_t Value() const;
    // Bounds Value and shows it.
    void SetValue(std::int32_t value);
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 0;
    std::int32_t Increment = 1;
    // False: only the arrows change the value, typing is refused.
    bool EditorEnabled = true;
    // True: entering the edit from the keyboard selects its whole text.
    bool AutoSelect = true;
    // Called for every refused key; the default beeps.
    std::function<void()> OnBeep;

    TQNSpinButton* Button() const { return button_; }
    virtual void UpClick();
    virtual void DownClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::int32_t Bounded(std::int64_t value) const;
    void Beep();
    TQNSpinButton* button_;
};

}  // namespace cv
