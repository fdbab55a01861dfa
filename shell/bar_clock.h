#pragma once
// The clock of the main window's bar. Every five seconds the clock button shows
// the date and time; in the first minute of each hour the clock flashes (red and
// one point larger, then black, once a second) and the hourly chime plays once.
// The time and the chime are given from outside, so that tests can set the hour.

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

class QAbstractButton;

namespace cv {

class TBarClock : public QObject {
    Q_OBJECT

public:
    using TNow = std::function<QDateTime()>;
    using TChime = std::function<void()>;

    // Intervals of the two timers, in milliseconds.
    static constexpr int kTickInterval = 5000;
    static constexpr int kFlashInterval = 1000;
    // Point sizes of the clock's font: normal, and the flash's large one.
    static constexpr int kNormalPointSize = 8;
    static constexpr int kFlashPointSize = 9;

    // Shows the time on Button (not owned) and starts the tick timer; UpdateClock
    // runs once at once.
    TBarClock(QAbstractButton* button, TNow now, TChime chime, QObject* parent = nullptr);

    // One tick: the caption, then the flash and the chime at the top of the hour.
    void UpdateClock();
    // One flash step: black becomes red and large, anything else black and normal.
    void FlashStep();

    bool IsFlashing() const { return dateFlash_.isActive(); }
    QTimer& TickTimer() { return oneSecond_; }
    QTimer& FlashTimer() { return dateFlash_; }

private:
    void SetClockLook(const QColor& color, int pointSize);

    QAbstractButton* button_;
    TNow now_;
    TChime chime_;
    QTimer oneSecond_;
    QTimer dateFlash_;
    bool chimeDue_ = false;
};

}  // namespace cv
