#pragma once
// The marketing-mix dialog on the sample, opened from the decisions page's
// button (or made directly on a context), with the helpers its tests share:
// typing into a field, the decision arrays of a zone and market, and the
// message boxes shown.

#include <QTest>
#include <functional>
#include <string>

#include "decisions/mix/mix_dialog.h"
#include "tests/decisions/page/decision_page_fixture.h"

namespace cv::test {

class MixTest : public DecisionPageTest {
protected:
    // The sample with its own decisions and no restriction, the marketing
    // mix registered on the decisions page.
    void ShowSample(sample::TSampleDecisions decisions = sample::TSampleDecisions::Sample);
    // Opens the mix from its button and runs Inspect on it while it is shown;
    // the first screenshot is saved under Shot (the test's name when empty).
    void OpenMix(const std::function<void(TFoMktMix&)>& inspect, const std::string& shot = {});

    // An array of team A's cell of zone Fta and market Market, in the decision
    // period's decisions (Decided) or in the current period's.
    TSimArr& Array(const char* name, int market = 1, int fta = 1, bool decided = true);

    // Sets the bit of rcDecisions' Item in "RestrictEnabled" or "RestrictHidden".
    void Restrict(const char* array, const char* item);

    // Enters the field and replaces its text as typing would.
    static void Type(TQNEdit& field, const QString& text);
    static TQNEdit& Field(TFoMktMix& dialog, const char* name);
    // The last message box's key and lines.
    std::string LastBoxKey() const;
    std::vector<int> LastBoxLines() const;
};

}  // namespace cv::test
