#include "graphs/design_dialogs/map2att.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/base/numbers.h"
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

constexpr char kModesKey[] = "SolverModes";
constexpr char kSolverKey[] = "Att2MapSolver";
constexpr char kHintsKey[] = "DecsHints";
constexpr int kCharacteristicHint = 4;
constexpr int kTickHint = 5;
constexpr int kOpeningMode = 1;
// One frame of a 60 Hz screen, rounded down.
constexpr qint64 kFrameMilliseconds = 16;
// Lines of the solver's messages.
constexpr int kTargetMissing = 1;
constexpr int kNothingFree = 2;
constexpr int kTooFewBrandsFirst = 3;
constexpr int kTooFewBrandsLast = 5;
constexpr int kKeptValueMissing = 6;
constexpr long kHighestPrice = 32767;
constexpr int kRowHeight = 30;
constexpr int kFieldWidth = 56;
const QColor kFreeColour(0xff, 0, 0);
const QColor kKeptColour(0, 0, 0xff);

TQNEdit* NewField(QWidget* parent, const QString& name, bool integer, double min, double max) {
    TQNEdit* field = NewNumberField(parent, name, integer, min, max);
    field->setFixedWidth(kFieldWidth);
    return field;
}

TQNEdit* NewResultField(QWidget* parent, const QString& name) {
    TQNEdit* field = NewField(parent, name, false, MapAxisMin, MapAxisMax);
    field->setReadOnly(true);
    return field;
}

}  // namespace

TFoMap2Att::TFoMap2Att(QWidget* owner, const TDataContext& context) : TFoDesign(owner, "FoMap2Att", context) {
    Open();
}

