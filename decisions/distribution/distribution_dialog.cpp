#include "decisions/distribution/distribution_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QVBoxLayout>

#include "core/base/numbers.h"
#include "core/language/keyed_messages.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/per_data.h"
#include "core/store/series_index.h"
#include "decisions/allocation/share_rounding.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/dialogs/budget_limit.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {

namespace {

constexpr double kPercent = 100;
constexpr int kMessageCategory = 1;
constexpr int kMessageSeverity = 3;
constexpr int kMinSalesForce = 1;
constexpr char kBudgetLimitKey[] = "SlfBudgetLimit";

}  // namespace

TFoDistrib::TFoDistrib(QWidget* owner, TDataContext& callerContext) : TFoBrdDec(owner, callerContext) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setObjectName(QStringLiteral("FoDistrib"));
    budget_ = SessionIndustry("TFoDistrib.Create").Budget();
    BuildFrame();
    LoadDecisions();
    QApplication::restoreOverrideCursor();
}

TFoDistrib::~TFoDistrib() = default;

TDataContext TFoDistrib::MarketContext(int market) const {
    TDataContext context = bound_;
    context.SelMarket = static_cast<std::int16_t>(market);
    return context;
}

void TFoDistrib::LoadDecisions() {
    TFoBrdDec::LoadDecisions();
    TCvInd& industry = SessionIndustry("TFoDistrib.LoadDecisions");
    bound_ = *CallerContext;
    copy_ = std::make_unique<TCvPerData>();
    copy_->CopyFirmCells(bound_.SelFirm, *NewDecs);
    budget_->Init(industry, bound_);
    BindArrays();
    setUpdatesEnabled(false);
    BuildGrid();
    FillFields();
    DoCalcSlfCost();
    ComputeAllChannelTotals();
    BBAssistant_->setEnabled(!industry.RestrictEnabled("rcDecisions", "NoSlfAssistant") && !rows_.empty());
    BBAssistant_->setVisible(!industry.RestrictHidden("rcDecisions", "NoSlfAssistant"));
    setUpdatesEnabled(true);
    adjustSize();
    // The lent tool buttons stay at the right edge of the first load.
    if (firstLoad_) setMinimumWidth(width());
    if (!channelFields_.empty()) {
        channelFields_.front()->setFocus(Qt::OtherFocusReason);
        channelFields_.front()->selectAll();
    }
    firstLoad_ = false;
}

// The zone's sizes, and per market its portfolio, allocation and brand count;
// the rows are the brands of market 1, then market 2, then market 3.
void TFoDistrib::BindArrays() {
    TCvInd& industry = SessionIndustry("TFoDistrib.LoadDecisions");
    slfSize_ = &NewDecs->GetSimArr(kCategoryFirmFta, bound_, "SlfSize");
    markets_.clear();
    rows_.clear();
    for (int market = 1; market <= industry.NbMarkets(); ++market) {
        const TDataContext context = MarketContext(market);
        TMarketArrays arrays;
        arrays.brands = std::min<int>(NewDecs->GetSmallintDef(kCategoryFirmFtaMarket, context, "NbMktedBrds", 0),
                                      kMaxBrandRows);
        arrays.port = &NewDecs->GetSimArr(kCategoryFirmFtaMarket, context, "DecBrdPort");
        arrays.alloc = arrays.brands > 0 ? &NewDecs->GetSimArr(kCategoryFirmFtaMarket, context, "SlfAlloc") : nullptr;
        for (int brand = 1; brand <= arrays.brands; ++brand)
            rows_.push_back({market, brand, ElementText(arrays.port, {brand, si::BrdName}), nullptr, {}, nullptr});
        markets_.push_back(arrays);
    }
}

int TFoDistrib::FieldValue(const TQNEdit* field) const {
    const std::int32_t value = field->IntValue();
    return value == TQNEdit::kVoidInt || value == TQNEdit::kDashInt ? 0 : value;
}

void TFoDistrib::FillFields() {
    accepted_.clear();
    for (int c = 1; c <= ChannelCount(); ++c) {
        const int channel = ChaSeries->Lo() + c - 1;
        ChannelField(c)->SetValueInt(static_cast<std::int32_t>(RoundHalfEven(ElementNumber(slfSize_, {channel}))));
        Accept(*ChannelField(c));
        for (TRow& row : rows_) {
            const TSimArr* alloc = markets_[static_cast<std::size_t>(row.market - 1)].alloc;
            TQNEdit* effort = row.efforts[static_cast<std::size_t>(c - 1)];
            effort->SetValueInt(
                static_cast<std::int32_t>(RoundHalfEven(ElementNumber(alloc, {channel, row.portRow}) * kPercent)));
            Accept(*effort);
        }
    }
}

TQNEdit* TFoDistrib::EffortField(int row, int channel) const {
    return rows_.at(static_cast<std::size_t>(row - 1)).efforts.at(static_cast<std::size_t>(channel - 1));
}

