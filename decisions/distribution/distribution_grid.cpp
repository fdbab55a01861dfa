// TFoDistrib: the frame, the grid of channels and brands built at every
// load, and the assistant.
#include <QGridLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "decisions/dialogs/dialog_frame.h"
#include "decisions/distribution/distribution_dialog.h"
#include "decisions/allocation/share_rounding.h"
#include "decisions/distribution/slf_assistant.h"
#include "shell/main_window.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {

namespace {

constexpr int kMargin = 12;
constexpr int kFieldWidth = 64;
constexpr int kCostWidth = 96;
constexpr int kEffortMaxLength = 5;
constexpr int kSizeMaxLength = 6;
constexpr int kHelpToolButton = 2;
constexpr int kToolButtonMargin = 5;
constexpr int kToolButtonTop = 3;

template <class T>
T* Named(QWidget* parent, const QString& name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

QString Numbered(const char* stem, int number) { return QLatin1String(stem) + QString::number(number); }

TQNEdit* NumberField(QWidget* parent, const QString& name, int maximum, int maxLength) {
    auto* field = Named<TQNEdit>(parent, name);
    field->Kind = TEditKind::ekInteger;
    field->MinValue = 0;
    field->MaxValue = maximum;
    field->setMaxLength(maxLength);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(kFieldWidth);
    return field;
}

TQNEdit* ShownField(QWidget* parent, const QString& name, int width) {
    auto* field = Named<TQNEdit>(parent, name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(width);
    field->setReadOnly(true);
    field->SetFieldEnabled(false);
    return field;
}

}  // namespace

void TFoDistrib::BuildFrame() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kLentControlsTop, kMargin, kMargin);
    layout->setSpacing(DialogRowGap() * 2);
    gridPanel_ = new QWidget(this);
    layout->addWidget(gridPanel_);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(DialogRowGap() * 2);
    BBAssistant_ = Named<QPushButton>(this, QStringLiteral("BBAssistant"));
    BBNormalize_ = Named<QPushButton>(this, QStringLiteral("BBNormalize"));
    BBOk_ = Named<QPushButton>(this, QStringLiteral("BBOk"));
    BBCancel_ = Named<QPushButton>(this, QStringLiteral("BBCancel"));
    // Enter presses OK, or the button that has the focus.
    BBOk_->setDefault(true);
    for (QPushButton* button : {BBAssistant_, BBNormalize_, BBOk_, BBCancel_}) {
        // A click leaves the focus where it is: the button's action itself
        // ends the edit of the field being typed in (Cancel throws it away).
        button->setFocusPolicy(Qt::TabFocus);
        buttons->addWidget(button);
        if (button == BBNormalize_) buttons->addStretch(1);
    }
    layout->addLayout(buttons);
    ConnectButton(BBAssistant_, &TFoDistrib::BBAssistantClick);
    ConnectButton(BBNormalize_, &TFoDistrib::BBNormalizeClick);
    ConnectButton(BBOk_, &TFoDistrib::OkClick);
    connect(BBCancel_, &QPushButton::clicked, this, &TFoDistrib::CancelClick);
}

void TFoDistrib::ConnectButton(QPushButton* button, void (TFoDistrib::*action)()) {
    connect(button, &QPushButton::clicked, this, [this, button, action] {
        if (!FinishEdit(*button)) return;
        TryStep([this, action] {
            (this->*action)();
            return true;
        });
    });
}

// Columns: the row labels, one per channel, the costs. Rows: the channel
// headings and the cost heading, the sizes, the efforts' caption, a row per
// brand, the totals.
void TFoDistrib::BuildGrid() {
    // The grid is built on a new panel, out of sight, that takes the last
    // one's place once whole: controls made on a shown panel would wait for
    // the event loop to show them, and the dialog would keep the size of the
    // last load's grid.
    QWidget* lastPanel = gridPanel_;
    gridPanel_ = new QWidget(this);
    channelLabels_.clear();
    channelFields_.clear();
    totalFields_.clear();
    auto* grid = new QGridLayout(gridPanel_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(DialogRowGap() * 2);
    grid->setVerticalSpacing(DialogRowGap());
    const int costColumn = NbChannels + 1;
    // Width the columns do not need (a dialog kept as wide as a zone of more
    // channels) goes to an empty column at the right.
    grid->setColumnStretch(costColumn + 1, 1);
    grid->addWidget(Named<QLabel>(gridPanel_, QStringLiteral("LSize")), 1, 0);
    auto* costHeading = Named<QLabel>(gridPanel_, QStringLiteral("LSlfCost"));
    grid->addWidget(costHeading, 0, costColumn, Qt::AlignRight | Qt::AlignBottom);
    EChannelCost_ = ShownField(gridPanel_, QStringLiteral("EChannelCost"), kCostWidth);
    EChannelCost_->hide();
    for (int c = 1; c <= NbChannels; ++c) AddChannelColumn(*grid, c);
    channelTotals_.assign(static_cast<std::size_t>(NbChannels), 0);
    LEffort_ = Named<QLabel>(gridPanel_, QStringLiteral("LEffort"));
    grid->addWidget(LEffort_, 2, 0, 1, costColumn + 1);
    int gridRow = 3;
    for (TRow& row : rows_) AddBrandRow(*grid, gridRow++, row);
    LNoBrands_ = Named<QLabel>(gridPanel_, QStringLiteral("LNoBrands"));
    grid->addWidget(LNoBrands_, gridRow++, 0, 1, costColumn + 1);
    AddTotalsRow(*grid, gridRow);
    const bool brands = !rows_.empty();
    LNoBrands_->setVisible(!brands);
    LEffort_->setVisible(brands);
    LTotal_->setVisible(brands);
    for (TQNEdit* total : totalFields_) total->setVisible(brands);
    TranslateForm();
    costHeading->setText(WithMoneyUnit(costHeading->text()));
    delete layout()->replaceWidget(lastPanel, gridPanel_);
    delete lastPanel;
    gridPanel_->show();
}

void TFoDistrib::AddChannelColumn(QGridLayout& grid, int c) {
    TCvInd& industry = SessionIndustry("TFoDistrib.LoadDecisions");
    auto* heading = Named<QLabel>(gridPanel_, Numbered("LChannel", c));
    heading->setText(Cp1252ToQString(industry.ChannelLabel(bound_.SelFta, ChaSeries->Lo() + c - 1)));
    grid.addWidget(heading, 0, c, Qt::AlignRight | Qt::AlignBottom);
    // Leaving the field narrows its range to what the zone's budget can cost.
    TQNEdit* size = NumberField(gridPanel_, Numbered("EChannel", c), kMaxSalesForce, kSizeMaxLength);
    // Headings and fields share their column's right edge.
    grid.addWidget(size, 1, c, Qt::AlignRight);
    size->RefuseMinus = true;
    TakeWhenLeft(size, c, &TFoDistrib::SizeLeft);
    channelLabels_.push_back(heading);
    channelFields_.push_back(size);
}

void TFoDistrib::TakeWhenLeft(TQNEdit* field, int channel, bool (TFoDistrib::*take)(TQNEdit&, int)) {
    connect(field, &QLineEdit::editingFinished, this, [this, field, channel, take] {
        if (!closing_) TryStep([&] { return (this->*take)(*field, channel); });
    });
    field->installEventFilter(this);
}

// Enter in a field presses OK at once, without ending the edit first: the
// press leaves the field, which takes its value or refuses it, and a refusal
// keeps the dialog open.
bool TFoDistrib::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            keyPressEvent(key);
            return true;
        }
    }
    return TFoBrdDec::eventFilter(watched, event);
}