void TFoMap2Att::BuildControls(QVBoxLayout& layout) {
    // Everything the user may change, disabled as a whole while the search runs.
    inputs_ = new QWidget(this);
    auto* columns = new QHBoxLayout(inputs_);
    columns->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    auto* gbM2ABrd = new QGroupBox(inputs_);
    gbM2ABrd->setObjectName(QStringLiteral("gbM2ABrd"));
    cbM2ASelBrd_ = new QComboBox(gbM2ABrd);
    cbM2ASelBrd_->setObjectName(QStringLiteral("cbM2ASelBrd"));
    (new QHBoxLayout(gbM2ABrd))->addWidget(cbM2ASelBrd_);
    left->addWidget(gbM2ABrd);

    auto* characteristics = new QHBoxLayout;
    auto* gbM2ACurChar = new QGroupBox(inputs_);
    gbM2ACurChar->setObjectName(QStringLiteral("gbM2ACurChar"));
    auto* current = new QGridLayout(gbM2ACurChar);
    auto* gbM2AOptChar = new QGroupBox(inputs_);
    gbM2AOptChar->setObjectName(QStringLiteral("gbM2AOptChar"));
    auto* found = new QGridLayout(gbM2AOptChar);
    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        physLabels_[j - 1] = NewLabel(gbM2ACurChar, Numbered("LPhysChar", j));
        physFields_[j - 1] = NewField(gbM2ACurChar, Numbered("EPhysChar", j), true, 0, kHighestPrice);
        physFields_[j - 1]->setReadOnly(true);
        current->addWidget(physLabels_[j - 1], j, 0);
        current->addWidget(physFields_[j - 1], j, 1);
        optFields_[j - 1] = NewField(gbM2AOptChar, Numbered("EOptChar", j), true, 0, kHighestPrice);
        optChecks_[j - 1] = new QCheckBox(gbM2AOptChar);
        optChecks_[j - 1]->setObjectName(Numbered("chkOpt", j));
        found->addWidget(optFields_[j - 1], j, 0);
        found->addWidget(optChecks_[j - 1], j, 1);
        // The two groups' rows stand side by side.
        current->setRowMinimumHeight(j, kRowHeight);
        found->setRowMinimumHeight(j, kRowHeight);
        connect(optChecks_[j - 1], &QCheckBox::clicked, this, &TFoMap2Att::chkOpt1Click);
    }
    current->setRowStretch(MaxMapCharacteristics + 1, 1);
    found->setRowStretch(MaxMapCharacteristics + 1, 1);
    characteristics->addWidget(gbM2ACurChar);
    characteristics->addWidget(gbM2AOptChar);
    left->addLayout(characteristics, 1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* gbM2AMap = new QGroupBox(inputs_);
    gbM2AMap->setObjectName(QStringLiteral("gbM2AMap"));
    auto* map = new QGridLayout(gbM2AMap);
    map->addWidget(NewLabel(gbM2AMap, QStringLiteral("labM2ACurMap")), 0, 1);
    map->addWidget(NewLabel(gbM2AMap, QStringLiteral("labM2ATarMap")), 0, 2);
    map->addWidget(NewLabel(gbM2AMap, QStringLiteral("labM2AOptMap")), 0, 3);
    for (int d = 1; d <= MaxMapDimensions; ++d) {
        mapLabels_[d - 1] = NewLabel(gbM2AMap, Numbered("LMap", d));
        curMapFields_[d - 1] = NewResultField(gbM2AMap, Numbered("ECurMap", d));
        tarMapFields_[d - 1] = NewField(gbM2AMap, Numbered("ETarMap", d), false, MapAxisMin, MapAxisMax);
        optMapFields_[d - 1] = NewResultField(gbM2AMap, Numbered("EOptMap", d));
        map->addWidget(mapLabels_[d - 1], d, 0);
        map->addWidget(curMapFields_[d - 1], d, 1);
        map->addWidget(tarMapFields_[d - 1], d, 2);
        map->addWidget(optMapFields_[d - 1], d, 3);
    }
    right->addWidget(gbM2AMap);
    cbModes_ = new QComboBox(inputs_);
    cbModes_->setObjectName(QStringLiteral("cbModes"));
    right->addWidget(cbModes_);
    right->addStretch(1);
    columns->addLayout(right);
    layout.addWidget(inputs_, 1);

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("ggM2ASolve"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setTextVisible(false);
    layout.addWidget(gauge_);
    auto* buttons = new QHBoxLayout;
    btnM2ASolve_ = new QPushButton(this);
    btnM2ASolve_->setObjectName(QStringLiteral("btnM2ASolve"));
    btnM2ACancel_ = new QPushButton(this);
    btnM2ACancel_->setObjectName(QStringLiteral("btnM2ACancel"));
    btnM2ACancel_->setEnabled(false);
    btnM2AClose_ = new QPushButton(this);
    btnM2AClose_->setObjectName(QStringLiteral("btnM2AClose"));
    buttons->addStretch(1);
    buttons->addWidget(btnM2ASolve_);
    buttons->addWidget(btnM2ACancel_);
    buttons->addWidget(btnM2AClose_);
    layout.addLayout(buttons);
    connect(btnM2ASolve_, &QPushButton::clicked, this, &TFoMap2Att::btnM2ASolveClick);
    connect(btnM2ACancel_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    connect(btnM2AClose_, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoMap2Att::Fill() {
    FillBrandCombo(*cbM2ASelBrd_);
    selectedBrand_ = 1;
    cbModes_->clear();
    for (int line = 1; line <= 3; ++line) cbModes_->addItem(ControlsText(kModesKey, line));
    cbModes_->setCurrentIndex(kOpeningMode);

    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        const bool used = j <= shape_.characteristics;
        for (QWidget* widget : {static_cast<QWidget*>(physLabels_[j - 1]), static_cast<QWidget*>(physFields_[j - 1]),
                                static_cast<QWidget*>(optFields_[j - 1]), static_cast<QWidget*>(optChecks_[j - 1])})
            widget->setVisible(used);
        if (!used) continue;
        const TCharacteristicRange range =
            CaptionCharacteristic(*physLabels_[j - 1], j, kHighestPrice, kCharacteristicHint);
        optFields_[j - 1]->MinValue = range.min;
        optFields_[j - 1]->MaxValue = range.max;
    }
    for (int d = 1; d <= MaxMapDimensions; ++d) {
        const bool used = d <= shape_.mapDimensions;
        for (QWidget* widget : {static_cast<QWidget*>(mapLabels_[d - 1]), static_cast<QWidget*>(curMapFields_[d - 1]),
                                static_cast<QWidget*>(tarMapFields_[d - 1]), static_cast<QWidget*>(optMapFields_[d - 1])})
            widget->setVisible(used);
        if (used) CaptionMapDimension(*mapLabels_[d - 1], d);
    }
    BuildMapModel();
    connect(cbM2ASelBrd_, &QComboBox::currentIndexChanged, this, &TFoMap2Att::cbM2ASelBrdChange);
    ShowBrand();
}

void TFoMap2Att::BuildMapModel() {
    model_.characteristicCount = std::min(shape_.characteristics, MaxMapCharacteristics);
    model_.dimensionCount = std::min(shape_.mapDimensions, MaxMapDimensions);
    modelUsable_ = true;
    const std::vector<TMapFit> fits = FitMap();
    for (int d = 0; d < model_.dimensionCount; ++d) {
        modelUsable_ = modelUsable_ && fits[d].usable;
        for (int j = 0; j <= model_.characteristicCount; ++j) model_.coef[d][j] = fits[d].coef[j];
    }
}

TCharacteristics TFoMap2Att::TypedCharacteristics() const {
    TCharacteristics x{};
    for (int j = 0; j < model_.characteristicCount; ++j) x[j] = FieldValue(*physFields_[j]).value_or(0);
    return x;
}

void TFoMap2Att::ShowBrand() {
    const TSimArr* positions = results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    for (int j = 1; j <= shape_.characteristics; ++j) {
        const int value = positions ? positions->GetSmallint({selectedBrand_, j, si::AttAct}) : 0;
        physFields_[j - 1]->SetValueInt(value);
        optFields_[j - 1]->SetValueInt(value);
        optChecks_[j - 1]->setToolTip(ControlsText(kHintsKey, kTickHint));
        optChecks_[j - 1]->setChecked(false);
    }
    chkOpt1Click();
    const TMapPosition position = model_.PredictMapPosition(TypedCharacteristics());
    for (int d = 0; d < model_.dimensionCount; ++d) {
        curMapFields_[d]->SetValueFloat(position[d]);
        tarMapFields_[d]->SetValueFloat(position[d]);
        optMapFields_[d]->ClearValue();
    }
}

void TFoMap2Att::cbM2ASelBrdChange(int index) {
    selectedBrand_ = index + 1;
    ShowBrand();
}

void TFoMap2Att::chkOpt1Click() {
    for (int j = 0; j < MaxMapCharacteristics; ++j) {
        optFields_[j]->EnabledFontColor = optChecks_[j]->isChecked() ? kFreeColour : kKeptColour;
        optFields_[j]->SetFieldEnabled(true);
    }
}

void TFoMap2Att::SolverMessage(int line) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kSolverKey, {line}, TAlignment::taCenter);
}

bool TFoMap2Att::SearchWheels(int pointsPerWheel, std::array<TSearchWheel, MaxMapCharacteristics>& wheels) {
    const TCvInd& industry = *Session->Industry();
    const TSimArr* scaleRanges = results_.FindSimArr(kCategoryFtaMarket, context_, "SemScales");
    for (int j = 1; j <= model_.characteristicCount; ++j) {
        TQNEdit& field = *optFields_[j - 1];
        if (!optChecks_[j - 1]->isChecked()) {
            // A kept characteristic without a value would make the search range meaningless.
            const std::optional<double> kept = FieldValue(field);
            if (!kept) {
                SolverMessage(kKeptValueMissing);
                field.setFocus();
                return false;
            }
            wheels[j - 1] = TSearchWheel::Fixed(static_cast<long>(RoundHalfEven(*kept)));
        } else if (shape_.IsTechnical(j)) {
            const TCharacteristicRange range = TechnicalRange(industry, context_, j);
            wheels[j - 1] = TSearchWheel::Free(range.min, range.max, pointsPerWheel);
        } else {
            const long lo = scaleRanges ? scaleRanges->GetSmallint({j, si::SrMin}) : 0;
            const long hi = scaleRanges ? scaleRanges->GetSmallint({j, si::SrMax}) : 0;
            wheels[j - 1] = TSearchWheel::Free(lo, hi, pointsPerWheel);
        }
    }
    return true;
}

void TFoMap2Att::btnM2ASolveClick() {
    if (searching_) return;
    TMapPosition target{};
    bool targetMissing = false;
    for (int d = 0; d < model_.dimensionCount; ++d) {
        const std::optional<double> value = FieldValue(*tarMapFields_[d]);
        targetMissing = targetMissing || !value;
        target[d] = value.value_or(0);
    }
    if (!modelUsable_) {
        Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kSolverKey, {kTooFewBrandsFirst, kTooFewBrandsFirst + 1, kTooFewBrandsLast},
                            TAlignment::taCenter);
        return;
    }
    if (targetMissing) return SolverMessage(kTargetMissing);
    int freeCount = 0;
    for (int j = 0; j < model_.characteristicCount; ++j) freeCount += optChecks_[j]->isChecked() ? 1 : 0;
    if (freeCount == 0) return SolverMessage(kNothingFree);

    const int budget = kModeBudgets[std::clamp(cbModes_->currentIndex(), 0, 2)];
    std::array<TSearchWheel, MaxMapCharacteristics> wheels{};
    if (!SearchWheels(PointsPerCharacteristic(budget, freeCount), wheels)) return;
    const TMapTargetSearch search(model_, wheels);

    // The gauge counts the points the search evaluates, the bounds of each wheel included.
    gauge_->setRange(0, static_cast<int>(search.PointCount()));
    gauge_->setValue(0);
    gauge_->setTextVisible(true);
    ShowSearching(true);
    // The gauge and the Cancel button are served at the first report, then at
    // most once per frame: repainting every thousand points would cost more
    // than the search itself.
    QElapsedTimer sinceRepaint;
    const TMapSearchResult result = search.Run(target, [&](std::int64_t evaluated) {
        if (!sinceRepaint.isValid() || sinceRepaint.elapsed() >= kFrameMilliseconds ||
            evaluated == search.PointCount()) {
            gauge_->setValue(static_cast<int>(evaluated));
            QApplication::processEvents();
            sinceRepaint.restart();
        }
        return !cancelRequested_;
    });
    ShowSearching(false);
    gauge_->setRange(0, 100);
    gauge_->setValue(100);
    gauge_->setTextVisible(false);
    if (result.cancelled) {
        gauge_->setValue(0);
        return;
    }
    for (int j = 0; j < model_.characteristicCount; ++j)
        optFields_[j]->SetValueInt(static_cast<std::int32_t>(RoundHalfEven(result.best[j])));
    for (int d = 0; d < model_.dimensionCount; ++d) optMapFields_[d]->SetValueFloat(result.position[d]);
}

void TFoMap2Att::ShowSearching(bool searching) {
    searching_ = searching;
    cancelRequested_ = false;
    inputs_->setEnabled(!searching);
    btnM2ASolve_->setEnabled(!searching);
    btnM2AClose_->setEnabled(!searching);
    btnM2ACancel_->setEnabled(searching);
    if (searching) btnM2ACancel_->setFocus();
}

void TFoMap2Att::reject() {
    if (searching_) {
        cancelRequested_ = true;
        return;
    }
    TQNForm::reject();
}

}  // namespace cv
