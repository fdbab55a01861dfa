#include "decisions/dialogs/dialog_frame.h"

#include <string>

#include "core/language/translator.h"
#include "ui/cp1252.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {
constexpr int kMoneyUnitLine = 6;
constexpr int kSmallScreenClass = 1;
constexpr int kSmallGap = 2;
constexpr int kGap = 5;
}  // namespace

int DialogRowGap() { return ScreenClass() == kSmallScreenClass ? kSmallGap : kGap; }

QString WithMoneyUnit(QString text) {
    std::string unit;
    if (Translator && Translator->IsOpen()) Translator->GlobalsLine("UNITS", kMoneyUnitLine, unit);
    const QString token = QStringLiteral("@K$");
    const qsizetype at = text.indexOf(token);
    return at < 0 ? text : text.replace(at, token.size(), Cp1252ToQString(unit));
}

}  // namespace cv
