#pragma once
// TFoPercEstim: how consumers would perceive a brand of given physical
// characteristics, typed for a new brand or started from a marketed one:
// its value on each semantic scale (semantic mode) or its position on each
// perceptual-map dimension (map mode). Both are estimated on every
// calculation, from regressions over the market's marketed brands; the mode
// decides which group is shown and which shortage of brands is told.

#include <QLabel>
#include <array>
#include <cstdint>

#include "graphs/design/map_target_search.h"
#include "graphs/design_dialogs/design_form.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

namespace cv {

class TFoPercEstim : public TFoDesign {
    Q_OBJECT

public:
    enum TMode : std::uint8_t { kMapMode = 0, kSemanticMode = 1 };

    TFoPercEstim(QWidget* owner, TMode mode, const TDataContext& context);

    // Estimates the characteristics now typed, and says when too few brands
    // make the shown group unusable.
    void btnPerEstCalcClick();
    // The Estimate button: estimates, then says when a shown characteristic is
    // empty (its estimates read "N/A") and puts the focus on the first such field.
    void btnPerEstCalcPressed();

private:
    void BuildControls(QVBoxLayout& layout) override;
    void Fill() override;
    // Empties the characteristics for a new brand, or shows the chosen brand's, then estimates.
    void ReloadCharacteristics();
    void rbPerEstNewBrdClick();
    void rbPerEstModBrdClick();
    void cbPerEstSelBrdChange(int index);

    TMode mode_;
    int selectedBrand_ = 1;
    int semanticBrandsUsed_ = 0;

    QGroupBox* gbPerEstSem_ = nullptr;
    QGroupBox* gbPerEstMap_ = nullptr;
    QRadioButton* rbPerEstNewBrd_ = nullptr;
    QRadioButton* rbPerEstModBrd_ = nullptr;
    QComboBox* cbPerEstSelBrd_ = nullptr;
    std::array<QLabel*, MaxMapCharacteristics> physLabels_{};
    std::array<TQNEdit*, MaxMapCharacteristics> physFields_{};
    std::array<QLabel*, MaxMapCharacteristics> semLabels_{};
    std::array<QLabel*, MaxMapCharacteristics> semPanels_{};
    std::array<QLabel*, MaxMapDimensions> mapLabels_{};
    std::array<QLabel*, MaxMapDimensions> mapPanels_{};
};

}  // namespace cv
