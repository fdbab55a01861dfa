#pragma once
// TFoDesign: the base of the product-design dialogs. It keeps the caller's
// context, the results of its current period and the shape of its market,
// builds the dialog under the hourglass (controls, translation, caption, the
// first fill, its size), and gives the rows the dialogs share: the brand
// list, the characteristics' captions and ranges, the map dimensions'
// captions and the map regressions.

#include <QString>
#include <vector>

#include "core/store/data_context.h"
#include "graphs/design_dialogs/design_rows.h"
#include "ui/qn_form.h"

class QComboBox;
class QLabel;
class QVBoxLayout;

namespace cv {

class TCvPerData;

// One map dimension's regression on the characteristics: their coefficients,
// then the intercept; usable with at least one residual degree of freedom.
struct TMapFit {
    std::vector<double> coef;
    bool usable = false;
};

class TFoDesign : public TQNForm {
    Q_OBJECT

protected:
    TFoDesign(QWidget* owner, const char* formName, const TDataContext& context);

    // Called at the end of the derived constructor: BuildControls on the
    // dialog's layout, the translation and caption, then Fill.
    void Open();
    virtual void BuildControls(QVBoxLayout& layout) = 0;
    virtual void Fill() = 0;

    // The market's marketed brands into Combo, the first chosen.
    void FillBrandCombo(QComboBox& combo) const;
    // Captions Label for characteristic Characteristic with the hint of line
    // HintLine of "DecsHints"; answers its range, price running 0..HighestPrice.
    TCharacteristicRange CaptionCharacteristic(QLabel& label, int characteristic, long highestPrice,
                                               int hintLine) const;
    // Captions Label for map dimension Dimension with the estimates' hint.
    void CaptionMapDimension(QLabel& label, int dimension) const;
    // The regression of each map dimension on the characteristics.
    std::vector<TMapFit> FitMap() const;

    TDataContext context_;
    const TCvPerData& results_;
    TMarketShape shape_;

private:
    const char* formName_;
};

}  // namespace cv
