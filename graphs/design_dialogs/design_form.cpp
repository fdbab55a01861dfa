#include "graphs/design_dialogs/design_form.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/typed_array.h"
#include "ui/cp1252.h"

namespace cv {
namespace {

constexpr char kHintsKey[] = "DecsHints";
constexpr int kEstimateHint = 3;
// Room at the top right for the main window's help button lent to the dialog.
constexpr int kLentButtonRoom = 30;
constexpr int kMargin = 8;

}  // namespace

TFoDesign::TFoDesign(QWidget* owner, const char* formName, const TDataContext& context)
    : TQNForm(owner), context_(context), results_(Session->Industry()->PerResults(context.CurPeriod)),
      shape_(MarketShape(*Session->Industry(), context.SelMarket)), formName_(formName) {
    setObjectName(QString::fromLatin1(formName));
}

void TFoDesign::Open() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kLentButtonRoom, kMargin, kMargin);
    BuildControls(*layout);
    TranslateForm();
    setWindowTitle(ControlsText(formName_, 1));
    Fill();
    adjustSize();
    QApplication::restoreOverrideCursor();
}

void TFoDesign::FillBrandCombo(QComboBox& combo) const {
    const TSimArr* names = results_.FindSimArr(kCategoryFtaMarket, context_, "BrdNames");
    const int brands = results_.GetSmallintDef(kCategoryFtaMarket, context_, "NbMktedBrds", 0);
    combo.clear();
    for (int brand = 1; names && brand <= brands; ++brand) combo.addItem(Cp1252ToQString(names->GetZts({brand})));
    combo.setCurrentIndex(0);
}

TCharacteristicRange TFoDesign::CaptionCharacteristic(QLabel& label, int characteristic, long highestPrice,
                                                      int hintLine) const {
    const TCvInd& industry = *Session->Industry();
    const bool technical = shape_.IsTechnical(characteristic);
    const TCharacteristicRange range =
        technical ? TechnicalRange(industry, context_, characteristic) : TCharacteristicRange{0, highestPrice};
    label.setText(CharacteristicCaption(industry, context_.SelMarket, characteristic, technical, range));
    label.setToolTip(ControlsText(kHintsKey, hintLine));
    return range;
}

void TFoDesign::CaptionMapDimension(QLabel& label, int dimension) const {
    label.setText(Cp1252ToQString(Session->Industry()->MapLabel(context_.SelMarket, dimension)));
    label.setToolTip(ControlsText(kHintsKey, kEstimateHint));
}

std::vector<TMapFit> TFoDesign::FitMap() const {
    const TCvInterf interf;
    const auto coefficients = static_cast<std::size_t>(shape_.characteristics + 1);
    std::vector<TMapFit> fits;
    for (int d = 1; d <= shape_.mapDimensions; ++d) {
        TMapFit fit{std::vector<double>(coefficients), false};
        std::vector<double> errors(coefficients), stats(kMapRegressionStatCount);
        interf.RegressMapOnSemantic(results_, context_, d, fit.coef, errors, stats);
        // The second statistic is the fit's residual degrees of freedom.
        fit.usable = stats[1] >= 1;
        fits.push_back(std::move(fit));
    }
    return fits;
}

}  // namespace cv
