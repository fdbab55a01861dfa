#include "graphs/design_dialogs/design_rows.h"

#include <QLabel>
#include <QLocale>

#include "core/base/numbers.h"
#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/series_index.h"
#include "core/store/typed_array.h"
#include "ui/cp1252.h"
#include "ui/fields/qn_edit.h"

namespace cv {
namespace {

constexpr int kPanelWidth = 56;

}  // namespace

TMarketShape MarketShape(const TCvInd& industry, int market) {
    const auto count = [](const TSeries* series) { return series ? series->Count() : 0; };
    return {count(industry.SemSeries(market)), count(industry.DimSeries(market)), count(industry.MapSeries(market))};
}

TCharacteristicRange TechnicalRange(const TCvInd& industry, const TDataContext& context, int characteristic) {
    const TSimArr* technical = industry.ConstPart().FindSimArr(kCategoryMarket, context, "Technical");
    if (!technical) return {};
    const auto level = [&](std::int8_t element) {
        return static_cast<long>(RoundHalfEven(technical->GetReal48({characteristic, element})));
    };
    return {level(si::TDMinLev), level(si::TDMaxLev)};
}

QString CharacteristicCaption(const TCvInd& industry, int market, int characteristic, bool technical,
                              const TCharacteristicRange& range) {
    const QString label = Cp1252ToQString(industry.SemLabel(market, characteristic));
    if (!technical) return label + QStringLiteral("\n($)");
    return label + QStringLiteral("\n(%1 - %2)").arg(range.min).arg(range.max);
}

QString EstimateText(std::optional<double> value) {
    return value ? QLocale().toString(*value, 'f', 2) : QString::fromLatin1(kNotAvailable);
}

QString ControlsText(const char* key, int line) {
    std::string text;
    if (Translator) Translator->ControlsLine(key, line, text);
    return Cp1252ToQString(text);
}

QLabel* NewLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

TQNEdit* NewNumberField(QWidget* parent, const QString& name, bool integer, double min, double max) {
    auto* field = new TQNEdit(parent);
    field->setObjectName(name);
    field->Kind = integer ? TEditKind::ekInteger : TEditKind::ekReal;
    field->Precision = integer ? 0 : 2;
    field->MinValue = min;
    field->MaxValue = max;
    field->setAlignment(Qt::AlignRight);
    field->ClearValue();
    // A typed figure is shown, once the field is left, as its column's others
    // are: with the field's decimals ("2" becomes "2.00" beside "0.30").
    if (!integer)
        QObject::connect(field, &QLineEdit::editingFinished, field, [field] {
            if (const std::optional<double> value = FieldValue(*field)) field->SetValueFloat(*value);
        });
    return field;
}

QLabel* NewValuePanel(QWidget* parent, const QString& name) {
    QLabel* panel = NewLabel(parent, name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setFixedWidth(kPanelWidth);
    return panel;
}

std::optional<double> FieldValue(const TQNEdit& field) {
    if (field.text().trimmed().isEmpty()) return std::nullopt;
    if (field.Kind == TEditKind::ekInteger) {
        if (field.IntValue() == TQNEdit::kVoidInt || field.IntValue() == TQNEdit::kDashInt) return std::nullopt;
        return field.IntValue();
    }
    if (field.RealValue() == TQNEdit::kVoidReal) return std::nullopt;
    return field.RealValue();
}

QString Numbered(const char* prefix, int number) { return QString::fromLatin1(prefix) + QString::number(number); }

}  // namespace cv
