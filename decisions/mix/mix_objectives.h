#pragma once
// The perceptual objectives of the marketing mix: none, targets on two axes of
// the market's perceptual map (integers -20..20) or on two of its semantic
// scales (1.0..7.0). The mode buttons set up the two lists and the two value
// fields; the second list ends with "none", which empties and disables its
// value. Stored in "DecBrdCv3" as "CoType" (0 none, 1 map, 2 semantic),
// "CoSOrP1"/"CoSOrP2" (1-based axis or scale, 0 for none) and "CoVal1"/"CoVal2".

#include <functional>

#include "decisions/mix/mix_form.h"

namespace cv {

class TSimArr;

enum class TObjectiveMode { None = 0, Map = 1, Semantic = 2 };

class TMixObjectives : public QObject {
    Q_OBJECT

public:
    // Refuse: shows line Line of the dialog's input errors and puts the focus
    // on Focus (none: unchanged).
    using TRefusal = std::function<void(int line, QWidget* focus)>;

    TMixObjectives(const TMixForm& form, TRefusal refuse);

    // The market whose axes and scales the lists offer.
    void SetMarket(int market) { market_ = market; }

    // Sets the controls up for Mode (what checking its button does).
    void SetUpMode(TObjectiveMode mode);
    // Shows the objectives of row Row of Decisions.
    void Show(const TSimArr* decisions, int row);
    // No mode, no list selection, no value (a market without brands).
    void Clear();
    // The checks of the objectives, after those of the mix.
    bool Validate();
    void Save(TSimArr& decisions, int row) const;

private:
    TObjectiveMode CheckedMode() const;
    void UncheckModes();
    void FirstChanged(int index);
    void SecondChanged(int index);
    bool SecondIsReal() const;
    bool CheckValue(TQNEdit& field);
    double Value(const TQNEdit& field) const;

    const TMixForm& form_;
    TRefusal refuse_;
    int market_ = 1;
};

}  // namespace cv
