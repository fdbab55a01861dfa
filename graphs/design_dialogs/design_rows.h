#pragma once
// What the product-design dialogs share. A market's characteristics are its
// semantic scales, each paired with a physical dimension up to the number of
// dimensions; the characteristic after them is price. Each row of a dialog is
// captioned with the scale's label and the characteristic's range, and shows
// its estimates as two-decimal numbers or "N/A".

#include <QString>
#include <optional>

#include "core/store/data_context.h"

class QLabel;
class QWidget;

namespace cv {

class TCvInd;
class TQNEdit;

// What a dialog shows where an estimate cannot be given.
inline constexpr char kNotAvailable[] = "N/A";

// The counts of one market's series.
struct TMarketShape {
    int characteristics = 0;  // semantic scales
    int technical = 0;        // physical dimensions: characteristics 1..technical
    int mapDimensions = 0;
    bool IsTechnical(int characteristic) const { return characteristic <= technical; }
};
TMarketShape MarketShape(const TCvInd& industry, int market);

// The range of physical dimension Characteristic (1-based) of the context's
// market, "Technical" rounded halves to even.
struct TCharacteristicRange {
    long min = 0;
    long max = 0;
};
TCharacteristicRange TechnicalRange(const TCvInd& industry, const TDataContext& context, int characteristic);

// The caption of a characteristic's row: the scale's label, then "(min - max)"
// for a physical dimension or "($)" for price on a second line.
QString CharacteristicCaption(const TCvInd& industry, int market, int characteristic, bool technical,
                              const TCharacteristicRange& range);

// An estimate as two decimals with thousands separators, "N/A" for none.
QString EstimateText(std::optional<double> value);

// Line Line of the controls-section entry Key; empty without a language file.
QString ControlsText(const char* key, int line);

// A named label, and a named number field of the given kind and range,
// right-aligned, on Parent; a real field shows a typed figure with two
// decimals once it is left.
QLabel* NewLabel(QWidget* parent, const QString& name);
TQNEdit* NewNumberField(QWidget* parent, const QString& name, bool integer, double min, double max);
// A panel that shows a value the user cannot type over.
QLabel* NewValuePanel(QWidget* parent, const QString& name);

// The value a number field holds; nothing when it is empty.
std::optional<double> FieldValue(const TQNEdit& field);

// Component names numbered from 1: Prefix + Number.
QString Numbered(const char* prefix, int number);

}  // namespace cv
