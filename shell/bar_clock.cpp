#include "shell/bar_clock.h"

#include <QAbstractButton>
#include <QLocale>

namespace cv {

TBarClock::TBarClock(QAbstractButton* button, TNow now, TChime chime, QObject* parent)
    : QObject(parent), button_(button), now_(std::move(now)), chime_(std::move(chime)) {
    oneSecond_.setObjectName(QStringLiteral("TOneSecond"));
    oneSecond_.setInterval(kTickInterval);
    dateFlash_.setObjectName(QStringLiteral("DateFlash"));
    dateFlash_.setInterval(kFlashInterval);
    connect(&oneSecond_, &QTimer::timeout, this, &TBarClock::UpdateClock);
    connect(&dateFlash_, &QTimer::timeout, this, &TBarClock::FlashStep);
    SetClockLook(Qt::black, kNormalPointSize);
    UpdateClock();
    oneSecond_.start();
}

void TBarClock::UpdateClock() {
    const QDateTime now = now_();
    const QLocale locale;
    button_->setText(locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral(" - ") +
                     locale.toString(now.time(), QLocale::LongFormat));
    if (now.time().minute() == 0) {
        // A tick later in the same minute neither chimes again nor stops the flash.
        chimeDue_ = !dateFlash_.isActive();
        if (chimeDue_) dateFlash_.start();
    } else {
        chimeDue_ = false;
        dateFlash_.stop();
        SetClockLook(Qt::black, kNormalPointSize);
    }
    // The chime never shows a message: a missing sound file or device stays silent.
    if (chimeDue_ && chime_) chime_();
}

void TBarClock::FlashStep() {
    if (button_->palette().color(QPalette::ButtonText) != QColor(Qt::black))
        SetClockLook(Qt::black, kNormalPointSize);
    else
        SetClockLook(Qt::red, kFlashPointSize);
}

void TBarClock::SetClockLook(const QColor& color, int pointSize) {
    QPalette palette = button_->palette();
    palette.setColor(QPalette::ButtonText, color);
    button_->setPalette(palette);
    QFont font = button_->font();
    font.setPointSize(pointSize);
    button_->setFont(font);
}

}  // namespace cv
