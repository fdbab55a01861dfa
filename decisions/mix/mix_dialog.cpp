#include "decisions/mix/mix_dialog.h"

#include <QFocusEvent>
#include <QLocale>
#include <algorithm>

#include "core/base/numbers.h"
#include "core/base/ui_services.h"
#include "core/language/language_file.h"
#include "core/language/translator.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/session/session.h"
#include "core/store/series_index.h"
#include "decisions/checks/check_dec.h"
#include "decisions/checks/guarded_elements.h"
#include "decisions/dialogs/budget_limit.h"
#include "decisions/mix/mix_arithmetic.h"
#include "ui/cp1252.h"
#include "ui/wait_cursor.h"

namespace cv {

namespace {

constexpr std::size_t kBrandNameLength = 16;
constexpr long double kThousand = 1000;
constexpr long double kPercent = 100;
constexpr int kFullShare = 100;
constexpr int kSegmentStep = 63;
constexpr char kErrorsKey[] = "BMktMixDecs";
constexpr char kAdvertisingLimitKey[] = "AdvBudgetLimit";
constexpr char kMixTextsKey[] = "MktMixDecs";
constexpr int kNoBrandLine = 1;
constexpr char kAvailableKey[] = "LCurInventory";
constexpr char kAvailableToken[] = "@CI";
// Lines of "BMktMixDecs".
constexpr int kProductionEmpty = 1;
constexpr int kMassComEmpty = 2;
constexpr int kAdvResEmpty = 3;
constexpr int kSegmentEmpty = 4;
constexpr int kPriceEmpty = 5;
constexpr int kSegmentTotal = 8;
constexpr int kInventoryEmpty = 10;

std::string Line(int section, const char* key, int line) {
    std::string text;
    if (Translator) Translator->GetLine(section, key, line, text);
    return text;
}

std::int32_t Rounded(long double value) {
    return static_cast<std::int32_t>(RoundHalfEvenWithin(value, -2'000'000'000, 2'000'000'000).value_or(0));
}

// A stored amount in thousands, "-" when the brand has no row in that period.
std::int32_t Thousands(const TSimArr* decisions, int row, std::int8_t member) {
    return row == 0 ? TQNEdit::kDashInt : Rounded(ElementNumber(decisions, {row, member}) / kThousand);
}

// The advertising budget's part spent on research, or on mass communication, in thousands.
std::int32_t Advertising(const TSimArr* decisions, int row, bool research) {
    if (row == 0) return TQNEdit::kDashInt;
    const long double quality = ElementNumber(decisions, {row, si::AdvertQual});
    const long double budget = ElementNumber(decisions, {row, si::AdvertBgt});
    return Rounded((research ? quality : 1 - quality) * budget / kThousand);
}

bool IsFocusLeaving(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

TFoMktMix::TFoMktMix(QWidget* owner, TDataContext& callerContext, TMixMemory& memory)
    : TFoBrdDec(owner, callerContext), memory_(memory) {
    const TWaitCursor wait;
    setObjectName(QStringLiteral("FoMktMix"));
    form_ = BuildMixForm(*this);
    memory_.Brand = memory_.Brand.substr(0, kBrandNameLength);
    segmentFieldLeft_ = form_.QNESeg[0]->x();
    objectives_ = std::make_unique<TMixObjectives>(form_, [this](int line, QWidget* focus) { Refuse(line, focus); });
    form_.QNTSBrand->AllowChange = [this](int) { return AllowTabChange(); };
    connect(form_.QNTSBrand, &TBrandTabBar::BrandChanged, this, &TFoMktMix::ShowTab);
    connect(form_.BBOK, &QPushButton::clicked, this, &TFoMktMix::OkPressed);
    connect(form_.BBCancel, &QPushButton::clicked, this, &TFoMktMix::CancelClick);
    for (const TMixLine* line : form_.IncreaseLines()) {
        line->decided->installEventFilter(this);
        line->increase->installEventFilter(this);
    }
    for (TQNEdit* share : form_.QNESegCurPer) share->installEventFilter(this);
    TranslateForm();
    SetUnitWords();
    LoadDecisions();
}

// The unit words of the language file take the place of their tokens in the captions.
void TFoMktMix::SetUnitWords() {
    const std::pair<const char*, std::pair<const char*, int>> units[] = {
        {"LProdLevel", {"@KU", 7}}, {"LMassComBgt", {"@K$", 6}}, {"LAdvResBgt", {"@K$", 6}},
        {"LRecomPrice", {"@$", 1}}, {"LInventory", {"@U", 2}}};
    for (const auto& [name, unit] : units) {
        auto* label = findChild<QLabel*>(QString::fromLatin1(name));
        const std::string caption = QStringToCp1252(label->text());
        label->setText(Cp1252ToQString(ReplaceFirst(caption, unit.first, Line(kSectionGlobals, "UNITS", unit.second))));
    }
}

void TFoMktMix::LoadDecisions() {
    TFoBrdDec::LoadDecisions();
    LayOutSegments();
    Context = *CallerContext;
    objectives_->SetMarket(CallerContext->SelMarket);
    if (NbMktedBrdsNew < 1) ShowNoBrand();
    else ShowBrands();
    const bool restricted = Session && Session->IsRestrictEnabled("rcDecisions", "NoObjective");
    const bool hidden = Session && Session->IsRestrictHidden("rcDecisions", "NoObjective");
    // Enabled with the other groups; the mode then set up which of its controls work.
    if (!brandsShown_ || restricted) EnableGroup(*form_.GBPercObj, false);
    form_.GBPercObj->setVisible(!hidden);
}

// Five places 63 pixels apart; fewer segments spread over the same width.
void TFoMktMix::LayOutSegments() {
    const int used = std::clamp(NbSegments, 0, TMixForm::kSegmentFields);
    const int lastLeft = segmentFieldLeft_ + (TMixForm::kSegmentFields - 1) * kSegmentStep;
    const int step = used > 0 && used < TMixForm::kSegmentFields
                         ? (lastLeft - (segmentFieldLeft_ + (used - 1) * kSegmentStep)) / (used + 1)
                         : 0;
    TCvInd& industry = SessionIndustry("TFoMktMix.LoadDecisions");
    for (int i = 0; i < TMixForm::kSegmentFields; ++i) {
        const bool shown = i < used;
        const int left = segmentFieldLeft_ + i * kSegmentStep + (shown ? (i + 1) * step : 0);
        for (TQNEdit* field : {form_.QNESeg[i], form_.QNESegCurPer[i]}) {
            field->move(left, field->y());
            field->setVisible(shown);
        }
        if (shown)
            form_.QNESeg[i]->setText(Cp1252ToQString(
                industry.SegmentShortLabel(CallerContext->SelFta, CallerContext->SelMarket, SegSeries->Lo() + i)));
    }
}

void TFoMktMix::ShowNoBrand() {
    brandsShown_ = false;
    for (QGroupBox* group : form_.Groups()) EnableGroup(*group, false);
    form_.QNTSBrand->setEnabled(false);
    ShowCurrentInventory(0);
    form_.QNTSBrand->SetTabsQuietly({Cp1252ToQString(Line(kSectionDecs, kMixTextsKey, kNoBrandLine))}, 0);
    for (TQNEdit* field : findChildren<TQNEdit*>())
        if (std::find(form_.QNESeg.begin(), form_.QNESeg.end(), field) == form_.QNESeg.end()) field->ClearValue();
    objectives_->Clear();
    form_.BBOK->setEnabled(false);
    form_.paTitle->hide();
}

void TFoMktMix::ShowBrands() {
    brandsShown_ = true;
    form_.BBOK->setEnabled(true);
    form_.QNTSBrand->setEnabled(true);
    QStringList names;
    for (int row = 1; row <= std::min(NbMktedBrdsNew, kMaxBrandRows); ++row)
        names.push_back(Cp1252ToQString(ElementText(PortNew, {row, si::BrdName})));
    int tab = memory_.Tab;
    if (tab < 0 || tab >= names.size() ||
        !SameTextAscii(QStringToCp1252(names[tab]), memory_.Brand)) {
        tab = 0;
        memory_ = {};
    }
    form_.QNTSBrand->SetTabsQuietly(names, tab);
    for (QGroupBox* group : form_.Groups()) EnableGroup(*group, true);
    ShowTab(tab);
}

void TFoMktMix::ShowTab(int tab) {
    shownRow_ = tab + 1;
    DisplayBrand(QStringToCp1252(form_.QNTSBrand->tabText(tab)));
}

void TFoMktMix::DisplayBrand(const std::string& name) {
    form_.paTitle->setText(Cp1252ToQString("  " + name + "  -  " + Line(kSectionControls, "BBBrdMMix", 1)));
    form_.paTitle->show();
    const int lastRow = FindBrand(name, PortCur);
    const int row = FindBrand(name, PortNew);
    form_.QNEBaseProtoSimPer->setText(
        lastRow == 0 ? QStringLiteral("-") : Cp1252ToQString(ElementText(PortCur, {lastRow, si::ProName})));
    form_.QNEBaseProtoCurPer->setText(Cp1252ToQString(ElementText(PortNew, {row, si::ProName})));
    const std::pair<const TMixLine*, std::int8_t> stored[] = {
        {&form_.production, si::Production}, {&form_.inventory, si::SellStock}};
    for (const auto& [line, member] : stored) line->last->SetValueInt(Thousands(BrdDecCur, lastRow, member));
    form_.production.decided->SetValueInt(Thousands(BrdDecNew, row, si::Production));
    form_.massCom.last->SetValueInt(Advertising(BrdDecCur, lastRow, false));
    form_.massCom.decided->SetValueInt(Advertising(BrdDecNew, row, false));
    form_.advRes.last->SetValueInt(Advertising(BrdDecCur, lastRow, true));
    form_.advRes.decided->SetValueInt(Advertising(BrdDecNew, row, true));
    form_.price.last->SetValueInt(lastRow == 0 ? TQNEdit::kDashInt
                                               : Rounded(ElementNumber(BrdDecCur, {lastRow, si::Price})));
    form_.price.decided->SetValueInt(Rounded(ElementNumber(BrdDecNew, {row, si::Price})));
    for (const TMixLine* line : form_.IncreaseLines()) RecomputeIncrease(*line);
    ShowInventory(name, lastRow, row);
    std::vector<long double> shares;
    for (int i = 0; i < std::min(NbSegments, TMixForm::kSegmentFields); ++i)
        shares.push_back(ElementNumber(SegStratNew, {row, SegSeries->Lo() + i}));
    const std::vector<std::int32_t> percents = SegmentPercents(shares);
    for (int i = 0; i < TMixForm::kSegmentFields; ++i) {
        if (i < static_cast<int>(percents.size()))
            form_.QNESegCurPer[i]->SetValueInt(percents[i]);
        else
            form_.QNESegCurPer[i]->ClearValue();
    }
    form_.QNEtotal->SetValueInt(0);
    RecomputeSegmentTotal();
    objectives_->Show(BrdDecNew, row);
}

// A new brand has no inventory; a modified one sells what is left of its old
// make, which the team cannot change; an established one sells what it chooses
// of what it has.
void TFoMktMix::ShowInventory(const std::string& name, int lastRow, int row) {
    TQNEdit& sold = *form_.inventory.decided;
    const std::int32_t available = Thousands(BrdDecNew, row, si::AvailStock);
    if (lastRow == 0) {
        sold.SetValueInt(0);
        sold.SetFieldEnabled(false);
        ShowCurrentInventory(0);
    } else if (IsModifiedBrand(name)) {
        sold.SetValueInt(available);
        sold.SetFieldEnabled(false);
        ShowCurrentInventory(available);
    } else {
        sold.SetValueInt(Thousands(BrdDecNew, row, si::SellStock));
        sold.SetFieldEnabled(available != 0);
        ShowCurrentInventory(available);
    }
}

void TFoMktMix::ShowCurrentInventory(long double thousands) {
    const std::string text = Line(kSectionControls, kAvailableKey, 1);
    const QString amount = QLocale().toString(static_cast<double>(thousands), 'f', 0);
    form_.LCurInventory->setText(Cp1252ToQString(text).replace(QString::fromLatin1(kAvailableToken), amount));
}

void TFoMktMix::RecomputeIncrease(const TMixLine& line) {
    const std::optional<double> increase = MixIncrease(line.last->IntValue(), line.decided->IntValue());
    line.increase->SetValueFloat(increase.value_or(TQNEdit::kVoidReal));
    line.increase->SetFieldEnabled(increase.has_value());
}

// The decision follows the typed increase; the focus goes on where the team
// sent it (back to the decision, Tab would never get past the line).
void TFoMktMix::IncreaseLeft(const TMixLine& line) {
    if (line.increase->text().isEmpty() || line.last->IntValue() < 0) {
        RecomputeIncrease(line);
        return;
    }
    line.decided->SetValueInt(DecidedFromIncrease(line.last->IntValue(), line.increase->RealValue()));
}

void TFoMktMix::RecomputeSegmentTotal() {
    std::vector<std::int32_t> shares;
    for (int i = 0; i < std::min(NbSegments, TMixForm::kSegmentFields); ++i)
        shares.push_back(form_.QNESegCurPer[i]->IntValue());
    form_.QNEtotal->SetValueInt(SegmentTotal(shares));
}

bool TFoMktMix::eventFilter(QObject* watched, QEvent* event) {
    if (IsFocusLeaving(event)) {
        // Before the field checks its own range on leaving; the other field's
        // range follows the amount the field left shows.
        if (watched == form_.massCom.decided || watched == form_.advRes.decided) TryStep([this] {
            NarrowAdvertisingToBudget();
            return true;
        });
        for (const TMixLine* line : form_.IncreaseLines()) {
            if (watched == line->decided) RecomputeIncrease(*line);
            if (watched == line->increase) IncreaseLeft(*line);
        }
        for (TQNEdit* share : form_.QNESegCurPer)
            if (watched == share) RecomputeSegmentTotal();
    }
    return TFoBrdDec::eventFilter(watched, event);
}

void TFoMktMix::Refuse(int line, QWidget* focus) {
    Ui().ShowMessageBox(TMsgDlgType::mtError, mbOK, kErrorsKey, {line}, TAlignment::taCenter);
    if (focus) focus->setFocus(Qt::OtherFocusReason);
}

bool TFoMktMix::CheckFilled(TQNEdit& field, int emptyLine) {
    if (field.text().isEmpty()) {
        Refuse(emptyLine, &field);
        return false;
    }
    if (field.CheckRange(true)) return true;
    field.setFocus(Qt::OtherFocusReason);
    return false;
}

bool TFoMktMix::ValidateBrand() {
    if (NbBrdsAllMkts == 0) return true;
    const std::pair<TQNEdit*, int> amounts[] = {{form_.production.decided, kProductionEmpty},
                                                {form_.inventory.decided, kInventoryEmpty},
                                                {form_.price.decided, kPriceEmpty},
                                                {form_.massCom.decided, kMassComEmpty},
                                                {form_.advRes.decided, kAdvResEmpty}};
    // The range an advertising field names is what the zone's budget carries.
    NarrowAdvertisingToBudget();
    for (const auto& [field, line] : amounts)
        if (!CheckFilled(*field, line)) return false;
    for (int i = 0; i < std::min(NbSegments, TMixForm::kSegmentFields); ++i)
        if (!CheckFilled(*form_.QNESegCurPer[i], kSegmentEmpty)) return false;
    RecomputeSegmentTotal();
    if (form_.QNEtotal->IntValue() != kFullShare) {
        Refuse(kSegmentTotal, form_.QNESegCurPer[0]);
        return false;
    }
    return objectives_->Validate();
}

TFoMktMix::TAdvertising TFoMktMix::Split(std::int32_t massCom, std::int32_t research) {
    const long double total = (static_cast<long double>(massCom) + research) * kThousand;
    return {total, total > 0 ? research * kThousand / total : research * kThousand};
}

TFoMktMix::TAdvertising TFoMktMix::ShownAdvertising() const {
    return Split(form_.massCom.decided->IntValue(), form_.advRes.decided->IntValue());
}

TFoMktMix::TAdvertising TFoMktMix::StoredAdvertising() const {
    return {ElementNumber(BrdDecNew, {shownRow_, si::AdvertBgt}), ElementNumber(BrdDecNew, {shownRow_, si::AdvertQual})};
}

void TFoMktMix::WriteAdvertising(const TAdvertising& advertising) {
    BrdDecNew->SetReal48({shownRow_, si::AdvertBgt}, advertising.budget);
    BrdDecNew->SetReal48({shownRow_, si::AdvertQual}, advertising.quality);
}

TFtaBudget& TFoMktMix::ZoneBudget() {
    TCvInd& industry = SessionIndustry("TFoMktMix.ZoneBudget");
    TFtaBudget& budget = *industry.Budget();
    budget.Init(industry, Context);
    return budget;
}

void TFoMktMix::NarrowToBudget(TQNEdit& field) {
    const bool research = &field == form_.advRes.decided;
    // An other field that holds no amount yet counts as none.
    const std::int32_t other = std::max((research ? form_.massCom : form_.advRes).decided->IntValue(), 0);
    const TAdvertising stored = StoredAdvertising();
    const std::int32_t largest =
        LargestCarried(ZoneBudget(), TMixForm::kAdvertisingLimit, [&](std::int32_t amount) {
            WriteAdvertising(research ? Split(other, amount) : Split(amount, other));
        });
    WriteAdvertising(stored);
    field.MaxValue = largest >= 0 ? largest : TMixForm::kAdvertisingLimit;
}

void TFoMktMix::NarrowAdvertisingToBudget() {
    for (TQNEdit* field : {form_.massCom.decided, form_.advRes.decided}) NarrowToBudget(*field);
}

// The advertising shown is tried on the zone's budget, then the stored one put
// back: a budget it cannot cost is refused with its amount.
bool TFoMktMix::AdvertisingCarried() {
    const TAdvertising stored = StoredAdvertising();
    const TAdvertising shown = ShownAdvertising();
    TFtaBudget& budget = ZoneBudget();
    WriteAdvertising(shown);
    const bool carried = BudgetCarries(budget);
    WriteAdvertising(stored);
    if (carried) return true;
    ShowDecisionError(kAdvertisingLimitKey, {TCheckDec::FormatUnits(static_cast<double>(shown.budget)),
                                             QStringToCp1252(form_.QNTSBrand->tabText(shownRow_ - 1))});
    form_.massCom.decided->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFoMktMix::SaveDecisions() {
    const int row = shownRow_;
    TSimArr& decisions = *BrdDecNew;
    decisions.SetReal48({row, si::BrdDecStatus}, 1);
    decisions.SetReal48({row, si::Production}, form_.production.decided->IntValue() * kThousand);
    decisions.SetReal48({row, si::SellStock}, form_.inventory.decided->IntValue() * kThousand);
    WriteAdvertising(ShownAdvertising());
    decisions.SetReal48({row, si::Price}, form_.price.decided->IntValue());
    for (int i = 0; i < std::min(NbSegments, TMixForm::kSegmentFields); ++i)
        SegStratNew->SetReal48({row, SegSeries->Lo() + i}, form_.QNESegCurPer[i]->IntValue() / kPercent);
    objectives_->Save(decisions, row);
}

bool TFoMktMix::StoreDecisions() {
    if (!brandsShown_) return true;
    if (!ValidateBrand() || !AdvertisingCarried()) return false;
    SaveDecisions();
    return true;
}

bool TFoMktMix::AllowTabChange() {
    return FinishEdit(*form_.QNTSBrand) && TryStep([this] { return StoreDecisions(); });
}

void TFoMktMix::OkPressed() {
    if (FinishEdit(*form_.BBOK)) OkClick();
}

void TFoMktMix::done(int result) {
    const int tab = form_.QNTSBrand->currentIndex();
    memory_.Tab = std::max(tab, 0);
    memory_.Brand =
        tab < 0 ? std::string() : QStringToCp1252(form_.QNTSBrand->tabText(tab)).substr(0, kBrandNameLength);
    TFoBrdDec::done(result);
}

std::unique_ptr<TFoCv3Dec> CreateMarketingMix(QWidget* owner, TDataContext& context, TMixMemory& memory) {
    return std::make_unique<TFoMktMix>(owner, context, memory);
}

}  // namespace cv
