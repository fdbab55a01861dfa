#pragma once
// A hand that plays a dialog at random as a person might: it clicks a number
// field and types into whatever then holds the focus (the field's smallest
// and largest values, one past them, letters, nothing, a lone minus, many
// digits), leaves with Tab or Enter, clicks tabs, the selector buttons lent
// to the dialog, boxes, sheet cells and buttons (playing the windows they
// open in turn), and presses OK. Every step is kept in a trace, so that a
// failure can be read and replayed from its seed.
//
// What it holds the dialog to: OK either closes it or leaves it on screen
// with a message; a number field shows a value within its range when the
// dialog opens.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/recording_ui.h"

namespace cv {
class TQNEdit;
}

namespace cv::test {

class RandomHand {
public:
    RandomHand(std::uint32_t seed, RecordingUi& ui);

    // Clicks Button; when it opens a dialog, saves its screenshot under Shot,
    // plays Steps random steps in it and closes it: OK, and Cancel when OK
    // keeps it. Whether a dialog opened.
    bool Open(QWidget& button, int steps, const std::string& shot);

    const std::vector<std::string>& Trace() const { return trace_; }

private:
    // What a step did to the dialog.
    enum class TOutcome { Stays, Closed };

    void PlayIn(QWidget& dialog, int steps, int depth);
    TOutcome Step(QWidget& dialog, int depth);
    TOutcome TypeIntoField(QWidget& dialog);
    TOutcome TypeIntoSheet(QWidget& dialog);
    TOutcome ClickTab(QWidget& dialog);
    TOutcome ClickOne(QWidget& dialog, const std::vector<QWidget*>& candidates, int depth);
    TOutcome PressOk(QWidget& dialog);
    void Close(QWidget& dialog);
    // Plays a window that Button opens over Dialog, if it opens one.
    void PressOpening(QWidget& dialog, QWidget& button, int depth);
    // Clicks Button of Window and runs Play on the modal window it opens, if any.
    void Press(QWidget& window, QWidget& button, const std::function<void(QWidget&)>& play);

    // The number fields Dialog shows within their ranges.
    void ExpectFieldsInRange(QWidget& dialog);

    QString ExtremeText(const TQNEdit& field);
    QString NumberText(const TQNEdit& field, double shown) const;
    int Below(int count);
    void Note(const QWidget& dialog, const std::string& what);

    std::mt19937 random_;
    RecordingUi& ui_;
    std::vector<std::string> trace_;
};

}  // namespace cv::test
