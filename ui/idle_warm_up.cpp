#include "ui/idle_warm_up.h"

#include <QAbstractEventDispatcher>
#include <QTimer>
#include <algorithm>

#include "ui/font_warm_up.h"

namespace cv {

TIdleWarmUp::TIdleWarmUp(QObject* parent) : QObject(parent) {}

TIdleWarmUp::~TIdleWarmUp() { disconnect(idle_); }

void TIdleWarmUp::Add(TStep step) { steps_.push_back(std::move(step)); }

void TIdleWarmUp::AddFont(const QFont& font) {
    if (keptFontKeys_.contains(font.key())) return;
    keptFontKeys_.insert(font.key());
    keptFonts_.push_back(font);
    for (int position = 0; position < kGlyphPositions; ++position) Add([font, position] { WarmUpFont(font, position); });
}

void TIdleWarmUp::Start() {
    if (started_) return;
    started_ = true;
    if (Finished()) return;
    // The dispatcher says so before every wait for events; the step itself
    // runs from the event queue, after whatever came in meanwhile.
    idle_ = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                    [this] { WhenIdle(); });
}

void TIdleWarmUp::WhenIdle() {
    if (stepQueued_) return;
    stepQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        stepQueued_ = false;
        RunNextStep();
    });
}

void TIdleWarmUp::RunNextStep() {
    if (next_ == steps_.size()) return;
    QElapsedTimer clock;
    clock.start();
    // Moved out first: the step may add steps, which moves the others.
    const TStep step = std::move(steps_[next_++]);
    step();
    const qint64 stepNs = clock.nsecsElapsed();
    busyNs_ += stepNs;
    longestStepNs_ = std::max(longestStepNs_, stepNs);
    if (Finished()) disconnect(idle_);
}

}  // namespace cv