void TFoDistrib::ComputeChannelTotal(int channel) {
    int total = 0;
    for (const TRow& row : rows_) total += FieldValue(row.efforts[static_cast<std::size_t>(channel - 1)]);
    channelTotals_[static_cast<std::size_t>(channel - 1)] = total;
    totalFields_[static_cast<std::size_t>(channel - 1)]->setText(QString::number(total) + QLatin1Char('%'));
}

void TFoDistrib::ComputeAllChannelTotals() {
    for (int c = 1; c <= ChannelCount(); ++c) ComputeChannelTotal(c);
}

void TFoDistrib::ShowCosts() {
    const auto units = [](double amount) { return Cp1252ToQString(TCheckDec::FormatUnits(amount)); };
    for (TRow& row : rows_) {
        const auto& costs = budget_->BrandCosts[static_cast<std::size_t>(row.market)][static_cast<std::size_t>(row.portRow)];
        row.cost->setText(units(static_cast<double>(costs[bcSlfSalaries]) + costs[bcSlfHiring] + costs[bcSlfFiring]));
    }
    const auto& total = budget_->SlfCosts[0];
    ETotalCost_->setText(units(total[0]));
    EChannelCost_->setText(units(static_cast<double>(total[scSalaries]) + total[scHiring] + total[scFiring]));
}

bool TFoDistrib::RecostAfterEdit() {
    if (closing_ || !FieldsInRange(false)) return true;
    SaveDecisions(false);
    if (!BudgetCarries(*budget_)) return false;
    ShowCosts();
    return true;
}

void TFoDistrib::DoCalcSlfCost() {
    totalSlfSize_ = 0;
    for (const TQNEdit* field : channelFields_) totalSlfSize_ += FieldValue(field);
    RecostAfterEdit();
}

bool TFoDistrib::AcceptLeftField(TQNEdit& field, int channel) {
    if (!field.CheckRange(false)) {
        field.CheckRange(true);
        PutBack(field);
        return false;
    }
    if (!RecostAfterEdit()) {
        ShowDecisionError(kBudgetLimitKey, {QStringToCp1252(field.text()), ChannelName(channel)});
        PutBack(field);
        RecostAfterEdit();
        return false;
    }
    Accept(field);
    return true;
}

void TFoDistrib::Accept(const TQNEdit& field) { accepted_[&field] = field.IntValue(); }

void TFoDistrib::PutBack(TQNEdit& field) {
    const auto accepted = accepted_.find(&field);
    field.SetValueInt(accepted == accepted_.end() ? 0 : accepted->second);
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
}

std::int32_t TFoDistrib::LargestSize(int channel) {
    if (!slfSize_) return kMaxSalesForce;
    const int element = ChaSeries->Lo() + channel - 1;
    const double stored = ElementNumber(slfSize_, {element});
    const std::int32_t largest =
        LargestCarried(*budget_, kMaxSalesForce, [&](std::int32_t size) { slfSize_->SetReal48({element}, size); });
    slfSize_->SetReal48({element}, stored);
    return largest;
}

bool TFoDistrib::SizeLeft(TQNEdit& field, int channel) {
    // An emptied size is no figure: it writes and costs nothing, and OK asks for one.
    const bool empty = field.IntValue() == TQNEdit::kVoidInt;
    // The range named is what the budget can carry in the channel; where it
    // carries nothing, the budget's own message names the value refused.
    if (const std::int32_t largest = empty ? -1 : LargestSize(channel); largest >= 0) field.MaxValue = largest;
    const bool accepted = empty || AcceptLeftField(field, channel);
    totalSlfSize_ = 0;
    for (const TQNEdit* size : channelFields_) totalSlfSize_ += FieldValue(size);
    return accepted;
}

bool TFoDistrib::EBrandExit(TQNEdit& field, int channel) {
    if (field.IntValue() == TQNEdit::kVoidInt) field.SetValueInt(0);
    const bool accepted = AcceptLeftField(field, channel);
    ComputeChannelTotal(channel);
    return accepted;
}

void TFoDistrib::TakeSetEfforts() {
    if (!RecostAfterEdit()) {
        bool told = false;
        for (int c = 1; c <= ChannelCount(); ++c) {
            for (const TRow& row : rows_) {
                TQNEdit& effort = *row.efforts[static_cast<std::size_t>(c - 1)];
                const std::int32_t accepted = accepted_[&effort];
                if (!told && effort.IntValue() != accepted) {
                    ShowDecisionError(kBudgetLimitKey, {QStringToCp1252(effort.text()), ChannelName(c)});
                    told = true;
                }
                effort.SetValueInt(accepted);
            }
        }
        RecostAfterEdit();
    }
    for (const TRow& row : rows_)
        for (const TQNEdit* effort : row.efforts) Accept(*effort);
    ComputeAllChannelTotals();
}

