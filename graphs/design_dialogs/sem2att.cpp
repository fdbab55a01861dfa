#include "graphs/design_dialogs/sem2att.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "core/stats/cv_interf.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {
namespace {

constexpr int kCharacteristicHint = 4;
constexpr long kHighestPrice = 32767;
constexpr int kItemNameLength = 16;
constexpr char kItemToken[] = "@brand";
constexpr double kPerceivedScale = 1000;
// Rows of the three groups' grids: the choice of the item, then one row per characteristic.
constexpr int kFirstRow = 2;
constexpr int kHeaderRowHeight = 24;
constexpr int kRowHeight = 30;
constexpr int kFieldWidth = 56;

void SetRowHeights(QGridLayout& grid) {
    for (int row = 0; row < kFirstRow; ++row) grid.setRowMinimumHeight(row, kHeaderRowHeight);
    for (int j = 0; j < MaxMapCharacteristics; ++j) grid.setRowMinimumHeight(kFirstRow + j, kRowHeight);
    grid.setRowStretch(kFirstRow + MaxMapCharacteristics, 1);
}

QGroupBox* NewGroup(QWidget* parent, const char* name) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

// The group's caption with the item's name in place of "@brand".
void CaptionWithItem(QGroupBox& group, const QString& itemName) {
    QString caption = ControlsText(group.objectName().toLatin1().constData(), 1);
    const qsizetype at = caption.indexOf(QString::fromLatin1(kItemToken));
    if (at >= 0) caption.replace(at, static_cast<qsizetype>(sizeof(kItemToken) - 1), itemName);
    group.setTitle(caption);
}

}  // namespace

TFoSem2Att::TFoSem2Att(QWidget* owner, const TDataContext& context) : TFoDesign(owner, "FoSem2Att", context) {
    Open();
}

