#include "decisions/studies/study_order_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/dialogs/dialog_frame.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {

namespace {

constexpr int kMargin = 12;
constexpr int kRowHeight = 21;
constexpr int kCostWidth = 72;
constexpr int kThousand = 1000;
constexpr bool kWithCurrentInflation = true;

QGridLayout* RowGrid(QGroupBox& group) {
    auto* grid = new QGridLayout(&group);
    grid->setVerticalSpacing(DialogRowGap());
    return grid;
}

}  // namespace

TFoStudies::TFoStudies(QWidget* owner, TDataContext& callerContext) : TFoCv3Dec(owner, callerContext) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoStudies"));
    nbMarkets_ = std::min<int>(SessionIndustry("TFoStudies.Create").NbMarkets(), kMaxMarkets);
    BuildFrame();
    LoadDecisions();
    QApplication::restoreOverrideCursor();
}

TFoStudies::~TFoStudies() = default;

void TFoStudies::BuildFrame() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kLentControlsTop, kMargin, kMargin);
    layout->setSpacing(DialogRowGap() * 2);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(DialogRowGap() * 2);
    const auto group = [this, groups](const char* name, int stretch) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QString::fromLatin1(name));
        groups->addWidget(box, stretch);
        return box;
    };
    GBStudyTitles_ = group("GBStudyTitles", 1);
    GBStudyCost_ = group("GBStudyCost", 0);
    GBStudyOrder_ = group("GBStudyOrder", 0);
    layout->addLayout(groups);
    PNoStudies_ = new QLabel(this);
    PNoStudies_->setObjectName(QStringLiteral("PNoStudies"));
    PNoStudies_->setAlignment(Qt::AlignCenter);
    layout->addWidget(PNoStudies_);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(13);
    buttons->addStretch(1);
    const auto button = [this, buttons](const char* name, void (TFoStudies::*click)()) {
        auto* pushButton = new QPushButton(this);
        pushButton->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(pushButton);
        connect(pushButton, &QPushButton::clicked, this, click);
        return pushButton;
    };
    BBOk_ = button("BBOk", &TFoStudies::OkClick);
    BBOrderAll_ = button("BBOrderAll", &TFoStudies::BBOrderAllClick);
    BBNoStudies_ = button("BBNoStudies", &TFoStudies::BBNoStudiesClick);
    BBCancel_ = button("BBCancel", &TFoStudies::CancelClick);
    // Enter presses OK, or the button that has the focus.
    BBOk_->setDefault(true);
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

// The rows follow the zone: its prices, and where each market study can be ordered.
void TFoStudies::LoadDecisions() {
    TCvInd& industry = SessionIndustry("TFoStudies.LoadDecisions");
    bound_ = *CallerContext;
    const TCvPerData& constant = industry.ConstPart();
    ftaParams_ = &constant.GetSimArr(kCategoryFta, bound_, "StuFtaParams");
    for (int market = 1; market <= nbMarkets_; ++market) {
        TDataContext context = bound_;
        context.SelMarket = static_cast<std::int16_t>(market);
        mktParams_[static_cast<std::size_t>(market - 1)] = &constant.GetSimArr(kCategoryFtaMarket, context, "StuMktParams");
    }
    setUpdatesEnabled(false);
    BuildRows();
    BindOrders();
    ShowOrders();
    setUpdatesEnabled(true);
    adjustSize();
}

void TFoStudies::BindOrders() {
    decStuFta_ = &NewDecs->GetSimArr(kCategoryFirmFta, bound_, "DecStuFta");
    for (int market = 1; market <= nbMarkets_; ++market) {
        TDataContext context = bound_;
        context.SelMarket = static_cast<std::int16_t>(market);
        decStuMkt_[static_cast<std::size_t>(market - 1)] = &NewDecs->GetSimArr(kCategoryFirmFtaMarket, context, "DecStuMkt");
    }
}

void TFoStudies::ClearRows() {
    rows_.clear();
    for (QGroupBox* group : {GBStudyTitles_, GBStudyCost_, GBStudyOrder_}) {
        delete group->layout();
        for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
        RowGrid(*group);
    }
}

