#include "decisions/mix/mix_objectives.h"

#include <QSignalBlocker>
#include <limits>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/open_industry.h"
#include "core/store/series_index.h"
#include "decisions/checks/guarded_elements.h"
#include "ui/cp1252.h"

namespace cv {

namespace {

constexpr char kMixTextsKey[] = "MktMixDecs";
constexpr int kNoneLine = 2;
constexpr int kNoFirstObjectiveLine = 6;
constexpr int kEmptyValueLine = 7;
constexpr int kSameObjectivesLine = 9;

constexpr TFieldFormat kSemanticTarget{TEditKind::ekReal, 1.0, 7.0, 1};
constexpr TFieldFormat kMapTarget{TEditKind::ekInteger, -20, 20, 0};

std::string DecsLine(const char* key, int line) {
    std::string text;
    if (Translator) Translator->DecsLine(key, line, text);
    return text;
}

// A stored axis or scale (1-based) as a list position, none when the market's
// series has no such element.
int ListPosition(long double stored, int labelCount) {
    const auto position = RoundHalfEvenWithin(stored - 1, 0, labelCount - 1);
    return position ? static_cast<int>(*position) : -1;
}

std::int32_t StoredInteger(long double stored) {
    return static_cast<std::int32_t>(RoundHalfEvenWithin(stored, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max())
                                         .value_or(TQNEdit::kVoidInt));
}

void ShowStoredValue(TQNEdit& field, long double stored) {
    if (field.Kind == TEditKind::ekReal) field.SetValueFloat(static_cast<double>(stored));
    else field.SetValueInt(StoredInteger(stored));
}

}  // namespace

TMixObjectives::TMixObjectives(const TMixForm& form, TRefusal refuse) : form_(form), refuse_(std::move(refuse)) {
    const std::pair<QRadioButton*, TObjectiveMode> modes[] = {
        {form.RBSemScales, TObjectiveMode::Semantic}, {form.RBPercMap, TObjectiveMode::Map},
        {form.RBNoCom, TObjectiveMode::None}};
    for (const auto& [button, mode] : modes)
        connect(button, &QRadioButton::toggled, this, [this, mode](bool checked) {
            if (checked) SetUpMode(mode);
        });
    connect(form.CBObj1, &QComboBox::currentIndexChanged, this, &TMixObjectives::FirstChanged);
    connect(form.CBObj2, &QComboBox::currentIndexChanged, this, &TMixObjectives::SecondChanged);
}

void TMixObjectives::SetUpMode(TObjectiveMode mode) {
    const QSignalBlocker quietFirst(form_.CBObj1);
    const QSignalBlocker quietSecond(form_.CBObj2);
    form_.CBObj1->clear();
    form_.CBObj2->clear();
    const bool withLists = mode != TObjectiveMode::None;
    form_.CBObj1->setEnabled(withLists);
    form_.CBObj2->setEnabled(withLists);
    for (TQNEdit* field : {form_.QNEObj1, form_.QNEObj2}) {
        if (withLists) ApplyFieldFormat(*field, mode == TObjectiveMode::Semantic ? kSemanticTarget : kMapTarget);
        else field->Kind = TEditKind::ekAlphaNum;
        field->ClearValue();
        field->SetFieldEnabled(false);
    }
    if (!withLists) return;
    TCvInd& industry = SessionIndustry("TFoMktMix.RBCommunicOnClick");
    const bool semantic = mode == TObjectiveMode::Semantic;
    const TSeries* series = semantic ? industry.SemSeries(market_) : industry.MapSeries(market_);
    for (int element = series ? series->Lo() : 1; series && element <= series->Hi(); ++element) {
        const std::string label = semantic ? industry.SemLabel(market_, element) : industry.MapLabel(market_, element);
        form_.CBObj1->addItem(Cp1252ToQString(label));
        form_.CBObj2->addItem(Cp1252ToQString(label));
    }
    form_.CBObj2->addItem(Cp1252ToQString(DecsLine(kMixTextsKey, kNoneLine)));
    form_.CBObj1->setCurrentIndex(-1);
    form_.CBObj2->setCurrentIndex(-1);
}

void TMixObjectives::UncheckModes() {
    for (QRadioButton* button : {form_.RBSemScales, form_.RBPercMap, form_.RBNoCom}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

TObjectiveMode TMixObjectives::CheckedMode() const {
    if (form_.RBSemScales->isChecked()) return TObjectiveMode::Semantic;
    if (form_.RBPercMap->isChecked()) return TObjectiveMode::Map;
    return TObjectiveMode::None;
}

void TMixObjectives::Show(const TSimArr* decisions, int row) {
    UncheckModes();
    const long double type = ElementNumber(decisions, {row, si::CoType});
    // A type the program does not know counts as no objective.
    QRadioButton* mode = type == static_cast<int>(TObjectiveMode::Semantic) ? form_.RBSemScales
                         : type == static_cast<int>(TObjectiveMode::Map)    ? form_.RBPercMap
                                                                            : form_.RBNoCom;
    mode->setChecked(true);
    if (mode == form_.RBNoCom) return;
    const int labels = form_.CBObj1->count();
    {
        const QSignalBlocker quietFirst(form_.CBObj1);
        const QSignalBlocker quietSecond(form_.CBObj2);
        form_.CBObj1->setCurrentIndex(ListPosition(ElementNumber(decisions, {row, si::CoSOrP1}), labels));
        const long double second = ElementNumber(decisions, {row, si::CoSOrP2});
        form_.CBObj2->setCurrentIndex(second == 0 ? labels : ListPosition(second, labels));
    }
    ShowStoredValue(*form_.QNEObj1, ElementNumber(decisions, {row, si::CoVal1}));
    ShowStoredValue(*form_.QNEObj2, ElementNumber(decisions, {row, si::CoVal2}));
    form_.QNEObj1->SetFieldEnabled(form_.CBObj1->currentIndex() >= 0);
    form_.QNEObj2->SetFieldEnabled(SecondIsReal());
    for (TQNEdit* field : {form_.QNEObj1, form_.QNEObj2})
        if (!field->FieldEnabled()) field->ClearValue();
}

void TMixObjectives::Clear() {
    UncheckModes();
    const QSignalBlocker quietFirst(form_.CBObj1);
    const QSignalBlocker quietSecond(form_.CBObj2);
    form_.CBObj1->setCurrentIndex(-1);
    form_.CBObj2->setCurrentIndex(-1);
    form_.QNEObj1->ClearValue();
    form_.QNEObj2->ClearValue();
}

bool TMixObjectives::SecondIsReal() const {
    const int index = form_.CBObj2->currentIndex();
    return index >= 0 && index != form_.CBObj2->count() - 1;
}

void TMixObjectives::FirstChanged(int index) { form_.QNEObj1->SetFieldEnabled(index >= 0); }

void TMixObjectives::SecondChanged(int index) {
    if (index == form_.CBObj2->count() - 1) {
        form_.QNEObj2->ClearValue();
        form_.QNEObj2->SetFieldEnabled(false);
    } else {
        form_.QNEObj2->SetFieldEnabled(true);
    }
}

bool TMixObjectives::CheckValue(TQNEdit& field) {
    if (field.text().isEmpty()) {
        refuse_(kEmptyValueLine, &field);
        return false;
    }
    if (field.CheckRange(true)) return true;
    field.setFocus();
    return false;
}

bool TMixObjectives::Validate() {
    if (form_.RBNoCom->isChecked()) return true;
    if (form_.CBObj1->currentIndex() < 0) {
        refuse_(kNoFirstObjectiveLine, form_.CBObj1);
        return false;
    }
    if (!CheckValue(*form_.QNEObj1)) return false;
    if (SecondIsReal() && !CheckValue(*form_.QNEObj2)) return false;
    if (form_.CBObj1->currentIndex() == form_.CBObj2->currentIndex()) {
        refuse_(kSameObjectivesLine, nullptr);
        return false;
    }
    return true;
}

double TMixObjectives::Value(const TQNEdit& field) const {
    return field.Kind == TEditKind::ekReal ? field.RealValue() : static_cast<double>(field.IntValue());
}

void TMixObjectives::Save(TSimArr& decisions, int row) const {
    const TObjectiveMode mode = CheckedMode();
    if (mode == TObjectiveMode::None) {
        for (std::int8_t member : {si::CoType, si::CoSOrP1, si::CoVal1, si::CoVal2, si::CoSOrP2})
            decisions.SetReal48({row, member}, 0);
        return;
    }
    decisions.SetReal48({row, si::CoType}, static_cast<int>(mode));
    decisions.SetReal48({row, si::CoSOrP1}, form_.CBObj1->currentIndex() + 1);
    decisions.SetReal48({row, si::CoVal1}, Value(*form_.QNEObj1));
    decisions.SetReal48({row, si::CoVal2}, Value(*form_.QNEObj2));
    decisions.SetReal48({row, si::CoSOrP2}, SecondIsReal() ? form_.CBObj2->currentIndex() + 1 : 0);
}

}  // namespace cv
