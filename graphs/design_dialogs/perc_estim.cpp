#include "graphs/design_dialogs/perc_estim.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "graphs/design/perception_estimates.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {
namespace {

constexpr char kHintsKey[] = "DecsHints";
constexpr int kCharacteristicHint = 2;
constexpr int kEstimateHint = 3;
constexpr long kHighestPrice = 2500;
constexpr int kRowHeight = 30;
constexpr char kEmptyCharacteristicKey[] = "PercEstimEmpty";

}  // namespace

TFoPercEstim::TFoPercEstim(QWidget* owner, TMode mode, const TDataContext& context)
    : TFoDesign(owner, "FoPercEstim", context), mode_(mode) {
    Open();
}

void TFoPercEstim::BuildControls(QVBoxLayout& layout) {
    auto* choice = new QHBoxLayout;
    rbPerEstNewBrd_ = new QRadioButton(this);
    rbPerEstNewBrd_->setObjectName(QStringLiteral("rbPerEstNewBrd"));
    rbPerEstModBrd_ = new QRadioButton(this);
    rbPerEstModBrd_->setObjectName(QStringLiteral("rbPerEstModBrd"));
    cbPerEstSelBrd_ = new QComboBox(this);
    cbPerEstSelBrd_->setObjectName(QStringLiteral("cbPerEstSelBrd"));
    choice->addWidget(rbPerEstNewBrd_);
    choice->addWidget(rbPerEstModBrd_);
    choice->addWidget(cbPerEstSelBrd_);
    choice->addStretch(1);
    layout.addLayout(choice);

    auto* groups = new QHBoxLayout;
    auto* gbPerEstChar = new QGroupBox(this);
    gbPerEstChar->setObjectName(QStringLiteral("gbPerEstChar"));
    auto* characteristics = new QGridLayout(gbPerEstChar);
    gbPerEstSem_ = new QGroupBox(this);
    gbPerEstSem_->setObjectName(QStringLiteral("gbPerEstSem"));
    auto* semantic = new QGridLayout(gbPerEstSem_);
    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        physLabels_[j - 1] = NewLabel(gbPerEstChar, Numbered("LPhysChar", j));
        physFields_[j - 1] = NewNumberField(gbPerEstChar, Numbered("EPhysChar", j), true, 0, 0);
        characteristics->addWidget(physLabels_[j - 1], j, 0);
        characteristics->addWidget(physFields_[j - 1], j, 1);
        semLabels_[j - 1] = NewLabel(gbPerEstSem_, Numbered("LSem", j));
        semPanels_[j - 1] = NewValuePanel(gbPerEstSem_, Numbered("ESem", j));
        semantic->addWidget(semLabels_[j - 1], j, 0);
        semantic->addWidget(semPanels_[j - 1], j, 1);
        // The estimates stand beside their characteristics.
        characteristics->setRowMinimumHeight(j, kRowHeight);
        semantic->setRowMinimumHeight(j, kRowHeight);
        connect(physFields_[j - 1], &QLineEdit::editingFinished, this, &TFoPercEstim::btnPerEstCalcClick);
    }
    gbPerEstMap_ = new QGroupBox(this);
    gbPerEstMap_->setObjectName(QStringLiteral("gbPerEstMap"));
    auto* map = new QGridLayout(gbPerEstMap_);
    for (int d = 1; d <= MaxMapDimensions; ++d) {
        mapLabels_[d - 1] = NewLabel(gbPerEstMap_, Numbered("LMap", d));
        mapPanels_[d - 1] = NewValuePanel(gbPerEstMap_, Numbered("EMap", d));
        map->addWidget(mapLabels_[d - 1], d, 0);
        map->addWidget(mapPanels_[d - 1], d, 1);
    }
    map->setRowStretch(MaxMapDimensions + 1, 1);
    // The estimates of the mode shown stand in one place, beside the characteristics.
    auto* estimates = new QVBoxLayout;
    estimates->addWidget(gbPerEstSem_);
    estimates->addWidget(gbPerEstMap_);
    groups->addWidget(gbPerEstChar, 1);
    groups->addLayout(estimates, 1);
    layout.addLayout(groups, 1);

    auto* buttons = new QHBoxLayout;
    auto* calc = new QPushButton(this);
    calc->setObjectName(QStringLiteral("btnPerEstCalc"));
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("btnPerEstClose"));
    buttons->addStretch(1);
    buttons->addWidget(calc);
    buttons->addWidget(close);
    layout.addLayout(buttons);
    connect(calc, &QPushButton::clicked, this, &TFoPercEstim::btnPerEstCalcPressed);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(rbPerEstNewBrd_, &QRadioButton::clicked, this, &TFoPercEstim::rbPerEstNewBrdClick);
    connect(rbPerEstModBrd_, &QRadioButton::clicked, this, &TFoPercEstim::rbPerEstModBrdClick);
}

