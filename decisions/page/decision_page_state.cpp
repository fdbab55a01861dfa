// The state panel of the decisions page: two lines in one colour, and the
// button that lists the messages.
#include <QPalette>
#include <optional>

#include "core/base/errors.h"
#include "core/language/keyed_messages.h"
#include "core/language/translator.h"
#include "core/session/fta_budget.h"
#include "core/session/industry.h"
#include "core/session/session.h"
#include "decisions/checks/check_dec.h"
#include "decisions/dialogs/budget_limit.h"
#include "decisions/page/decision_page.h"
#include "ui/cp1252.h"
#include "ui/platform_color.h"

namespace cv {

namespace {

// Platform colour values, 0x00BBGGRR. On the panel's black ground each reads
// with a contrast of at least 5 to 1; a dark green (0x008000) would not.
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::uint32_t kGreen = 0x00C000;
// 10 points at the 96 dots per inch the forms are drawn for.
constexpr int kStatePixelSize = 13;
constexpr char kStateKey[] = "QnNoMessage";
constexpr char kBeyondBudgetKey[] = "BudgetBeyondLimit";

std::uint32_t StateColour(TReviewLine line) {
    switch (line) {
        case rlComplete: return kGreen;
        case rlWarnings: return kYellow;
        default: return kRed;
    }
}

// The first zone whose stored decisions take its budget past the largest
// amount a budget figure holds; none when every zone's budget is worked out.
std::optional<int> ZoneBeyondItsBudget(TCvInd& industry, const TDataContext& context) {
    TFtaBudget* budget = industry.Budget();
    if (!budget) return std::nullopt;
    for (int zone = 1; zone <= industry.NbFtas(); ++zone) {
        TDataContext zoneContext = context;
        zoneContext.SelFta = static_cast<std::int16_t>(zone);
        budget->Init(industry, zoneContext);
        if (!BudgetCarries(*budget)) return zone;
    }
    return std::nullopt;
}

}  // namespace

// A zone whose budget cannot be worked out stops the checks: the page counts
// it as the one error, lists it and says so, and stays usable for the team
// to make the zone's amounts smaller.
void TFoDecision::RefreshErrors() {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) return;
    Data.DecPeriod = static_cast<std::int16_t>(industry->DecPeriod());
    checkMessages_.Clear();
    try {
        review_ = ReviewDecisions(*industry, Data, Session->AdminView(), checkMessages_);
    } catch (const ECvError&) {
        const std::optional<int> zone = ZoneBeyondItsBudget(*industry, Data);
        if (!zone) throw;
        review_ = {.DecStatusResult = 0, .ErrorCount = 1};
        checkMessages_.Clear();
        TCVInfo info;
        info.SetKey(kBeyondBudgetKey);
        info.AddParam(industry->FtaLabel(*zone));
        info.SetCategory(kCheckCategoryError);
        info.SetSeverity(kSeverityBudget);
        checkMessages_.Add(info.Info());
        ShowKeyedMessage("cviDecError", checkMessages_, -1, TAlignment::taCenter);
    }
    ShowState(ReviewLine(review_));
}

void TFoDecision::ShowState(TReviewLine line) {
    BBErrors_->setEnabled(line != rlComplete);
    std::string first;
    std::string second;
    if (Translator) {
        Translator->MessagesLine(kStateKey, line, first);
        Translator->MessagesLine(kStateKey, line + 1, second);
    }
    labErrWng_->setText(Cp1252ToQString(first) + QLatin1Char('\n') + Cp1252ToQString(second));
    QFont font = labErrWng_->font();
    font.setPixelSize(kStatePixelSize);
    labErrWng_->setFont(font);
    QPalette palette = labErrWng_->palette();
    palette.setColor(QPalette::WindowText, PlatformColor(StateColour(line)));
    labErrWng_->setPalette(palette);
}

}  // namespace cv