void TFoStudies::BuildRows() {
    TCvInd& industry = SessionIndustry("TFoStudies.LoadDecisions");
    ClearRows();
    const auto addSeries = [&](const TSeries* series, const char* category, bool fta) {
        if (!series) return;
        for (int study = series->Lo(); study <= series->Hi() && RowCount() < kMaxRows; ++study) {
            const std::string name = series->GetLabel(study);
            if (industry.RestrictHidden(category, name)) continue;
            AddRow(fta, study, industry.RestrictEnabled(category, name));
        }
    };
    addSeries(si::StuFta, "StuFta", true);
    addSeries(si::StuMkt, "StuMkt", false);
    auto* costs = static_cast<QGridLayout*>(GBStudyCost_->layout());
    auto* titles = static_cast<QGridLayout*>(GBStudyTitles_->layout());
    LTotalCost_ = new QLabel(GBStudyTitles_);
    LTotalCost_->setObjectName(QStringLiteral("LTotalCost"));
    LTotalCost_->setFixedHeight(kRowHeight);
    titles->addWidget(LTotalCost_, RowCount(), 0);
    QNETotalCost_ = new TQNEdit(GBStudyCost_);
    QNETotalCost_->setObjectName(QStringLiteral("QNETotalCost"));
    QNETotalCost_->Scale = kThousand;
    QNETotalCost_->Precision = 0;
    QNETotalCost_->setFixedSize(kCostWidth, kRowHeight);
    QNETotalCost_->setAlignment(Qt::AlignRight);
    QNETotalCost_->setReadOnly(true);
    QNETotalCost_->SetFieldEnabled(false);
    costs->addWidget(QNETotalCost_, RowCount(), 0);
    // The order column keeps the rows in step with the others.
    static_cast<QGridLayout*>(GBStudyOrder_->layout())->setRowMinimumHeight(RowCount(), kRowHeight);
    const bool any = !rows_.empty();
    BBOrderAll_->setEnabled(any);
    BBNoStudies_->setEnabled(any);
    PNoStudies_->setVisible(!any);
    for (QGroupBox* group : {GBStudyTitles_, GBStudyCost_, GBStudyOrder_}) group->setVisible(any);
    TranslateForm();
    GBStudyCost_->setTitle(WithMoneyUnit(GBStudyCost_->title()));
    LTotalCost_->setText(WithMoneyUnit(LTotalCost_->text()));
}

void TFoStudies::AddRow(bool fta, int study, bool restricted) {
    TCvInd& industry = SessionIndustry("TFoStudies.LoadDecisions");
    const int gridRow = RowCount();
    const int number = gridRow + 1;
    TStudyRow row;
    row.fta = fta;
    row.study = study;
    row.label = new QLabel(Cp1252ToQString(fta ? industry.StuFtaLabel(study) : industry.StuMktLabel(study)),
                           GBStudyTitles_);
    row.label->setObjectName(QStringLiteral("LStudy%1").arg(number));
    row.label->setFixedHeight(kRowHeight);
    static_cast<QGridLayout*>(GBStudyTitles_->layout())->addWidget(row.label, gridRow, 0);
    row.cost = new TQNEdit(GBStudyCost_);
    row.cost->setObjectName(QStringLiteral("QNECost%1").arg(number));
    row.cost->Scale = kThousand;
    row.cost->Precision = 0;
    row.cost->setFixedSize(kCostWidth, kRowHeight);
    row.cost->setAlignment(Qt::AlignRight);
    row.cost->setReadOnly(true);
    row.cost->SetFieldEnabled(false);
    static_cast<QGridLayout*>(GBStudyCost_->layout())->addWidget(row.cost, gridRow, 0);
    auto* orders = static_cast<QGridLayout*>(GBStudyOrder_->layout());
    for (int market = 1; market <= (fta ? 1 : nbMarkets_); ++market) {
        if (!fta && ElementNumber(mktParams_[static_cast<std::size_t>(market - 1)], {study, si::IsStuAvailable}) == 0)
            continue;
        auto* box = new QCheckBox(
            Cp1252ToQString(fta ? industry.FtaLabel(bound_.SelFta) : industry.MarketLabel(market)), GBStudyOrder_);
        box->setObjectName(QStringLiteral("ChBOrder%1_%2").arg(number).arg(market));
        box->setFixedHeight(kRowHeight);
        box->setEnabled(!restricted);
        connect(box, &QCheckBox::toggled, this, &TFoStudies::UpdateCosts);
        orders->addWidget(box, gridRow, market - 1);
        row.boxes[static_cast<std::size_t>(market - 1)] = box;
    }
    rows_.push_back(row);
}