void TFoPercEstim::Fill() {
    const TCvInd& industry = *Session->Industry();
    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        const bool used = j <= shape_.characteristics;
        for (QWidget* widget : {static_cast<QWidget*>(physLabels_[j - 1]), static_cast<QWidget*>(physFields_[j - 1]),
                                static_cast<QWidget*>(semLabels_[j - 1]), static_cast<QWidget*>(semPanels_[j - 1])})
            widget->setVisible(used);
        if (!used) continue;
        const TCharacteristicRange range =
            CaptionCharacteristic(*physLabels_[j - 1], j, kHighestPrice, kCharacteristicHint);
        physFields_[j - 1]->MinValue = range.min;
        physFields_[j - 1]->MaxValue = range.max;
        physFields_[j - 1]->ClearValue();
        semLabels_[j - 1]->setText(Cp1252ToQString(industry.SemLabel(context_.SelMarket, j)));
        semLabels_[j - 1]->setToolTip(ControlsText(kHintsKey, kEstimateHint));
        semPanels_[j - 1]->clear();
    }
    for (int d = 1; d <= MaxMapDimensions; ++d) {
        const bool used = d <= shape_.mapDimensions;
        mapLabels_[d - 1]->setVisible(used);
        mapPanels_[d - 1]->setVisible(used);
        if (!used) continue;
        CaptionMapDimension(*mapLabels_[d - 1], d);
        mapPanels_[d - 1]->clear();
    }
    FillBrandCombo(*cbPerEstSelBrd_);
    selectedBrand_ = 1;
    connect(cbPerEstSelBrd_, &QComboBox::currentIndexChanged, this, &TFoPercEstim::cbPerEstSelBrdChange);

    rbPerEstNewBrd_->setEnabled(true);
    rbPerEstModBrd_->setEnabled(true);
    rbPerEstNewBrd_->setChecked(true);
    cbPerEstSelBrd_->setEnabled(false);
    cbPerEstSelBrd_->setVisible(false);
    gbPerEstSem_->setVisible(mode_ == kSemanticMode);
    gbPerEstMap_->setVisible(mode_ == kMapMode);
    ReloadCharacteristics();
}

void TFoPercEstim::ReloadCharacteristics() {
    const TSimArr* positions = results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    const bool newBrand = rbPerEstNewBrd_->isChecked();
    for (int j = 1; j <= shape_.characteristics; ++j) {
        if (newBrand || !positions) physFields_[j - 1]->ClearValue();
        else physFields_[j - 1]->SetValueInt(positions->GetSmallint({selectedBrand_, j, si::AttAct}));
    }
    btnPerEstCalcClick();
}

void TFoPercEstim::rbPerEstNewBrdClick() {
    cbPerEstSelBrd_->setEnabled(false);
    cbPerEstSelBrd_->setVisible(false);
    ReloadCharacteristics();
}

void TFoPercEstim::rbPerEstModBrdClick() {
    cbPerEstSelBrd_->setEnabled(true);
    cbPerEstSelBrd_->setVisible(true);
    ReloadCharacteristics();
}

void TFoPercEstim::cbPerEstSelBrdChange(int index) {
    selectedBrand_ = index + 1;
    ReloadCharacteristics();
}

void TFoPercEstim::btnPerEstCalcClick() {
    const TCvInterf interf;
    std::vector<std::optional<double>> characteristics;
    for (int j = 1; j <= shape_.characteristics; ++j) characteristics.push_back(FieldValue(*physFields_[j - 1]));

    for (int j = 1; j <= shape_.characteristics; ++j) {
        TSemanticLine line;
        double r2 = 0;
        line.brandsUsed = interf.RegressSemanticOnTechnical(results_, context_, j, r2, line.intercept, line.slope);
        semanticBrandsUsed_ = line.brandsUsed;
        semPanels_[j - 1]->setText(EstimateText(PerceivedValue(characteristics[j - 1], line)));
    }

    bool mapUsable = true;
    const std::vector<TMapFit> fits = FitMap();
    for (std::size_t d = 0; d < fits.size(); ++d) {
        mapUsable = mapUsable && fits[d].usable;
        mapPanels_[d]->setText(EstimateText(MapPosition(characteristics, fits[d].coef, fits[d].usable)));
    }

    const bool tooFewBrands = mode_ == kSemanticMode ? semanticBrandsUsed_ < MinBrandsForSemanticLine : !mapUsable;
    if (tooFewBrands)
        Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK, "NotEnoughObs", {0}, TAlignment::taCenter);
}

void TFoPercEstim::btnPerEstCalcPressed() {
    btnPerEstCalcClick();
    for (int j = 1; j <= shape_.characteristics; ++j) {
        TQNEdit& field = *physFields_[j - 1];
        if (FieldValue(field)) continue;
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kEmptyCharacteristicKey, {0}, TAlignment::taCenter);
        field.setFocus();
        return;
    }
}

}  // namespace cv