void TFoSem2Att::BuildControls(QVBoxLayout& layout) {
    auto* groups = new QHBoxLayout;
    QGroupBox* gbS2ABrd = NewGroup(this, "gbS2ABrd");
    auto* item = new QGridLayout(gbS2ABrd);
    rbS2AIsBrd_ = new QRadioButton(gbS2ABrd);
    rbS2AIsBrd_->setObjectName(QStringLiteral("rbS2AIsBrd"));
    rbS2AIsPrj_ = new QRadioButton(gbS2ABrd);
    rbS2AIsPrj_->setObjectName(QStringLiteral("rbS2AIsPrj"));
    cbS2ASelBrd_ = new QComboBox(gbS2ABrd);
    cbS2ASelBrd_->setObjectName(QStringLiteral("cbS2ASelBrd"));
    cbS2ASelPrj_ = new QComboBox(gbS2ABrd);
    cbS2ASelPrj_->setObjectName(QStringLiteral("cbS2ASelPrj"));
    item->addWidget(rbS2AIsBrd_, 0, 0);
    item->addWidget(rbS2AIsPrj_, 1, 0);
    item->addWidget(cbS2ASelBrd_, 0, 1);
    item->addWidget(cbS2ASelPrj_, 1, 1);

    gbS2ASem_ = NewGroup(this, "gbS2ASem");
    auto* semantic = new QGridLayout(gbS2ASem_);
    // The column headings wrap within the columns' width.
    int column = 0;
    for (const char* heading : {"labS2ACurSem", "labS2ATarSem", "labS2AOptSem"}) {
        QLabel* label = NewLabel(gbS2ASem_, QString::fromLatin1(heading));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        semantic->addWidget(label, 0, column++, 2, 1);
    }
    gbS2AOptChar_ = NewGroup(this, "gbS2AOptChar");
    auto* answers = new QGridLayout(gbS2AOptChar_);
    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        const int row = kFirstRow + j - 1;
        physLabels_[j - 1] = NewLabel(gbS2ABrd, Numbered("LPhysChar", j));
        physPanels_[j - 1] = NewValuePanel(gbS2ABrd, Numbered("EPhysChar", j));
        item->addWidget(physLabels_[j - 1], row, 0);
        item->addWidget(physPanels_[j - 1], row, 1);
        curSemPanels_[j - 1] = NewValuePanel(gbS2ASem_, Numbered("ECurSem", j));
        tarSemFields_[j - 1] = NewNumberField(gbS2ASem_, Numbered("ETarSem", j), false, SemanticScaleMin, SemanticScaleMax);
        tarSemFields_[j - 1]->setFixedWidth(kFieldWidth);
        optSemPanels_[j - 1] = NewValuePanel(gbS2ASem_, Numbered("EOptSem", j));
        semantic->addWidget(curSemPanels_[j - 1], row, 0);
        semantic->addWidget(tarSemFields_[j - 1], row, 1);
        semantic->addWidget(optSemPanels_[j - 1], row, 2);
        optCharPanels_[j - 1] = NewValuePanel(gbS2AOptChar_, Numbered("EOptChar", j));
        answers->addWidget(optCharPanels_[j - 1], row, 0);
    }
    for (QGridLayout* grid : {item, semantic, answers}) SetRowHeights(*grid);
    groups->addWidget(gbS2ABrd);
    groups->addWidget(gbS2ASem_);
    groups->addWidget(gbS2AOptChar_);
    layout.addLayout(groups, 1);

    auto* buttons = new QHBoxLayout;
    auto* solve = new QPushButton(this);
    solve->setObjectName(QStringLiteral("btnS2ASolve"));
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("btnS2AClose"));
    buttons->addStretch(1);
    buttons->addWidget(solve);
    buttons->addWidget(close);
    layout.addLayout(buttons);
    connect(solve, &QPushButton::clicked, this, [this] { btnS2ASolveClick(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(rbS2AIsBrd_, &QRadioButton::clicked, this, &TFoSem2Att::rbS2AIsBrdClick);
    connect(rbS2AIsPrj_, &QRadioButton::clicked, this, &TFoSem2Att::rbS2AIsBrdClick);
}

void TFoSem2Att::Fill() {
    FillBrandCombo(*cbS2ASelBrd_);
    const TSimArr* prototypeNames = results_.FindSimArr(kCategoryFirmMarket, context_, "ProNames");
    const int prototypes = results_.GetSmallintDef(kCategoryFirmMarket, context_, "NbPros", 0);
    for (int prototype = 1; prototypeNames && prototype <= prototypes; ++prototype)
        cbS2ASelPrj_->addItem(Cp1252ToQString(prototypeNames->GetZts({prototype})));
    cbS2ASelPrj_->setCurrentIndex(0);

    for (int j = 1; j <= MaxMapCharacteristics; ++j) {
        const bool used = j <= shape_.characteristics;
        for (QWidget* widget : RowWidgets(j)) widget->setVisible(used);
        if (used) ranges_[j - 1] = CaptionCharacteristic(*physLabels_[j - 1], j, kHighestPrice, kCharacteristicHint);
    }
    FitLines();
    connect(cbS2ASelBrd_, &QComboBox::currentIndexChanged, this, &TFoSem2Att::cbS2ASelBrdChange);
    connect(cbS2ASelPrj_, &QComboBox::currentIndexChanged, this, &TFoSem2Att::cbS2ASelPrjChange);
    // Without a prototype there is nothing to design from in project mode.
    rbS2AIsPrj_->setEnabled(cbS2ASelPrj_->count() > 0);
    rbS2AIsBrd_->setChecked(true);
    rbS2AIsBrdClick();
}

void TFoSem2Att::FitLines() {
    const TCvInterf interf;
    for (int j = 1; j <= shape_.characteristics; ++j) {
        double slope = 0, intercept = 0, r2 = 0;
        const int brands = interf.RegressSemanticOnTechnical(results_, context_, j, r2, intercept, slope);
        // A line over too few brands is flat at 0.
        lines_[j - 1] = brands < MinBrandsForSemanticLine ? TSemanticLine{0, 0, brands} : TSemanticLine{slope, intercept, brands};
    }
}

std::array<QWidget*, 6> TFoSem2Att::RowWidgets(int row) const {
    return {physLabels_[row - 1],  physPanels_[row - 1],   curSemPanels_[row - 1],
            tarSemFields_[row - 1], optSemPanels_[row - 1], optCharPanels_[row - 1]};
}

bool TFoSem2Att::BrandMode() const { return rbS2AIsBrd_->isChecked(); }

void TFoSem2Att::rbS2AIsBrdClick() {
    const bool brand = BrandMode();
    rbS2AIsPrj_->setChecked(!brand);
    cbS2ASelBrd_->setEnabled(brand);
    cbS2ASelBrd_->setVisible(brand);
    cbS2ASelPrj_->setEnabled(!brand);
    cbS2ASelPrj_->setVisible(!brand);
    // A prototype has physical characteristics only: its price row is hidden.
    const int priceRow = shape_.technical + 1;
    if (priceRow <= shape_.characteristics) {
        for (QWidget* widget : RowWidgets(priceRow)) widget->setVisible(brand);
        tarSemFields_[priceRow - 1]->setEnabled(brand);
    }
    if (brand) cbS2ASelBrdChange();
    else cbS2ASelPrjChange();
}

void TFoSem2Att::cbS2ASelBrdChange() {
    const int brand = cbS2ASelBrd_->currentIndex() + 1;
    itemName_ = cbS2ASelBrd_->currentText().left(kItemNameLength);
    const TSimArr* positions = results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    for (int j = 1; j <= shape_.characteristics; ++j)
        characteristics_[j - 1] = positions && brand >= 1 ? positions->GetSmallint({brand, j, si::AttAct}) : 0;
    ShowItem();
}

void TFoSem2Att::cbS2ASelPrjChange() {
    const int prototype = cbS2ASelPrj_->currentIndex() + 1;
    itemName_ = cbS2ASelPrj_->currentText().left(kItemNameLength);
    const TSimArr* technical = results_.FindSimArr(kCategoryFirmMarket, context_, "ProTecs");
    for (int j = 1; j <= shape_.characteristics; ++j)
        characteristics_[j - 1] = technical && prototype >= 1 && shape_.IsTechnical(j)
                                      ? static_cast<long>(RoundHalfEven(technical->GetReal48({prototype, j})))
                                      : 0;
    ShowItem();
}

void TFoSem2Att::ShowItem() {
    CaptionWithItem(*gbS2ASem_, itemName_);
    CaptionWithItem(*gbS2AOptChar_, itemName_);
    const TSimArr* positions = results_.FindSimArr(kCategoryFtaMarket, context_, "PosSemBrds");
    const int brand = cbS2ASelBrd_->currentIndex() + 1;
    for (int j = 1; j <= shape_.characteristics; ++j) {
        const long characteristic = characteristics_[j - 1];
        physPanels_[j - 1]->setText(characteristic > 0 ? QString::number(characteristic)
                                                       : QString::fromLatin1(kNotAvailable));
        std::optional<double> perceived;
        if (BrandMode() && positions && brand >= 1)
            perceived = positions->GetSmallint({brand, j, si::PSStuBrd}) / kPerceivedScale;
        curSemPanels_[j - 1]->setText(EstimateText(perceived));
        const double onLine = SafeDiv(characteristic - lines_[j - 1].intercept, lines_[j - 1].slope, 0);
        optSemPanels_[j - 1]->setText(EstimateText(PerceivedValueOnLine(characteristic, lines_[j - 1])));
        tarSemFields_[j - 1]->SetValueFloat(std::clamp(onLine, SemanticScaleMin, SemanticScaleMax));
    }
    btnS2ASolveClick(false);
}

void TFoSem2Att::btnS2ASolveClick(bool fromUser) {
    bool told = false;
    for (int j = 1; j <= shape_.characteristics; ++j) {
        const TSemanticLine& line = lines_[j - 1];
        if (fromUser && !told && line.slope == 0 && line.intercept == 0) {
            Ui().ShowMessageBox(TMsgDlgType::mtWarning, mbOK, "NotEnoughObs", {0}, TAlignment::taCenter);
            told = true;
        }
        const std::optional<double> target = FieldValue(*tarSemFields_[j - 1]);
        const std::optional<long> value =
            target ? CharacteristicForTarget(*target, line, ranges_[j - 1].min, ranges_[j - 1].max) : std::nullopt;
        optCharPanels_[j - 1]->setText(value ? QString::number(*value) : QString::fromLatin1(kNotAvailable));
    }
}

}  // namespace cv
