#include "decisions/dialogs/dialog_frame.h"

#include <QFrame>
#include <string>

#include "core/language/translator.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "shell/selector/cv_bar.h"
#include "ui/cp1252.h"
#include "ui/sheet/table_units.h"

namespace cv {

namespace {
constexpr int kMoneyUnitLine = 6;
constexpr int kSmallScreenClass = 1;
constexpr int kSmallGap = 2;
constexpr int kGap = 5;
}  // namespace

int DialogRowGap() { return IsSmallScreen() ? kSmallGap : kGap; }

TScreenFrame AddScreenFrame(QWidget& dialog) {
    auto* bevel = new QFrame(&dialog);
    bevel->setObjectName(QStringLiteral("Bevel"));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Raised);
    auto* area = new QWidget(&dialog);
    area->setObjectName(QStringLiteral("paScreen"));
    return {bevel, area};
}

bool IsSmallScreen() { return ScreenClass() == kSmallScreenClass; }

void ShowMarketGroup(std::uint8_t mode, const TDataContext& context) {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!CvBar || !industry || !industry->MktSeries()) return;
    const std::string& markets = industry->MktSeries()->Name();
    CvBar->SetGroupMode(markets, mode);
    if (mode == bgmSingle) CvBar->SetGroupButton(markets, context.SelMarket - industry->MktSeries()->Lo() + 1, 1);
}

QString WithMoneyUnit(QString text) {
    std::string unit;
    if (Translator && Translator->IsOpen()) Translator->GlobalsLine("UNITS", kMoneyUnitLine, unit);
    const QString token = QStringLiteral("@K$");
    const qsizetype at = text.indexOf(token);
    return at < 0 ? text : text.replace(at, token.size(), Cp1252ToQString(unit));
}

}  // namespace cv