std::string TFoDistrib::ChannelName(int channel) const {
    return SessionIndustry("TFoDistrib").ChannelLongLabel(bound_.SelFta, ChaSeries->Lo() + channel - 1);
}

bool TFoDistrib::Validate(bool check) {
    if (!check) return true;
    TQnInfos messages;
    TCVInfo info;
    QWidget* focus = nullptr;
    const auto add = [&](const char* key, const std::string& parameter) {
        info.SetKey(key);
        info.AddParam(parameter);
        info.SetCategory(kMessageCategory);
        info.SetSeverity(kMessageSeverity);
        messages.Add(info.Info());
    };
    for (int c = 1; c <= ChannelCount(); ++c) {
        if (ChannelField(c)->IntValue() != TQNEdit::kVoidInt) continue;
        add("Err3DistribDecs", ChannelName(c));
        if (!focus) focus = ChannelField(c);
    }
    if (rows_.empty()) return Told(messages, focus);
    totalSlfSize_ = 0;
    for (const TQNEdit* field : channelFields_) totalSlfSize_ += FieldValue(field);
    if (totalSlfSize_ < kMinSalesForce) {
        add("Err1DistribDecs", std::to_string(kMinSalesForce));
        focus = ChannelField(1);
    }
    ComputeAllChannelTotals();
    for (int c = 1; c <= ChannelCount(); ++c) {
        if (channelTotals_[static_cast<std::size_t>(c - 1)] == kFullChannel) continue;
        add("Err2DistribDecs", ChannelName(c));
        if (!focus) focus = EffortField(1, c);
    }
    return Told(messages, focus);
}

bool TFoDistrib::Told(const TQnInfos& messages, QWidget* focus) {
    if (messages.Empty()) return true;
    ShowKeyedMessage("cviDecError", messages, -1, TAlignment::taCenter);
    if (focus) focus->setFocus(Qt::OtherFocusReason);
    return false;
}

// A field holding a value outside its range keeps the focus when left, but a
// click on OK still arrives: nothing is written while one does.
bool TFoDistrib::FieldsInRange(bool tell) {
    std::vector<TQNEdit*> fields = channelFields_;
    for (const TRow& row : rows_) fields.insert(fields.end(), row.efforts.begin(), row.efforts.end());
    for (TQNEdit* field : fields)
        if (field->IntValue() != TQNEdit::kVoidInt && !field->CheckRange(false)) {
            if (tell) {
                field->CheckRange(true);
                field->setFocus(Qt::OtherFocusReason);
            }
            return false;
        }
    return true;
}

bool TFoDistrib::SaveDecisions(bool check) {
    if (!FieldsInRange(check)) return false;
    for (int c = 1; c <= ChannelCount(); ++c)
        if (slfSize_ && ChannelField(c)->IntValue() != TQNEdit::kVoidInt)
            slfSize_->SetReal48({ChaSeries->Lo() + c - 1}, FieldValue(ChannelField(c)));
    if (!Validate(check)) return false;
    if (rows_.empty()) return true;
    for (const TRow& row : rows_) {
        TSimArr* alloc = markets_[static_cast<std::size_t>(row.market - 1)].alloc;
        if (!alloc) continue;
        for (int c = 1; c <= ChannelCount(); ++c)
            alloc->SetReal48({ChaSeries->Lo() + c - 1, row.portRow},
                             FieldValue(row.efforts[static_cast<std::size_t>(c - 1)]) / kPercent);
    }
    // The decisions count as taken once they passed the checks; a field left
    // writes them only so that the budget can cost them.
    if (check) NewDecs->SetSmallint(kCategoryFirmFta, bound_, "SlfDecStatus", 1);
    return true;
}

void TFoDistrib::BBNormalizeClick() {
    for (int c = 1; c <= ChannelCount(); ++c) {
        std::vector<int> efforts;
        for (const TRow& row : rows_) efforts.push_back(FieldValue(row.efforts[static_cast<std::size_t>(c - 1)]));
        const std::vector<int> shares = NormalisedShares(efforts, channelTotals_[static_cast<std::size_t>(c - 1)]);
        for (std::size_t k = 0; k < rows_.size(); ++k) rows_[k].efforts[static_cast<std::size_t>(c - 1)]->SetValueInt(shares[k]);
    }
    TakeSetEfforts();
}

// The copy replaces the firm's cells, and with them the arrays the dialog
// holds: a field left while the dialog closes must not write any more.
void TFoDistrib::reject() {
    closing_ = true;
    if (copy_) NewDecs->CopyFirmCells(bound_.SelFirm, *copy_);
    TFoBrdDec::reject();
}

std::vector<std::string> TFoDistrib::RowBrands() const {
    std::vector<std::string> brands;
    for (const TRow& row : rows_) brands.push_back(row.name);
    return brands;
}

}  // namespace cv
