#pragma once
// TIdleWarmUp: work done ahead, while the program waits for its user, that the
// first visit of a page or the first opening of a dialog would otherwise do on
// the spot: loading the fonts they paint with, shaping and drawing their
// characters, creating the first chart. Each step runs alone when the event
// loop has handled what was waiting and is about to wait for more, so that a
// click is kept waiting by one step at most; nothing is shown. The fonts
// loaded are kept, so that their loaded faces and drawn characters stay in
// Qt's font cache for the pages that use them later.

#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <vector>

namespace cv {

class TIdleWarmUp : public QObject {
public:
    using TStep = std::function<void()>;

    explicit TIdleWarmUp(QObject* parent = nullptr);
    ~TIdleWarmUp() override;

    // Steps run in the order added; a step may add more.
    void Add(TStep step);
    // Steps that load Font and draw the code page's characters with it at
    // each glyph place (WarmUpFont); the font is kept. A font added before
    // is not added again.
    void AddFont(const QFont& font);
    // Runs the steps, one each time the event loop is idle.
    void Start();

    bool Finished() const { return started_ && next_ == steps_.size(); }
    // The time the steps took together and the longest of them, in nanoseconds.
    qint64 BusyNs() const { return busyNs_; }
    qint64 LongestStepNs() const { return longestStepNs_; }

private:
    void WhenIdle();
    void RunNextStep();

    std::vector<TStep> steps_;
    std::vector<QFont> keptFonts_;
    QSet<QString> keptFontKeys_;
    std::size_t next_ = 0;
    bool started_ = false;
    bool stepQueued_ = false;
    QMetaObject::Connection idle_;
    qint64 busyNs_ = 0;
    qint64 longestStepNs_ = 0;
};

}  // namespace cv
