#pragma once
// TFoSem2Att: scale by scale, the characteristic value that the market's
// brands suggest for a target perceived value, for a marketed brand or one of
// the firm's prototypes. Each semantic scale is paired with its
// characteristic by a straight line fitted over the marketed brands when the
// dialog opens; the answers are rounded halves to even. A prototype has no
// price: its price row is hidden, and without prototypes the project choice
// is disabled.

#include <QLabel>
#include <array>

#include "graphs/design/map_target_search.h"
#include "graphs/design/perception_estimates.h"
#include "graphs/design_dialogs/design_form.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

namespace cv {

class TFoSem2Att : public TFoDesign {
    Q_OBJECT

public:
    TFoSem2Att(QWidget* owner, const TDataContext& context);

    // The characteristics for the targets; a click (FromUser) tells once when
    // a scale has no line for want of brands.
    void btnS2ASolveClick(bool fromUser);

private:
    void BuildControls(QVBoxLayout& layout) override;
    void Fill() override;
    void FitLines();
    void rbS2AIsBrdClick();
    void cbS2ASelBrdChange();
    void cbS2ASelPrjChange();
    void ShowItem();
    bool BrandMode() const;
    // The widgets of characteristic Row (1-based).
    std::array<QWidget*, 6> RowWidgets(int row) const;

    std::array<TSemanticLine, MaxMapCharacteristics> lines_{};
    std::array<TCharacteristicRange, MaxMapCharacteristics> ranges_{};
    std::array<long, MaxMapCharacteristics> characteristics_{};
    QString itemName_;

    QGroupBox* gbS2ASem_ = nullptr;
    QGroupBox* gbS2AOptChar_ = nullptr;
    QRadioButton* rbS2AIsBrd_ = nullptr;
    QRadioButton* rbS2AIsPrj_ = nullptr;
    QComboBox* cbS2ASelBrd_ = nullptr;
    QComboBox* cbS2ASelPrj_ = nullptr;
    std::array<QLabel*, MaxMapCharacteristics> physLabels_{};
    std::array<QLabel*, MaxMapCharacteristics> physPanels_{};
    std::array<QLabel*, MaxMapCharacteristics> curSemPanels_{};
    std::array<TQNEdit*, MaxMapCharacteristics> tarSemFields_{};
    std::array<QLabel*, MaxMapCharacteristics> optSemPanels_{};
    std::array<QLabel*, MaxMapCharacteristics> optCharPanels_{};
};

}  // namespace cv