const TSimArr* TFoStudies::Params(const TStudyRow& row, int market) const {
    return row.fta ? ftaParams_ : mktParams_[static_cast<std::size_t>(market - 1)];
}

TSimArr* TFoStudies::Orders(const TStudyRow& row, int market) const {
    return row.fta ? decStuFta_ : decStuMkt_[static_cast<std::size_t>(market - 1)];
}

void TFoStudies::ShowOrders() {
    for (const TStudyRow& row : rows_)
        for (int market = 1; market <= kMaxMarkets; ++market) {
            QCheckBox* box = row.boxes[static_cast<std::size_t>(market - 1)];
            if (box && box->isEnabled()) box->setChecked(ElementNumber(Orders(row, market), {row.study}) != 0);
        }
    UpdateCosts();
}

double TFoStudies::StudyCost(const TSimArr* params, int study) const {
    TCvInd& industry = SessionIndustry("TFoStudies.UpdateCosts");
    return static_cast<double>(industry.CumInflation(industry.DecPeriod(), bound_.SelFta, kWithCurrentInflation,
                                                     ElementNumber(params, {study, si::StuCost}), si::Salaries));
}

void TFoStudies::UpdateCosts() {
    double total = 0;
    for (const TStudyRow& row : rows_) {
        double cost = 0;
        for (int market = 1; market <= kMaxMarkets; ++market) {
            const QCheckBox* box = row.boxes[static_cast<std::size_t>(market - 1)];
            if (box && box->isChecked()) cost += StudyCost(Params(row, market), row.study);
        }
        row.cost->SetValueFloat(cost);
        total += cost;
    }
    if (QNETotalCost_) QNETotalCost_->SetValueFloat(total);
}

void TFoStudies::BBOrderAllClick() {
    for (const TStudyRow& row : rows_)
        for (QCheckBox* box : row.boxes)
            if (box && box->isEnabled()) box->setChecked(true);
}

void TFoStudies::BBNoStudiesClick() {
    for (const TStudyRow& row : rows_)
        for (QCheckBox* box : row.boxes)
            if (box) box->setChecked(false);
}

bool TFoStudies::StoreDecisions() {
    SaveDecisions();
    return true;
}

// The orders and the status go to the zone whose arrays are shown (bound_):
// when the selector bar changed the zone, the page's context already names
// the new one, whose studies the team has not decided yet.
void TFoStudies::SaveDecisions() {
    const auto clear = [](TSimArr* orders) {
        if (!orders) return;
        for (int study = orders->LB(1); study <= orders->UB(1); ++study) orders->SetByte({study}, 0);
    };
    clear(decStuFta_);
    for (TSimArr* orders : decStuMkt_) clear(orders);
    for (const TStudyRow& row : rows_)
        for (int market = 1; market <= kMaxMarkets; ++market) {
            const QCheckBox* box = row.boxes[static_cast<std::size_t>(market - 1)];
            TSimArr* orders = Orders(row, market);
            if (box && box->isChecked() && InBounds(orders, {row.study})) orders->SetByte({row.study}, 1);
        }
    NewDecs->SetSmallint(kCategoryFirmFta, bound_, "StudiesDecStatus", 1);
}

QCheckBox* TFoStudies::OrderBox(int row, int market) const {
    return rows_.at(static_cast<std::size_t>(row - 1)).boxes.at(static_cast<std::size_t>(market - 1));
}

TQNEdit* TFoStudies::CostField(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)).cost; }

int TFoStudies::RowOf(bool ftaStudy, int study) const {
    for (std::size_t row = 0; row < rows_.size(); ++row)
        if (rows_[row].fta == ftaStudy && rows_[row].study == study) return static_cast<int>(row) + 1;
    return 0;
}

}  // namespace cv