void TFoDistrib::AddBrandRow(QGridLayout& grid, int gridRow, TRow& row) {
    const int k = static_cast<int>(&row - rows_.data()) + 1;
    row.label = Named<QLabel>(gridPanel_, Numbered("LBrand", k));
    row.label->setText(Cp1252ToQString(row.name));
    grid.addWidget(row.label, gridRow, 0);
    row.efforts.clear();
    for (int c = 1; c <= NbChannels; ++c) {
        const QString name = k == 1 && c == 1 ? QStringLiteral("EBrand1")
                                              : Numbered("EBrand", k) + QLatin1Char('_') + QString::number(c);
        TQNEdit* effort = NumberField(gridPanel_, name, kFullChannel, kEffortMaxLength);
        grid.addWidget(effort, gridRow, c, Qt::AlignRight);
        effort->RefuseMinus = true;
        TakeWhenLeft(effort, c, &TFoDistrib::EBrandExit);
        row.efforts.push_back(effort);
    }
    row.cost = ShownField(gridPanel_, Numbered("ECost", k), kCostWidth);
    grid.addWidget(row.cost, gridRow, NbChannels + 1);
}

void TFoDistrib::AddTotalsRow(QGridLayout& grid, int gridRow) {
    LTotal_ = Named<QLabel>(gridPanel_, QStringLiteral("LTotal"));
    grid.addWidget(LTotal_, gridRow, 0);
    for (int c = 1; c <= NbChannels; ++c) {
        TQNEdit* total = ShownField(gridPanel_, Numbered("ETotal", c), kFieldWidth);
        grid.addWidget(total, gridRow, c, Qt::AlignRight);
        totalFields_.push_back(total);
    }
    ETotalCost_ = ShownField(gridPanel_, QStringLiteral("ETotalCost"), kCostWidth);
    grid.addWidget(ETotalCost_, gridRow, NbChannels + 1);
}

void TFoDistrib::BBAssistantClick() {
    TCvInd& industry = SessionIndustry("TFoDistrib.BBAssistantClick");
    std::vector<std::string> channels;
    for (int c = 1; c <= ChannelCount(); ++c) channels.push_back(industry.ChannelLabel(bound_.SelFta, ChaSeries->Lo() + c - 1));
    std::vector<std::vector<int>> efforts;
    for (int k = 1; k <= RowCount(); ++k) {
        efforts.emplace_back();
        for (int c = 1; c <= ChannelCount(); ++c) efforts.back().push_back(FieldValue(EffortField(k, c)));
    }
    TFoSlfAuto assistant(this, ChannelCount(), RowCount(), bound_);
    assistant.Fill(channels, RowBrands(), efforts);
    auto* mainWindow = qobject_cast<TFoCv3Main*>(parentWidget() ? parentWidget()->window() : nullptr);
    if (mainWindow)
        mainWindow->ShowToolButtonsOn({kHelpToolButton}, {}, &assistant, assistant.width() - kToolButtonMargin,
                                      kToolButtonTop, true);
    const bool accepted = assistant.exec() == QDialog::Accepted;
    if (mainWindow) {
        mainWindow->RestoreToolButtons();
        mainWindow->ShowToolButtonsOn({kHelpToolButton}, {}, this, width() - kToolButtonMargin, kToolButtonTop, true);
    }
    if (!accepted) return;
    for (int k = 1; k <= RowCount(); ++k)
        for (int c = 1; c <= ChannelCount(); ++c)
            if (const std::optional<int> share = assistant.Proposed(k, c)) EffortField(k, c)->SetValueInt(*share);
    TakeSetEfforts();
}

}  // namespace cv
